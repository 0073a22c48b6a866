// A forward-only cursor over the rows of one compiled SQLite statement. The statement has been stepped once when the
// result set is made, so the first row (if any) is waiting. Closing resets the statement so its owner may run it
// again, and runs the owner's close action. Used by one thread at a time.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/sql/ResultSet.h"
#include "platform/sqlite/SqliteDatabase.h"
#include "platform/sqlite/SqliteResultSetMetaData.h"

namespace plat::sql::sqlite {

class SqliteResultSet : public ResultSet {
 public:
  using ResultSet::getAsciiStream;
  using ResultSet::getBigDecimal;
  using ResultSet::getBinaryStream;
  using ResultSet::getBoolean;
  using ResultSet::getByte;
  using ResultSet::getBytes;
  using ResultSet::getDate;
  using ResultSet::getDouble;
  using ResultSet::getFloat;
  using ResultSet::getInt;
  using ResultSet::getLong;
  using ResultSet::getObject;
  using ResultSet::getShort;
  using ResultSet::getString;
  using ResultSet::getTime;
  using ResultSet::getTimestamp;
  using ResultSet::getUnicodeStream;

  // hasRow: the first step gave a row. maxRows: 0 for no limit. onClose runs once, when the result set closes.
  SqliteResultSet(std::shared_ptr<SqliteStmt> stmt, bool hasRow, int maxRows, std::function<void()> onClose = {});
  ~SqliteResultSet() override;

  bool next() override;
  void close() override;
  bool isClosed() const override { return stmt_ == nullptr; }
  void setOnClose(std::function<void()> onClose) { onClose_ = std::move(onClose); }
  bool wasNull() override;

  std::string getString(int column) override;
  bool getBoolean(int column) override;
  std::int8_t getByte(int column) override;
  std::int16_t getShort(int column) override;
  std::int32_t getInt(int column) override;
  std::int64_t getLong(int column) override;
  float getFloat(int column) override;
  double getDouble(int column) override;
  plat::math::Decimal getBigDecimal(int column, int scale) override;
  plat::math::Decimal getBigDecimal(int column) override { return getBigDecimal(column, -1); }
  std::vector<std::uint8_t> getBytes(int column) override;
  plat::time::Date getDate(int column) override;
  plat::time::Time getTime(int column) override;
  plat::time::Timestamp getTimestamp(int column) override;
  InputStreamRef getAsciiStream(int column) override;
  InputStreamRef getUnicodeStream(int column) override;
  InputStreamRef getBinaryStream(int column) override;
  plat::lang::Value getObject(int column) override;

  std::shared_ptr<SQLWarning> getWarnings() override;
  void clearWarnings() override;
  std::string getCursorName() override;
  plat::lang::Ref<ResultSetMetaData> getMetaData() override;
  int findColumn(const std::string& name) override;

 private:
  enum class Position { BeforeFirst, OnRow, AfterLast };

  sqlite3_stmt* open() const;
  // Checks the object, the index and the row; the statement.
  sqlite3_stmt* onRow(int column);
  // onRow, then records wasNull and answers the storage class of the cell.
  int cell(int column);
  // The cell's text; an SQLException when SQLite could not get the memory to convert the value.
  std::string textAt(int column);
  std::int64_t integerAt(int column, std::int64_t min, std::int64_t max, const char* typeName);
  // integerAt for a cell not stored as an integer.
  std::int64_t convertedInteger(int column, int storage, std::int64_t min, std::int64_t max, const char* typeName);
  double realAt(int column, const char* typeName);
  // realAt for a cell stored as text or bytes.
  double parsedReal(int column, int storage, const char* typeName);
  plat::lang::Value valueOfStorage(int column, int storage);

  std::shared_ptr<SqliteStmt> stmt_;  // null once closed
  std::shared_ptr<const std::vector<SqliteColumn>> columns_;
  plat::lang::Ref<ResultSetMetaData> metaData_;  // made on first request; describes columns_, which never change
  std::function<void()> onClose_;
  Position position_ = Position::BeforeFirst;
  bool firstRowWaiting_;
  int maxRows_;
  std::int64_t rowsRead_ = 0;
  bool wasNull_ = false;
};

}  // namespace plat::sql::sqlite
