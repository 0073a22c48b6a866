// The rows of a query, made one at a time as they are read: each result row becomes a new row of the row class
// whose values are read through the row's own column reader. One row is fetched ahead; the end of the result, or
// an SQL failure while advancing (announced to the log), closes the result and the statement it owns through its
// bean. Used by one thread at a time; closes itself when discarded.
#pragma once

#include <functional>
#include <string>

#include "platform/lang/Object.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/ResultSetMetaData.h"
#include "platform/sql/Statement.h"
#include "quenlora/zafoli/db/beans/binding/PersistentObject.h"
#include "quenlora/zafoli/db/beans/jdbc/BaseRecordDefinition.h"

namespace quenlora::zafoli::db::beans::jdbc {

class JdbcConnection;

class ResultSetEnumeration : public binding::PersistentObject::RecordEnumeration {
 public:
  // Makes an empty row of the row class.
  using RowFactory = std::function<plat::lang::Ref<BaseRecordDefinition>()>;

  ResultSetEnumeration(plat::lang::Ref<plat::sql::ResultSet> resultSet,
                       plat::lang::Ref<plat::sql::ResultSetMetaData> metaData, RowFactory rowClass,
                       std::string tableName);
  ~ResultSetEnumeration() override;
  ResultSetEnumeration(const ResultSetEnumeration&) = delete;
  ResultSetEnumeration& operator=(const ResultSetEnumeration&) = delete;

  // The statement of the result becomes this enumeration's: closed through bean when the rows end or are closed.
  void ownStatement(plat::lang::Ref<plat::sql::Statement> statement, plat::lang::Ref<JdbcConnection> bean);

  bool hasMoreElements() override;
  // NoSuchElementException after the last row.
  plat::lang::Ref<binding::PersistentObject> nextElement() override;
  // Closes the result and the owned statement; failures are swallowed.
  void closeResultSet();

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.jdbc.ResultSetEnumeration"; }

 private:
  // Reads every column of model into row, whose table model is pinned.
  void fill(BaseRecordDefinition& row, const plat::lang::Ref<binding::PersistentObjectModel>& model);

  plat::lang::Ref<plat::sql::ResultSet> m_ResultSet;
  plat::lang::Ref<plat::sql::ResultSetMetaData> m_MetaData;
  RowFactory m_RowClass;
  std::string m_TableName;
  plat::lang::Ref<plat::sql::Statement> m_Statement;  // owned: closed with the result, may be null
  plat::lang::Ref<JdbcConnection> m_Bean;             // the bean that prepared m_Statement
  bool m_RowAvailable = false;
  bool m_bClosed = false;
};

}  // namespace quenlora::zafoli::db::beans::jdbc
