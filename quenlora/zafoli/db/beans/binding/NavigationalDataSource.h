// A data source whose current record can be moved: the navigation codes passed to navigate() and through the
// master/detail synchroniser, and the query that fills it. Implementations say their own thread contract.
#pragma once

#include <optional>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/binding/BasicDataSource.h"

namespace quenlora::zafoli::db::beans::binding {

class Synchronizable;

class NavigationalDataSource : public BasicDataSource {
 public:
  static constexpr int NEXT = 1;
  static constexpr int PREVIOUS = 2;
  static constexpr int FIRST = 3;
  static constexpr int RESTART = 4;
  static constexpr int GOTO = 5;
  static constexpr int QBE = 6;
  static constexpr int INSERT = 7;

  // Runs the query again, restricted by the current record of master (null for a source without master).
  virtual void executeQuery(Synchronizable* master) = 0;
  virtual void first() = 0;
  virtual void next() = 0;
  virtual void previous() = 0;
  virtual void insert() = 0;
  virtual void startQueryByExample() = 0;
  // The current record (a PersistentObject for the query navigator), or null.
  virtual plat::lang::Ref<plat::lang::Object> getCurrentObject() = 0;
  // One navigation code; row is the 1-based target of GOTO and is not used by the other codes.
  virtual void navigate(int code, std::optional<int> row) = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding
