#include "testkit/middleware/sql/ProxyJDBCResultSet.h"

#include <algorithm>
#include <functional>

#include "platform/sql/ResultSetMetaData.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/Types.h"
#include "testkit/middleware/sql/ScriptedResultSet.h"

namespace testkit::middleware::sql {
namespace {

using plat::lang::Value;
using plat::sql::SQLException;
using plat::sql::Types;

// A request for more rows than this is answered as if it asked for this many; the packet limit allows far fewer.
constexpr std::int32_t kMaxRowsPerRequest = 16384;
// The list around the reply elements: its header and its end marker.
constexpr std::size_t kListOverhead = 6;

template <class T>
T attempt(const std::function<T()>& get, T fallback) {
  try {
    return get();
  } catch (const SQLException&) {
    return fallback;
  }
}

}  // namespace

std::vector<ColumnInfo> describe(plat::sql::ResultSet& rows) {
  auto md = rows.getMetaData();
  std::vector<ColumnInfo> out;
  const int count = md->getColumnCount();
  for (int c = 1; c <= count; ++c) {
    ColumnInfo i;
    i.autoIncrement = attempt<bool>([&] { return md->isAutoIncrement(c); }, false);
    i.caseSensitive = attempt<bool>([&] { return md->isCaseSensitive(c); }, true);
    i.searchable = attempt<bool>([&] { return md->isSearchable(c); }, true);
    i.currency = attempt<bool>([&] { return md->isCurrency(c); }, false);
    i.nullable = attempt<int>([&] { return md->isNullable(c); }, plat::sql::ResultSetMetaData::columnNullableUnknown);
    i.isSigned = attempt<bool>([&] { return md->isSigned(c); }, false);
    i.displaySize = attempt<int>([&] { return md->getColumnDisplaySize(c); }, 0);
    i.label = attempt<std::string>([&] { return md->getColumnLabel(c); }, "");
    // Clients find columns by the name the query gives them (an alias included), so that is the name sent.
    i.name = i.label.empty() ? attempt<std::string>([&] { return md->getColumnName(c); }, "") : i.label;
    i.schema = attempt<std::string>([&] { return md->getSchemaName(c); }, "");
    i.precision = attempt<int>([&] { return md->getPrecision(c); }, 0);
    i.scale = attempt<int>([&] { return md->getScale(c); }, 0);
    i.table = attempt<std::string>([&] { return md->getTableName(c); }, "");
    i.catalog = attempt<std::string>([&] { return md->getCatalogName(c); }, "");
    i.sqlType = attempt<int>([&] { return md->getColumnType(c); }, Types::VARCHAR);
    i.typeName = attempt<std::string>([&] { return md->getColumnTypeName(c); }, "");
    i.readOnly = attempt<bool>([&] { return md->isReadOnly(c); }, false);
    i.writable = attempt<bool>([&] { return md->isWritable(c); }, true);
    i.definitelyWritable = attempt<bool>([&] { return md->isDefinitelyWritable(c); }, false);
    out.push_back(std::move(i));
  }
  return out;
}

ProxyJDBCResultSet::Read ProxyJDBCResultSet::readOf(int sqlType) {
  switch (sqlType) {
    case Types::TINYINT:
    case Types::SMALLINT:
    case Types::INTEGER:
      return Read::Int;
    case Types::BIGINT:
      return Read::Long;
    case Types::DOUBLE:
      return Read::Double;
    case Types::CHAR:
    case Types::VARCHAR:
      return Read::Text;
    default:
      return Read::ThroughValue;
  }
}

ProxyJDBCResultSet::ProxyJDBCResultSet(std::shared_ptr<ObjectScope> scope, plat::lang::Ref<plat::sql::ResultSet> rows,
                                       Longs longs)
    : scope_(std::move(scope)), rows_(std::move(rows)), columns_(describe(*rows_)) {
  scripted_ = std::dynamic_pointer_cast<ScriptedResultSet>(rows_) != nullptr;
  if (longs == Longs::Streamed) {
    for (const ColumnInfo& c : columns_) hasLongs_ = hasLongs_ || SqlEncode::isLong(c.sqlType);
  } else {
    for (ColumnInfo& c : columns_) {
      if (!SqlEncode::isLong(c.sqlType)) continue;
      c.sqlType = c.sqlType == Types::LONGVARBINARY ? Types::VARBINARY : Types::VARCHAR;
      c.typeName = c.sqlType == Types::VARCHAR ? "VARCHAR" : "VARBINARY";
      if (c.displaySize <= 0 || c.displaySize > kInlineDisplaySize) c.displaySize = kInlineDisplaySize;
      if (c.precision <= 0 || c.precision > kInlineDisplaySize) c.precision = kInlineDisplaySize;
    }
  }
  for (const ColumnInfo& c : columns_) reads_.push_back(scripted_ ? Read::ThroughValue : readOf(c.sqlType));
}

ProxyJDBCResultSet::~ProxyJDBCResultSet() {
  auto hold = scope_->lock();
  window_.clear();
  rows_ = nullptr;
}

std::vector<Encoded> ProxyJDBCResultSet::open(const std::shared_ptr<ObjectScope>& scope,
                                              plat::lang::Ref<plat::sql::ResultSet> rows, Longs longs) {
  auto object = std::make_shared<ProxyJDBCResultSet>(scope, std::move(rows), longs);
  const std::int32_t id = scope->add(object);
  return {MwEncode::dataInt(id), SqlEncode::entity(object->columns())};
}

std::vector<Encoded> ProxyJDBCResultSet::invoke(int method, const std::vector<Arg>& args) {
  return scope_->call([&]() -> std::vector<Encoded> {
    ArgReader a(args, "ProxyJDBCResultSet", method);
    switch (method) {
      case METHOD_getStream:
        return stream(a.int32(0), a.int32(1));
      case METHOD_next:
        return fetch(a.int32(0), a.int32(1));
      case METHOD_close:
        if (!closed_) {
          closed_ = true;
          window_.clear();
          rows_->close();
        }
        return {};
      case METHOD_getWarnings:
        checkOpen();
        return encodeWarnings(rows_->getWarnings());
      case METHOD_clearWarnings:
        checkOpen();
        rows_->clearWarnings();
        return {};
      case METHOD_getCursorName:
        checkOpen();
        return {SqlEncode::text(rows_->getCursorName())};
      case METHOD_getMetaData:
        return {SqlEncode::entity(columns_)};
      case METHOD_validateRows:
        return validate(a.int32(0), a.int32(1));
      default:
        noSuchMethod("ProxyJDBCResultSet", method);
    }
  });
}

void ProxyJDBCResultSet::checkOpen() const {
  if (closed_) throw ServerFailure(6, kCategoryInvalidArg, "ResultSet is closed", "24000");
}

const ProxyJDBCResultSet::Row* ProxyJDBCResultSet::rowAt(std::int32_t number) const {
  if (number < windowFirst_ || number - windowFirst_ >= static_cast<std::int64_t>(window_.size())) return nullptr;
  return &window_[static_cast<std::size_t>(number - windowFirst_)];
}

bool ProxyJDBCResultSet::hold(std::int32_t first, std::int32_t last) {
  if (first < windowFirst_) return false;
  while (!window_.empty() && windowFirst_ < first) {
    if (spareBuffers_.size() < static_cast<std::size_t>(kMaxRowsPerRequest)) {
      spareBuffers_.push_back(std::move(window_.front().encoded));
    }
    window_.pop_front();
    ++windowFirst_;
  }
  // Rows skipped over without the client having seen them are read past, not kept.
  while (window_.empty() && windowFirst_ < first && !ended_) {
    if (rows_->next()) {
      ++windowFirst_;
    } else {
      ended_ = true;
    }
  }
  while (!ended_ && windowFirst_ + static_cast<std::int64_t>(window_.size()) <= last) {
    if (rows_->next()) {
      window_.push_back(readRow(windowFirst_ + static_cast<std::int32_t>(window_.size())));
    } else {
      ended_ = true;
    }
  }
  return true;
}

std::int32_t ProxyJDBCResultSet::holdRequested(std::int32_t wanted, std::int32_t first) {
  checkOpen();
  if (first < 1) throw ServerFailure(7, kCategoryInvalidArg, "Invalid row number " + std::to_string(first));
  wanted = std::clamp(wanted, 1, kMaxRowsPerRequest);
  const std::int32_t last = first + std::min(wanted - 1, INT32_MAX - first);
  if (!hold(first, last)) {
    throw ServerFailure(8, kCategoryInvalidArg, "Row " + std::to_string(first) + " is no longer available");
  }
  return last;
}

std::vector<Encoded> ProxyJDBCResultSet::fetch(std::int32_t wanted, std::int32_t first) {
  const std::int32_t last = holdRequested(wanted, first);
  // The rows held from first on that fit in the reply, counted before a byte is copied so that the batch is made
  // room for once. hold dropped the rows before first, so the window starts at first unless it is empty.
  const auto from = window_.begin() + std::min(static_cast<std::size_t>(first - windowFirst_), window_.size());
  auto to = from;
  std::size_t size = kListOverhead;
  bool ended = false;  // a row asked for lies past the cursor's end
  for (std::int64_t n = first; n <= last; ++n, ++to) {
    if (to == window_.end()) {
      ended = true;
      break;
    }
    if (size + to->encoded.size() > kMaxReplyBytes) {
      if (to == from) {
        throw ServerFailure(9, kCategoryInvalidArg, "Row " + std::to_string(n) + " is too long for one reply");
      }
      break;
    }
    size += to->encoded.size();
  }
  // The rows go out as one element that holds them one after another: the reply list's bytes are the same as with
  // an element per row, and a batch costs one buffer instead of a copy of each row.
  Encoded batch;
  batch.bytes.reserve(size - kListOverhead);
  for (auto row = from; row != to; ++row)
    batch.bytes.insert(batch.bytes.end(), row->encoded.begin(), row->encoded.end());
  if (ended) MwEncode::append(batch.bytes, SqlEncode::endRow());
  std::vector<Encoded> out;
  out.push_back(std::move(batch));
  return out;
}

std::vector<Encoded> ProxyJDBCResultSet::validate(std::int32_t wanted, std::int32_t first) {
  const std::int32_t last = holdRequested(wanted, first);
  std::vector<Encoded> out;
  for (std::int32_t n = first; n <= last; ++n) {
    const bool valid = rowAt(n) != nullptr;
    out.push_back(SqlEncode::boolean(valid));
    if (!valid || n == INT32_MAX) break;
  }
  return out;
}

std::vector<Encoded> ProxyJDBCResultSet::stream(std::int32_t row, std::int32_t column) {
  checkOpen();
  const Row* r = rowAt(row);
  if (r == nullptr) {
    throw ServerFailure(8, kCategoryInvalidArg, "Row " + std::to_string(row) + " is not available");
  }
  if (column < 1 || column > static_cast<std::int32_t>(columns_.size())) {
    throw ServerFailure(10, kCategoryInvalidArg, "Column index is out-of-range: " + std::to_string(column));
  }
  const auto* value = r->longs.empty() ? nullptr : &r->longs[static_cast<std::size_t>(column - 1)];
  if (value == nullptr || !*value) {
    throw ServerFailure(10, kCategoryInvalidArg, "Column " + std::to_string(column) + " is carried in the row");
  }
  Bytes content;
  const Value& v = **value;
  if (v.is(Value::Kind::Bytes)) {
    content = v.getBytes();
  } else if (!v.isNull()) {
    const std::string wire = toWireText(v.is(Value::Kind::String) ? v.getString() : v.toString());
    content.assign(wire.begin(), wire.end());
  }
  return {MwEncode::dataInt(scope_->add(std::make_shared<ProxyStream>(std::move(content))))};
}

ProxyJDBCResultSet::Row ProxyJDBCResultSet::readRow(std::int32_t number) {
  Row row;
  if (!spareBuffers_.empty()) {
    row.encoded = std::move(spareBuffers_.back());
    spareBuffers_.pop_back();
    row.encoded.clear();
  }
  {
    // Room for a typical row (value headers of 7 bytes, short texts and numbers), so most rows grow once.
    ByteWriter out(row.encoded, 32 * columns_.size() + 16);
    SqlEncode::appendRowHeader(out, number, static_cast<int>(columns_.size()));
    if (hasLongs_) row.longs.resize(columns_.size());
    for (std::size_t i = 0; i < columns_.size(); ++i) {
      if (reads_[i] != Read::ThroughValue) {
        appendRead(out, static_cast<int>(i + 1), reads_[i]);
        continue;
      }
      const int type = columns_[i].sqlType;
      Value v = readColumn(static_cast<int>(i + 1));
      SqlEncode::appendField(out, v, type, static_cast<int>((i + 1) & 0xFF));
      if (hasLongs_ && SqlEncode::isLong(type)) row.longs[i] = std::move(v);
    }
  }
  return row;
}

Value ProxyJDBCResultSet::readColumn(int column) {
  auto& rs = *rows_;
  if (scripted_) return rs.getObject(column);
  const int type = columns_[static_cast<std::size_t>(column - 1)].sqlType;
  // Each value is made where it is returned (no copy of a text per cell); a null reads as null whatever its type.
  const auto orNull = [&rs](Value v) { return rs.wasNull() ? Value::null() : std::move(v); };
  try {
    switch (type) {
      case Types::BIT:
      case 16:
        return orNull(Value::ofBoolean(rs.getBoolean(column)));
      case Types::TINYINT:
      case Types::SMALLINT:
      case Types::INTEGER:
        return orNull(Value::ofInt(rs.getInt(column)));
      case Types::BIGINT:
        return orNull(Value::ofLong(rs.getLong(column)));
      case Types::REAL:
      case Types::FLOAT:
        return orNull(Value::ofFloat(rs.getFloat(column)));
      case Types::DOUBLE:
        return orNull(Value::ofDouble(rs.getDouble(column)));
      case Types::NUMERIC:
      case Types::DECIMAL:
        return orNull(rs.getObject(column));
      case Types::BINARY:
      case Types::VARBINARY:
      case Types::LONGVARBINARY:
        return orNull(Value::ofBytes(rs.getBytes(column)));
      case Types::DATE:
        return orNull(Value(rs.getDate(column)));
      case Types::TIME:
        return orNull(Value(rs.getTime(column)));
      case Types::TIMESTAMP:
        return orNull(Value(rs.getTimestamp(column)));
      default:
        return orNull(Value::ofString(rs.getString(column)));
    }
  } catch (const SQLException&) {
    return textOf(column);
  }
}

void ProxyJDBCResultSet::appendRead(ByteWriter& out, int column, Read read) {
  auto& rs = *rows_;
  const int type = columns_[static_cast<std::size_t>(column - 1)].sqlType;
  const int id = column & 0xFF;
  // Nothing the encoders throw is an SQLException: a failure caught here is the getter's.
  try {
    switch (read) {
      case Read::Int:
      case Read::Long: {
        const std::int64_t v = read == Read::Int ? rs.getInt(column) : rs.getLong(column);
        return rs.wasNull() ? SqlEncode::appendNullField(out, type, id) : SqlEncode::appendWholeField(out, v, type, id);
      }
      case Read::Double: {
        const double v = rs.getDouble(column);
        return rs.wasNull() ? SqlEncode::appendNullField(out, type, id)
                            : SqlEncode::appendDoubleField(out, v, type, id);
      }
      case Read::Text: {
        const std::string v = rs.getString(column);
        return rs.wasNull() ? SqlEncode::appendNullField(out, type, id) : SqlEncode::appendTextField(out, v, type, id);
      }
      case Read::ThroughValue:
        break;  // readRow's own path, which keeps the Value of a long column
    }
  } catch (const SQLException&) {
    SqlEncode::appendField(out, textOf(column), type, id);
  }
}

Value ProxyJDBCResultSet::textOf(int column) {
  auto& rs = *rows_;
  std::string text = rs.getString(column);
  return rs.wasNull() ? Value::null() : Value::ofString(std::move(text));
}

}  // namespace testkit::middleware::sql
