// The texts of the query navigator, read once from the binding bundle of the default locale when first used.
// Immutable after that; safe from any thread.
#pragma once

#include <string>

namespace quenlora::zafoli::db::beans::binding {

struct QueryNavigatorTexts {
  std::string markAsNew, markAsDeleted, markAsModified, markAsExisting, markAsQBE, noRows;
  std::string warnAlias, warnMaster, dirtySave, gotoRow, lastRow, insert, deleteRow;
  std::string navigate1, saveAll1, setValue1, setValue2, setValue3, invalidQBE1, invalidQBE2;
  std::string saveIntern, saveNothing, saveInserted, saveUpdated, saveDeleted;
  std::string saIntern1, saIntern2, saIntern3, saIntern4, closeException;
  std::string recordSave1, recordSave2, recordSave3, illegalSaveAll, startQBE1, startQBE2;

  static const QueryNavigatorTexts& get();
};

}  // namespace quenlora::zafoli::db::beans::binding
