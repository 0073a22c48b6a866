#include "quenlora/zafoli/db/beans/util/DataTypeHelper.h"

#include "platform/beans/Beans.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/System.h"
#include "platform/sql/Types.h"
#include "platform/text/ParseException.h"
#include "quenlora/zafoli/db/beans/util/LocalizedValueGenerator.h"
#include "quenlora/zafoli/db/beans/util/LogWindowHelper.h"

namespace quenlora::zafoli::db::beans::util {

namespace {

using plat::sql::Types;

struct TypeRow {
  const char* name;
  int code;
  const char* constant;
  const char* constructor;  // null when values of the type cannot be written as a constant
};

constexpr TypeRow kTypes[] = {
    {"BIGINT", Types::BIGINT, "java.sql.Types.BIGINT", "new java.math.BigInteger"},
    {"BIT", Types::BIT, "java.sql.Types.BIT", "new java.lang.Byte"},
    {"BINARY", Types::BINARY, "java.sql.Types.BINARY", nullptr},
    {"CHAR", Types::CHAR, "java.sql.Types.CHAR", "new java.lang.String"},
    {"DATE", Types::DATE, "java.sql.Types.DATE", "new java.lang.String"},
    {"DECIMAL", Types::DECIMAL, "java.sql.Types.DECIMAL", "new java.math.BigDecimal"},
    {"DOUBLE", Types::DOUBLE, "java.sql.Types.DOUBLE", "new java.lang.Double"},
    {"FLOAT", Types::FLOAT, "java.sql.Types.FLOAT", "new java.lang.Float"},
    {"INTEGER", Types::INTEGER, "java.sql.Types.INTEGER", "new java.lang.Integer"},
    {"LONGVARBINARY", Types::LONGVARBINARY, "java.sql.Types.LONGVARBINARY", nullptr},
    {"LONGVARCHAR", Types::LONGVARCHAR, "java.sql.Types.LONGVARCHAR", nullptr},
    {"NUMERIC", Types::NUMERIC, "java.sql.Types.NUMERIC", "new java.math.BigDecimal"},
    {"REAL", Types::REAL, "java.sql.Types.REAL", "new java.lang.Float"},
    {"TIME", Types::TIME, "java.sql.Types.TIME", "new java.lang.String"},
    {"TIMESTAMP", Types::TIMESTAMP, "java.sql.Types.TIMESTAMP", "new java.lang.String"},
    {"TINYINT", Types::TINYINT, "java.sql.Types.TINYINT", "new java.lang.Short"},
    {"SMALLINT", Types::SMALLINT, "java.sql.Types.SMALLINT", "new java.lang.Short"},
    {"VARBINARY", Types::VARBINARY, "java.sql.Types.VARBINARY", nullptr},
    {"VARCHAR", Types::VARCHAR, "java.sql.Types.VARCHAR", "new java.lang.String"},
};

struct Tables {
  std::unordered_map<int, std::string> codeToName;
  std::unordered_map<std::string, int> nameToCode;
  std::unordered_map<int, std::string> codeToConstant;
  std::unordered_map<int, std::string> codeToConstructor;
};

const Tables& tables() {
  static const Tables* t = [] {
    auto* built = new Tables();  // lives until the process ends
    for (const TypeRow& row : kTypes) {
      built->codeToName[row.code] = row.name;
      built->nameToCode[row.name] = row.code;
      built->codeToConstant[row.code] = row.constant;
      if (row.constructor != nullptr) built->codeToConstructor[row.code] = row.constructor;
    }
    return built;
  }();
  return *t;
}

std::string lookup(const std::unordered_map<int, std::string>& table, int code) {
  auto it = table.find(code);
  return it == table.end() ? std::string() : it->second;
}

void report(const std::string& title, const std::string& message) {
  if (plat::beans::Beans::isDesignTime()) {
    plat::lang::System::out().println(title + " :" + message);
  } else {
    LogWindowHelper::getInstance().displayMsgToLog(title, message);
  }
}

}  // namespace

int DataTypeHelper::getDataType(const std::string& name) {
  const auto& table = tables().nameToCode;
  auto it = table.find(name);
  if (it == table.end()) throw plat::lang::IllegalArgumentException("Unknown data type: " + name);
  return it->second;
}

std::string DataTypeHelper::getDataTypeDescription(int code) {
  return lookup(tables().codeToName, code);
}

std::string DataTypeHelper::getSQLConstant(int code) {
  return lookup(tables().codeToConstant, code);
}

std::string DataTypeHelper::getObjCodeGenForDataType(int code) {
  return lookup(tables().codeToConstructor, code);
}

bool DataTypeHelper::isDataTypeDescriptionValid(const std::string& name) {
  return tables().nameToCode.count(name) != 0;
}

bool DataTypeHelper::isDataTypeValidForConstant(int code) {
  return tables().codeToConstructor.count(code) != 0;
}

std::vector<std::string> DataTypeHelper::getArrayOfConstantDataTypeDesc() {
  std::vector<std::string> names;
  for (const TypeRow& row : kTypes) {
    if (row.constructor != nullptr) names.emplace_back(row.name);
  }
  return names;
}

const std::unordered_map<std::string, int>& DataTypeHelper::getStringToIntHash() {
  return tables().nameToCode;
}

plat::lang::Value DataTypeHelper::getJavaObjectForType(const std::string& text, int code) {
  switch (code) {
    case Types::TINYINT:
    case Types::BIGINT:
    case Types::NUMERIC:
    case Types::DECIMAL:
    case Types::INTEGER:
    case Types::SMALLINT:
    case Types::FLOAT:
    case Types::REAL:
    case Types::DOUBLE:
      try {
        return LocalizedValueGenerator::parseNumberValue(text, code);
      } catch (const plat::text::ParseException& failure) {
        report("Exception in number conversion", failure.getMessage());
        return plat::lang::Value();
      }
    case Types::DATE:
    case Types::TIME:
    case Types::TIMESTAMP: {
      std::optional<plat::time::DateTime> instant;
      try {
        instant = LocalizedValueGenerator::parseDateValue(text, code);
      } catch (const plat::text::ParseException& failure) {
        // An unreadable date is no date, as an unreadable number is no number: never the current time.
        report("Exception in date conversion", failure.getMessage());
        return plat::lang::Value();
      }
      if (!instant) return plat::lang::Value();
      if (code == Types::DATE) return plat::lang::Value(instant->toDate());
      if (code == Types::TIME) return plat::lang::Value(instant->toTime());
      return plat::lang::Value(instant->toTimestamp());
    }
    case Types::CHAR:
    case Types::VARCHAR:
      return plat::lang::Value(text);
    default:
      return plat::lang::Value();
  }
}

}  // namespace quenlora::zafoli::db::beans::util
