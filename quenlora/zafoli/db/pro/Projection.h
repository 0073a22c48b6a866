// The ready-made column consumer: remembers the binder it was bound to, gives the column's value as text and
// forwards the typed operations to that binder. Components extend it and override the callbacks they need. The
// binder is held weakly (through its multi-view), so a projection kept after its view is gone reads nothing freed:
// its text is empty and its operations fail. Used on the view's thread.
#pragma once

#include <memory>
#include <string>

#include "quenlora/zafoli/db/pro/ProjBinder.h"
#include "quenlora/zafoli/db/pro/ProjLink.h"

namespace quenlora::zafoli::db::pro {

class Projection : public ProjLink {
 public:
  using StreamRef = ProjBinder::StreamRef;
  using Bytes = ProjBinder::Bytes;

  void init(ProjBinder& binder) override { remember(binder); }
  void notifyDataChange(ProjBinder& binder) override {
    if (&binder != boundTo_) remember(binder);
  }
  bool notifySetData(ProjBinder&) override { return true; }

  // A handle of the binder that keeps its multi-view alive; null until bound and once the view is gone.
  std::shared_ptr<ProjBinder> getBinder() const { return binder_.lock(); }
  // The binder's getString; empty text when unbound, NULL, once the view is gone, or on any failure.
  std::string toString() const;

  // The binder's operations; NullPointerException while unbound, SQLException "MultiView has been closed" once the
  // view is gone.
  StreamRef getAsciiStream();
  std::optional<plat::math::Decimal> getBigDecimal(int scale);
  StreamRef getBinaryStream();
  bool getBoolean();
  std::int8_t getByte();
  Bytes getBytes();
  std::optional<plat::time::Date> getDate();
  double getDouble();
  float getFloat();
  std::int32_t getInt();
  std::int64_t getLong();
  std::int16_t getShort();
  std::optional<std::string> getString();
  std::optional<plat::time::Time> getTime();
  std::optional<plat::time::Timestamp> getTimestamp();
  StreamRef getUnicodeStream();
  bool isNull();
  void setAsciiStream(const StreamRef& stream, int length);
  void setBigDecimal(const std::optional<plat::math::Decimal>& value);
  void setBinaryStream(const StreamRef& stream, int length);
  void setBoolean(bool value);
  void setByte(std::int8_t value);
  void setBytes(const Bytes& value);
  void setDate(const plat::time::Date& value);
  void setDouble(double value);
  void setFloat(float value);
  void setInt(std::int32_t value);
  void setLong(std::int64_t value);
  void setNull(int sqlType);
  void setShort(std::int16_t value);
  void setString(const std::string& value);
  void setTime(const plat::time::Time& value);
  void setTimestamp(const plat::time::Timestamp& value);
  void setUnicodeStream(const StreamRef& stream, int length);

 private:
  void remember(ProjBinder& binder);
  std::shared_ptr<ProjBinder> bound() const;

  ProjBinder* boundTo_ = nullptr;     // identity only, never dereferenced: the binder last bound or notified
  std::weak_ptr<ProjBinder> binder_;  // the same binder, sharing its multi-view's ownership
};

}  // namespace quenlora::zafoli::db::pro
