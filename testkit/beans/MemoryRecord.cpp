#include "testkit/beans/MemoryRecord.h"

#include <algorithm>

#include "platform/lang/Double.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/Integer.h"
#include "platform/math/Decimal.h"
#include "platform/runvale/ClassRegistry.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/Types.h"
#include "platform/util/Enumeration.h"
#include "quenlora/zafoli/db/beans/qbe/QBExlator.h"

namespace testkit::beans {

using plat::lang::Ref;
using plat::lang::Value;
using plat::sql::Types;
using quenlora::zafoli::db::beans::binding::Synchronizable;
using quenlora::zafoli::db::beans::qbe::QBExlator;

namespace {

std::vector<std::string> numberedColumns(int count) {
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) names.push_back("C" + std::to_string(i));
  return names;
}

std::vector<std::string> namesOf(const MemoryTable& table) {
  std::vector<std::string> names;
  for (const auto& column : table.getColumns()) names.push_back(column.name);
  return names;
}

bool isNumeric(int type) {
  switch (type) {
    case Types::TINYINT:
    case Types::SMALLINT:
    case Types::INTEGER:
    case Types::BIGINT:
    case Types::REAL:
    case Types::FLOAT:
    case Types::DOUBLE:
    case Types::NUMERIC:
    case Types::DECIMAL:
      return true;
    default:
      return false;
  }
}

// Null first, numbers by value, everything else by text.
int compareValues(const Value& a, const Value& b) {
  if (a.isNull() || b.isNull()) return a.isNull() == b.isNull() ? 0 : (a.isNull() ? -1 : 1);
  if (a.isNumber() && b.isNumber()) {
    const double x = a.doubleValue(), y = b.doubleValue();
    return x < y ? -1 : (x > y ? 1 : 0);
  }
  const std::string x = a.toString(), y = b.toString();
  return x < y ? -1 : (x > y ? 1 : 0);
}

// The rows a query selected, turned into records one at a time as they are read.
class RowEnumeration : public MemoryRecord::RecordEnumeration {
 public:
  RowEnumeration(Ref<MemoryTable> table, Ref<MemoryConnection> connection, std::vector<MemoryTable::Row> rows)
      : table_(std::move(table)), connection_(std::move(connection)), rows_(std::move(rows)) {}
  bool hasMoreElements() override { return next_ < rows_.size(); }
  Ref<MemoryRecord::PersistentObject> nextElement() override {
    if (next_ >= rows_.size()) throw plat::util::NoSuchElementException();
    if (table_->takeReadFailure(static_cast<int>(next_))) throw plat::lang::RuntimeException("injected");
    auto record = plat::lang::makeRef<MemoryRecord>(table_, connection_);
    const auto& row = rows_[next_++];
    for (std::size_t c = 0; c < row.size(); ++c) record->load(static_cast<int>(c), row[c]);
    return record;
  }

 private:
  Ref<MemoryTable> table_;
  Ref<MemoryConnection> connection_;
  std::vector<MemoryTable::Row> rows_;
  std::size_t next_ = 0;
};

}  // namespace

MemoryRecord::MemoryRecord(int columns) : MemoryRecord("memory", numberedColumns(columns)) {}

MemoryRecord::MemoryRecord(std::string table, std::vector<std::string> columns)
    : tableName_(std::move(table)),
      names_(std::move(columns)),
      original_(names_.size()),
      modified_values_(names_.size()),
      qbe_values_(names_.size()) {}

MemoryRecord::MemoryRecord(Ref<MemoryTable> table, Ref<MemoryConnection> connection)
    : table_(std::move(table)),
      connection_(std::move(connection)),
      tableName_(table_->getName()),
      names_(namesOf(*table_)),
      original_(names_.size()),
      modified_values_(names_.size()),
      qbe_values_(names_.size()) {}

void MemoryRecord::registerClass(plat::runvale::ClassRegistry& registry, const std::string& className,
                                 Ref<MemoryTable> table, Ref<MemoryConnection> connection) {
  registry.registerClass({className,
                          [table, connection] { return plat::lang::makeRef<MemoryRecord>(table, connection); },
                          {"quenlora.zafoli.db.beans.binding.PersistentObject"},
                          ""});
}

std::size_t MemoryRecord::checked(int column) const {
  if (column < 0 || static_cast<std::size_t>(column) >= names_.size())
    throw plat::lang::ArrayIndexOutOfBoundsException(std::to_string(column));
  return static_cast<std::size_t>(column);
}

