// The SQL texts of a row class and the binding of their parameters.
#include <sstream>

#include "platform/sql/SQLException.h"
#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/beans/jdbc/PreparedStatementHelper.h"
#include "quenlora/zafoli/db/beans/jdbc/RecordDefinition.h"

namespace quenlora::zafoli::db::beans::jdbc {

using plat::lang::Value;
using plat::sql::SQLException;
using plat::thread::Synchronized;

namespace {

// The where text's first blank-separated word is WHERE, in any case.
bool startsWithWhere(const std::string& where) {
  std::istringstream words(where);
  std::string first;
  words >> first;
  if (first.size() != 5) return false;
  for (std::size_t i = 0; i < 5; ++i) {
    if ((first[i] & ~0x20) != "WHERE"[i]) return false;
  }
  return true;
}

std::string joined(const std::vector<std::string>& items, const std::string& separator) {
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) text += separator;
    text += items[i];
  }
  return text;
}

}  // namespace

std::string RecordDefinition::getSelectSQL() const {
  const auto settings = designTime();
  std::string text = "SELECT ";
  if (!settings.columns || settings.columns->empty()) {
    text += " * FROM ";
  } else {
    text += joined(*settings.columns, ",") + " FROM ";
  }
  return text + settings.tableName;
}

SqlText RecordDefinition::finalSelectText(const std::string& where, const JoinsRef& joinRecordList,
                                          const std::vector<std::string>& orderBy) {
  SqlText text;
  text.append(getSelectSQL());
  const bool hasWhere = !where.empty();
  if (hasWhere) {
    if (startsWithWhere(where)) {
      // The caller wrote the keyword: the condition after it is placed in the parentheses.
      const std::size_t keyword = where.find_first_not_of(' ');
      text.append(" WHERE ( " + where.substr(keyword + 5) + " ) ");
    } else {
      text.append(" WHERE ( " + where + " ) ");
    }
  }
  if (joinRecordList) {
    auto records = joinRecordList->getJoinRecords();
    bool first = true;
    while (records && records->hasMoreElements()) {
      auto join = records->nextElement();
      text.append(first ? (hasWhere ? " AND ( " : " WHERE ( ") : " AND ");
      first = false;
      if (join->getMasterCurrentValue().isNull()) {
        text.append(join->getDetailColumnName() + IS_NULL);
      } else {
        text.appendMarker(join->getDetailColumnName() + " " + join->getOperator() + " " + " ", " ");
      }
    }
    if (!first) text.append(" ) ");
  }
  if (!orderBy.empty()) text.append(" ORDER BY " + joined(orderBy, ","));
  text.append("\n");
  return text;
}

std::string RecordDefinition::createFinalSelectSQL(const std::string& where, const JoinsRef& joinRecordList,
                                                   const std::vector<std::string>& orderBy) {
  return finalSelectText(where, joinRecordList, orderBy).sql();
}

int RecordDefinition::setQueryParameters(plat::sql::PreparedStatement& statement, const JoinsRef& joinRecordList) {
  int index = 0;
  if (!joinRecordList) return index;
  auto model = std::dynamic_pointer_cast<DataModel>(getDataModel());
  auto records = joinRecordList->getJoinRecords();
  while (records && records->hasMoreElements()) {
    auto join = records->nextElement();
    const Value master = join->getMasterCurrentValue();
    if (master.isNull()) continue;
    const int detail = join->getDetailColumnNumber();
    auto column = detail >= 0 && model ? model->getColumnMetaData(detail) : nullptr;
    const int type = column ? column->getDataType() : plat::sql::Types::OTHER;
    PreparedStatementHelper::setInParameter(statement, ++index, type, master);
  }
  return index;
}

std::string RecordDefinition::makeEmptyResultSetSQLString() const {
  return getSelectSQL() + " WHERE 1 > 2" + "\n";
}

// --- the optimistic predicate --------------------------------------------------------------------------------

