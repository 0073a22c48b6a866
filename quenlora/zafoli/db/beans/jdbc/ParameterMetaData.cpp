#include "quenlora/zafoli/db/beans/jdbc/ParameterMetaData.h"

#include "platform/sql/DatabaseMetaData.h"
#include "quenlora/zafoli/db/beans/jdbc/SQLAdapterException.h"

namespace quenlora::zafoli::db::beans::jdbc {

using plat::lang::Value;
using plat::sql::DatabaseMetaData;

namespace {

bool isParameterKind(int kind) {
  return kind == DatabaseMetaData::procedureColumnIn || kind == DatabaseMetaData::procedureColumnInOut ||
         kind == DatabaseMetaData::procedureColumnOut;
}

bool isKnownKind(int kind) {
  return kind >= DatabaseMetaData::procedureColumnIn && kind <= DatabaseMetaData::procedureColumnReturn;
}

Value freshCopy(const Value& value) {
  if (value.is(Value::Kind::Bytes)) return Value::ofBytes(value.getBytes());
  return value;
}

}  // namespace

ParameterMetaData::ParameterMetaData(const std::string& name, int index, int kind, int dataType) {
  setName(name);
  setIndex(index);
  setType(kind);
  setDataType(dataType);
}

ParameterMetaData::ParameterMetaData(const std::string& name, int index, int kind, int dataType, int scale)
    : ParameterMetaData(name, index, kind, dataType) {
  scale_ = scale;
}

ParameterMetaData::ParameterMetaData(const std::string& name, int index, int kind, int dataType, int scale,
                                     const Value& defaultValue)
    : ParameterMetaData(name, index, kind, dataType, scale) {
  defaultValue_ = defaultValue;
}

ParameterMetaData::ParameterMetaData(const std::string& name, int index, int kind, int dataType,
                                     const Value& defaultValue)
    : ParameterMetaData(name, index, kind, dataType) {
  defaultValue_ = defaultValue;
}

ParameterMetaData::ParameterMetaData(const ParameterMetaData& other)
    : DefaultPersistentObjectMemberModel(other), scale_(other.scale_), defaultValue_(freshCopy(other.defaultValue_)) {}

void ParameterMetaData::setScale(int scale) {
  int old = scale_;
  scale_ = scale;
  firePropertyChange(PROP_SCALE, Value(old), Value(scale));
}

void ParameterMetaData::setDefaultValue(const Value& defaultValue) {
  Value old = defaultValue_;
  defaultValue_ = defaultValue;
  firePropertyChange(PROP_DEFAULT_VALUE, old, defaultValue_);
}

void ParameterMetaData::checkType() const {
  const int kind = getType();
  if (!isParameterKind(kind) && kind != DatabaseMetaData::procedureColumnReturn) {
    throw SQLAdapterException::fromBundle(SQLAdapterException::CODE_UNKNOWN_PARAM_TYPE, "Unknown parameter type.");
  }
}

bool ParameterMetaData::lessThan(const ParameterMetaData& other) const {
  const int kind = getType();
  const int otherKind = other.getType();
  if (!isKnownKind(kind) || !isKnownKind(otherKind)) {
    throw SQLAdapterException::fromBundle(SQLAdapterException::CODE_UNKNOWN_PARAM_TYPE, "Unknown parameter type.");
  }
  const bool returns = kind == DatabaseMetaData::procedureColumnReturn;
  const bool otherReturns = otherKind == DatabaseMetaData::procedureColumnReturn;
  if (returns && otherReturns) {
    throw SQLAdapterException::fromBundle(SQLAdapterException::CODE_MULTIPLE_RETURN_VALUES,
                                          "More than one return values.");
  }
  if (returns || otherReturns) {
    const ParameterMetaData& returnValue = returns ? *this : other;
    if (returnValue.getIndex() != 1) {
      throw SQLAdapterException::fromBundle(SQLAdapterException::CODE_INVALID_PARAMETER_INDEX,
                                            "Invalid parameter index.");
    }
    return returns;
  }
  const bool column = kind == DatabaseMetaData::procedureColumnResult;
  const bool otherColumn = otherKind == DatabaseMetaData::procedureColumnResult;
  if (column != otherColumn) return otherColumn;
  if (getIndex() == other.getIndex()) {
    throw SQLAdapterException::fromBundle(
        SQLAdapterException::CODE_INDEX_DUPLICATION,
        column ? "More than 1 parameters with the same index." : "Duplicated parameter's indeces");
  }
  return getIndex() < other.getIndex();
}

std::string ParameterMetaData::toString() const {
  return "\nName: " + getName() + "\tIndex: " + std::to_string(getIndex()) + "\tType: " + std::to_string(getType()) +
         "\tData type: " + std::to_string(getDataType()) + "\tScale: " + std::to_string(scale_) +
         "\tDefault value: " + defaultValue_.toString();
}

}  // namespace quenlora::zafoli::db::beans::jdbc
