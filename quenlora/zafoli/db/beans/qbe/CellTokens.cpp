#include "quenlora/zafoli/db/beans/qbe/CellTokens.h"

#include <array>

#include "platform/text/Utf16.h"

namespace quenlora::zafoli::db::beans::qbe {

namespace {

std::array<std::string, TokenKind::kCount> imagesFor(Dialect dialect) {
  return {
      "<EOF>",         "\"\\t\"",
      "\"\\r\"",       "<RELOP>",
      "\"=\"",         "\"..\"",
      "<NOT>",         "\"\\\"",
      "<AND>",         "<OR>",
      "<STRINGCONST>", "<LIKESPEC>",
      "<QSTRING>",     "<DATE>",
      "<TIME>",        "<NUMBER>",
      "<TEXTSTRING>",  "<FLOAT>",
      "<INTEGER>",     "<POSINT>",
      "<DIGIT>",       "<LIKEOP>",
      "<DATEDELIM>",   "<LETTER>",
      "<LIKE>",        dialect == Dialect::kComma ? "\",\"" : "\".\"",
      "\" \"",         "<SPACES>",
      "<NONALPHANUM>", "\"\\n\"",
      "\"(\"",         "\")\"",
  };
}

}  // namespace

const std::string& tokenImage(int kind, Dialect dialect) {
  static const auto period = imagesFor(Dialect::kPeriod);
  static const auto comma = imagesFor(Dialect::kComma);
  static const std::string unknown = "<UNKNOWN>";
  if (kind < 0 || kind >= TokenKind::kCount) return unknown;
  return dialect == Dialect::kComma ? comma[kind] : period[kind];
}

std::string addEscapes(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (char16_t unit : text) {
    switch (unit) {
      case 0:
        break;
      case u'\b':
        out += "\\b";
        break;
      case u'\t':
        out += "\\t";
        break;
      case u'\n':
        out += "\\n";
        break;
      case u'\f':
        out += "\\f";
        break;
      case u'\r':
        out += "\\r";
        break;
      case u'"':
        out += "\\\"";
        break;
      case u'\'':
        out += "\\'";
        break;
      case u'\\':
        out += "\\\\";
        break;
      default:
        if (unit < 0x20 || unit > 0x7E)
          out += plat::text::utf16::unicodeEscape(unit);
        else
          out += static_cast<char>(unit);
    }
  }
  return out;
}

}  // namespace quenlora::zafoli::db::beans::qbe
