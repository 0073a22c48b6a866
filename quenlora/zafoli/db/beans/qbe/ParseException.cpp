#include "quenlora/zafoli/db/beans/qbe/ParseException.h"

#include "platform/lang/System.h"
#include "quenlora/zafoli/db/beans/qbe/QBEResourceLoader.h"

namespace quenlora::zafoli::db::beans::qbe {

namespace {

// Nothing follows the end of the input or the line feed that ends the cell; every other token begins more.
bool endsTheCell(int kind) {
  return kind == TokenKind::kEof || kind == TokenKind::kLineFeed;
}

}  // namespace

std::string ParseException::syntaxError(const plat::text::ResourceBundle* bundle, const Encountered& token,
                                        const std::vector<std::vector<int>>& expected, Dialect dialect) {
  auto text = [bundle](const char* key) { return QBEResourceLoader::text(bundle, key); };
  const std::string eol = plat::lang::System::lineSeparator();
  std::string message = text("ParseException_getMessage1") + "\"";
  message += token.kind == TokenKind::kEof ? tokenImage(TokenKind::kEof, dialect) : addEscapes(token.text);
  message += "\"" + text("ParseException_getMessage2") + std::to_string(token.line) +
             text("ParseException_getMessage3") + std::to_string(token.column) + "." + eol;
  message += text(expected.size() == 1 ? "ParseException_getMessage4" : "ParseException_getMessage5");
  message += eol + "    ";
  for (const auto& sequence : expected) {
    for (int kind : sequence) message += tokenImage(kind, dialect) + " ";
    if (!sequence.empty() && !endsTheCell(sequence.back())) message += "...";
    message += eol + "    ";
  }
  return message;
}

}  // namespace quenlora::zafoli::db::beans::qbe
