#include "quenlora/zafoli/db/beans/brl/adapter/ComputedColAdapterConstants.h"

#include <algorithm>

#include "quenlora/zafoli/db/beans/brl/adapter/BRLAdapterResourceLoader.h"

namespace quenlora::zafoli::db::beans::brl::adapter {

namespace {

int offsetOf(const std::vector<std::string>& list, const std::string& text) {
  const auto it = std::find(list.begin(), list.end(), text);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

std::vector<std::string> split(const std::string& text, char separator) {
  if (text.empty() || text.front() == separator) return {};
  std::vector<std::string> pieces;
  std::size_t start = 0;
  for (;;) {
    const std::size_t at = text.find(separator, start);
    if (at == std::string::npos) {
      pieces.push_back(text.substr(start));
      return pieces;
    }
    pieces.push_back(text.substr(start, at - start));
    start = at + 1;
  }
}

int integer(const char* key) {
  return BRLAdapterResourceLoader::getInstance().getInteger(key);
}

}  // namespace

const std::vector<std::string>& ComputedColAdapterConstants::INPUTTYPES_DESC() {
  static const std::vector<std::string> list = {BRLAdapterResourceLoader::text("Column"),
                                                BRLAdapterResourceLoader::text("Constant")};
  return list;
}

const std::vector<std::string>& ComputedColAdapterConstants::DERIVATIONCOLUMN_DESC() {
  static const std::vector<std::string> list = {BRLAdapterResourceLoader::text("Row"),
                                                BRLAdapterResourceLoader::text("Set of Rows")};
  return list;
}

const std::vector<std::string>& ComputedColAdapterConstants::VALIDATIONCOLUMN_DESC() {
  static const std::vector<std::string> list = {BRLAdapterResourceLoader::text("Row")};
  return list;
}

int ComputedColAdapterConstants::DEFAULTFONT_SIZE() {
  static const int size = integer("AdapterConstants_DEFAULTFONT_SIZE");
  return size;
}

int ComputedColAdapterConstants::WIZARDPANEL_WIDTH() {
  static const int width = integer("AdapterConstants_WIZARD_WIDTH");
  return width;
}

int ComputedColAdapterConstants::WIZARDPANEL_HEIGHT() {
  static const int height = integer("AdapterConstants_WIZARD_HEIGHT");
  return height;
}

int ComputedColAdapterConstants::PROPEDITOR_WIDTH() {
  static const int width = integer("AdapterConstants_PROPEDITOR_WIDTH");
  return width;
}

int ComputedColAdapterConstants::PROPEDITOR_HEIGHT() {
  static const int height = integer("AdapterConstants_PROPEDITOR_HEIGHT");
  return height;
}

int ComputedColAdapterConstants::getOffSetToDerivationDescArray(const std::string& text) {
  return offsetOf(DERIVATIONCOLUMN_DESC(), text);
}

int ComputedColAdapterConstants::getOffSetToValidationDescArray(const std::string& text) {
  return offsetOf(VALIDATIONCOLUMN_DESC(), text);
}

std::string ComputedColAdapterConstants::convArrayToCommaSepString(const std::vector<std::string>& texts) {
  std::string joined;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (i > 0) joined += ',';
    joined += texts[i];
  }
  return joined;
}

std::vector<std::string> ComputedColAdapterConstants::convCommaSepStringToArray(const std::string& text) {
  return split(text, ',');
}

std::vector<std::string> ComputedColAdapterConstants::convNewLineSepStringToArray(const std::string& text) {
  return split(text, '\n');
}

}  // namespace quenlora::zafoli::db::beans::brl::adapter
