// The row class for rows that come from an SQL adapter's result set rather than from a table: the table model is
// named "SQLAdapter" and takes its column types from the result's metadata, the rows are read through the lazy
// row enumeration, and they are read-only unless the application's row class supplies insert, update and delete.
// Queries of its own and query by example are refused. Same thread contract as BaseRecordDefinition.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "platform/sql/ResultSetMetaData.h"
#include "quenlora/zafoli/db/beans/jdbc/BaseRecordDefinition.h"
#include "quenlora/zafoli/db/beans/jdbc/DataModel.h"
#include "quenlora/zafoli/db/beans/jdbc/SQLAdapter.h"

namespace quenlora::zafoli::db::beans::jdbc {

class SQLRecordDefinition : public BaseRecordDefinition {
 public:
  static constexpr const char* kClassName = "quenlora.zafoli.db.beans.jdbc.SQLRecordDefinition";
  static constexpr const char* kModelName = "SQLAdapter";

  SQLRecordDefinition() = default;

  static void setDebug(bool on) { debug_.store(on); }

  plat::lang::Ref<SQLAdapter> getSQLAdapter() const;
  // Anything but an SQL adapter (or none) leaves the row without one.
  void setSQLAdapter(const plat::lang::Ref<plat::lang::Object>& adapter) override;
  // Keeps the adapter's SQL text as the row's statement text and executes the adapter. SQLException "There is no
  // SQL adapter." without one; SQL failures pass through.
  void executeSQLAdapter();
  // The rows of the adapter's current result, after filling the table model's column types from the result's
  // metadata. SQLException without adapter or without a result set.
  plat::lang::Ref<RecordEnumeration> getSQLAdapterResultSet();
  // A model named "SQLAdapter" with one column of type OTHER per result-column name of the adapter; without an
  // adapter the empty model at design time, RecordDefinitionException at run time.
  plat::lang::Ref<DataModel> generateDataModel();
  // Sets the type of each model column from the result's metadata, adding the columns the model lacks.
  void updateDataModel(plat::sql::ResultSetMetaData& resultMetaData);

  // Writes the row by its operation through insert(), update() or delete(), then makes it clean.
  int save() override;
  // Read-only by default: each fails with the help text naming the operation.
  virtual int insert();
  virtual int update();
  virtual int deleteRow();
  // The adapter's bean; RuntimeException "There is no SQL adapter." without an adapter.
  plat::lang::Ref<binding::Connection> getConnection() override;
  std::string getStatement() override;

  // Refused: not applicable with an SQL adapter, or to be supplied by the row class.
  plat::lang::Ref<RecordEnumeration> querySimilarObjects() override;
  plat::lang::Ref<RecordEnumeration> querySimilarObjects(const std::string& where,
                                                         const std::vector<std::string>& orderBy) override;
  plat::lang::Ref<RecordEnumeration> querySimilarObjects(
      const std::string& where, const plat::lang::Ref<binding::Synchronizable::JoinRecordList>& joinRecordList,
      const std::vector<std::string>& orderBy) override;
  void setValueAsQBE(int column, const plat::lang::Value& value, bool check) override;
  void getQBEObjectValues(std::vector<std::string>& entries) override;
  void checkQBEValues() override;
  plat::lang::Ref<binding::PersistentObjectModel> getDataModel() override;
  virtual void setDataModel(const plat::lang::Ref<DataModel>& model);
  void close() override {}

  std::string getClassName() const override { return kClassName; }

 private:
  plat::lang::Ref<SQLAdapter> requireAdapter() const;
  [[noreturn]] void readOnly(const std::string& operation);
  [[noreturn]] static void notApplicable(const std::string& operation);
  [[noreturn]] static void unexpectedIn(const std::string& operation, const std::exception& cause);

  static std::atomic<bool> debug_;
  plat::lang::Ref<SQLAdapter> m_SQLAdapter;  // guarded by m_Lock
  std::string m_SQL;                         // guarded by m_Lock
};

}  // namespace quenlora::zafoli::db::beans::jdbc
