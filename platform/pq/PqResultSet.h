// The rows of one query result: read whole from the server, or a batch at a time through the session's cursor
// (see PqSession), so that a large result takes little memory; reading a batch takes no lock. Several result sets of
// one connection may be open at once. Closed by close(), by its statement's next execution or close, or by the
// connection's close. Used by one thread at a time.
#pragma once

#include <memory>
#include <string>

#include "platform/pq/PqSession.h"
#include "platform/pq/PqTimes.h"
#include "platform/sql/ResultSet.h"

namespace plat::sql::pq {

class PqResultSet : public ResultSet {
 public:
  // cursor: where the rows after result come from; null when result holds them all.
  PqResultSet(std::shared_ptr<PqSession> session, PqResultRef result, int maxRows,
              std::shared_ptr<PqSession::Cursor> cursor = nullptr);
  ~PqResultSet() override;

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

  bool next() override;
  void close() override;
  bool isClosed() const override;
  bool wasNull() override;

  std::string getString(int column) override;
  bool getBoolean(int column) override;
  std::int8_t getByte(int column) override;
  std::int16_t getShort(int column) override;
  std::int32_t getInt(int column) override;
  std::int64_t getLong(int column) override;
  float getFloat(int column) override;
  double getDouble(int column) override;
  // A negative scale gives the value as the server stored it.
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

  std::string getClassName() const override { return "plat.sql.pq.PqResultSet"; }

 private:
  // Inline: every getter asks, once per value.
  void checkOpen() const {
    if (closed_) resultSetClosed();
    session_->checkOpen();
  }
  [[noreturn]] static void resultSetClosed();
  // The cell's text, or null for SQL NULL; sets wasNull. SQLException off a row or for a bad column.
  const char* cell(int column);
  [[noreturn]] void badValue(const char* type, const char* text) const;
  // Reads a date or time text of the server's shape into parsed; false for another shape. SQLException for a
  // text of that shape outside the platform's range, or a BC text it cannot read.
  bool serverTime(const char* text, ServerTime& parsed) const;

  std::shared_ptr<PqSession> session_;
  PqResultRef result_;                           // the batch being read
  std::shared_ptr<PqSession::Cursor> cursor_;    // null once every batch has arrived
  plat::lang::Ref<ResultSetMetaData> metaData_;  // made at the first request; dropped with the result
  int rows_;                                     // of result_
  int columns_;                                  // of every batch
  int row_ = -1;
  int maxRows_;
  std::int64_t read_ = 0;  // rows given by next()
  bool closed_ = false;
  bool wasNull_ = false;
};

}  // namespace plat::sql::pq
