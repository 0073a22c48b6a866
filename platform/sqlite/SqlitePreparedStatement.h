// A prepared statement on an SQLite connection: compiled once, its parameters kept here and bound at each run, so
// setting a parameter never disturbs a result set still being read. Used by one thread at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/sql/PreparedStatement.h"
#include "platform/sqlite/SqliteExecution.h"
#include "platform/sqlite/SqliteStatementBase.h"

namespace plat::sql::sqlite {

class SqlitePreparedStatement : public SqliteStatementBase<PreparedStatement> {
 public:
  using PreparedStatement::execute;
  using PreparedStatement::executeQuery;
  using PreparedStatement::executeUpdate;
  using PreparedStatement::setObject;

  // Stream setters read at most this many bytes, the largest value SQLite takes.
  static constexpr int kMaxStreamLength = 1000000000;
  // Decimals of up to this many digits survive SQLite's conversion of numeric text to a real.
  static constexpr int kExactRealDigits = 15;

  // Compiles sql (its first statement); SQLException with SQLite's message on a syntax error.
  SqlitePreparedStatement(std::shared_ptr<SqliteDatabase> db, const std::string& sql);
  ~SqlitePreparedStatement() override;

  plat::lang::Ref<ResultSet> executeQuery() override;
  int executeUpdate() override;
  bool execute() override;
  void clearParameters() override;

  // A prepared statement runs its own SQL only; these raise SQLException.
  plat::lang::Ref<ResultSet> executeQuery(const std::string& sql) override;
  int executeUpdate(const std::string& sql) override;
  bool execute(const std::string& sql) override;

  void setNull(int index, int sqlType) override;
  void setBoolean(int index, bool value) override;
  void setByte(int index, std::int8_t value) override;
  void setShort(int index, std::int16_t value) override;
  void setInt(int index, std::int32_t value) override;
  void setLong(int index, std::int64_t value) override;
  void setFloat(int index, float value) override;
  void setDouble(int index, double value) override;
  void setBigDecimal(int index, const plat::math::Decimal& value) override;
  void setString(int index, const std::string& value) override;
  void setBytes(int index, const std::vector<std::uint8_t>& value) override;
  void setDate(int index, const plat::time::Date& value) override;
  void setTime(int index, const plat::time::Time& value) override;
  void setTimestamp(int index, const plat::time::Timestamp& value) override;
  void setAsciiStream(int index, const plat::lang::Ref<plat::io::InputStream>& stream, int length) override;
  void setUnicodeStream(int index, const plat::lang::Ref<plat::io::InputStream>& stream, int length) override;
  void setBinaryStream(int index, const plat::lang::Ref<plat::io::InputStream>& stream, int length) override;
  void setObject(int index, const plat::lang::Value& value, int targetSqlType, int scale) override;
  void setObject(int index, const plat::lang::Value& value, int targetSqlType) override;
  void setObject(int index, const plat::lang::Value& value) override;

  void close() override;

 private:
  struct Text {
    std::string text;
  };
  using Parameter = std::variant<std::monostate, std::int64_t, double, Text, std::vector<std::uint8_t>>;

  void set(int index, Parameter value);
  bool run(SqliteExecution::Expect expect);
  std::vector<std::uint8_t> readStream(const plat::lang::Ref<plat::io::InputStream>& stream, int length);

  std::string sql_;  // the text compiled, under which the compiled statement is given back on close (moved then)
  std::shared_ptr<SqliteStmt> stmt_;
  std::vector<std::optional<Parameter>> parameters_;  // one per marker; empty until set
};

}  // namespace plat::sql::sqlite
