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
  for (const auto& column : model.columns()) {
    if (column->getIsPrimaryKey() && !column->canBeIncludedInWhereClause()) return false;
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
  const std::size_t count = std::min(dataModel->columns().size(), m_OriginalValues.size());
  for (std::size_t i = 0; i < count; ++i) {
    if (!inWhereClause(*dataModel, unique, i)) continue;
    if (!first) text.append(" AND ");
    first = false;
    const std::string& name = dataModel->columns()[i]->getName();
    if (m_OriginalValues[i].isNull()) {
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

std::optional<SqlText> RecordDefinition::insertText() {
  auto dataModel = model();
  std::vector<std::size_t> columns;
  for (std::size_t i = 0; i < m_ModifiedValues.size() && i < dataModel->columns().size(); ++i) {
    if (changed(i)) columns.push_back(i);
  }
  if (columns.empty()) return std::nullopt;
  SqlText text;
  text.append("INSERT INTO " + dataModel->getModelName() + "( ");
  for (std::size_t k = 0; k < columns.size(); ++k) {
    if (k > 0) text.append(",");
    text.append(dataModel->columns()[columns[k]]->getName());
  }
  text.append(" ) VALUES( ");
  for (std::size_t k = 0; k < columns.size(); ++k) text.appendMarker(k > 0 ? "," : "", "");
  text.append(" )\n");
  return text;
}

std::optional<SqlText> RecordDefinition::updateText() {
  auto dataModel = model();
  SqlText text;
  text.append("UPDATE " + dataModel->getModelName() + " SET ");
  int set = 0;
  for (std::size_t i = 0; i < m_ModifiedValues.size() && i < dataModel->columns().size(); ++i) {
    if (!changed(i)) continue;
    text.appendMarker((set > 0 ? "," : "") + dataModel->columns()[i]->getName() + " = ", "");
    ++set;
  }
  if (set == 0) return std::nullopt;
  colModif = set;
  text.append(" WHERE ");
  appendPredicate(text, "=", true);
  text.append("\n");
  return text;
}

SqlText RecordDefinition::deleteText() {
  SqlText text;
  text.append("DELETE FROM " + model()->getModelName() + " WHERE ");
  appendPredicate(text, "=", true);
  text.append("\n");
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
    m_SQL.bind(index, value);
  }
  return index;
}

int RecordDefinition::setParameters(plat::sql::PreparedStatement& statement, int kind, int offset) {
  Synchronized sync(m_Lock);
  auto dataModel = model();
  const auto& values = kind == ORIGINAL_VALUE ? m_OriginalValues : m_ModifiedValues;
  const bool unique = uniqueNow(*dataModel);
  int index = offset;
  const std::size_t count = std::min(dataModel->columns().size(), values.size());
  for (std::size_t i = 0; i < count; ++i) {
    if (!inWhereClause(*dataModel, unique, i) || values[i].isNull()) continue;
    PreparedStatementHelper::setInParameter(statement, ++index, dataModel->columns()[i]->getDataType(), values[i]);
    m_SQL.bind(index, values[i]);
  }
  return index;
}

}  // namespace quenlora::zafoli::db::beans::jdbc
