// A result set over the canned columns and rows of a scripted reply, so the result-set server object reads scripted
// and database results alike. Its metadata class answers from the scripted columns. Used by one thread at a time.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/sql/ResultSet.h"
#include "platform/sql/ResultSetMetaData.h"
#include "testkit/middleware/sql/SqlScript.h"

namespace testkit::middleware::sql {

class ScriptedResultSetMetaData : public plat::sql::ResultSetMetaData {
 public:
  explicit ScriptedResultSetMetaData(std::vector<ScriptedColumn> columns) : columns_(std::move(columns)) {}

  int getColumnCount() override { return static_cast<int>(columns_.size()); }
  bool isAutoIncrement(int) override { return false; }
  bool isCaseSensitive(int) override { return true; }
  bool isSearchable(int) override { return true; }
  bool isCurrency(int) override { return false; }
  int isNullable(int) override { return columnNullable; }
  bool isSigned(int column) override;
  int getColumnDisplaySize(int column) override { return at(column).displaySize; }
  std::string getColumnLabel(int column) override { return at(column).name; }
  std::string getColumnName(int column) override { return at(column).name; }
  std::string getSchemaName(int) override { return ""; }
  int getPrecision(int column) override { return at(column).displaySize; }
  int getScale(int) override { return 0; }
  std::string getTableName(int) override { return ""; }
  std::string getCatalogName(int) override { return ""; }
  int getColumnType(int column) override { return at(column).sqlType; }
  std::string getColumnTypeName(int column) override;
  bool isReadOnly(int) override { return true; }
  bool isWritable(int) override { return false; }
  bool isDefinitelyWritable(int) override { return false; }

 private:
  const ScriptedColumn& at(int column) const;

  std::vector<ScriptedColumn> columns_;
};

class ScriptedResultSet : public plat::sql::ResultSet {
 public:
  explicit ScriptedResultSet(const ScriptedReply& reply);

  bool next() override;
  void close() override { closed_ = true; }
  bool wasNull() override { return wasNull_; }

  std::string getString(int column) override;
  bool getBoolean(int column) override;
  std::int8_t getByte(int column) override { return static_cast<std::int8_t>(number(column)); }
  std::int16_t getShort(int column) override { return static_cast<std::int16_t>(number(column)); }
  std::int32_t getInt(int column) override { return static_cast<std::int32_t>(number(column)); }
  std::int64_t getLong(int column) override { return number(column); }
  float getFloat(int column) override;
  double getDouble(int column) override;
  std::vector<std::uint8_t> getBytes(int column) override;
  plat::lang::Value getObject(int column) override { return value(column); }
  std::string getCursorName() override { return "scripted"; }
  std::shared_ptr<plat::sql::SQLWarning> getWarnings() override { return nullptr; }
  void clearWarnings() override {}
  plat::lang::Ref<plat::sql::ResultSetMetaData> getMetaData() override { return metaData_; }
  int findColumn(const std::string& name) override;

 private:
  const plat::lang::Value& value(int column);
  std::int64_t number(int column);

  std::vector<ScriptedColumn> columns_;
  std::vector<std::vector<plat::lang::Value>> rows_;
  plat::lang::Ref<ScriptedResultSetMetaData> metaData_;
  std::size_t next_ = 0;  // index of the row the next move reaches
  bool onRow_ = false;
  bool closed_ = false;
  bool wasNull_ = false;
};

}  // namespace testkit::middleware::sql
