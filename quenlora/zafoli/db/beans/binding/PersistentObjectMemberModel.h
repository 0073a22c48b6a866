// Metadata of one column of a row class: its name, JDBC type code, a kind code of the row class's own choosing and
// whether it may be written. Implementations say their own thread contract.
#pragma once

#include <string>

namespace quenlora::zafoli::db::beans::binding {

class PersistentObjectMemberModel {
 public:
  PersistentObjectMemberModel() = default;
  PersistentObjectMemberModel(const PersistentObjectMemberModel&) = delete;
  PersistentObjectMemberModel& operator=(const PersistentObjectMemberModel&) = delete;
  virtual ~PersistentObjectMemberModel() = default;

  // The JDBC type code.
  virtual int getDataType() const = 0;
  virtual std::string getName() const = 0;
  // A kind code stored by the row class (parameter kinds of stored procedures, for one).
  virtual int getType() const = 0;
  virtual bool isWritable() const = 0;
};

// A member model that also knows its position among the members.
class ExtendedPersistentObjectMemberModel : public PersistentObjectMemberModel {
 public:
  virtual int getIndex() const = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding
