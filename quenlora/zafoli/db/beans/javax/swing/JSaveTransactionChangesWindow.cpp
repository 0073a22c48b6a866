#include "quenlora/zafoli/db/beans/javax/swing/JSaveTransactionChangesWindow.h"

#include <algorithm>

#include "platform/gui/DialogService.h"
#include "platform/runvale/ClassRegistry.h"
#include "quenlora/zafoli/db/beans/binding/BindingResourceLoader.h"

namespace quenlora::zafoli::db::beans::javax::swing {

namespace {

std::string text(const char* key) {
  return binding::BindingResourceLoader::text(key);
}

// The buttons in the order shown, and what each answers.
constexpr int kAnswers[] = {binding::SaveTransactionChanges::DISCARD_ALL, binding::SaveTransactionChanges::DISCARD,
                            binding::SaveTransactionChanges::CANCEL};
constexpr int kCancelSaveButton = 2;

std::string cellText(const plat::lang::Value& value) {
  return value.isNull() ? std::string() : value.toString();
}

}  // namespace

JSaveTransactionChangesWindow::JSaveTransactionChangesWindow()
    : JSaveTransactionChangesWindow(text("SaveTransaction_Title")) {}

JSaveTransactionChangesWindow::JSaveTransactionChangesWindow(std::string title) : title_(std::move(title)) {}

plat::gui::FailedRecordRequest JSaveTransactionChangesWindow::makeRequest(
    const std::vector<std::string>& headers, const std::vector<std::vector<plat::lang::Value>>& values,
    const std::vector<std::string>& modifiedColumns, const std::string& errorMessage, const std::string& sqlStatement,
    const plat::lang::Ref<plat::lang::Object>& parent) const {
  plat::gui::FailedRecordRequest request;
  request.title = title_;
  request.background = BACKGROUND;
  request.buttons = {text("SaveTransaction_SkipAll"), text("SaveTransaction_SkipRecord"),
                     text("SaveTransaction_CancelSave")};
  request.unattendedAnswer = kCancelSaveButton;
  request.tabs = {{text("SaveTransaction_ErrorTab"), text("SaveTransaction_SaveFail")},
                  {text("SaveTransaction_SQLMessageTab"), errorMessage},
                  {text("SaveTransaction_SQLStatementTab"), sqlStatement}};
  request.columns = headers;
  for (const auto& row : values) {
    std::vector<std::string> cells;
    cells.reserve(headers.size());
    for (std::size_t c = 0; c < headers.size(); ++c) cells.push_back(c < row.size() ? cellText(row[c]) : "");
    request.rows.push_back(std::move(cells));
  }
  // Column 0 is the state column whatever its label says; a data column is marked by its name.
  for (std::size_t c = 1; c < headers.size(); ++c) {
    if (std::find(modifiedColumns.begin(), modifiedColumns.end(), headers[c]) != modifiedColumns.end())
      request.modifiedColumns.push_back(static_cast<int>(c));
  }
  request.stateColour = STATE_COLOUR;
  request.modifiedColour = MODIFIED_COLOUR;
  request.stateTip = text("SaveTransaction_StateTip");
  request.modifiedTip = text("SaveTransaction_ModifyTip");
  request.tableWidth = TABLE_WIDTH;
  request.tableHeight = TABLE_HEIGHT;
  request.placement.centre = plat::gui::Placement::Centre::Owner;
  request.placement.owner = parent;
  request.placement.fallbackOffset = plat::gui::Offset{-FALLBACK_INSET, -FALLBACK_INSET};
  return request;
}

int JSaveTransactionChangesWindow::show(const std::vector<std::string>& headers,
                                        const std::vector<std::vector<plat::lang::Value>>& values,
                                        const std::vector<std::string>& modifiedColumns,
                                        const std::string& errorMessage, const std::string& sqlStatement,
                                        const plat::lang::Ref<plat::lang::Object>& parent) {
  const int pressed = plat::gui::DialogService::current()->showFailedRecord(
      makeRequest(headers, values, modifiedColumns, errorMessage, sqlStatement, parent));
  returnval = pressed >= 0 && pressed < 3 ? kAnswers[pressed] : CANCEL;
  return returnval;
}

void JSaveTransactionChangesWindow::registerClass(plat::runvale::ClassRegistry& registry) {
  registry.registerClass(
      {kClassName,
       [] { return plat::lang::Ref<plat::lang::Object>(plat::lang::makeRef<JSaveTransactionChangesWindow>()); },
       {"quenlora.zafoli.db.beans.binding.SaveTransactionChanges"},
       ""});
}

}  // namespace quenlora::zafoli::db::beans::javax::swing
