// The question asked when one record of a save of several fails: skip it, skip every later failure too, or cancel
// the save. Made by class name through the class registry. Used by the thread that shows it.
#pragma once

#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/lang/Value.h"

namespace quenlora::zafoli::db::beans::binding {

class SaveTransactionChanges {
 public:
  static constexpr int DISCARD = 0;
  static constexpr int CANCEL = 1;
  static constexpr int DISCARD_ALL = 2;

  SaveTransactionChanges() = default;
  SaveTransactionChanges(const SaveTransactionChanges&) = delete;
  SaveTransactionChanges& operator=(const SaveTransactionChanges&) = delete;
  virtual ~SaveTransactionChanges() = default;

  // headers: a label, then each column name; values: two rows (modified, then original), each starting with its
  // label; modifiedColumns: names of the columns whose two values differ; parent: the component to centre on (may
  // be null). The answer.
  virtual int show(const std::vector<std::string>& headers, const std::vector<std::vector<plat::lang::Value>>& values,
                   const std::vector<std::string>& modifiedColumns, const std::string& errorMessage,
                   const std::string& sqlStatement, const plat::lang::Ref<plat::lang::Object>& parent) = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding
