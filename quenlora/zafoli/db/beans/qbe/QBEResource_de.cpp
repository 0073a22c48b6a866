#include "quenlora/zafoli/db/beans/qbe/QBEResource.h"

namespace quenlora::zafoli::db::beans::qbe {

const std::vector<plat::text::BundleEntry>& QBEResource_de::getContents() const {
  static const std::vector<plat::text::BundleEntry> contents = {
      {"TokenError_LexicalError1", "Lexikalischer Fehler in Zeile "},
      {"TokenError_LexicalError2", ", Spalte "},
      {"TokenError_LexicalError3", ".  Gefunden: "},
      {"TokenError_LexicalError4", "<EOF> "},
      {"TokenError_LexicalError5", "nach : "},
      {"ParseException_getMessage1", "Gefunden "},
      {"ParseException_getMessage2", " in Zeile "},
      {"ParseException_getMessage3", ", Spalte "},
      {"ParseException_getMessage4", "Erwartet wurde:"},
      {"ParseException_getMessage5", "Erwartet wurde eines von:"},
      {"QBExlator_SYNTAXERROR", "SYNTAXFEHLER:"},
      {"", ""},
  };
  return contents;
}

}  // namespace quenlora::zafoli::db::beans::qbe
