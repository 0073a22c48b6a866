#include "quenlora/zafoli/db/beans/qbe/QBEResource.h"

namespace quenlora::zafoli::db::beans::qbe {

const std::vector<plat::text::BundleEntry>& QBEResource::getContents() const {
  static const std::vector<plat::text::BundleEntry> contents = {
      {"TokenError_LexicalError1", "Lexical error at line "},
      {"TokenError_LexicalError2", ", column "},
      {"TokenError_LexicalError3", ".  Encountered: "},
      {"TokenError_LexicalError4", "<EOF> "},
      {"TokenError_LexicalError5", "after : "},
      {"ParseException_getMessage1", "Encountered "},
      {"ParseException_getMessage2", " at line "},
      {"ParseException_getMessage3", ", column "},
      {"ParseException_getMessage4", "Was expecting:"},
      {"ParseException_getMessage5", "Was expecting one of:"},
      {"QBExlator_SYNTAXERROR", "SYNTAX ERROR:"},
      {"", ""},
  };
  return contents;
}

std::string QBEResource::englishText(const std::string& key) {
  static const QBEResource english;
  for (const auto& entry : english.getContents())
    if (entry.key == key) return std::get<std::string>(entry.value);
  return "";
}

}  // namespace quenlora::zafoli::db::beans::qbe
