// The owner component a program embeds the library's beans in, with a one-line status display at its foot that
// beans write progress and query texts to. Headless: it keeps the last text shown. The status text may be written
// from any thread; the rest of the component is GUI thread only.
#pragma once

#include <mutex>
#include <string>

#include "platform/gui/Component.h"

namespace plat::gui {

class Applet : public Component {
 public:
  Applet() = default;

  // Replaces the text of the status line.
  void showStatus(const std::string& text);
  std::string getStatus() const;

  std::string getClassName() const override { return "java.applet.Applet"; }

 private:
  mutable std::mutex mutex_;
  std::string status_;  // guarded by mutex_
};

}  // namespace plat::gui
