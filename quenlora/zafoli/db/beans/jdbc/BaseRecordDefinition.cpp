#include "quenlora/zafoli/db/beans/jdbc/BaseRecordDefinition.h"

#include "platform/io/ByteArrayInputStream.h"
#include "platform/io/ByteArrayOutputStream.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/Integer.h"
#include "platform/runvale/ClassRegistry.h"
#include "platform/sql/Types.h"
#include "platform/text/ParseException.h"
#include "quenlora/zafoli/db/beans/jdbc/ColumnMetaData.h"
#include "quenlora/zafoli/db/beans/jdbc/DataModel.h"
#include "quenlora/zafoli/db/beans/jdbc/IntegerRange.h"
#include "quenlora/zafoli/db/beans/jdbc/JdbcResourceLoader.h"
#include "quenlora/zafoli/db/beans/jdbc/ResultSetHelper.h"
#include "quenlora/zafoli/db/beans/qbe/QBExlator.h"
#include "quenlora/zafoli/db/beans/util/LocalizedValueGenerator.h"

namespace quenlora::zafoli::db::beans::jdbc {

using plat::lang::ClassCastException;
using plat::lang::NumberFormatException;
using plat::lang::Ref;
using plat::lang::Value;
using plat::sql::Types;
using plat::thread::Synchronized;
using util::LocalizedValueGenerator;

namespace {

using Kind = Value::Kind;

// The runtime's Boolean.valueOf(text): true only for "true" in any case.
bool textAsBoolean(const std::string& text) {
  if (text.size() != 4) return false;
  std::string lower;
  for (char c : text) lower.push_back(static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c));
  return lower == "true";
}

Value parsedNumber(const std::string& text, int type) {
  try {
    return LocalizedValueGenerator::parseNumberValue(text, type);
  } catch (const plat::text::ParseException& e) {
    throw NumberFormatException(e.getMessage());
  }
}

// The runtime's Short.parseShort: the integer grammar, refused outside 16 bits.
std::int16_t shortFromText(const std::string& text) {
  const std::int32_t parsed = plat::lang::Integer::parseInt(text);
  if (parsed < -32768 || parsed > 32767)
    throw NumberFormatException("Value out of range. Value:\"" + text + "\" Radix:10");
  return static_cast<std::int16_t>(parsed);
}

// A number from code that does not fit the column's integer class is refused as typed text that does not fit is.
const Value& fitting(const Value& value, int type) {
  if (!fitsIntegerType(value, type)) throw NumberFormatException(LocalizedValueGenerator::parseExceptionMessage());
  return value;
}

void requireKind(const Value& value, Kind kind) {
  if (!value.is(kind)) throw ClassCastException(value.getClassName());
}

Value asDate(const Value& value, int type) {
  if ((type == Types::DATE && value.is(Kind::Date)) || (type == Types::TIME && value.is(Kind::Time)) ||
      (type == Types::TIMESTAMP && value.is(Kind::Timestamp))) {
    return value;
  }
  if (!value.is(Kind::String)) throw ClassCastException(value.getClassName());
  std::optional<plat::time::DateTime> instant;
  try {
    instant = LocalizedValueGenerator::parseDateValue(value.getString(), type);
  } catch (const plat::text::ParseException& e) {
    throw NumberFormatException(e.getMessage());
  }
  if (!instant) return Value();
  if (type == Types::DATE) return Value(instant->toDate());
  if (type == Types::TIME) return Value(instant->toTime());
  return Value(instant->toTimestamp());
}

// Characters as the databases count a column's width: code points (UTF-8 lead bytes), not UTF-16 units.
std::int64_t characterCount(const std::string& text) {
  std::int64_t count = 0;
  for (unsigned char c : text) count += (c & 0xC0) != 0x80 ? 1 : 0;
  return count;
}

Value asText(const Value& value, int type, int column, int displaySize) {
  if (type == Types::VARCHAR) requireKind(value, Kind::String);
  // A text has no more characters than bytes: only a text longer in bytes than the size needs counting.
  if (value.is(Kind::String) && static_cast<std::int64_t>(value.getString().size()) > displaySize &&
      characterCount(value.getString()) > displaySize) {
    throw NumberFormatException(JdbcResourceLoader::text("BaseRecordDefinition_InvalidSize") +
                                std::to_string(column + 1) + JdbcResourceLoader::text("BaseRecordDefinition_Is") +
                                std::to_string(displaySize));
  }
  return value;
}

Value convert(const Value& value, int type, int column, int displaySize) {
  const bool text = value.is(Kind::String);
  switch (type) {
    case Types::BIT:
      if (text) return Value(textAsBoolean(value.getString()));
      requireKind(value, Kind::Boolean);
      return value;
    case Types::TINYINT:
      if (text) return Value::ofShort(parsedNumber(value.getString(), type).shortValue());
      if (value.isNumber()) return Value::ofShort(fitting(value, type).shortValue());
      return Value::ofShort(shortFromText(value.toString()));
    case Types::SMALLINT:
      if (text) return Value::ofShort(parsedNumber(value.getString(), type).shortValue());
      if (value.isNumber()) return Value::ofShort(fitting(value, type).shortValue());
      requireKind(value, Kind::Short);
      return value;
    case Types::INTEGER:
      if (text) return Value::ofInt(parsedNumber(value.getString(), type).intValue());
      if (value.isNumber()) return Value::ofInt(fitting(value, type).intValue());
      requireKind(value, Kind::Int);
      return value;
    case Types::BIGINT:
      if (text) return Value::ofLong(parsedNumber(value.getString(), type).longValue());
      if (value.isNumber()) return Value::ofLong(fitting(value, type).longValue());
      requireKind(value, Kind::Long);
      return value;
    case Types::FLOAT:
    case Types::DOUBLE:
      if (text) return Value::ofDouble(parsedNumber(value.getString(), type).doubleValue());
      if (value.isNumber()) return Value::ofDouble(value.doubleValue());
      requireKind(value, Kind::Double);
      return value;
    case Types::REAL:
      if (text) return Value::ofFloat(parsedNumber(value.getString(), type).floatValue());
      if (value.isNumber()) return Value::ofFloat(value.floatValue());
      requireKind(value, Kind::Float);
      return value;
    case Types::NUMERIC:
    case Types::DECIMAL:
      if (value.is(Kind::Decimal)) return value;
      if (text) {
        Value parsed = parsedNumber(value.getString(), type);
        if (parsed.is(Kind::Decimal)) return parsed;
        return Value(plat::math::Decimal(parsed.toString()));
      }
      if (value.isNumber()) return Value(plat::math::Decimal(value.toString()));
      requireKind(value, Kind::Decimal);
      return value;
    case Types::CHAR:
    case Types::VARCHAR:
      return asText(value, type, column, displaySize);
    case Types::BINARY:
    case Types::VARBINARY:
      if (text) return Value::ofBytes(Value::Bytes(value.getString().begin(), value.getString().end()));
      return value;
    case Types::DATE:
    case Types::TIME:
    case Types::TIMESTAMP:
      return asDate(value, type);
    default:
      return value;
  }
}

}  // namespace

