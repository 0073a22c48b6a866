// One row (type 59): a row state, the server's row number and the column values, numbered from 1. Getters and
// setters check the state, forward to the value and, for setters, track the change and move the state (100/101
// to 101, 102/106 to 106). Writing sends only the changed values and leaves the change list alone: the caller
// clears it once the request that carried the row succeeded, so a failed save loses nothing.
// Thread contract: the typed getters and setters, isNull, wasNull, getSQLType, storesData, setNotNull, copy and
// write are mutually exclusive on the row; getState, setState and getRecordNum are safe from any thread;
// withValueUnlocked only on a row that no other thread can reach.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/io/InputStream.h"
#include "platform/lang/Object.h"
#include "platform/lang/Value.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/Field.h"
#include "quenlora/zafoli/db/net/RowLock.h"
#include "quenlora/zafoli/db/net/RowValues.h"
#include "quenlora/zafoli/db/net/ServerObject.h"

namespace quenlora::zafoli::db::net {

class NetRecord : public ServerObject {
 public:
  using Fields = std::vector<plat::lang::Ref<Field>>;
  using Bytes = Field::Bytes;
  using StreamRef = Field::StreamRef;

  // The written length field: marker, state and row number.
  static constexpr int kWrittenLength = 9;

  // An empty row: state 105 (invalid), row number 0, no values.
  NetRecord();
  // A row of the given values (for rows built locally).
  NetRecord(std::int8_t state, std::int32_t rowNum, Fields fields);

  int getType() const override;
  // Length, state, row number, count, then count typed values (anything else: the object-error rule).
  void read(plat::io::DataInputStream& in) override;
  // 59, 9, "ROW}", state, row number, each changed value, end marker.
  void write(plat::io::DataOutputStream& out) const override;

  std::int32_t getRecordNum() const { return rowNum_; }
  std::int8_t getState() const { return state_.load(); }
  // Any value, unchecked.
  void setState(std::int8_t state) { state_.store(state); }
  // Number of values; 0 for a row without a value list.
  int getColumnCount() const;

  StreamRef getAsciiStream(int col);
  std::optional<plat::math::Decimal> getBigDecimal(int col, int scale);
  StreamRef getBinaryStream(int col);
  bool getBoolean(int col);
  std::int8_t getByte(int col);
  Bytes getBytes(int col);
  std::optional<plat::time::Date> getDate(int col);
  double getDouble(int col);
  float getFloat(int col);
  std::int32_t getInt(int col);
  std::int64_t getLong(int col);
  plat::lang::Value getObject(int col);
  std::int16_t getShort(int col);
  std::optional<std::string> getString(int col);
  std::optional<plat::time::Time> getTime(int col);
  std::optional<plat::time::Timestamp> getTimestamp(int col);
  StreamRef getUnicodeStream(int col);
  int getSQLType(int col);
  bool isNull(int col);
  bool storesData(int col);
  // For a reader that needs several facts of one value (whether the row keeps it, the value, its null flag): one
  // lock of the row instead of one per fact. Checks and records the access as every getter does, then gives f(value).
  template <class F>
  auto withValue(int col, F&& f) {
    std::lock_guard<RowLock> lock(mutex_);
    return f(static_cast<const Field&>(accessToGet(col)));
  }
  // The same without the lock, for a row only the calling thread can reach (a cursor's own batch).
  template <class F>
  auto withValueUnlocked(int col, F&& f) {
    return f(static_cast<const Field&>(accessToGet(col)));
  }
  // isNull of the column last accessed (column 1 before any access); counts as an access.
  bool wasNull();

  void setAsciiStream(int col, const StreamRef& stream, int length);
  void setBigDecimal(int col, const std::optional<plat::math::Decimal>& value);
  void setBinaryStream(int col, const StreamRef& stream, int length);
  void setBoolean(int col, bool value);
  void setByte(int col, std::int8_t value);
  void setBytes(int col, const Bytes& value);
  void setDate(int col, const plat::time::Date& value);
  void setDouble(int col, double value);
  void setFloat(int col, float value);
  void setInt(int col, std::int32_t value);
  void setLong(int col, std::int64_t value);
  void setObject(int col, const plat::lang::Value& value);
  void setShort(int col, std::int16_t value);
  void setString(int col, const std::string& value);
  void setTime(int col, const plat::time::Time& value);
  void setTimestamp(int col, const plat::time::Timestamp& value);
  void setUnicodeStream(int col, const StreamRef& stream, int length);
  void setNull(int col, int sqlType);
  // Clears the null flag with no state check and no change tracking.
  void setNotNull(int col);
  // Sets the null flag with no state check and no change tracking (a null the server already holds).
  void setNullFlag(int col);

  // When both rows have the same row number: takes the other's state and its value list (shared, not copied) and
  // empties the change list. Otherwise nothing happens.
  void copy(NetRecord& other);
  // Closes and forgets the remembered input stream, if any.
  void closeStream();

  // The values changed since the change list was last cleared, each once, in order of first change.
  Fields getChangedFields() const;
  bool hasChanges() const;
  // Called once the request that carried the changes succeeded.
  void clearChanges();

 private:
  enum class Access { kGet, kSet };

  // Steps shared by every column access; the caller holds mutex_.
  Field& access(int col, Access kind);
  // access for a get: a valid row with no stream to close, the common case, is checked here, anything else there.
  Field& accessToGet(int col) {
    if (state_.load() != Define::RECSTATE_INVALID && !stream_) [[likely]] {
      lastProj_ = col;
      return valueAt(col);
    }
    return access(col, Access::kGet);
  }
  Field& valueAt(int col) const {
    if (values_ && col >= 1 && static_cast<std::size_t>(col) <= values_->size()) [[likely]] {
      return values_->at(static_cast<std::size_t>(col) - 1);
    }
    noValueAt(col);
  }
  // The failure of valueAt for a row without values or a column outside them.
  [[noreturn]] void noValueAt(int col) const;
  void changed(int col);
  template <class F>
  auto get(int col, F&& f);
  template <class F>
  void set(int col, F&& f);

  mutable RowLock mutex_;
  std::int16_t length_ = 0;  // length field as received
  std::atomic<std::int8_t> state_;
  std::int32_t rowNum_ = 0;
  std::shared_ptr<const RowValues> values_;  // guarded by mutex_; null until read; shared by copy()
  std::vector<int> changedColumns_;          // guarded by mutex_; each column at most once
  StreamRef stream_;                         // guarded by mutex_
  int lastProj_ = 1;                         // guarded by mutex_
};

}  // namespace quenlora::zafoli::db::net
