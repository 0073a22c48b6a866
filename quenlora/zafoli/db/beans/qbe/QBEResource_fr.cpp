#include "quenlora/zafoli/db/beans/qbe/QBEResource.h"

namespace quenlora::zafoli::db::beans::qbe {

const std::vector<plat::text::BundleEntry>& QBEResource_fr::getContents() const {
  static const std::vector<plat::text::BundleEntry> contents = {
      {"TokenError_LexicalError1", "Erreur lexicale à la ligne "},
      {"TokenError_LexicalError2", ", colonne "},
      {"TokenError_LexicalError3", ".  Rencontré : "},
      {"TokenError_LexicalError4", "<EOF> "},
      {"TokenError_LexicalError5", "après : "},
      {"ParseException_getMessage1", "Rencontré "},
      {"ParseException_getMessage2", " à la ligne "},
      {"ParseException_getMessage3", ", colonne "},
      {"ParseException_getMessage4", "Attendu :"},
      {"ParseException_getMessage5", "Attendu l'un de :"},
      {"QBExlator_SYNTAXERROR", "ERREUR DE SYNTAXE :"},
      {"", ""},
  };
  return contents;
}

}  // namespace quenlora::zafoli::db::beans::qbe