void BaseRecordDefinition::unexpected(const std::string& operation) {
  throw RecordDefinitionException(JdbcResourceLoader::text("BaseRecordDefinition_Unexpected") + operation);
}

void BaseRecordDefinition::initDataStorage() {
  Ref<binding::PersistentObjectModel> model;
  std::size_t count = 0;
  if (const DataModel* table = tableModel(model)) {
    count = table->columns().size();
  } else if (model) {
    count = static_cast<std::size_t>(model->getMemberCount());
  }
  Synchronized sync(m_Lock);
  // Emptied and grown rather than assigned from a null: the new elements are made null in place.
  m_ModifiedValues.clear();
  m_ModifiedValues.resize(count);
  releaseOriginals(Originals::Null);
}

std::vector<Value> BaseRecordDefinition::originalValues() const {
  if (m_Originals == Originals::Held) return m_OriginalValues;
  if (m_Originals == Originals::Modified) return m_ModifiedValues;
  return std::vector<Value>(m_ModifiedValues.size());
}

void BaseRecordDefinition::holdOriginals() {
  if (m_Originals != Originals::Modified) return;
  m_OriginalValues = m_ModifiedValues;
  m_Originals = Originals::Held;
}

void BaseRecordDefinition::releaseOriginals(Originals where) {
  // The room stays: a row edited once is likely edited again, and a fetched row never had any.
  m_OriginalValues.clear();
  m_Originals = where;
}

const DataModel* BaseRecordDefinition::tableModel(Ref<binding::PersistentObjectModel>& model) {
  if (m_PinnedModel) return m_PinnedModel;
  model = getDataModel();
  return DataModel::of(model);
}

int BaseRecordDefinition::columnType(int column) {
  Ref<binding::PersistentObjectModel> model;
  if (const DataModel* table = tableModel(model)) {
    const auto& columns = table->columns();
    const bool inside = column >= 0 && static_cast<std::size_t>(column) < columns.size();
    return inside ? columns[static_cast<std::size_t>(column)]->getDataType() : Types::OTHER;
  }
  auto member = model ? model->getMemberModel(column) : nullptr;
  return member ? member->getDataType() : Types::OTHER;
}

