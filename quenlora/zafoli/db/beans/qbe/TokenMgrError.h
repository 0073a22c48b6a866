// The lexical error of the cell language: a character or quote the language does not accept. Unchecked (an Error,
// not an Exception). Its message frame comes from the query-by-example bundle.
#pragma once

#include <string>
#include <string_view>

#include "platform/lang/Throwable.h"
#include "platform/text/ResourceBundle.h"

namespace quenlora::zafoli::db::beans::qbe {

class TokenMgrError : public plat::lang::Error {
 public:
  using plat::lang::Error::Error;

  // "Lexical error at line L, column C.  Encountered: "x" (120), after : "abc"", or with "<EOF> " in place of
  // the character when the input ended. line and column count from 1; texts are escaped for the message.
  static std::string lexicalError(const plat::text::ResourceBundle* bundle, bool atEnd, int line, int column,
                                  char16_t character, std::u16string_view after);

  PLAT_THROWABLE_MEMBERS(TokenMgrError, "quenlora.zafoli.db.beans.qbe.TokenMgrError")
};

}  // namespace quenlora::zafoli::db::beans::qbe