bool RecordDefinition::uniqueNow(const DataModel& model) const {
  if (!model.isUnique()) return false;
  const std::size_t count = std::min(model.columns().size(), m_ModifiedValues.size());
  for (std::size_t i = 0; i < count; ++i) {
    const ColumnMetaData& column = *model.columns()[i];
    if (!column.getIsPrimaryKey()) continue;
    // A unique index may hold many NULLs, so a key read as NULL tells this row from no other.
    if (!column.canBeIncludedInWhereClause() || originalValue(i).isNull()) return false;
  }
  return true;
}

bool RecordDefinition::inWhereClause(const DataModel& model, bool unique, std::size_t column) const {
  const auto& meta = *model.columns()[column];
  const bool needed = !unique || changed(column) || meta.getIsPrimaryKey();
  return needed && meta.canBeIncludedInWhereClause();
}

void RecordDefinition::appendPredicate(SqlText& text, const std::string& op, bool required) {
  auto dataModel = model();
  const bool unique = uniqueNow(*dataModel);
  bool first = true;
  const std::size_t count = std::min(dataModel->columns().size(), m_ModifiedValues.size());
  for (std::size_t i = 0; i < count; ++i) {
    if (!inWhereClause(*dataModel, unique, i)) continue;
    if (!first) text.append(" AND ");
    first = false;
    const std::string& name = dataModel->columns()[i]->getName();
    if (originalValue(i).isNull()) {
      text.append(name + IS_NULL);
    } else {
      text.appendMarker(name + " " + op + " ", "");
    }
  }
  if (first && required) throw SQLException(kNoUsableColumn);
}

std::string RecordDefinition::getQueryPredicate(const std::string& op) {
  Synchronized sync(m_Lock);
  SqlText text;
  appendPredicate(text, op, false);
  return text.sql();
}

std::string RecordDefinition::getQueryString(const std::string& op) {
  const std::string predicate = getQueryPredicate(op);
  return predicate.empty() ? getSelectSQL() : getSelectSQL() + " WHERE " + predicate;
}

// --- the write texts -----------------------------------------------------------------------------------------

std::string RecordDefinition::shapeOf(char kind, const DataModel& model, int& changedCount) const {
  // An INSERT's text depends on the changed columns alone.
  const bool predicate = kind != 'I';
  const bool unique = predicate && uniqueNow(model);
  const std::size_t count = std::min(model.columns().size(), m_ModifiedValues.size());
  std::string shape(1, kind);
  shape.reserve(count + 1);
  changedCount = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const bool isChanged = changed(i);
    changedCount += isChanged ? 1 : 0;
    const bool where = predicate && inWhereClause(model, unique, i);
    const bool null = predicate && originalValue(i).isNull();
    shape.push_back(static_cast<char>('0' + (isChanged ? 1 : 0) + (where ? 2 : 0) + (null ? 4 : 0)));
  }
  return shape;
}

std::optional<SqlText> RecordDefinition::insertText() {
  auto dataModel = model();
  int changedCount = 0;
  const std::string shape = shapeOf('I', *dataModel, changedCount);
  if (changedCount == 0) return std::nullopt;
  if (auto cached = dataModel->cachedText(shape)) return cached;
  SqlText text;
  text.append("INSERT INTO ");
  text.append(dataModel->getModelName());
  text.append("( ");
  bool first = true;
  for (std::size_t i = 1; i < shape.size(); ++i) {
    if (((shape[i] - '0') & 1) == 0) continue;
    if (!first) text.append(",");
    first = false;
    text.append(dataModel->columns()[i - 1]->getName());
  }
  text.append(" ) VALUES( ");
  for (int k = 0; k < changedCount; ++k) text.appendMarker(k > 0 ? "," : "", "");
  text.append(" )\n");
  dataModel->cacheText(shape, text);
  return text;
}

