// The syntax error of the cell language: tokens that fit no construct. A checked exception. Its message frame
// comes from the query-by-example bundle.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/lang/Throwable.h"
#include "platform/text/ResourceBundle.h"
#include "quenlora/zafoli/db/beans/qbe/CellTokens.h"

namespace quenlora::zafoli::db::beans::qbe {

class ParseException : public plat::lang::Exception {
 public:
  using plat::lang::Exception::Exception;

  // One token met where it does not fit: its kind and text as typed.
  struct Encountered {
    int kind;
    std::u16string_view text;
    int line;    // from 1
    int column;  // from 1
  };

  // "Encountered "<token>" at line L, column C." + line separator + "Was expecting:" (one sequence) or "Was
  // expecting one of:", then per expected sequence four blanks, the images each followed by a blank, "..." when
  // more must follow, and a line separator; four blanks close the message.
  static std::string syntaxError(const plat::text::ResourceBundle* bundle, const Encountered& token,
                                 const std::vector<std::vector<int>>& expected, Dialect dialect);

  PLAT_THROWABLE_MEMBERS(ParseException, "quenlora.zafoli.db.beans.qbe.ParseException")
};

}  // namespace quenlora::zafoli::db::beans::qbe