Value BaseRecordDefinition::getDBObject(const Value& value, int column) {
  if (value.isNull()) return value;
  try {
    Ref<binding::PersistentObjectModel> model;
    if (const DataModel* table = tableModel(model)) {
      const auto& columns = table->columns();
      if (column < 0 || static_cast<std::size_t>(column) >= columns.size())
        throw plat::lang::ArrayIndexOutOfBoundsException(std::to_string(column));
      const ColumnMetaData& described = *columns[static_cast<std::size_t>(column)];
      // A value read from the database is what the database holds: the width is checked on values put in only.
      return convert(value, described.getDataType(), column,
                     m_Filling ? ColumnMetaData::kUnknownSize : described.getDisplaySize());
    }
    auto member = model ? model->getMemberModel(column) : nullptr;
    if (!member) throw plat::lang::ArrayIndexOutOfBoundsException(std::to_string(column));
    const auto* described = dynamic_cast<const ColumnMetaData*>(member.get());
    const int size = described && !m_Filling ? described->getDisplaySize() : ColumnMetaData::kUnknownSize;
    return convert(value, member->getDataType(), column, size);
  } catch (const NumberFormatException&) {
    throw;
  } catch (const plat::lang::Exception&) {
    unexpected("BaseRecordDefinition.getDBObject");
  }
}

std::size_t BaseRecordDefinition::checkedColumn(int column) const {
  if (column < 0 || column >= columnCount()) throw plat::lang::ArrayIndexOutOfBoundsException(std::to_string(column));
  return static_cast<std::size_t>(column);
}

bool BaseRecordDefinition::sameNonNull(const Value& a, const Value& b) {
  if (a.equals(b)) return true;
  // Two texts, or two numbers or dates of one kind, that differ also differ in their text forms.
  if (a.kind() == b.kind()) {
    switch (a.kind()) {
      case Kind::String:
      case Kind::Short:
      case Kind::Int:
      case Kind::Long:
      case Kind::Date:
        return false;
      default:
        break;
    }
  }
  return a.toString() == b.toString();
}

void BaseRecordDefinition::followModification(std::size_t column) {
  bool differs = changed(column);
  for (std::size_t i = 0; !differs && i < m_ModifiedValues.size(); ++i) differs = changed(i);
  if (differs) {
    m_RecordState.setState(RecordState::MODIFIED);
  } else {
    m_RecordState.setStateUndo(RecordState::MODIFIED);
  }
}

void BaseRecordDefinition::setValueAsObject(int column, const Value& value) {
  if (column == -1) return;
  Synchronized sync(m_Lock);
  try {
    const std::size_t i = checkedColumn(column);
    // Converted before anything changes: a refused value leaves the row as it was.
    Value converted = getDBObject(value, column);
    holdOriginals();
    m_ModifiedValues[i] = std::move(converted);
    followModification(i);
  } catch (const NumberFormatException&) {
    throw;
  } catch (const RecordDefinitionException&) {
    throw;
  } catch (const plat::lang::Exception&) {
    unexpected("BaseRecordDefinition.setValueAsObject");
  }
}

void BaseRecordDefinition::setValueAsString(int column, const std::string& value) {
  setValueAsObject(column, value);
}

void BaseRecordDefinition::setValueAsInteger(int column, std::optional<int> value) {
  setValueAsObject(column, value ? Value(*value) : Value());
}

Value BaseRecordDefinition::getValueAsObject(int column, int which) {
  Synchronized sync(m_Lock);
  try {
    if (which != ORIGINAL_VALUE && which != MODIFIED_VALUE) unexpected("BaseRecordDefinition.getValueAsObject");
    const std::size_t i = checkedColumn(column);
    const Value& held = which == ORIGINAL_VALUE ? originalValue(i) : m_ModifiedValues[i];
    if (held.is(Kind::Object) && columnType(column) == Types::LONGVARBINARY) {
      if (auto buffer = std::dynamic_pointer_cast<plat::io::ByteArrayOutputStream>(held.getObject())) {
        return Value(plat::lang::makeRef<plat::io::ByteArrayInputStream>(buffer->toByteArray()));
      }
    }
    return held;
  } catch (const RecordDefinitionException&) {
    throw;
  } catch (const plat::lang::Exception&) {
    unexpected("BaseRecordDefinition.getValueAsObject");
  }
}

