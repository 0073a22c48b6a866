// The primitive kinds of rule inputs and how an input becomes a number: 64-bit integer arithmetic only when every
// input is a Short, Integer or Long, double otherwise; text is parsed as a localized number. Static only; any
// thread (a parse failure shows a dialog on the caller's thread).
#pragma once

#include "platform/lang/Value.h"

namespace quenlora::zafoli::db::beans::brl::derivation {

class PrimitiveDataTypes {
 public:
  PrimitiveDataTypes() = delete;

  static constexpr int CHAR = 0;
  static constexpr int STRING = 1;
  static constexpr int BOOLEAN = 2;
  static constexpr int BYTE = 3;
  static constexpr int SHORT = 4;
  static constexpr int INTEGER = 5;
  static constexpr int LONG = 6;
  static constexpr int FLOAT = 7;
  static constexpr int DOUBLE = 8;

  // The code of the value's class; DOUBLE for any other value and for null.
  static int getPrimitiveType(const plat::lang::Value& value);
  // LONG for Short, Integer and Long; DOUBLE for everything else.
  static int getPrefTypeForNumberCalculations(const plat::lang::Value& value);
  // A Long (CHAR, STRING, SHORT, INTEGER, LONG) or a Double (FLOAT, DOUBLE): a number's own value, anything else
  // parsed from its text. Null for BOOLEAN, BYTE and unknown types, and for text that does not parse, which shows
  // "Exception in number conversion: " and the parser's message in a dialog. NullPointerException for null.
  static plat::lang::Value promoteToNumber(const plat::lang::Value& value, int type);
};

}  // namespace quenlora::zafoli::db::beans::brl::derivation
