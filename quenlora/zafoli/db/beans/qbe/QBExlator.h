// The entry point of query-by-example translation: one cell into an SQL condition on its column (xlatField), a
// row of "column:type:cell" entries into one clause joined by AND (xlatForm). It holds the process's one
// translator, in the locale variant of the default locale at first use, and the process-wide engine code.
// Thread-safe: the translator is made once, the engine code is atomic, translations share no parser state.
#pragma once

#include <string>
#include <vector>

#include "platform/lang/Throwable.h"
#include "platform/text/DecimalFormatSymbols.h"
#include "quenlora/zafoli/db/beans/qbe/QBEtoSQLtranslator.h"

namespace quenlora::zafoli::db::beans::qbe {

class QBExlator {
 public:
  // An unchecked failure of a translation; its message says what was wrong with the cell.
  class QBExlatException : public plat::lang::Error {
   public:
    explicit QBExlatException(std::string message) : plat::lang::Error(std::move(message)) {}
    PLAT_THROWABLE_MEMBERS(QBExlatException, "quenlora.zafoli.db.beans.qbe.QBExlator$QBExlatException")
  };

  static constexpr int eEngNull = 0;
  static constexpr int eEngSQLAnywhere = 1;
  static constexpr int eEngMSAccess = 2;
  static constexpr int eEngMSSQLServer = 3;
  static constexpr int eEngSybase = 4;
  static constexpr int eEngOracle = 5;
  static constexpr int eEngInformix = 6;
  static constexpr int eEngPointbase = 7;

  static constexpr int texttype = 0;
  static constexpr int numbtype = 1;
  static constexpr int datetype = 2;
  static constexpr int binarytype = 3;

  // Makes the process's translator on first use; the default locale at that moment fixes its variant.
  QBExlator();

  // Sets the engine code for the whole process; the last call anywhere wins.
  void setEngine(int code);
  static int getEngine();
  // "" for eEngNull, "#" for eEngMSAccess, "'" for every other code.
  static std::string getDateDelim();

  // The number symbols of the default locale, built anew on every call.
  static plat::text::DecimalFormatSymbols getDecimalFormatSymbols();
  static char32_t getDecimalSeparator();
  static char32_t getGroupingSeparator();
  static char32_t getMinusSign();

  // The condition for one cell. The empty text comes back unchanged. QBExlatException on a syntax error
  // ("SYNTAX ERROR:" and the message, in the bundle's language) or a lexical error (its message alone).
  static std::string xlatField(const std::string& text, const std::string& column);

  // The clause for the entries, each "column:typeCode:cellText"; "WHERE " first when withWhere. On a syntax error
  // a line goes to standard output and QBExlatException is thrown as by xlatField; a lexical error passes through
  // as TokenMgrError. An entry without two colons gives plat::lang::StringIndexOutOfBoundsException, a type code
  // that is not a decimal integer plat::lang::NumberFormatException.
  std::string xlatForm(const std::vector<std::string>& entries, bool withWhere);

 private:
  static const QBEtoSQLtranslator& translator();
};

using QBExlatException = QBExlator::QBExlatException;

}  // namespace quenlora::zafoli::db::beans::qbe
