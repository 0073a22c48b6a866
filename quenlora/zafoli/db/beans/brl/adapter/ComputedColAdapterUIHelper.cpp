#include "quenlora/zafoli/db/beans/brl/adapter/ComputedColAdapterUIHelper.h"

#include "quenlora/zafoli/db/beans/brl/adapter/BRLAdapterResourceLoader.h"
#include "quenlora/zafoli/db/beans/util/LogWindowHelper.h"

namespace quenlora::zafoli::db::beans::brl::adapter {

void ComputedColAdapterUIHelper::displayMsgDialog(const std::string& text) {
  util::LogWindowHelper::getInstance().displayMsgDialog(text);
}

void ComputedColAdapterUIHelper::displayMsgDialog(const std::string& text, bool later) {
  util::LogWindowHelper::getInstance().displayMsgDialog(text, later);
}

void ComputedColAdapterUIHelper::displayMsgToLog(const std::string& title, const std::string& text) {
  util::LogWindowHelper::getInstance().displayMsgToLog(title, text);
}

std::string ComputedColAdapterUIHelper::aggNotValidText(const std::string& className, const std::string& bindingName) {
  const auto text = [](const char* key) { return BRLAdapterResourceLoader::text(key); };
  return text("Aggregate calculation cannot be applied to rule") + " " + bindingName + "\n" + text("using ") +
         className + text(".") + "\n" + text("Change the adapter to perform the calculation for single row change");
}

void ComputedColAdapterUIHelper::displayAggNotValidMsg(const std::string& className, const std::string& bindingName) {
  displayMsgDialog(aggNotValidText(className, bindingName));
}

}  // namespace quenlora::zafoli::db::beans::brl::adapter