Value MemoryRecord::converted(std::size_t column, const Value& value) const {
  if (!table_ || value.isNull()) return value;
  const int type = table_->getColumns()[column].sqlType;
  if (!isNumeric(type)) {
    if (type == Types::VARCHAR || type == Types::CHAR || type == Types::LONGVARCHAR)
      return value.is(Value::Kind::String) ? value : Value(value.toString());
    return value;
  }
  if (value.is(Value::Kind::String)) {
    const std::string& text = value.getString();
    if (text.empty()) return Value();
    switch (type) {
      case Types::INTEGER:
      case Types::SMALLINT:
      case Types::TINYINT:
        return Value(plat::lang::Integer::parseInt(text));
      case Types::BIGINT:
        return Value::ofLong(plat::lang::Long::parseLong(text));
      case Types::NUMERIC:
      case Types::DECIMAL:
        try {
          return Value(plat::math::Decimal::parse(text));
        } catch (const plat::lang::NumberFormatException&) {
          throw;
        } catch (const plat::lang::Exception& e) {
          throw plat::lang::NumberFormatException(e.getMessage());
        }
      default:
        return Value(plat::lang::Double::parseDouble(text));
    }
  }
  if (!value.isNumber()) throw plat::lang::NumberFormatException(value.toString());
  switch (type) {
    case Types::INTEGER:
    case Types::SMALLINT:
    case Types::TINYINT:
      return Value(value.intValue());
    case Types::BIGINT:
      return Value::ofLong(value.longValue());
    case Types::NUMERIC:
    case Types::DECIMAL:
      return value.is(Value::Kind::Decimal) ? value : Value(plat::math::Decimal::parse(value.toString()));
    default:
      return Value(value.doubleValue());
  }
}

void MemoryRecord::load(int column, const Value& value) {
  const auto c = checked(column);
  original_[c] = value;
  modified_values_[c] = value;
}

void MemoryRecord::checkQBEValues() {
  std::vector<std::string> entries;
  getQBEObjectValues(entries);
  QBExlator translator;
  qbeWhere_ = translator.xlatForm(entries, true);
}

int MemoryRecord::getColumnIndex(const std::string& name) {
  for (std::size_t i = 0; i < names_.size(); ++i)
    if (names_[i] == name) return static_cast<int>(i);
  return -1;
}

Value MemoryRecord::getDBObject(const Value& value, int column) {
  return converted(checked(column), value);
}

std::string MemoryRecord::getDataName(const std::string& separator) {
  std::string text = tableName_ + "@";
  for (std::size_t i = 0; i < names_.size(); ++i) text += (i ? separator : "") + names_[i];
  return text;
}

int MemoryRecord::getOperation() {
  if (new_ && deleted_) return NOTHING_OPERATION;
  if (new_) return INSERTED_OPERATION;
  if (deleted_) return DELETED_OPERATION;
  if (modified_) return MODIFIED_OPERATION;
  return NOTHING_OPERATION;
}

void MemoryRecord::getQBEObjectValues(std::vector<std::string>& entries) {
  for (std::size_t i = 0; i < qbe_values_.size(); ++i) {
    const Value& v = qbe_values_[i];
    if (v.isNull() || v.toString().empty()) continue;
    // The column's JDBC type: the translator's engine fix-up goes by it.
    const int code = table_ ? table_->getColumns()[i].sqlType : static_cast<int>(Types::VARCHAR);
    entries.push_back(names_[i] + ":" + std::to_string(code) + ":" + v.toString());
  }
}

Value MemoryRecord::getValueAsObject(int column, int which) {
  const auto c = checked(column);
  if (qbe_) return qbe_values_[c];
  return which == ORIGINAL_VALUE ? original_[c] : modified_values_[c];
}

std::string MemoryRecord::getValueAsString(int column, int which) {
  const Value v = getValueAsObject(column, which);
  return v.isNull() ? std::string() : v.toString();
}

void MemoryRecord::initDataStorage() {
  if (table_ && table_->takeInitFailure()) throw plat::lang::RuntimeException("injected");
  original_.assign(names_.size(), Value());
  modified_values_.assign(names_.size(), Value());
  qbe_values_.assign(names_.size(), Value());
  changed_.clear();
}

bool MemoryRecord::isDirty() {
  if (qbe_)
    return std::any_of(qbe_values_.begin(), qbe_values_.end(),
                       [](const Value& v) { return !v.isNull() && !v.toString().empty(); });
  return getOperation() != NOTHING_OPERATION;
}

plat::lang::Ref<MemoryRecord::RecordEnumeration> MemoryRecord::querySimilarObjects() {
  if (table_) return querySimilarObjects("", nullptr, {});
  return plat::lang::makeRef<plat::util::SnapshotEnumeration<Ref<PersistentObject>>>(similar_);
}

plat::lang::Ref<MemoryRecord::RecordEnumeration> MemoryRecord::querySimilarObjects(
    const std::string& where, const std::vector<std::string>& sortOrder) {
  return querySimilarObjects(where, nullptr, sortOrder);
}

