// The SQL adapter's validation of parameters and result columns, its name helpers and its saved settings.
#include <limits>
#include <set>

#include "platform/beans/Beans.h"
#include "platform/lang/Double.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/Integer.h"
#include "platform/serial/ObjectInput.h"
#include "platform/serial/ObjectOutput.h"
#include "platform/serial/ObjectStreamException.h"
#include "platform/sql/DatabaseMetaData.h"
#include "platform/sql/Types.h"
#include "platform/text/Character.h"
#include "platform/text/Utf16.h"
#include "quenlora/zafoli/db/beans/jdbc/ParameterMarkers.h"
#include "quenlora/zafoli/db/beans/jdbc/SQLAdapter.h"
#include "quenlora/zafoli/db/beans/jdbc/SQLAdapterException.h"
#include "quenlora/zafoli/db/beans/util/SavedValue.h"

namespace quenlora::zafoli::db::beans::jdbc {

using plat::lang::Ref;
using plat::lang::Value;
using plat::sql::DatabaseMetaData;
using plat::text::Character;
using plat::thread::Synchronized;

namespace {

// Upper bounds on counts read from saved settings, so a damaged form cannot ask for huge lists.
constexpr std::int32_t kMaxSavedEntries = 100000;

void checkColumnNames(const std::vector<std::string>& columns) {
  const int bad = SQLAdapter::areColumnNamesSupported(columns);
  if (bad != SQLAdapter::COLUMN_NAMES_SUPPORTED) {
    throw SQLAdapterException::fromBundle(
        SQLAdapterException::COLUMN_NAME_NOT_SUPPORTED,
        "The name of a ResultSet column is not supported (not a Java identifier). The column index is: ",
        std::to_string(bad));
  }
  if (!SQLAdapter::areColumnNamesUnique(columns)) {
    throw SQLAdapterException::fromBundle(SQLAdapterException::CODE_NOT_UNIQUE_COLUMN_NAMES,
                                          "The ResultSet column names must be unique.");
  }
}

template <class Names>
bool unique(const Names& names) {
  std::set<std::string> seen;
  for (const std::string& name : names) {
    if (name.empty() || !seen.insert(name).second) return false;
  }
  return true;
}

std::vector<std::string> namesOf(const SQLAdapter::Parameters& parameters) {
  std::vector<std::string> names;
  for (const auto& parameter : parameters) names.push_back(parameter->getName());
  return names;
}

SQLAdapter::Parameters ofKinds(const SQLAdapter::Parameters& parameters, std::initializer_list<int> kinds) {
  SQLAdapter::Parameters chosen;
  for (const auto& parameter : parameters) {
    for (int kind : kinds) {
      if (parameter->getType() == kind) chosen.push_back(parameter);
    }
  }
  return chosen;
}

std::int32_t readCount(plat::serial::ObjectInput& in) {
  const std::int32_t count = in.readInt();
  if (count < 0 || count > kMaxSavedEntries) throw plat::serial::StreamCorruptedException("Saved list size is damaged");
  return count;
}

}  // namespace

// --- validation ----------------------------------------------------------------------------------------------

void SQLAdapter::validate() {
  if (plat::beans::Beans::isDesignTime() || metaDataChecked_) return;
  const int markers = ParameterMarkers::count(sqlText_);
  const int count = static_cast<int>(metaData_.size());
  if (markers == 0) {
    if (count > 0) {
      throw SQLAdapterException::fromBundle(
          SQLAdapterException::CODE_INVALID_PARAMETERS_NUMBER,
          "The number of '?' in the SQL text does not match the number of parameters in the meta data");
    }
    checkColumnNames(columns_);
    metaDataChecked_ = true;
    return;
  }
  if (count != markers) {
    throw SQLAdapterException::fromBundle(
        SQLAdapterException::CODE_INVALID_PARAMETERS_NUMBER,
        "The number of '?' in the SQL text does not match the number of parameters in the meta data");
  }
  for (const auto& parameter : metaData_) {
    if (parameter->getIndex() < 1 || parameter->getIndex() > count) {
      throw SQLAdapterException::fromBundle(
          SQLAdapterException::CODE_INVALID_PARAMETER_INDEX,
          "There is a parameter with an index greater than the total number of parameters");
    }
    parameter->checkType();
  }
  std::vector<int> seen(static_cast<std::size_t>(count) + 1, 0);
  for (const auto& parameter : metaData_) ++seen[static_cast<std::size_t>(parameter->getIndex())];
  for (int index = 1; index <= count; ++index) {
    if (seen[static_cast<std::size_t>(index)] == 0) {
      throw SQLAdapterException::fromBundle(
          SQLAdapterException::CODE_MISSING_PARAMETER,
          "There is no metadata for the parameter with index: ", std::to_string(index));
    }
  }
  for (int index = 1; index <= count; ++index) {
    if (seen[static_cast<std::size_t>(index)] > 1) {
      throw SQLAdapterException::fromBundle(SQLAdapterException::CODE_PARAMETER_INDEX_DUPLICATION,
                                            "Duplicated parameter's indeces");
    }
  }
  const int bad = areParamNamesSupported(metaData_);
  if (bad != PARAM_NAMES_SUPPORTED) {
    throw SQLAdapterException::fromBundle(
        SQLAdapterException::PARAMETER_NAME_NOT_SUPPORTED,
        "The name of a parameter is not supported (not a Java identifier). The parameter index is: ",
        std::to_string(metaData_[static_cast<std::size_t>(bad)]->getIndex()));
  }
  if (!areParamNamesUnique(metaData_)) {
    throw SQLAdapterException::fromBundle(SQLAdapterException::CODE_NOT_UNIQUE_PARAMETER_NAMES,
                                          "The parameter names must be unique.");
  }
  checkColumnNames(columns_);
  metaDataChecked_ = true;
}

// --- name helpers --------------------------------------------------------------------------------------------

bool SQLAdapter::isJavaIdentifier(const std::string& text) {
  const std::u16string units = plat::text::utf16::fromUtf8(text);
  if (units.empty() || !Character::isJavaIdentifierStart(units[0])) return false;
  for (std::size_t i = 1; i < units.size(); ++i) {
    if (!Character::isJavaIdentifierPart(units[i])) return false;
  }
  return true;
}

std::string SQLAdapter::createJavaIdentifier(const std::string& text) {
  if (isJavaIdentifier(text)) return text;
  const std::u16string units = plat::text::utf16::fromUtf8(text);
  if (units.empty()) return "_";
  std::u16string out;
  out += Character::isJavaIdentifierStart(units[0]) ? units[0] : u'_';
  for (std::size_t i = 1; i < units.size(); ++i) {
    if (Character::isJavaIdentifierPart(units[i])) {
      out += units[i];
    } else if (units[i - 1] != u'_') {
      out += u'_';
    }
  }
  return plat::text::utf16::toUtf8(out);
}

std::string SQLAdapter::getColumnName(int i) {
  if (i < 0) throw plat::lang::IllegalArgumentException("Column number " + std::to_string(i) + " < 0");
  std::string name;
  for (long long n = static_cast<long long>(i) + 1; n > 0; n = (n - 1) / 26) {
    name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
  }
  return name;
}

int SQLAdapter::areParamNamesSupported(const Parameters& parameters) {
  for (std::size_t i = 0; i < parameters.size(); ++i) {
    if (!isJavaIdentifier(parameters[i]->getName())) return static_cast<int>(i);
  }
  return PARAM_NAMES_SUPPORTED;
}

bool SQLAdapter::areParamNamesUnique(const Parameters& parameters) {
  return unique(namesOf(parameters));
}

int SQLAdapter::areColumnNamesSupported(const std::vector<std::string>& names) {
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (!isJavaIdentifier(names[i])) return static_cast<int>(i);
  }
  return COLUMN_NAMES_SUPPORTED;
}

