// The ready-made column consumer: remembers the binder it was bound to, gives the column's value as text and
// forwards the typed operations to that binder. Components extend it and override the callbacks they need. Used on
// the view's thread.
#pragma once

#include <string>

#include "quenlora/zafoli/db/pro/ProjBinder.h"
#include "quenlora/zafoli/db/pro/ProjLink.h"

namespace quenlora::zafoli::db::pro {

class Projection : public ProjLink {
 public:
  using StreamRef = ProjBinder::StreamRef;
  using Bytes = ProjBinder::Bytes;

  void init(ProjBinder& binder) override { binder_ = &binder; }
  void notifyDataChange(ProjBinder& binder) override { binder_ = &binder; }
  bool notifySetData(ProjBinder&) override { return true; }

  // Null until bound; the binder lives as long as its view.
  ProjBinder* getBinder() const { return binder_; }
  // The binder's getString; empty text when unbound, NULL, or on any failure.
  std::string toString() const;

  // The binder's operations; NullPointerException while unbound.
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
  ProjBinder& bound() const;

  ProjBinder* binder_ = nullptr;
};

}  // namespace quenlora::zafoli::db::pro
