// The rule adapters' way to the user and the log: message dialogs and log entries through the library's log
// helper, and the text of the refusal to fold with a rule that is not usable for aggregate. Static only; any thread.
#pragma once

#include <string>

namespace quenlora::zafoli::db::beans::brl::adapter {

class ComputedColAdapterUIHelper {
 public:
  ComputedColAdapterUIHelper() = delete;

  static void displayMsgDialog(const std::string& text);
  static void displayMsgDialog(const std::string& text, bool later);
  static void displayMsgToLog(const std::string& title, const std::string& text);
  // Shows "Aggregate calculation cannot be applied to rule <binding>", "using <class>." and the advice, one a line.
  static void displayAggNotValidMsg(const std::string& className, const std::string& bindingName);
  // The text displayAggNotValidMsg shows.
  static std::string aggNotValidText(const std::string& className, const std::string& bindingName);
};

}  // namespace quenlora::zafoli::db::beans::brl::adapter
