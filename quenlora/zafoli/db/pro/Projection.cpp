#include "quenlora/zafoli/db/pro/Projection.h"

#include <exception>

#include "platform/lang/Exceptions.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/pro/MultiView.h"
#include "quenlora/zafoli/db/pro/RelationView.h"

namespace quenlora::zafoli::db::pro {

namespace {

constexpr const char* kUnbound = "Projection is not bound to a column";

}  // namespace

void Projection::remember(ProjBinder& binder) {
  boundTo_ = &binder;
  // Empty while the multi-view is being destroyed: the binder is going too.
  auto owner = binder.getRelationView().multiView().weak_from_this().lock();
  binder_ = owner ? std::shared_ptr<ProjBinder>(owner, &binder) : std::shared_ptr<ProjBinder>();
}

std::shared_ptr<ProjBinder> Projection::bound() const {
  if (!boundTo_) throw plat::lang::NullPointerException(kUnbound);
  auto binder = binder_.lock();
  if (!binder) throw plat::sql::SQLException(MultiView::kClosed);
  return binder;
}

std::string Projection::toString() const {
  auto binder = binder_.lock();
  if (!binder) return "";
  try {
    return binder->getString().value_or("");
  } catch (const std::exception&) {
    return "";
  }
}

Projection::StreamRef Projection::getAsciiStream() {
  return bound()->getAsciiStream();
}

std::optional<plat::math::Decimal> Projection::getBigDecimal(int scale) {
  return bound()->getBigDecimal(scale);
}

Projection::StreamRef Projection::getBinaryStream() {
  return bound()->getBinaryStream();
}

bool Projection::getBoolean() {
  return bound()->getBoolean();
}

std::int8_t Projection::getByte() {
  return bound()->getByte();
}

Projection::Bytes Projection::getBytes() {
  return bound()->getBytes();
}

std::optional<plat::time::Date> Projection::getDate() {
  return bound()->getDate();
}

double Projection::getDouble() {
  return bound()->getDouble();
}

float Projection::getFloat() {
  return bound()->getFloat();
}

std::int32_t Projection::getInt() {
  return bound()->getInt();
}

std::int64_t Projection::getLong() {
  return bound()->getLong();
}

std::int16_t Projection::getShort() {
  return bound()->getShort();
}

std::optional<std::string> Projection::getString() {
  return bound()->getString();
}

std::optional<plat::time::Time> Projection::getTime() {
  return bound()->getTime();
}

std::optional<plat::time::Timestamp> Projection::getTimestamp() {
  return bound()->getTimestamp();
}

Projection::StreamRef Projection::getUnicodeStream() {
  return bound()->getUnicodeStream();
}

bool Projection::isNull() {
  return bound()->isNull();
}

void Projection::setAsciiStream(const StreamRef& stream, int length) {
  bound()->setAsciiStream(stream, length);
}

void Projection::setBigDecimal(const std::optional<plat::math::Decimal>& value) {
  bound()->setBigDecimal(value);
}

void Projection::setBinaryStream(const StreamRef& stream, int length) {
  bound()->setBinaryStream(stream, length);
}

void Projection::setBoolean(bool value) {
  bound()->setBoolean(value);
}

void Projection::setByte(std::int8_t value) {
  bound()->setByte(value);
}

void Projection::setBytes(const Bytes& value) {
  bound()->setBytes(value);
}

void Projection::setDate(const plat::time::Date& value) {
  bound()->setDate(value);
}

void Projection::setDouble(double value) {
  bound()->setDouble(value);
}

void Projection::setFloat(float value) {
  bound()->setFloat(value);
}

void Projection::setInt(std::int32_t value) {
  bound()->setInt(value);
}

void Projection::setLong(std::int64_t value) {
  bound()->setLong(value);
}

void Projection::setNull(int sqlType) {
  bound()->setNull(sqlType);
}

void Projection::setShort(std::int16_t value) {
  bound()->setShort(value);
}

void Projection::setString(const std::string& value) {
  bound()->setString(value);
}

void Projection::setTime(const plat::time::Time& value) {
  bound()->setTime(value);
}

void Projection::setTimestamp(const plat::time::Timestamp& value) {
  bound()->setTimestamp(value);
}

void Projection::setUnicodeStream(const StreamRef& stream, int length) {
  bound()->setUnicodeStream(stream, length);
}

}  // namespace quenlora::zafoli::db::pro