plat::lang::Ref<MemoryRecord::RecordEnumeration> MemoryRecord::querySimilarObjects(
    const std::string& where, const Ref<Synchronizable::JoinRecordList>& joins,
    const std::vector<std::string>& sortOrder) {
  if (!table_) return querySimilarObjects();
  struct Condition {
    int column;
    Value value;
  };
  std::vector<Condition> conditions;
  if (joins) {
    auto list = joins->getJoinRecords();
    while (list && list->hasMoreElements()) {
      auto join = list->nextElement();
      if (join->getOperator() != "=")
        throw plat::sql::SQLException("unsupported join operator " + join->getOperator(), "42000");
      int column = join->getDetailColumnNumber();
      if (column < 0) column = table_->columnIndex(join->getDetailColumnName());
      checked(column);
      conditions.push_back({column, join->getMasterCurrentValue()});
    }
  }
  MemoryTable::Filter filter;
  if (!where.empty()) filter = table_->getFilter(where);
  std::vector<MemoryTable::Row> rows;
  // The first join condition narrows the candidates through the table's index when that column has one.
  for (auto& row : conditions.empty() ? table_->rows() : table_->rowsWhere(conditions[0].column, conditions[0].value)) {
    bool keep = !filter || filter(row);
    for (const auto& condition : conditions) keep = keep && row[condition.column].equals(condition.value);
    if (keep) rows.push_back(std::move(row));
  }
  struct Key {
    int column;
    bool descending;
  };
  std::vector<Key> keys;
  for (const auto& entry : sortOrder) {
    const auto blank = entry.find(' ');
    const std::string name = entry.substr(0, blank);
    const int column = table_->columnIndex(name);
    if (column < 0) throw plat::sql::SQLException("unknown sort column " + name, "42703");
    keys.push_back({column, blank != std::string::npos && entry.substr(blank + 1) == "DESC"});
  }
  if (!keys.empty())
    std::stable_sort(rows.begin(), rows.end(), [&](const MemoryTable::Row& a, const MemoryTable::Row& b) {
      for (const auto& key : keys) {
        const int order = compareValues(a[key.column], b[key.column]);
        if (order != 0) return key.descending ? order > 0 : order < 0;
      }
      return false;
    });
  return plat::lang::makeRef<RowEnumeration>(table_, connection_, std::move(rows));
}

void MemoryRecord::resetState() {
  original_ = modified_values_;
  changed_.clear();
  deleted_ = misplaced_ = modified_ = new_ = false;
}

std::string MemoryRecord::statementFor(int operation) const {
  const std::string key = table_ ? names_[table_->getKeyColumn()] : std::string();
  const Value keyValue = table_ ? original_[table_->getKeyColumn()] : Value();
  switch (operation) {
    case INSERTED_OPERATION: {
      std::string text = "INSERT INTO " + tableName_;
      if (table_) {
        text += " VALUES (";
        for (std::size_t i = 0; i < modified_values_.size(); ++i)
          text += (i ? ", " : "") + modified_values_[i].toString();
        text += ")";
      }
      return text;
    }
    case MODIFIED_OPERATION:
      return "UPDATE " + tableName_ + (table_ ? " WHERE " + key + " = " + keyValue.toString() : "");
    case DELETED_OPERATION:
      return "DELETE FROM " + tableName_ + (table_ ? " WHERE " + key + " = " + keyValue.toString() : "");
    default:
      return "";
  }
}

int MemoryRecord::save() {
  const int operation = getOperation();
  if (operation != NOTHING_OPERATION) statement_ = statementFor(operation);
  if (nextSaveFailure_) {
    auto failure = std::move(nextSaveFailure_);
    nextSaveFailure_.reset();
    failure->raise();
  }
  if (table_ && table_->takeSaveFailure()) throw plat::sql::SQLException("injected save failure", "58000");
  if (operation == NOTHING_OPERATION) return 0;
  if (table_) {
    const int keyColumn = table_->getKeyColumn();
    MemoryConnection::Write write{table_, MemoryConnection::Kind::Insert, modified_values_[keyColumn],
                                  modified_values_};
    if (operation == MODIFIED_OPERATION)
      write = {table_, MemoryConnection::Kind::Update, original_[keyColumn], modified_values_};
    if (operation == DELETED_OPERATION) write = {table_, MemoryConnection::Kind::Delete, original_[keyColumn], {}};
    if (connection_) {
      connection_->write(write);
    } else if (operation == INSERTED_OPERATION) {
      table_->insert(write.row);
    } else if (operation == MODIFIED_OPERATION) {
      table_->update(write.key, write.row);
    } else {
      table_->remove(write.key);
    }
  }
  ++saveCount_;
  return 1;
}

void MemoryRecord::setValueAsInteger(int column, std::optional<int> value) {
  setValueAsObject(column, value ? Value(*value) : Value());
}

void MemoryRecord::setValueAsObject(int column, const Value& value) {
  const auto c = checked(column);
  modified_values_[c] = converted(c, value);
  changed_.insert(column);
  modified_ = true;
}

void MemoryRecord::setValueAsString(int column, const std::string& value) {
  setValueAsObject(column, Value(value));
}

void MemoryRecord::setValueAsQBE(int column, const Value& value, bool) {
  qbe_values_[checked(column)] = value;
}

std::map<std::string, Value> MemoryRecord::toHashtable() {
  std::map<std::string, Value> map;
  for (std::size_t i = 0; i < names_.size(); ++i) map[names_[i]] = modified_values_[i];
  return map;
}

void MemoryRecord::undoChanges() {
  modified_values_ = original_;
  changed_.clear();
  modified_ = false;
}

void MemoryRecord::undoColumnChanges(int column) {
  const auto c = checked(column);
  modified_values_[c] = original_[c];
  changed_.erase(column);
  if (changed_.empty()) modified_ = false;
}

}  // namespace testkit::beans
