// The plain save prompt: a fixed-size window with a centred question and Yes and No buttons, asked through the
// process's dialog service (a real window in a Qt program, scripted answers in tests). Its close box answers
// CANCEL, so closing it never discards. Registered by class name. Used by one thread at a time.
#pragma once

#include <string>

#include "platform/gui/ChoiceRequest.h"
#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/binding/SaveChangesDialog.h"

namespace plat::runvale {
class ClassRegistry;
}

namespace quenlora::zafoli::db::beans::binding {

class DefaultSaveChangesDialog : public plat::lang::Object, public SaveChangesDialog {
 public:
  static constexpr const char* kClassName = "quenlora.zafoli.db.beans.binding.DefaultSaveChangesDialog";
  static constexpr int WIDTH = 337;
  static constexpr int HEIGHT = 135;
  static constexpr plat::gui::Box YES_BOUNDS{72, 80, 79, 22};
  static constexpr plat::gui::Box NO_BOUNDS{185, 80, 79, 22};
  static constexpr plat::gui::Box LABEL_BOUNDS{78, 33, 180, 23};

  // Titled with the bundle's "DefSCDialog_Title".
  DefaultSaveChangesDialog();
  explicit DefaultSaveChangesDialog(std::string title);

  // Replaces the question.
  void setMessage(const std::string& message) override;
  // Asks and waits: YES, NO, or CANCEL for the close box.
  int run() override;

  // The window this prompt asks through the dialog service.
  plat::gui::ChoiceRequest makeRequest() const;

  std::string getClassName() const override { return kClassName; }
  static void registerClass(plat::runvale::ClassRegistry& registry);

 private:
  std::string title_;
  std::string label_;
  int result = NO;
};

}  // namespace quenlora::zafoli::db::beans::binding
