#include "quenlora/zafoli/db/beans/binding/QueryNavigatorTexts.h"

#include "quenlora/zafoli/db/beans/binding/BindingResourceLoader.h"

namespace quenlora::zafoli::db::beans::binding {

const QueryNavigatorTexts& QueryNavigatorTexts::get() {
  static const QueryNavigatorTexts texts = [] {
    auto t = [](const char* key) { return BindingResourceLoader::text(key); };
    QueryNavigatorTexts x;
    x.markAsNew = t("QueryNavigator_MarkAsNew");
    x.markAsDeleted = t("QueryNavigator_MarkAsDeleted");
    x.markAsModified = t("QueryNavigator_MarkAsModified");
    x.markAsExisting = t("QueryNavigator_MarkAsExisting");
    x.markAsQBE = t("QueryNavigator_MarkAsQBE");
    x.noRows = t("QueryNavigator_NoRows");
    x.warnAlias = t("QueryNavigator_WarnAlias");
    x.warnMaster = t("QueryNavigator_WarnMaster");
    x.dirtySave = t("QueryNavigator_DirtySave");
    x.gotoRow = t("QueryNavigator_GotoRow");
    x.lastRow = t("QueryNavigator_GotoLast");
    x.insert = t("QueryNavigator_Insert");
    x.deleteRow = t("QueryNavigator_Delete");
    x.navigate1 = t("QueryNavigator_Navigate1");
    x.saveAll1 = t("QueryNavigator_SaveAll1");
    x.setValue1 = t("QueryNavigator_SetValue1");
    x.setValue2 = t("QueryNavigator_SetValue2");
    x.setValue3 = t("QueryNavigator_SetValue3");
    x.invalidQBE1 = t("QueryNavigator_InvalidQBE1");
    x.invalidQBE2 = t("QueryNavigator_InvalidQBE2");
    x.saveIntern = t("QueryNavigator_SaveIntern");
    x.saveNothing = t("QueryNavigator_SaveNothing");
    x.saveInserted = t("QueryNavigator_SaveInserted");
    x.saveUpdated = t("QueryNavigator_SaveUpdated");
    x.saveDeleted = t("QueryNavigator_SaveDeleted");
    x.saIntern1 = t("QueryNavigator_SAIntern1");
    x.saIntern2 = t("QueryNavigator_SAIntern2");
    x.saIntern3 = t("QueryNavigator_SAIntern3");
    x.saIntern4 = t("QueryNavigator_SAIntern4");
    x.closeException = t("QueryNavigator_CloseException");
    x.recordSave1 = t("QueryNavigator_RecordSave1");
    x.recordSave2 = t("QueryNavigator_RecordSave2");
    x.recordSave3 = t("QueryNavigator_RecordSave3");
    x.illegalSaveAll = t("QueryNavigator_IllegalSaveAll");
    x.startQBE1 = t("QueryNavigator_StartQBE1");
    x.startQBE2 = t("QueryNavigator_StartQBE2");
    return x;
  }();
  return texts;
}

}  // namespace quenlora::zafoli::db::beans::binding
