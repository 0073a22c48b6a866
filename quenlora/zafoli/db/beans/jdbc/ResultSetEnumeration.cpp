#include "quenlora/zafoli/db/beans/jdbc/ResultSetEnumeration.h"

#include "platform/lang/System.h"
#include "platform/sql/SQLException.h"
#include "platform/util/NoSuchElementException.h"
#include "quenlora/zafoli/db/beans/jdbc/ColumnMetaData.h"
#include "quenlora/zafoli/db/beans/jdbc/DataModel.h"
#include "quenlora/zafoli/db/beans/jdbc/JdbcConnection.h"
#include "quenlora/zafoli/db/beans/util/LogWindowHelper.h"

namespace quenlora::zafoli::db::beans::jdbc {

using plat::lang::Ref;
using plat::lang::Value;
using plat::sql::SQLException;

ResultSetEnumeration::ResultSetEnumeration(Ref<plat::sql::ResultSet> resultSet,
                                           Ref<plat::sql::ResultSetMetaData> metaData, RowFactory rowClass,
                                           std::string tableName)
    : m_ResultSet(std::move(resultSet)),
      m_MetaData(std::move(metaData)),
      m_RowClass(std::move(rowClass)),
      m_TableName(std::move(tableName)) {}

ResultSetEnumeration::~ResultSetEnumeration() {
  try {
    closeResultSet();
  } catch (...) {
    // A discarded enumeration closes what it can.
  }
}

void ResultSetEnumeration::ownStatement(Ref<plat::sql::Statement> statement, Ref<JdbcConnection> bean) {
  m_Statement = std::move(statement);
  m_Bean = std::move(bean);
}

bool ResultSetEnumeration::hasMoreElements() {
  if (!m_RowAvailable && !m_bClosed && m_ResultSet) {
    try {
      m_RowAvailable = m_ResultSet->next();
    } catch (const SQLException& e) {
      // The result ends here; the log says so, so that a cut result is not taken for a whole one.
      m_RowAvailable = false;
      try {
        util::LogWindowHelper::getInstance().displayMsgToLog(
            "SQL", "ResultSetEnumeration " + m_TableName + ": " + e.getClassName() + ": " + e.getMessage());
      } catch (...) {
        // The log is a bystander.
      }
    }
    if (!m_RowAvailable) closeResultSet();
  }
  return m_RowAvailable;
}

Ref<binding::PersistentObject> ResultSetEnumeration::nextElement() {
  if (!hasMoreElements()) throw plat::util::NoSuchElementException();
  m_RowAvailable = false;
  Ref<BaseRecordDefinition> row = m_RowClass();
  // The new row is still this thread's alone: its monitor is taken once here, so that the row's own operations
  // below only re-enter it.
  plat::thread::Synchronized sync(row->m_Lock);
  // model keeps the table alive while it is pinned; the pin goes with the filling, also when a step throws.
  const auto model = row->getDataModel();
  struct Pin {
    BaseRecordDefinition& row;
    ~Pin() {
      row.m_PinnedModel = nullptr;
      row.m_Filling = false;
    }
  } pin{*row};
  row->m_PinnedModel = DataModel::of(model);
  row->m_Filling = true;
  row->initDataStorage();
  fill(*row, model);
  row->bringUpToDate();
  return row;
}

void ResultSetEnumeration::fill(BaseRecordDefinition& row, const Ref<binding::PersistentObjectModel>& model) {
  const int count = model ? model->getMemberCount() : 0;
  const DataModel* table = row.m_PinnedModel;
  for (int i = 0; i < count; ++i) {
    // A table model's own columns are read in place; another model hands out each column's model.
    Ref<ColumnMetaData> held;
    ColumnMetaData* column = nullptr;
    if (table) {
      column = table->columns()[static_cast<std::size_t>(i)].get();
    } else {
      held = std::dynamic_pointer_cast<ColumnMetaData>(model->getMemberModel(i));
      column = held.get();
    }
    try {
      Value value = row.getObjectFromResultSet(*m_ResultSet, i + 1);
      if (m_ResultSet->wasNull()) value = Value();
      row.setValueAsObject(i, value);
      if (column) column->setColumnState(ColumnMetaData::VALID_STATE);
    } catch (const SQLException&) {
      // The column stays out of WHERE predicates: its value could not be read, so it cannot be compared.
      if (column) column->setColumnState(ColumnMetaData::INVALID_STATE);
    } catch (const plat::lang::Exception& e) {
      plat::lang::System::err().println(e.toString());
      return;
    }
  }
}

void ResultSetEnumeration::closeResultSet() {
  m_bClosed = true;
  m_RowAvailable = false;
  if (m_ResultSet) {
    try {
      m_ResultSet->close();
    } catch (const SQLException&) {
      // Closing is best effort.
    }
    m_ResultSet = nullptr;
  }
  if (m_Statement && m_Bean) m_Bean->closeStatement(m_Statement);
  m_Statement = nullptr;
  m_Bean = nullptr;
}

}  // namespace quenlora::zafoli::db::beans::jdbc