bool SQLAdapter::areColumnNamesUnique(const std::vector<std::string>& names) {
  return unique(names);
}

void SQLAdapter::setSupportedParamNames(const Parameters& parameters) {
  for (const auto& parameter : parameters) parameter->setName(createJavaIdentifier(parameter->getName()));
}

void SQLAdapter::setUniqueParamNames(const Parameters& parameters) {
  for (std::size_t i = 0; i < parameters.size(); ++i) parameters[i]->setName(getColumnName(static_cast<int>(i)));
}

void SQLAdapter::setSupportedColumnNames(std::vector<std::string>& names) {
  for (auto& name : names) name = createJavaIdentifier(name);
}

void SQLAdapter::setUniqueColumnNames(std::vector<std::string>& names) {
  for (std::size_t i = 0; i < names.size(); ++i) names[i] = getColumnName(static_cast<int>(i));
}

SQLAdapter::Parameters SQLAdapter::getInParamsMetaData(const Parameters& parameters) {
  return ofKinds(parameters, {DatabaseMetaData::procedureColumnIn, DatabaseMetaData::procedureColumnInOut});
}

SQLAdapter::Parameters SQLAdapter::getParamsMetaData(const Parameters& parameters) {
  Parameters chosen;
  for (const auto& parameter : parameters) {
    if (parameter->getType() != DatabaseMetaData::procedureColumnResult) chosen.push_back(parameter);
  }
  return chosen;
}

