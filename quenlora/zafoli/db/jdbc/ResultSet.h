// The driver's forward-only cursor over a query result that stays on the server ("ProxyJDBCResultSet"). Rows come
// in batches sized from the columns' display sizes; while the caller only moves and reads nothing, it asks for
// validity flags of many rows at once instead (skip mode). Long values are read through a remote stream. Owned by
// the statement or metadata object that made it. Used by one thread at a time; the rows of its batch are its own,
// never handed out, so their values are read without the rows' lock.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/sql/ResultSet.h"
#include "quenlora/zafoli/db/jdbc/OpenObjects.h"
#include "quenlora/zafoli/db/jdbc/ProxyObject.h"
#include "quenlora/zafoli/db/net/BinaryInputStream.h"
#include "quenlora/zafoli/db/net/Entity.h"
#include "quenlora/zafoli/db/net/NetRecord.h"
#include "quenlora/zafoli/db/net/Reply.h"

namespace quenlora::zafoli::db::jdbc {

class ResultSetMetaData;

using ResultSetList = OpenObjects<plat::sql::ResultSet>;

class ResultSet final : public plat::sql::ResultSet, private ProxyObject {
 public:
  using plat::sql::ResultSet::getAsciiStream;
  using plat::sql::ResultSet::getBigDecimal;
  using plat::sql::ResultSet::getBinaryStream;
  using plat::sql::ResultSet::getBoolean;
  using plat::sql::ResultSet::getByte;
  using plat::sql::ResultSet::getBytes;
  using plat::sql::ResultSet::getDate;
  using plat::sql::ResultSet::getDouble;
  using plat::sql::ResultSet::getFloat;
  using plat::sql::ResultSet::getInt;
  using plat::sql::ResultSet::getLong;
  using plat::sql::ResultSet::getObject;
  using plat::sql::ResultSet::getShort;
  using plat::sql::ResultSet::getString;
  using plat::sql::ResultSet::getTime;
  using plat::sql::ResultSet::getTimestamp;
  using plat::sql::ResultSet::getUnicodeStream;

  static constexpr const char* kClassName = "quenlora.zafoli.db.jdbc.ResultSet";
  static constexpr const char* SERVER_CLASS = "ProxyJDBCResultSet";
  static constexpr int METHOD_getStream = 0;
  static constexpr int METHOD_next = 1;
  static constexpr int METHOD_close = 2;
  static constexpr int METHOD_getWarnings = 3;
  static constexpr int METHOD_clearWarnings = 4;
  static constexpr int METHOD_getCursorName = 5;
  static constexpr int METHOD_getMetaData = 6;  // answered locally; never sent
  static constexpr int METHOD_validateRows = 7;

  static constexpr const char* kClosed = "Error: Remote object is closed.";
  static constexpr const char* kInvalidRow = "Error: Invalid Row position.";
  static constexpr const char* kInvalidResultSet = "Attempting to access an invalid ResultSet";

  // Element 0 of the reply is the server result set's id, element 1 its description; a reply of the id alone is
  // a result set closed from the start. owner, when given, is the list the result set leaves on close.
  ResultSet(const net::Reply& reply, SessionRef session, plat::lang::WeakRef<ResultSetList> owner = {});
  ~ResultSet() override;

  // Keeps the statement that made this result set alive until the result set closes.
  void holdStatement(plat::lang::Ref<plat::lang::Object> statement) { statement_ = std::move(statement); }

  bool next() override;
  // Best effort: the server close and the local marks happen even when the call fails; the failure is rethrown.
  void close() override;
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
  plat::math::Decimal getBigDecimal(int column) override;
  std::vector<std::uint8_t> getBytes(int column) override;
  plat::time::Date getDate(int column) override;
  plat::time::Time getTime(int column) override;
  plat::time::Timestamp getTimestamp(int column) override;
  InputStreamRef getAsciiStream(int column) override;
  InputStreamRef getUnicodeStream(int column) override;
  InputStreamRef getBinaryStream(int column) override;
  plat::lang::Value getObject(int column) override;

  std::shared_ptr<plat::sql::SQLWarning> getWarnings() override;
  void clearWarnings() override;
  std::string getCursorName() override;
  plat::lang::Ref<plat::sql::ResultSetMetaData> getMetaData() override;
  int findColumn(const std::string& name) override;

  std::string getClassName() const override { return kClassName; }

  bool isClosed() const override { return _isClosed; }
  // Rows asked for by each row fetch.
  int getRowsPerFetch() const { return _numRowstoRequest; }

 private:
  // One value read: from the row when it carries the column, else through the server's stream.
  template <class T, class FromRow, class FromStream>
  T read(int column, T nullValue, FromRow&& fromRow, FromStream&& fromStream);
  // The current row, as a getter needs it: marks that a value was asked for.
  net::NetRecord& fetchRecord();
  // The current row, from the batch or fetched with its batch.
  net::NetRecord& lookupRecord();
  // The server stream of the current row's column.
  std::int32_t openStream(int column);
  InputStreamRef streamOf(int column, InputStreamRef (net::Field::*fromRow)() const);
  // The checks of every get: the common case inline, the failures out of line.
  void checkOpen() const {
    if (_isClosed) [[unlikely]]
      closedError();
  }
  void checkColumn(int column) const {
    if (column < 1 || column > columnCount_) [[unlikely]]
      columnError(column);
  }
  [[noreturn]] static void closedError();
  [[noreturn]] static void columnError(int column);
  void closeValueStream() {
    // Nearly every get finds no stream handed out, or only one its caller has dropped.
    if (valueStream_.expired()) {
      valueStream_.reset();
      return;
    }
    closeLiveValueStream();
  }
  void closeLiveValueStream();

  plat::lang::Ref<net::Entity> entity_;
  int columnCount_ = 0;  // entity_'s, which is read-only; 0 without one
  plat::lang::Ref<ResultSetMetaData> _metadata;
  std::map<std::string, int> _colNames;
  std::vector<plat::lang::Ref<net::NetRecord>> _rows;  // the current batch
  std::int32_t _firstRow = 0;                          // row number of _rows[0]
  int _numRowstoRequest = 1;
  std::int32_t _curRecNum = 0;      // 1-based; 0 before the first next()
  net::NetRecord* _rec = nullptr;   // the current row, held by _rows; null before _rows changes
  net::Reply _validRows;            // the current batch of validity flags
  std::int32_t _firstValidRow = 0;  // row number of the first flag
  bool _allRowsRead = false;
  bool _getXXXCalled = false;  // never reset
  bool _isClosed = false;
  bool lastNull_ = false;                                   // wasNull() of the last value read
  plat::lang::WeakRef<plat::io::InputStream> valueStream_;  // the last stream handed out
  plat::lang::WeakRef<ResultSetList> owner_;
  // The statement that made this result set, kept alive until close: a caller may drop a temporary statement
  // and still read its result.
  plat::lang::Ref<plat::lang::Object> statement_;
};

}  // namespace quenlora::zafoli::db::jdbc
