#include "quenlora/zafoli/db/jdbc/ResultSet.h"

#include <algorithm>
#include <limits>

#include "platform/lang/Exceptions.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/jdbc/ResultSetMetaData.h"
#include "quenlora/zafoli/db/jdbc/ValueStream.h"
#include "quenlora/zafoli/db/net/BestEffort.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/FetchSize.h"
#include "quenlora/zafoli/db/net/Param.h"

namespace quenlora::zafoli::db::jdbc {

namespace {

using net::BinaryInputStream;
using net::NetRecord;
using net::Param;

// The arguments of the row calls carry id 1.
constexpr std::uint8_t kArgId = 1;

std::int32_t resultSetID(const net::Reply& reply) {
  return reply.getInt(0);
}

bool inBatch(std::int32_t row, std::int32_t first, std::size_t count) {
  return row >= first && static_cast<std::int64_t>(row) - first < static_cast<std::int64_t>(count);
}

// Parses text the server sent for a value; the parser's complaint becomes SQLException.
template <class F>
auto parsed(F&& parse) {
  try {
    return parse();
  } catch (const plat::lang::IllegalArgumentException& e) {
    throw plat::sql::SQLException(e.getMessage());
  } catch (const plat::lang::ArithmeticException& e) {
    throw plat::sql::SQLException(e.getMessage());
  }
}

}  // namespace

ResultSet::ResultSet(const net::Reply& reply, SessionRef session, plat::lang::WeakRef<ResultSetList> owner)
    : ProxyObject(SERVER_CLASS, resultSetID(reply), std::move(session)), owner_(std::move(owner)) {
  if (!reply.has(1)) {
    _isClosed = true;
    disable();
    return;
  }
  entity_ = reply.as<net::Entity>(1);
  columnCount_ = entity_->getColumnCount();
  _metadata = plat::lang::makeRef<ResultSetMetaData>(entity_);
  const auto& names = entity_->getColumnList();
  std::vector<int> sizes;
  for (int col = 1; col <= entity_->getColumnCount(); ++col) {
    // A later column of the same name replaces the earlier one.
    if (static_cast<std::size_t>(col) <= names.size()) _colNames[names[col - 1]] = col;
    sizes.push_back(entity_->getColumnDisplaySize(col));
  }
  _numRowstoRequest = net::FetchSize::rowsPerFetch(sizes);
}

ResultSet::~ResultSet() {
  try {
    close();
  } catch (...) {
    // Discarding an open result set closes it; a failure then has nobody to go to.
  }
}

void ResultSet::closedError() {
  throw plat::sql::SQLException(kClosed);
}

void ResultSet::columnError(int column) {
  throw plat::sql::SQLException("Column index is out-of-range: " + std::to_string(column));
}

void ResultSet::closeLiveValueStream() {
  if (auto stream = valueStream_.lock()) {
    try {
      stream->close();
    } catch (const plat::lang::Exception&) {
      // The caller's stream is finished with either way.
    }
  }
  valueStream_.reset();
}

bool ResultSet::next() {
  checkOpen();
  if (_allRowsRead) return false;
  closeValueStream();
  const int n = _numRowstoRequest;
  if (_curRecNum >= n && !_getXXXCalled) {
    // Skip mode: only validity flags travel.
    const std::int32_t wanted = _curRecNum + 1;
    if (!inBatch(wanted, _firstValidRow, _validRows.size())) {
      const std::int64_t flags = std::int64_t{n} * 2;
      _validRows = invokeMethod(METHOD_validateRows,
                                Args{Param::ofInt(kArgId, static_cast<std::int32_t>(std::min<std::int64_t>(
                                                              flags, std::numeric_limits<std::int32_t>::max()))),
                                     Param::ofInt(kArgId, wanted)});
      _firstValidRow = wanted;
    }
    if (inBatch(wanted, _firstValidRow, _validRows.size())) {
      _curRecNum = wanted;
      _rec = nullptr;
      const bool valid = _validRows.getBoolean(static_cast<std::size_t>(wanted - _firstValidRow));
      if (!valid) _allRowsRead = true;
      return valid;
    }
    // No flag for the wanted row: the server has no more rows.
    _allRowsRead = true;
    _rec = nullptr;
    return false;
  }
  _rec = nullptr;
  ++_curRecNum;
  try {
    lookupRecord();
  } catch (const plat::sql::SQLException&) {
    if (!_allRowsRead) throw;
  }
  if (_allRowsRead) {
    _rec = nullptr;
    return false;
  }
  return true;
}

NetRecord& ResultSet::fetchRecord() {
  checkOpen();
  _getXXXCalled = true;
  return _rec ? *_rec : lookupRecord();
}

NetRecord& ResultSet::lookupRecord() {
  checkOpen();
  if (_rec) return *_rec;
  if (_curRecNum == 0 || _allRowsRead) throw plat::sql::SQLException(kInvalidRow);
  if (!inBatch(_curRecNum, _firstRow, _rows.size())) {
    const net::Reply batch =
        invokeMethod(METHOD_next, Args{Param::ofInt(kArgId, _numRowstoRequest), Param::ofInt(kArgId, _curRecNum)});
    std::vector<plat::lang::Ref<NetRecord>> rows;
    rows.reserve(batch.size());
    for (std::size_t i = 0; i < batch.size(); ++i) rows.push_back(batch.as<NetRecord>(i));
    _rows = std::move(rows);
    _firstRow = _curRecNum;
  }
  if (inBatch(_curRecNum, _firstRow, _rows.size())) {
    _rec = _rows[static_cast<std::size_t>(_curRecNum - _firstRow)].get();
    if (_rec->getState() == net::Define::RECSTATE_INVALID) _allRowsRead = true;
    return *_rec;
  }
  // An empty batch, or one short of the wanted row: the server has no more rows.
  _allRowsRead = true;
  throw plat::sql::SQLException(kInvalidRow);
}

bool ResultSet::wasNull() {
  checkOpen();
  _getXXXCalled = true;
  return lastNull_;
}

std::int32_t ResultSet::openStream(int column) {
  const net::Reply reply =
      invokeMethod(METHOD_getStream, Args{Param::ofInt(kArgId, _curRecNum), Param::ofInt(kArgId, column)});
  if (reply.empty()) throw plat::sql::SQLException(kInvalidResultSet);
  return reply.getInt(0);
}

template <class T, class FromRow, class FromStream>
T ResultSet::read(int column, T nullValue, FromRow&& fromRow, FromStream&& fromStream) {
  NetRecord& rec = fetchRecord();
  closeValueStream();
  checkColumn(column);
  // The value's kind, the value and its null flag in one access of the row; the value is made in its final place
  // (a text is not copied on its way out), and the null flag is noted only once the conversion succeeded.
  const auto fromThisRow = [&](const net::Field& field) {
    T value = fromRow(field);
    lastNull_ = field.isNull();
    return value;
  };
  return rec.withValueUnlocked(column, [&](const net::Field& field) -> T {
    if (field.storesData()) [[likely]]
      return fromThisRow(field);
    // A long value: its null flag travels in the row, the value itself through a server stream.
    lastNull_ = field.isNull();
    if (lastNull_) return nullValue;
    BinaryInputStream stream(openStream(column), *getSession());
    return fromStream(stream);
  });
}

std::string ResultSet::getString(int column) {
  return read(
      column, std::string(), [](const net::Field& f) { return f.getStringOrEmpty(); },
      [](BinaryInputStream& s) { return s.getString(); });
}

bool ResultSet::getBoolean(int column) {
  return read(
      column, false, [](const net::Field& f) { return f.getBoolean(); },
      [](BinaryInputStream& s) { return s.getBool(); });
}

std::int8_t ResultSet::getByte(int column) {
  return read(
      column, std::int8_t{0}, [](const net::Field& f) { return f.getByte(); },
      [](BinaryInputStream& s) { return s.getByte(); });
}

std::int16_t ResultSet::getShort(int column) {
  return read(
      column, std::int16_t{0}, [](const net::Field& f) { return f.getShort(); },
      [](BinaryInputStream& s) { return s.getShort(); });
}

std::int32_t ResultSet::getInt(int column) {
  return read(
      column, std::int32_t{0}, [](const net::Field& f) { return f.getInt(); },
      [](BinaryInputStream& s) { return s.getInt(); });
}

std::int64_t ResultSet::getLong(int column) {
  return read(
      column, std::int64_t{0}, [](const net::Field& f) { return f.getLong(); },
      [](BinaryInputStream& s) { return s.getLong(); });
}

float ResultSet::getFloat(int column) {
  return read(
      column, 0.0f, [](const net::Field& f) { return f.getFloat(); },
      [](BinaryInputStream& s) { return s.getFloat(); });
}

double ResultSet::getDouble(int column) {
  return read(
      column, 0.0, [](const net::Field& f) { return f.getDouble(); },
      [](BinaryInputStream& s) { return s.getDouble(); });
}

plat::math::Decimal ResultSet::getBigDecimal(int column, int scale) {
  return read(
      column, plat::math::Decimal(),
      [scale](const net::Field& f) { return f.getBigDecimal(scale).value_or(plat::math::Decimal()); },
      [](BinaryInputStream& s) {
        const std::string text = s.getString();
        return parsed([&] { return plat::math::Decimal(text); });
      });
}

plat::math::Decimal ResultSet::getBigDecimal(int column) {
  // The value's text has every digit it holds, at its own scale.
  return read(
      column, plat::math::Decimal(),
      [](const net::Field& f) {
        auto text = f.getString();
        if (!text) return plat::math::Decimal();
        while (!text->empty() && text->back() == ' ') text->pop_back();  // a CHAR column's padding
        return parsed([&] { return plat::math::Decimal(*text); });
      },
      [](BinaryInputStream& s) {
        const std::string text = s.getString();
        return parsed([&] { return plat::math::Decimal(text); });
      });
}

std::vector<std::uint8_t> ResultSet::getBytes(int column) {
  return read(
      column, std::vector<std::uint8_t>(), [](const net::Field& f) { return f.getBytes(); },
      [](BinaryInputStream& s) { return s.getBytes(); });
}

plat::time::Date ResultSet::getDate(int column) {
  return read(
      column, plat::time::Date(), [](const net::Field& f) { return f.getDate().value_or(plat::time::Date()); },
      [](BinaryInputStream& s) {
        const std::string text = s.getString();
        return parsed([&] { return plat::time::Date::valueOf(text); });
      });
}

plat::time::Time ResultSet::getTime(int column) {
  return read(
      column, plat::time::Time(), [](const net::Field& f) { return f.getTime().value_or(plat::time::Time()); },
      [](BinaryInputStream& s) {
        const std::string text = s.getString();
        return parsed([&] { return plat::time::Time::valueOf(text); });
      });
}

plat::time::Timestamp ResultSet::getTimestamp(int column) {
  return read(
      column, plat::time::Timestamp(),
      [](const net::Field& f) { return f.getTimestamp().value_or(plat::time::Timestamp()); },
      [](BinaryInputStream& s) {
        const std::string text = s.getString();
        return parsed([&] { return plat::time::Timestamp::valueOf(text); });
      });
}

plat::sql::ResultSet::InputStreamRef ResultSet::streamOf(int column, InputStreamRef (net::Field::*fromRow)() const) {
  NetRecord& rec = fetchRecord();
  closeValueStream();
  checkColumn(column);
  InputStreamRef inRow;
  const bool stored = rec.withValueUnlocked(column, [&](const net::Field& field) {
    lastNull_ = field.isNull();
    if (!field.storesData()) return false;
    inRow = (field.*fromRow)();
    return true;
  });
  if (stored) return inRow;
  if (lastNull_) return nullptr;
  auto stream = plat::lang::makeRef<ValueStream>(openStream(column), getSession());
  valueStream_ = stream;
  return stream;
}

plat::sql::ResultSet::InputStreamRef ResultSet::getAsciiStream(int column) {
  return streamOf(column, &net::Field::getAsciiStream);
}

plat::sql::ResultSet::InputStreamRef ResultSet::getUnicodeStream(int column) {
  return streamOf(column, &net::Field::getUnicodeStream);
}

plat::sql::ResultSet::InputStreamRef ResultSet::getBinaryStream(int column) {
  return streamOf(column, &net::Field::getBinaryStream);
}

plat::lang::Value ResultSet::getObject(int column) {
  const bool isText = entity_ && column >= 1 && column <= entity_->getColumnCount() &&
                      entity_->getColumnType(column) == plat::sql::Types::LONGVARCHAR;
  return read(
      column, plat::lang::Value(), [](const net::Field& f) { return f.getObject(); },
      [isText](BinaryInputStream& s) {
        return isText ? plat::lang::Value(s.getString()) : plat::lang::Value::ofBytes(s.getBytes());
      });
}

std::shared_ptr<plat::sql::SQLWarning> ResultSet::getWarnings() {
  checkOpen();
  return invokeMethod(METHOD_getWarnings).warnings();
}

void ResultSet::clearWarnings() {
  checkOpen();
  invokeMethod(METHOD_clearWarnings);
}

std::string ResultSet::getCursorName() {
  checkOpen();
  const net::Reply reply = invokeMethod(METHOD_getCursorName);
  if (reply.empty()) throw plat::sql::SQLException(kInvalidResultSet);
  return reply.getString(0);
}

plat::lang::Ref<plat::sql::ResultSetMetaData> ResultSet::getMetaData() {
  if (!_metadata) throw plat::sql::SQLException(kClosed);
  return _metadata;
}

int ResultSet::findColumn(const std::string& name) {
  if (name.empty()) throw plat::sql::SQLException("Invalid parameter: null columnName");
  auto it = _colNames.find(name);
  if (it == _colNames.end()) throw plat::sql::SQLException("Column not found.");
  return it->second;
}

void ResultSet::close() {
  if (_isClosed) return;
  _isClosed = true;
  closeValueStream();
  net::BestEffort steps;
  steps.run([&] { invokeMethod(METHOD_close); });
  disable();
  _rows.clear();
  _rec = nullptr;
  if (auto owner = owner_.lock()) owner->remove(this);
  // Released last: the statement's own close may come from here and must find this result set closed.
  auto statement = std::move(statement_);
  statement_ = nullptr;
  statement.reset();
  steps.rethrow();
}

}  // namespace quenlora::zafoli::db::jdbc
