#include "quenlora/zafoli/db/pro/ProjBinder.h"

#include <algorithm>

#include "quenlora/zafoli/db/pro/MultiView.h"
#include "quenlora/zafoli/db/pro/Record.h"
#include "quenlora/zafoli/db/pro/RelationView.h"

namespace quenlora::zafoli::db::pro {

namespace {

// Clears a flag on every exit, a throwing callback included.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
};

}  // namespace

bool ProjBinder::isReadable() const {
  return view_.isCurrentRecordReadable();
}

bool ProjBinder::isWritable() const {
  return columnWritable_ && view_.isCurrentRecordWritable();
}

std::string ProjBinder::getColumnName() const {
  if (view_.multiView().isDesignTime()) return "";
  return view_.getMetaData().getColumnName(column_);
}

ProjBinder::StreamRef ProjBinder::getAsciiStream() {
  return view_.getAsciiStream(column_);
}

std::optional<plat::math::Decimal> ProjBinder::getBigDecimal(int scale) {
  return view_.getBigDecimal(column_, scale);
}

ProjBinder::StreamRef ProjBinder::getBinaryStream() {
  return view_.getBinaryStream(column_);
}

bool ProjBinder::getBoolean() {
  return view_.getBoolean(column_);
}

std::int8_t ProjBinder::getByte() {
  return view_.getByte(column_);
}

ProjBinder::Bytes ProjBinder::getBytes() {
  return view_.getBytes(column_);
}

std::optional<plat::time::Date> ProjBinder::getDate() {
  return view_.getDate(column_);
}

double ProjBinder::getDouble() {
  return view_.getDouble(column_);
}

float ProjBinder::getFloat() {
  return view_.getFloat(column_);
}

std::int32_t ProjBinder::getInt() {
  return view_.getInt(column_);
}

std::int64_t ProjBinder::getLong() {
  return view_.getLong(column_);
}

std::int16_t ProjBinder::getShort() {
  return view_.getShort(column_);
}

std::optional<std::string> ProjBinder::getString() {
  return view_.getString(column_);
}

std::optional<plat::time::Time> ProjBinder::getTime() {
  return view_.getTime(column_);
}

std::optional<plat::time::Timestamp> ProjBinder::getTimestamp() {
  return view_.getTimestamp(column_);
}

ProjBinder::StreamRef ProjBinder::getUnicodeStream() {
  return view_.getUnicodeStream(column_);
}

bool ProjBinder::isNull() {
  return view_.isNull(column_);
}

void ProjBinder::setAsciiStream(const StreamRef& stream, int length) {
  view_.setAsciiStream(column_, stream, length);
}

void ProjBinder::setBigDecimal(const std::optional<plat::math::Decimal>& value) {
  view_.setBigDecimal(column_, value);
}

void ProjBinder::setBinaryStream(const StreamRef& stream, int length) {
  view_.setBinaryStream(column_, stream, length);
}

void ProjBinder::setBoolean(bool value) {
  view_.setBoolean(column_, value);
}

void ProjBinder::setByte(std::int8_t value) {
  view_.setByte(column_, value);
}

void ProjBinder::setBytes(const Bytes& value) {
  view_.setBytes(column_, value);
}

void ProjBinder::setDate(const plat::time::Date& value) {
  view_.setDate(column_, value);
}

void ProjBinder::setDouble(double value) {
  view_.setDouble(column_, value);
}

void ProjBinder::setFloat(float value) {
  view_.setFloat(column_, value);
}

void ProjBinder::setInt(std::int32_t value) {
  view_.setInt(column_, value);
}

void ProjBinder::setLong(std::int64_t value) {
  view_.setLong(column_, value);
}

void ProjBinder::setNull(int sqlType) {
  view_.setNull(column_, sqlType);
}

void ProjBinder::setShort(std::int16_t value) {
  view_.setShort(column_, value);
}

void ProjBinder::setString(const std::string& value) {
  view_.setString(column_, value);
}

void ProjBinder::setTime(const plat::time::Time& value) {
  view_.setTime(column_, value);
}

void ProjBinder::setTimestamp(const plat::time::Timestamp& value) {
  view_.setTimestamp(column_, value);
}

void ProjBinder::setUnicodeStream(const StreamRef& stream, int length) {
  view_.setUnicodeStream(column_, stream, length);
}

std::string ProjBinder::getStringValue() {
  return view_.getStringValue(column_);
}

std::string ProjBinder::getStringValue(int scale) {
  return view_.getStringValue(column_, scale);
}

std::string ProjBinder::getStringValue(int sqlType, int scale) {
  return view_.getStringValue(column_, sqlType, scale);
}

std::string ProjBinder::getStringValue(int sqlType, int scale, bool binary) {
  return view_.getStringValue(column_, sqlType, scale, binary);
}

std::string ProjBinder::getStringValue(int scale, bool binary) {
  return view_.getStringValue(column_, scale, binary);
}

std::string ProjBinder::getStringValue(bool binary) {
  return view_.getStringValue(column_, binary);
}

std::string ProjBinder::getStringValue(const std::string& typeName, int scale) {
  return view_.getStringValue(column_, typeName, scale);
}

std::string ProjBinder::getStringValue(const std::string& typeName, int scale, bool binary) {
  return view_.getStringValue(column_, typeName, scale, binary);
}

void ProjBinder::setValueFromString(const std::string& text) {
  view_.setValueFromString(column_, text);
}

void ProjBinder::setValueFromString(const std::string& text, int mode) {
  view_.setValueFromString(column_, text, mode);
}

void ProjBinder::setValueFromString(const std::string& text, int scale, int mode) {
  view_.setValueFromString(column_, text, scale, mode);
}

void ProjBinder::setValueFromString(const std::string& text, int sqlType, int scale, int mode) {
  view_.setValueFromString(column_, text, sqlType, scale, mode);
}

void ProjBinder::setValueFromString(const std::string& text, const std::string& typeName, int scale) {
  view_.setValueFromString(column_, text, typeName, scale);
}

void ProjBinder::setValueFromString(const std::string& text, const std::string& typeName, int scale, int mode) {
  view_.setValueFromString(column_, text, typeName, scale, mode);
}

bool ProjBinder::addLink(const std::shared_ptr<ProjLink>& link) {
  if (links_.contains(link)) return false;
  links_.add(link);
  return true;
}

void ProjBinder::removeLink(const ProjLink* link) {
  links_.remove(link);
}

void ProjBinder::notifyLinks() {
  links_.forEach([this](ProjLink& link) { link.notifyDataChange(*this); });
}

bool ProjBinder::passLinks() {
  FlagScope scope(inSetData_);
  return links_.forEach([this](ProjLink& link) { return link.notifySetData(*this); });
}

}  // namespace quenlora::zafoli::db::pro
