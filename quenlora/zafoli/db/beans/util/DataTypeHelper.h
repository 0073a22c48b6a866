// The library's tables of SQL column types (codes, names, the texts of the constants and of the constructors
// that build a value of each type) and the conversion of typed text into a value of a column's type. Class-wide
// only; the tables are built once and never change, so every operation may be called from any thread.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "platform/lang/Value.h"

namespace quenlora::zafoli::db::beans::util {

class DataTypeHelper {
 public:
  DataTypeHelper() = delete;

  // The code of a type name (exact, upper case). IllegalArgumentException "Unknown data type: " + name for a
  // name that is not in the table.
  static int getDataType(const std::string& name);
  // The name, constant text or constructor text of a code; empty when the table has none.
  static std::string getDataTypeDescription(int code);
  static std::string getSQLConstant(int code);
  static std::string getObjCodeGenForDataType(int code);
  static bool isDataTypeDescriptionValid(const std::string& name);
  static bool isDataTypeValidForConstant(int code);
  // The names of the types a constant may have, in table order.
  static std::vector<std::string> getArrayOfConstantDataTypeDesc();
  static const std::unordered_map<std::string, int>& getStringToIntHash();

  // The value of text for a column of type code: a number of the type's class, an SQL date, time or timestamp,
  // a copy of the text for CHAR and VARCHAR, null for any other type. Unreadable text gives null and is reported
  // (on standard output at design time, else as a log entry).
  static plat::lang::Value getJavaObjectForType(const std::string& text, int code);
};

}  // namespace quenlora::zafoli::db::beans::util
