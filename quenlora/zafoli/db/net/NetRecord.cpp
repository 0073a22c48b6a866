#include "quenlora/zafoli/db/net/NetRecord.h"

#include <algorithm>
#include <array>

#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/NetClass.h"
#include "quenlora/zafoli/db/net/NetErrors.h"
#include "quenlora/zafoli/db/net/RowValues.h"
#include "quenlora/zafoli/db/net/WireFormat.h"
#include "quenlora/zafoli/db/net/WireInput.h"

namespace quenlora::zafoli::db::net {

using plat::lang::Ref;

namespace {

constexpr std::array<std::uint8_t, 4> kMarker = {'R', 'O', 'W', '}'};

}  // namespace

NetRecord::NetRecord() : state_(Define::RECSTATE_INVALID) {}

NetRecord::NetRecord(std::int8_t state, std::int32_t rowNum, Fields fields)
    : state_(state), rowNum_(rowNum), values_(std::make_shared<const RowValues>(std::move(fields))) {}

int NetRecord::getType() const {
  return Define::SERVER_RECORD;
}

void NetRecord::read(plat::io::DataInputStream& in) {
  // Length, state, row number, value count.
  std::uint8_t scratch[9];
  const std::uint8_t* header = WireInput::bytes(in, scratch, sizeof scratch);
  const std::int16_t length = WireFormat::decodeShort(header);
  const auto state = static_cast<std::int8_t>(header[2]);
  const std::int32_t rowNum = WireFormat::decodeInt(header + 3);
  const std::int16_t count = WireFormat::decodeShort(header + 7);
  // The row's value list, its storage and its values share one allocation.
  auto values = RowValues::make(count);
  for (int i = 0; i < count; ++i) {
    const int type = NetClass::readType(in);
    if (Field* value = NetClass::createField(type, *values)) {
      NetClass::readInto(*value, in);
      continue;
    }
    // An error in place of a value fails the row once the reply is read to its end.
    Ref<ServerObject> object = NetClass::readObject(type, in);
    if (NetClass::deferError(object)) continue;
    onObjectError(*object);
  }
  values->filled();
  std::lock_guard<RowLock> lock(mutex_);
  length_ = length;
  state_.store(state);
  rowNum_ = rowNum;
  values_ = std::move(values);
  changedColumns_.clear();
}

void NetRecord::write(plat::io::DataOutputStream& out) const {
  std::lock_guard<RowLock> lock(mutex_);
  out.writeByte(Define::SERVER_RECORD);
  out.writeShort(kWrittenLength);
  out.write(kMarker.data(), kMarker.size());
  out.writeByte(state_.load());
  out.writeInt(rowNum_);
  for (int col : changedColumns_) valueAt(col).write(out);
  WireFormat::writeEot(out);
}

int NetRecord::getColumnCount() const {
  std::lock_guard<RowLock> lock(mutex_);
  return values_ ? static_cast<int>(values_->size()) : 0;
}

void NetRecord::noValueAt(int col) const {
  if (!values_) throw plat::sql::SQLException(NetErrors::RECORD_NOT_INITIALIZED);
  throw plat::sql::SQLException(NetErrors::COLUMN_OUT_OF_RANGE_PREFIX + std::to_string(col));
}

Field& NetRecord::access(int col, Access kind) {
  const std::int8_t state = state_.load();
  if (state == Define::RECSTATE_INVALID) throw plat::sql::SQLException(NetErrors::RECORD_INVALID);
  if (kind == Access::kSet) {
    if (state == Define::RECSTATE_DELETED) throw plat::sql::SQLException(NetErrors::RECORD_MARKED_DELETED);
    if (state == Define::RECSTATE_DB_DELETED) throw plat::sql::SQLException(NetErrors::RECORD_DELETED);
  }
  if (stream_) {
    StreamRef stream = std::move(stream_);
    stream_.reset();
    stream->close();
  }
  lastProj_ = col;
  return valueAt(col);
}

void NetRecord::changed(int col) {
  if (std::find(changedColumns_.begin(), changedColumns_.end(), col) == changedColumns_.end()) {
    changedColumns_.push_back(col);
  }
  const std::int8_t state = state_.load();
  state_.store(state == Define::RECSTATE_NEW || state == Define::RECSTATE_NEW_MODIFIED ? Define::RECSTATE_NEW_MODIFIED
                                                                                       : Define::RECSTATE_MODIFIED);
}

template <class F>
auto NetRecord::get(int col, F&& f) {
  std::lock_guard<RowLock> lock(mutex_);
  return f(accessToGet(col));
}

template <class F>
void NetRecord::set(int col, F&& f) {
  std::lock_guard<RowLock> lock(mutex_);
  f(access(col, Access::kSet));
  changed(col);
}

Field::StreamRef NetRecord::getAsciiStream(int col) {
  return get(col, [](Field& f) { return f.getAsciiStream(); });
}
std::optional<plat::math::Decimal> NetRecord::getBigDecimal(int col, int scale) {
  return get(col, [scale](Field& f) { return f.getBigDecimal(scale); });
}
Field::StreamRef NetRecord::getBinaryStream(int col) {
  return get(col, [](Field& f) { return f.getBinaryStream(); });
}
bool NetRecord::getBoolean(int col) {
  return get(col, [](Field& f) { return f.getBoolean(); });
}
std::int8_t NetRecord::getByte(int col) {
  return get(col, [](Field& f) { return f.getByte(); });
}
Field::Bytes NetRecord::getBytes(int col) {
  return get(col, [](Field& f) { return f.getBytes(); });
}
std::optional<plat::time::Date> NetRecord::getDate(int col) {
  return get(col, [](Field& f) { return f.getDate(); });
}
double NetRecord::getDouble(int col) {
  return get(col, [](Field& f) { return f.getDouble(); });
}
float NetRecord::getFloat(int col) {
  return get(col, [](Field& f) { return f.getFloat(); });
}
std::int32_t NetRecord::getInt(int col) {
  return get(col, [](Field& f) { return f.getInt(); });
}
std::int64_t NetRecord::getLong(int col) {
  return get(col, [](Field& f) { return f.getLong(); });
}
plat::lang::Value NetRecord::getObject(int col) {
  return get(col, [](Field& f) { return f.getObject(); });
}
std::int16_t NetRecord::getShort(int col) {
  return get(col, [](Field& f) { return f.getShort(); });
}
std::optional<std::string> NetRecord::getString(int col) {
  return get(col, [](Field& f) { return f.getString(); });
}
std::optional<plat::time::Time> NetRecord::getTime(int col) {
  return get(col, [](Field& f) { return f.getTime(); });
}
std::optional<plat::time::Timestamp> NetRecord::getTimestamp(int col) {
  return get(col, [](Field& f) { return f.getTimestamp(); });
}
Field::StreamRef NetRecord::getUnicodeStream(int col) {
  return get(col, [](Field& f) { return f.getUnicodeStream(); });
}
int NetRecord::getSQLType(int col) {
  return get(col, [](Field& f) { return f.getSQLType(); });
}
bool NetRecord::isNull(int col) {
  return get(col, [](Field& f) { return f.isNull(); });
}
bool NetRecord::storesData(int col) {
  return get(col, [](Field& f) { return f.storesData(); });
}

bool NetRecord::wasNull() {
  std::lock_guard<RowLock> lock(mutex_);
  return accessToGet(lastProj_).isNull();
}

void NetRecord::setAsciiStream(int col, const StreamRef& stream, int length) {
  set(col, [&](Field& f) { f.setAsciiStream(stream, length); });
}
void NetRecord::setBigDecimal(int col, const std::optional<plat::math::Decimal>& value) {
  set(col, [&](Field& f) { f.setBigDecimal(value); });
}
void NetRecord::setBinaryStream(int col, const StreamRef& stream, int length) {
  set(col, [&](Field& f) { f.setBinaryStream(stream, length); });
}
void NetRecord::setBoolean(int col, bool value) {
  set(col, [&](Field& f) { f.setBoolean(value); });
}
void NetRecord::setByte(int col, std::int8_t value) {
  set(col, [&](Field& f) { f.setByte(value); });
}
void NetRecord::setBytes(int col, const Bytes& value) {
  set(col, [&](Field& f) { f.setBytes(value); });
}
void NetRecord::setDate(int col, const plat::time::Date& value) {
  set(col, [&](Field& f) { f.setDate(value); });
}
void NetRecord::setDouble(int col, double value) {
  set(col, [&](Field& f) { f.setDouble(value); });
}
void NetRecord::setFloat(int col, float value) {
  set(col, [&](Field& f) { f.setFloat(value); });
}
void NetRecord::setInt(int col, std::int32_t value) {
  set(col, [&](Field& f) { f.setInt(value); });
}
void NetRecord::setLong(int col, std::int64_t value) {
  set(col, [&](Field& f) { f.setLong(value); });
}
void NetRecord::setObject(int col, const plat::lang::Value& value) {
  set(col, [&](Field& f) { f.setObject(value); });
}
void NetRecord::setShort(int col, std::int16_t value) {
  set(col, [&](Field& f) { f.setShort(value); });
}
void NetRecord::setString(int col, const std::string& value) {
  set(col, [&](Field& f) { f.setString(value); });
}
void NetRecord::setTime(int col, const plat::time::Time& value) {
  set(col, [&](Field& f) { f.setTime(value); });
}
void NetRecord::setTimestamp(int col, const plat::time::Timestamp& value) {
  set(col, [&](Field& f) { f.setTimestamp(value); });
}
void NetRecord::setUnicodeStream(int col, const StreamRef& stream, int length) {
  set(col, [&](Field& f) { f.setUnicodeStream(stream, length); });
}
void NetRecord::setNull(int col, int sqlType) {
  set(col, [&](Field& f) { f.setNull(sqlType); });
}

void NetRecord::setNotNull(int col) {
  std::lock_guard<RowLock> lock(mutex_);
  valueAt(col).setNotNull();
}

void NetRecord::setNullFlag(int col) {
  std::lock_guard<RowLock> lock(mutex_);
  Field& field = valueAt(col);
  field.setNull(field.getSQLType());
}

void NetRecord::copy(NetRecord& other) {
  if (&other == this) return;
  std::scoped_lock lock(mutex_, other.mutex_);
  if (other.rowNum_ != rowNum_) return;
  state_.store(other.state_.load());
  values_ = other.values_;
  changedColumns_.clear();
}

void NetRecord::closeStream() {
  std::lock_guard<RowLock> lock(mutex_);
  if (!stream_) return;
  StreamRef stream = std::move(stream_);
  stream_.reset();
  stream->close();
}

NetRecord::Fields NetRecord::getChangedFields() const {
  std::lock_guard<RowLock> lock(mutex_);
  Fields changed;
  changed.reserve(changedColumns_.size());
  for (int col : changedColumns_) changed.push_back(values_->share(static_cast<std::size_t>(col) - 1, values_));
  return changed;
}

bool NetRecord::hasChanges() const {
  std::lock_guard<RowLock> lock(mutex_);
  return !changedColumns_.empty();
}

void NetRecord::clearChanges() {
  std::lock_guard<RowLock> lock(mutex_);
  changedColumns_.clear();
}

}  // namespace quenlora::zafoli::db::net
