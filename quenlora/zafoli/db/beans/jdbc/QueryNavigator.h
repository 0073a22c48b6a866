// The data source of the library for JDBC: the core query navigator plus what a JDBC query needs: a fixed where
// text, a sort order, the join conditions with its master, the query-by-example WHERE clause, the engine code of
// the translator, and the option of taking its rows from an SQL adapter instead of the row class's own SELECT.
// Make it with makeRef. Runs under the core navigator's rules; the join and adapter setters are serialised on the
// navigator's monitor. A new query closes the previous result with its statement.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "quenlora/zafoli/db/beans/binding/QueryNavigator.h"
#include "quenlora/zafoli/db/beans/jdbc/JoinRecordList.h"
#include "quenlora/zafoli/db/beans/jdbc/ResultSetEnumeration.h"
#include "quenlora/zafoli/db/beans/jdbc/SQLAdapter.h"
#include "quenlora/zafoli/db/beans/jdbc/SQLAdapterEventListener.h"

namespace quenlora::zafoli::db::beans::jdbc {

class QueryNavigator : public binding::QueryNavigator {
 public:
  static constexpr const char* kClassName = "quenlora.zafoli.db.beans.jdbc.QueryNavigator";
  static constexpr const char* JOIN_SEPARATOR = " ";
  static constexpr int JOIN_ELEMENTS = 3;
  static constexpr int DETAIL_LINK_POSITION = 0;
  static constexpr int OPERATOR_LINK_POSITION = 1;
  static constexpr int MASTER_LINK_POSITION = 2;
  static constexpr const char* JOIN_SYNTAX_FAILURE = jdbc::JoinRecord::JOIN_SYNTAX_FAILURE;
  // Words looked for in the database product name.
  static constexpr const char* SYBASE = "sql server";
  static constexpr const char* SQLANYWHERE = "sybase";
  static constexpr const char* ORACLE = "oracle";
  static constexpr const char* ACCESS = "access";
  static constexpr const char* SQLSERVER = "microsoft";
  static constexpr const char* INFORMIX = "informix";
  static constexpr const char* POINTBASE = "pointbase";
  static constexpr const char* kNoExample = "No example provided";
  // The prefix of the where clause in the status line of the navigator's applet.
  static constexpr const char* kWhereStatus = "WHERE CLAUSE: ";

  QueryNavigator();
  ~QueryNavigator() override;

  // At run time also shown in the status line of the navigator's applet, when it has one.
  std::optional<std::string> getWhereClause();
  void setWhereClause(std::optional<std::string> where);
  std::vector<std::string> getSortOrder();
  void setSortOrder(std::vector<std::string> sortOrder);
  void addSortOrderItem(const std::string& item);
  // The join texts: each record as its three parts joined by " ". Setting builds a new join list;
  // IllegalArgumentException "Syntax failure in the join clause" for a text that is not three words.
  std::vector<std::string> getJoin();
  void setJoin(const std::vector<std::string>& joins);
  std::vector<std::string> getJoinColumns() { return getJoin(); }
  void setJoinColumns(const std::vector<std::string>& joins) { setJoin(joins); }
  void addJoin(const std::string& join);
  plat::lang::Ref<jdbc::JoinRecordList> getJoinValues();
  plat::lang::Ref<SQLAdapter> getSQLAdapter();
  // Also listens to the adapter's executions (leaving the previous adapter's).
  void setSQLAdapter(const plat::lang::Ref<SQLAdapter>& adapter);

  // A failed query (SQL or any other failure of the row class or the adapter) is announced as EXCEPTION_SQL with
  // the failure's message, leaves the navigator on its query-by-example row and is then thrown as
  // plat::lang::RuntimeException with that message; it is the only exception kind of the query itself. An invalid
  // query-by-example entry is announced as EXCEPTION_CAST and thrown as RuntimeException too. Failures of
  // navigation and trigger listeners pass through as they are.
  void executeQuery(binding::Synchronizable* master) override;
  void executeQueryByExample() override;
  void createQueryByExampleRow() override;
  // The engine code from the query-by-example row's database product name (see the source for the table).
  void setDatabaseEngineType();
  int getDatabaseEngineType() const { return dbEngineType.load(); }

  // The rows of an adapter's execution, when it made a result set.
  void afterExecute(const SQLAdapterEvent& event);

  std::string getClassName() const override { return kClassName; }

 protected:
  void initPO(const RecordRef& record) override;
  void insertIntern() override;
  void setDisplaced(int column, const plat::lang::Value& newValue, const RecordRef& record) override;

 private:
  class AdapterListener;

  // Runs the query through masterRow's join values (none: without master).
  void executeQueryBase(const RecordRef& masterRow);
  // Installs rows as the new set, announces the restart and goes to the first row.
  void showNewSet(const plat::lang::Ref<binding::PersistentObject::RecordEnumeration>& rows);
  void closePreviousRows();
  [[noreturn]] void failQuery(const plat::lang::Throwable& failure);

  std::optional<std::string> m_WhereClause;                                 // guarded by lock_
  std::vector<std::string> m_SortOrder;                                     // guarded by lock_
  plat::lang::Ref<jdbc::JoinRecordList> m_JoinValues;                       // guarded by lock_
  std::vector<std::string> m_JoinParameters;                                // guarded by lock_; kept, not used
  plat::lang::Ref<SQLAdapter> m_SQLAdapter;                                 // guarded by lock_
  std::shared_ptr<AdapterListener> adapterListener_;                        // set once by the constructor
  plat::lang::Ref<binding::PersistentObject::RecordEnumeration> lastRows_;  // guarded by lock_
};

}  // namespace quenlora::zafoli::db::beans::jdbc
