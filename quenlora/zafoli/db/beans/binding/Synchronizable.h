// A data source that can take part in a master/detail tree: its alias and its master's, its link into the tree, and
// the join conditions by which a detail query follows its master's current record. Implementations say their own
// thread contract.
#pragma once

#include <string>

#include "platform/beans/PropertyChangeListener.h"
#include "platform/lang/Object.h"
#include "platform/lang/Value.h"
#include "platform/util/Enumeration.h"
#include "quenlora/zafoli/db/beans/binding/NavigationalDataSource.h"
#include "quenlora/zafoli/db/beans/binding/PersistentDataSource.h"

namespace quenlora::zafoli::db::beans::binding {

class SynchronizerLink;

class Synchronizable : public PersistentDataSource, public NavigationalDataSource {
 public:
  // One condition of a detail query: a detail column, an operator and the value of the master's current record.
  class JoinRecord : public plat::lang::Object {
   public:
    virtual std::string getDetailColumnName() = 0;
    virtual int getDetailColumnNumber() = 0;
    virtual plat::lang::Value getMasterCurrentValue() = 0;
    virtual std::string getOperator() = 0;
  };

  // The conditions from which a detail query's WHERE clause is built.
  class JoinRecordList : public plat::lang::Object {
   public:
    virtual plat::lang::Ref<plat::util::Enumeration<plat::lang::Ref<JoinRecord>>> getJoinRecords() = 0;
  };

  // The only property announced is "close".
  virtual void addPropertyChangeListener(const plat::lang::Ref<plat::beans::PropertyChangeListener>& listener) = 0;
  virtual void removePropertyChangeListener(const plat::lang::Ref<plat::beans::PropertyChangeListener>& listener) = 0;
  // The data source's unique alias.
  virtual std::string getAliasName() = 0;
  // The alias of its master; empty when it has none.
  virtual std::string getMasterAliasName() = 0;
  // The question shown when unsaved changes would be lost.
  virtual std::string getDirtySaveMessage() = 0;
  // The class name of the save-changes prompt.
  virtual std::string getSaveChangesWindowClass() = 0;
  virtual plat::lang::Ref<SynchronizerLink> getLink() = 0;
  virtual void setLink(const plat::lang::Ref<SynchronizerLink>& link) = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding
