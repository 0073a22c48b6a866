// Server object "ProxyJDBCResultSet": a forward-only database result read by the client in batches. It reads rows
// from the database cursor only as far as asked and keeps the rows from the start of the last request on, so the
// client may fetch, validate and ask for long values of any row it was last sent or told about. Long values
// (LONGVARCHAR, LONGVARBINARY) are not sent in rows; getStream hands them out as a "ProxyStream". Replies stay
// below one packet: a fetch sends fewer rows than asked rather than overflowing it. Called under its scope's lock.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "platform/lang/Value.h"
#include "platform/sql/ResultSet.h"
#include "testkit/middleware/ServerObject.h"
#include "testkit/middleware/sql/ObjectScope.h"
#include "testkit/middleware/sql/SqlWire.h"

namespace testkit::middleware::sql {

class ProxyJDBCResultSet : public ServerObject {
 public:
  static constexpr int METHOD_getStream = 0;
  static constexpr int METHOD_next = 1;
  static constexpr int METHOD_close = 2;
  static constexpr int METHOD_getWarnings = 3;
  static constexpr int METHOD_clearWarnings = 4;
  static constexpr int METHOD_getCursorName = 5;
  static constexpr int METHOD_getMetaData = 6;
  static constexpr int METHOD_validateRows = 7;
  // Largest reply of a row fetch; a packet payload can hold 65533 bytes.
  static constexpr std::size_t kMaxReplyBytes = 60000;

  // How long columns travel: through streams, or (catalog results, whose names and remarks are short) inside the
  // rows as VARCHAR and VARBINARY.
  enum class Longs { Streamed, Inline };
  // Display size reported for an inline long column whose size has no bound.
  static constexpr int kInlineDisplaySize = 128;

  ProxyJDBCResultSet(std::shared_ptr<ObjectScope> scope, plat::lang::Ref<plat::sql::ResultSet> rows,
                     Longs longs = Longs::Streamed);
  ~ProxyJDBCResultSet() override;
  ProxyJDBCResultSet(const ProxyJDBCResultSet&) = delete;
  ProxyJDBCResultSet& operator=(const ProxyJDBCResultSet&) = delete;

  // The reply that opens a result on the client: this object's id (added to the server here) and the
  // description of the columns.
  static std::vector<Encoded> open(const std::shared_ptr<ObjectScope>& scope,
                                   plat::lang::Ref<plat::sql::ResultSet> rows, Longs longs = Longs::Streamed);

  std::vector<Encoded> invoke(int method, const std::vector<Arg>& args) override;

  const std::vector<ColumnInfo>& columns() const { return columns_; }

 private:
  // How a column's values reach the row: straight from the typed getter of the common column types, or through a
  // Value (every other type, and every column of a scripted result).
  enum class Read { ThroughValue, Int, Long, Double, Text };

  struct Row {
    Bytes encoded;                                        // the whole row as it goes out
    std::vector<std::optional<plat::lang::Value>> longs;  // per column: the value of a long column; empty if none
  };

  static Read readOf(int sqlType);
  std::vector<Encoded> fetch(std::int32_t wanted, std::int32_t first);
  std::vector<Encoded> validate(std::int32_t wanted, std::int32_t first);
  std::vector<Encoded> stream(std::int32_t row, std::int32_t column);
  // Drops rows before first, then reads until row last is held or the cursor ends; false when first is gone.
  bool hold(std::int32_t first, std::int32_t last);
  // Checks the request's first row and count, holds its rows and returns the last row asked for.
  std::int32_t holdRequested(std::int32_t wanted, std::int32_t first);
  Row readRow(std::int32_t number);
  plat::lang::Value readColumn(int column);
  // Appends the column's value read by its getter, the bytes appendField gives readColumn's Value; for the reads
  // other than ThroughValue.
  void appendRead(ByteWriter& out, int column, Read read);
  // A value that does not read as its column's type (SQLite keeps what it was given) goes as its text.
  plat::lang::Value textOf(int column);
  const Row* rowAt(std::int32_t number) const;
  void checkOpen() const;

  std::shared_ptr<ObjectScope> scope_;
  plat::lang::Ref<plat::sql::ResultSet> rows_;
  std::vector<ColumnInfo> columns_;
  std::vector<Read> reads_;  // per column
  bool scripted_ = false;
  bool hasLongs_ = false;
  std::deque<Row> window_;  // rows windowFirst_, windowFirst_ + 1, ...
  // The buffers of rows dropped from the window, for the rows read next: a row costs no allocation of its own once
  // the window has moved. At most a request's rows.
  std::vector<Bytes> spareBuffers_;
  std::int32_t windowFirst_ = 1;
  bool ended_ = false;  // the cursor has no more rows
  bool closed_ = false;
};

// The description of the columns of a result.
std::vector<ColumnInfo> describe(plat::sql::ResultSet& rows);

}  // namespace testkit::middleware::sql
