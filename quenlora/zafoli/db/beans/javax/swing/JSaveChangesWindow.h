// The save prompt in the option-dialog style: the data source's message, the question on the next line, and Save
// (preselected), Discard and Cancel, asked through the process's dialog service. Closing it answers CANCEL.
// Registered by full class name. Used by one thread at a time.
#pragma once

#include <string>

#include "platform/gui/ChoiceRequest.h"
#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/binding/SaveChangesDialog.h"

namespace plat::runvale {
class ClassRegistry;
}

namespace quenlora::zafoli::db::beans::javax::swing {

class JSaveChangesWindow : public plat::lang::Object, public binding::SaveChangesDialog {
 public:
  static constexpr const char* kClassName = "quenlora.zafoli.db.beans.javax.swing.JSaveChangesWindow";

  // The message, a line feed and the bundle's "JSCWindow_Mess".
  void setMessage(const std::string& message) override;
  const std::string& getMessage() const { return m_message; }
  // Asks and waits: YES, NO or CANCEL; CANCEL also when the window is closed.
  int run() override;

  // The window this prompt asks through the dialog service.
  plat::gui::ChoiceRequest makeRequest() const;

  std::string getClassName() const override { return kClassName; }
  static void registerClass(plat::runvale::ClassRegistry& registry);

 private:
  std::string m_message;
  int returnval = 0;
};

}  // namespace quenlora::zafoli::db::beans::javax::swing