std::string BaseRecordDefinition::getValueAsString(int column, int which) {
  Value value = getValueAsObject(column, which);
  return value.isNull() ? std::string() : value.toString();
}

int BaseRecordDefinition::getColumnIndex(const std::string& name) {
  auto model = getDataModel();
  if (!model) return -1;
  auto find = [&model](const std::string& wanted) {
    for (int i = 0; i < model->getMemberCount(); ++i) {
      if (model->getMemberModel(i)->getName() == wanted) return i;
    }
    return -1;
  };
  int found = find(name);
  if (found >= 0) return found;
  const bool open = !name.empty() && name.front() == '[';
  const bool close = !name.empty() && name.back() == ']';
  if (open && close && name.size() >= 2) return find(name.substr(1, name.size() - 2));
  if (!open && !close) return find("[" + name + "]");
  return -1;
}

std::string BaseRecordDefinition::getDataName(const std::string& separator) {
  auto model = getDataModel();
  if (!model || model->getMemberCount() == 0) return "";
  std::string text = model->getModelName() + TableSeparator;
  for (int i = 0; i < model->getMemberCount(); ++i) {
    if (i > 0) text += separator;
    text += model->getMemberModel(i)->getName();
  }
  return text;
}

std::vector<int> BaseRecordDefinition::getModifiedColumns() {
  Synchronized sync(m_Lock);
  std::vector<int> columns;
  for (std::size_t i = 0; i < m_ModifiedValues.size(); ++i) {
    if (changed(i)) columns.push_back(static_cast<int>(i));
  }
  return columns;
}

std::map<std::string, Value> BaseRecordDefinition::toHashtable() {
  auto model = getDataModel();
  Synchronized sync(m_Lock);
  std::map<std::string, Value> table;
  if (!model) return table;
  for (int i = 0; i < model->getMemberCount() && i < columnCount(); ++i) {
    const Value& v = originalValue(static_cast<std::size_t>(i));
    table[model->getMemberModel(i)->getName()] = v.isNull() ? Value(std::string()) : v;
  }
  return table;
}

void BaseRecordDefinition::bringUpToDate() {
  Synchronized sync(m_Lock);
  releaseOriginals(Originals::Modified);
  m_RecordState.setStateUndo(RecordState::MODIFIED);
}

void BaseRecordDefinition::resetState() {
  Synchronized sync(m_Lock);
  releaseOriginals(Originals::Modified);
  m_RecordState.reset();
}

void BaseRecordDefinition::undoChanges() {
  Synchronized sync(m_Lock);
  if (m_Originals == Originals::Held) {
    m_ModifiedValues = std::move(m_OriginalValues);
  } else if (m_Originals == Originals::Null) {
    m_ModifiedValues.assign(m_ModifiedValues.size(), Value());
  }
  releaseOriginals(Originals::Modified);
  m_RecordState.setStateUndo(RecordState::MODIFIED);
  m_RecordState.setStateUndo(RecordState::DELETED);
  m_RecordState.setStateUndo(RecordState::MISPLACED);
}

void BaseRecordDefinition::undoColumnChanges(int column) {
  Synchronized sync(m_Lock);
  // A copy: storing it may hold the originals apart.
  const Value original = originalValue(checkedColumn(column));
  // The original is what was read: it goes back whole, as it came.
  const bool filling = m_Filling;
  m_Filling = true;
  try {
    setValueAsObject(column, original);
  } catch (...) {
    m_Filling = filling;
    throw;
  }
  m_Filling = filling;
}

bool BaseRecordDefinition::getMarkedAsNew() {
  Synchronized sync(m_Lock);
  return m_RecordState.getExternalState() == RecordState::INSERTED_STATE;
}

bool BaseRecordDefinition::getMarkedAsModified() {
  Synchronized sync(m_Lock);
  return m_RecordState.getExternalState() == RecordState::MODIFIED_STATE;
}

bool BaseRecordDefinition::getMarkedAsDeleted() {
  Synchronized sync(m_Lock);
  return m_RecordState.getExternalState() == RecordState::DELETED_STATE;
}

bool BaseRecordDefinition::getMarkedAsMisplaced() {
  Synchronized sync(m_Lock);
  return m_RecordState.isMisplaced();
}

bool BaseRecordDefinition::getMarkedAsQBE() {
  Synchronized sync(m_Lock);
  return m_QBERow;
}

void BaseRecordDefinition::changeState(int bit, bool on) {
  Synchronized sync(m_Lock);
  try {
    if (on) {
      m_RecordState.setState(bit);
    } else {
      m_RecordState.setStateUndo(bit);
    }
  } catch (const RecordState::StateException&) {
    throw RecordDefinitionException("The row was found in a invalid state");
  }
}