std::optional<SqlText> RecordDefinition::updateText() {
  auto dataModel = model();
  int changedCount = 0;
  const std::string shape = shapeOf('U', *dataModel, changedCount);
  if (changedCount == 0) return std::nullopt;
  colModif = changedCount;
  if (auto cached = dataModel->cachedText(shape)) return cached;
  SqlText text;
  text.append("UPDATE ");
  text.append(dataModel->getModelName());
  text.append(" SET ");
  bool first = true;
  for (std::size_t i = 1; i < shape.size(); ++i) {
    if (((shape[i] - '0') & 1) == 0) continue;
    if (!first) text.append(",");
    first = false;
    text.appendMarker(dataModel->columns()[i - 1]->getName() + " = ", "");
  }
  text.append(" WHERE ");
  appendPredicate(text, "=", true);
  text.append("\n");
  dataModel->cacheText(shape, text);
  return text;
}

SqlText RecordDefinition::deleteText() {
  auto dataModel = model();
  int changedCount = 0;
  const std::string shape = shapeOf('D', *dataModel, changedCount);
  if (auto cached = dataModel->cachedText(shape)) return *cached;
  SqlText text;
  text.append("DELETE FROM ");
  text.append(dataModel->getModelName());
  text.append(" WHERE ");
  appendPredicate(text, "=", true);
  text.append("\n");
  dataModel->cacheText(shape, text);
  return text;
}

std::optional<std::string> RecordDefinition::makeInsertSQLString() {
  Synchronized sync(m_Lock);
  auto text = insertText();
  return text ? std::optional<std::string>(text->sql()) : std::nullopt;
}

std::optional<std::string> RecordDefinition::makeUpdateSQLString() {
  Synchronized sync(m_Lock);
  auto text = updateText();
  return text ? std::optional<std::string>(text->sql()) : std::nullopt;
}

std::string RecordDefinition::makeDeleteSQLString() {
  Synchronized sync(m_Lock);
  return deleteText().sql();
}

std::optional<std::string> RecordDefinition::getInsertSQL() {
  Synchronized sync(m_Lock);
  auto text = insertText();
  return text ? std::optional<std::string>(text->withoutNewLine()) : std::nullopt;
}

std::optional<std::string> RecordDefinition::getUpdateSQL() {
  Synchronized sync(m_Lock);
  auto text = updateText();
  return text ? std::optional<std::string>(text->withoutNewLine()) : std::nullopt;
}

std::string RecordDefinition::getDeleteSQL() {
  Synchronized sync(m_Lock);
  return deleteText().withoutNewLine();
}

// --- binding -------------------------------------------------------------------------------------------------

int RecordDefinition::setParameterValues(plat::sql::PreparedStatement& statement) {
  Synchronized sync(m_Lock);
  auto dataModel = model();
  int index = 0;
  for (std::size_t i = 0; i < m_ModifiedValues.size() && i < dataModel->columns().size(); ++i) {
    if (!changed(i)) continue;
    const Value& value = m_ModifiedValues[i];
    PreparedStatementHelper::setInParameter(statement, ++index, dataModel->columns()[i]->getDataType(), value);
    if (m_SQL) m_SQL->bind(index, value);
  }
  return index;
}

int RecordDefinition::setParameters(plat::sql::PreparedStatement& statement, int kind, int offset) {
  Synchronized sync(m_Lock);
  auto dataModel = model();
  const bool unique = uniqueNow(*dataModel);
  int index = offset;
  const std::size_t count = std::min(dataModel->columns().size(), m_ModifiedValues.size());
  for (std::size_t i = 0; i < count; ++i) {
    const Value& value = kind == ORIGINAL_VALUE ? originalValue(i) : m_ModifiedValues[i];
    if (!inWhereClause(*dataModel, unique, i) || value.isNull()) continue;
    PreparedStatementHelper::setInParameter(statement, ++index, dataModel->columns()[i]->getDataType(), value);
    if (m_SQL) m_SQL->bind(index, value);
  }
  return index;
}

}  // namespace quenlora::zafoli::db::beans::jdbc
