// The save prompt a data source names by default: a heading, the data source's message with the question appended,
// and Save, Discard and Cancel in a centred row, asked through the process's dialog service (a real window in a Qt
// program, scripted answers in tests). Closing it answers CANCEL. Registered by class name. Used by one thread at
// a time.
#pragma once

#include <string>

#include "platform/gui/ChoiceRequest.h"
#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/binding/SaveChangesDialog.h"

namespace plat::runvale {
class ClassRegistry;
}

namespace quenlora::zafoli::db::beans::binding {

class SaveChangesWindow : public plat::lang::Object, public SaveChangesDialog {
 public:
  static constexpr const char* kClassName = "quenlora.zafoli.db.beans.binding.SaveChangesWindow";
  static constexpr int WIDTH = 432;
  static constexpr int HEIGHT = 112;
  static constexpr int BUTTON_GAP = 5;
  static constexpr unsigned BUTTON_BACKGROUND = 0xC0C0C0;  // light grey

  // Titled with the bundle's "SaveChange_Title".
  SaveChangesWindow();
  explicit SaveChangesWindow(std::string title);
  SaveChangesWindow(std::string title, const std::string& message);

  // Shows message followed by the question: after a final period "SaveChange_MessWithPeriod", otherwise
  // "SaveChange_MessWithoutPeriod", which brings its own period.
  void setMessage(const std::string& message) override;
  const std::string& getMessage() const { return message_; }
  // Asks and waits: YES, NO or CANCEL; CANCEL also when the window is closed.
  int run() override;

  // The window this prompt asks through the dialog service.
  plat::gui::ChoiceRequest makeRequest() const;

  std::string getClassName() const override { return kClassName; }
  static void registerClass(plat::runvale::ClassRegistry& registry);

 private:
  std::string title_;
  std::string message_;  // as shown
  int returnVal = CANCEL;
};

}  // namespace quenlora::zafoli::db::beans::binding