void BaseRecordDefinition::setMarkedAsNew(bool on) {
  changeState(RecordState::INSERTED, on);
}
void BaseRecordDefinition::setMarkedAsModified(bool on) {
  changeState(RecordState::MODIFIED, on);
}
void BaseRecordDefinition::setMarkedAsDeleted(bool on) {
  changeState(RecordState::DELETED, on);
}
void BaseRecordDefinition::setMarkedAsDisplaced(bool on) {
  changeState(RecordState::MISPLACED, on);
}

void BaseRecordDefinition::setMarkedAsQBE(bool on) {
  Synchronized sync(m_Lock);
  m_QBERow = on;
}

int BaseRecordDefinition::getOperation() {
  Synchronized sync(m_Lock);
  return m_RecordState.getOperation();
}

bool BaseRecordDefinition::isOperationNothing() {
  return getOperation() == NOTHING_OPERATION;
}

int BaseRecordDefinition::getRecordState() {
  Synchronized sync(m_Lock);
  return m_RecordState.getState();
}

bool BaseRecordDefinition::isDirty() {
  Synchronized sync(m_Lock);
  if (m_RecordState.getExternalState() != RecordState::EXISTING_STATE) return true;
  for (std::size_t i = 0; i < m_ModifiedValues.size(); ++i) {
    if (changed(i)) return true;
  }
  return false;
}

void BaseRecordDefinition::setValueAsQBE(int column, const Value& value, bool check) {
  Synchronized sync(m_Lock);
  const std::size_t i = checkedColumn(column);
  if (check && !value.isNull()) {
    try {
      qbe::QBExlator::xlatField(value.toString(), "");
    } catch (const plat::lang::Throwable& e) {
      throw NumberFormatException(e.getMessage());
    }
  }
  holdOriginals();
  try {
    m_ModifiedValues[i] = value;
    followModification(i);
  } catch (const plat::lang::Exception&) {
    m_ModifiedValues[i] = Value();
  }
}

void BaseRecordDefinition::getQBEObjectValues(std::vector<std::string>& entries) {
  auto model = getDataModel();
  Synchronized sync(m_Lock);
  if (!model) return;
  for (std::size_t i = 0; i < m_ModifiedValues.size(); ++i) {
    const Value& v = m_ModifiedValues[i];
    if (v.isNull()) continue;
    auto member = model->getMemberModel(static_cast<int>(i));
    if (!member) continue;
    entries.push_back(member->getName() + ":" + std::to_string(member->getDataType()) + ":" + v.toString());
  }
}

void BaseRecordDefinition::checkQBEValues() {
  std::vector<Value> values;
  {
    Synchronized sync(m_Lock);
    values = m_ModifiedValues;
  }
  for (const Value& v : values) {
    if (!v.isNull()) qbe::QBExlator::xlatField(v.toString(), "");
  }
}

bool BaseRecordDefinition::equals(const plat::lang::Object& other) const {
  if (this == &other) return true;
  const auto* row = dynamic_cast<const BaseRecordDefinition*>(&other);
  if (row == nullptr) return false;
  std::vector<Value> theirOriginal, theirModified;
  {
    Synchronized sync(row->m_Lock);
    theirOriginal = row->originalValues();
    theirModified = row->m_ModifiedValues;
  }
  Synchronized sync(m_Lock);
  if (theirModified.size() != m_ModifiedValues.size()) return false;
  for (std::size_t i = 0; i < m_ModifiedValues.size(); ++i) {
    if (!sameValue(originalValue(i), theirOriginal[i])) return false;
  }
  for (std::size_t i = 0; i < m_ModifiedValues.size(); ++i) {
    if (!sameValue(m_ModifiedValues[i], theirModified[i])) return false;
  }
  return true;
}

Value BaseRecordDefinition::getObjectFromResultSet(plat::sql::ResultSet& resultSet, int column) {
  if (column < 1) throw plat::lang::IllegalArgumentException(std::to_string(column) + " < 1");
  return ResultSetHelper::getObject(resultSet, column, columnType(column - 1));
}

Ref<BaseRecordDefinition> BaseRecordDefinition::newRow() {
  auto made = plat::runvale::ClassRegistry::instance().newInstance(getClassName());
  auto row = std::dynamic_pointer_cast<BaseRecordDefinition>(made);
  if (!row) throw plat::lang::ClassCastException(getClassName());
  return row;
}

}  // namespace quenlora::zafoli::db::beans::jdbc
