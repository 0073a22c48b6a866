// The window shown when one record of a save fails: the failure in three read-only tabs (a fixed text, the SQL
// message, the statement), the record's modified and original values in a table with the state column and the
// changed columns marked, and Skip All, Skip Record and Cancel Save. Only a button closes it. Asked through the
// process's dialog service; with no user to ask the save is cancelled. Registered by full class name. Used by one
// thread at a time.
#pragma once

#include <string>
#include <vector>

#include "platform/gui/FailedRecordRequest.h"
#include "platform/lang/Object.h"
#include "platform/lang/Value.h"
#include "quenlora/zafoli/db/beans/binding/SaveTransactionChanges.h"

namespace plat::runvale {
class ClassRegistry;
}

namespace quenlora::zafoli::db::beans::javax::swing {

class JSaveTransactionChangesWindow : public plat::lang::Object, public binding::SaveTransactionChanges {
 public:
  static constexpr const char* kClassName = "quenlora.zafoli.db.beans.javax.swing.JSaveTransactionChangesWindow";
  static constexpr unsigned BACKGROUND = 0xCCCCCC;
  static constexpr unsigned STATE_COLOUR = 0xFFFF00;     // yellow
  static constexpr unsigned MODIFIED_COLOUR = 0xFF0000;  // red
  static constexpr int TABLE_WIDTH = 350;
  static constexpr int TABLE_HEIGHT = 60;
  // Without a component to centre on, the top-left corner sits this far left of and above the screen's centre.
  static constexpr int FALLBACK_INSET = 120;

  // Titled with the bundle's "SaveTransaction_Title".
  JSaveTransactionChangesWindow();
  explicit JSaveTransactionChangesWindow(std::string title);

  // Asks and waits: DISCARD_ALL for Skip All, DISCARD for Skip Record, CANCEL for Cancel Save. Column 0 is the
  // state column; every row given is shown.
  int show(const std::vector<std::string>& headers, const std::vector<std::vector<plat::lang::Value>>& values,
           const std::vector<std::string>& modifiedColumns, const std::string& errorMessage,
           const std::string& sqlStatement, const plat::lang::Ref<plat::lang::Object>& parent) override;

  // The window show() asks through the dialog service.
  plat::gui::FailedRecordRequest makeRequest(const std::vector<std::string>& headers,
                                             const std::vector<std::vector<plat::lang::Value>>& values,
                                             const std::vector<std::string>& modifiedColumns,
                                             const std::string& errorMessage, const std::string& sqlStatement,
                                             const plat::lang::Ref<plat::lang::Object>& parent) const;

  std::string getClassName() const override { return kClassName; }
  static void registerClass(plat::runvale::ClassRegistry& registry);

 private:
  std::string title_;
  int returnval = 0;
};

}  // namespace quenlora::zafoli::db::beans::javax::swing
