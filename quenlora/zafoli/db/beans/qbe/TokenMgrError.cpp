#include "quenlora/zafoli/db/beans/qbe/TokenMgrError.h"

#include "quenlora/zafoli/db/beans/qbe/CellTokens.h"
#include "quenlora/zafoli/db/beans/qbe/QBEResourceLoader.h"

namespace quenlora::zafoli::db::beans::qbe {

std::string TokenMgrError::lexicalError(const plat::text::ResourceBundle* bundle, bool atEnd, int line, int column,
                                        char16_t character, std::u16string_view after) {
  auto text = [bundle](const char* key) { return QBEResourceLoader::text(bundle, key); };
  std::string message = text("TokenError_LexicalError1") + std::to_string(line) + text("TokenError_LexicalError2") +
                        std::to_string(column) + text("TokenError_LexicalError3");
  if (atEnd) {
    message += text("TokenError_LexicalError4");
  } else {
    message += "\"" + addEscapes(std::u16string_view(&character, 1)) + "\" (" +
               std::to_string(static_cast<int>(character)) + "), ";
  }
  message += text("TokenError_LexicalError5") + "\"" + addEscapes(after) + "\"";
  return message;
}

}  // namespace quenlora::zafoli::db::beans::qbe
