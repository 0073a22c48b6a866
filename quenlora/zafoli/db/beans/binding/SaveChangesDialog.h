// The question asked when a move would leave unsaved changes behind: save, discard or stay. The window is chosen
// by class name, so implementations are made through the class registry. Used by the thread that shows it.
#pragma once

#include <string>

namespace quenlora::zafoli::db::beans::binding {

class SaveChangesDialog {
 public:
  static constexpr int YES = 1;
  static constexpr int NO = 2;
  static constexpr int CANCEL = 3;

  SaveChangesDialog() = default;
  SaveChangesDialog(const SaveChangesDialog&) = delete;
  SaveChangesDialog& operator=(const SaveChangesDialog&) = delete;
  virtual ~SaveChangesDialog() = default;

  virtual void setMessage(const std::string& message) = 0;
  // Shows the question modally; the answer.
  virtual int run() = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding
