#include "quenlora/zafoli/db/beans/qbe/QBEResource.h"

namespace quenlora::zafoli::db::beans::qbe {

const std::vector<plat::text::BundleEntry>& QBEResource_ja::getContents() const {
  static const std::vector<plat::text::BundleEntry> contents = {
      {"TokenError_LexicalError1", "字句エラー: 行 "},
      {"TokenError_LexicalError2", ", 列 "},
      {"TokenError_LexicalError3", ".  検出: "},
      {"TokenError_LexicalError4", "<EOF> "},
      {"TokenError_LexicalError5", "直前の字句 : "},
      {"ParseException_getMessage1", "検出 "},
      {"ParseException_getMessage2", " 行 "},
      {"ParseException_getMessage3", ", 列 "},
      {"ParseException_getMessage4", "予期される字句:"},
      {"ParseException_getMessage5", "予期される字句のいずれか:"},
      {"QBExlator_SYNTAXERROR", "構文エラー:"},
      {"", ""},
  };
  return contents;
}

}  // namespace quenlora::zafoli::db::beans::qbe