SQLAdapter::Parameters SQLAdapter::getRSColumnsMetaData(const Parameters& parameters) {
  return ofKinds(parameters, {DatabaseMetaData::procedureColumnResult});
}

SQLAdapter::Parameters SQLAdapter::createRSColumnsMetaData(const std::vector<std::string>& names) {
  Parameters made;
  for (std::size_t i = 0; i < names.size(); ++i) {
    made.push_back(plat::lang::makeRef<ParameterMetaData>(names[i], static_cast<int>(i) + 1,
                                                          DatabaseMetaData::procedureColumnResult,
                                                          plat::sql::Types::OTHER, 0, Value()));
  }
  return made;
}

// --- saved settings ------------------------------------------------------------------------------------------

std::vector<std::uint8_t> SQLAdapter::save() const {
  plat::serial::ObjectOutput out;
  writeSettings(out);
  return out.bytes();
}

Ref<SQLAdapter> SQLAdapter::restore(const std::vector<std::uint8_t>& bytes) {
  plat::serial::ObjectInput in(bytes);
  auto adapter = plat::lang::makeRef<SQLAdapter>();
  adapter->readSettings(in);
  if (!in.atEnd()) throw plat::serial::StreamCorruptedException("unread data after the saved settings");
  return adapter;
}

void SQLAdapter::writeSettings(plat::serial::ObjectOutput& out) const {
  Synchronized sync(monitor_);
  out.writeUTF(kVersion);
  out.writeUTF(connectionManagerClassName_);
  out.writeUTF(connectionName_);
  out.writeUTF(sqlText_);
  out.writeUTF(aliasName_);
  out.writeBoolean(autoStart_);
  out.writeInt(static_cast<std::int32_t>(metaData_.size()));
  for (const auto& parameter : metaData_) {
    out.writeUTF(parameter->getName());
    out.writeInt(parameter->getIndex());
    out.writeInt(parameter->getType());
    out.writeInt(parameter->getDataType());
    out.writeInt(parameter->getScale());
    out.writeBoolean(parameter->isWritable());
    util::writeSavedValue(out, parameter->getDefaultValue(), "default value");
  }
  out.writeInt(static_cast<std::int32_t>(columns_.size()));
  for (const auto& column : columns_) out.writeUTF(column);
}

void SQLAdapter::readSettings(plat::serial::ObjectInput& in) {
  const std::string version = in.readUTF();
  if (version != kVersion) {
    throw plat::serial::InvalidObjectException("Saved SQL adapter version " + version + " is not " + kVersion);
  }
  Synchronized sync(monitor_);
  connectionManagerClassName_ = in.readUTF();
  connectionName_ = in.readUTF();
  sqlText_ = in.readUTF();
  aliasName_ = in.readUTF();
  autoStart_ = in.readBoolean();
  metaData_.clear();
  for (std::int32_t n = readCount(in); n > 0; --n) {
    std::string name = in.readUTF();
    const int index = in.readInt();
    const int kind = in.readInt();
    const int dataType = in.readInt();
    const int scale = in.readInt();
    const bool writable = in.readBoolean();
    auto parameter = plat::lang::makeRef<ParameterMetaData>(name, index, kind, dataType, scale, util::readSavedValue(in, "default value", std::numeric_limits<std::uint32_t>::max()));
    parameter->setWritable(writable);
    metaData_.push_back(parameter);
  }
  columns_.clear();
  for (std::int32_t n = readCount(in); n > 0; --n) columns_.push_back(in.readUTF());
  metaDataChecked_ = false;
  writeDefaults();
}

}  // namespace quenlora::zafoli::db::beans::jdbc
