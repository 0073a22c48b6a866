#include "quenlora/zafoli/db/net/Field.h"

#include "platform/io/IOException.h"
#include "platform/lang/Exceptions.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/NetErrors.h"
#include "quenlora/zafoli/db/net/WireFormat.h"
#include "quenlora/zafoli/db/net/WireInput.h"

namespace quenlora::zafoli::db::net {

using plat::math::Decimal;

int Field::getBaseType() const {
  return Define::SERVER_FIELD;
}

int Field::getSQLType() const {
  return plat::sql::Types::OTHER;
}

void Field::setNull(int) {
  null_ = true;
}

void Field::read(plat::io::DataInputStream& in) {
  // Length (unused), id, type word, null flag.
  std::uint8_t scratch[6];
  const std::uint8_t* header = WireInput::bytes(in, scratch, sizeof scratch);
  id_ = header[2];
  type_ = WireFormat::decodeShort(header + 3);
  null_ = header[5] != 0;
  if (!null_) readValue(in);
}

void Field::write(plat::io::DataOutputStream& out) const {
  out.writeByte(getType());
  out.writeShort(kWrittenHeaderLength);
  out.writeByte(id_);
  out.writeShort(type_);
  out.writeByte(null_ ? 1 : 0);
  writeValue(out);
  WireFormat::writeEot(out);
}

void Field::readValue(plat::io::DataInputStream&) {
  throw plat::io::IOException(NetErrors::NOT_IMPLEMENTED);
}

void Field::writeValue(plat::io::DataOutputStream&) const {
  throw plat::io::IOException(NetErrors::NOT_IMPLEMENTED);
}

void Field::cantConvert() {
  throw plat::sql::SQLException(NetErrors::CANT_CONVERT);
}

Field::Bytes Field::readStream(plat::io::InputStream& stream, int length) {
  if (length < 0 || length > kMaxStreamLength) throw plat::sql::SQLException(NetErrors::STREAM_LENGTH);
  Bytes bytes(static_cast<std::size_t>(length));
  std::size_t got = 0;
  try {
    while (got < bytes.size()) {
      const int n = stream.read(bytes.data() + got, bytes.size() - got);
      if (n < 0) break;
      got += static_cast<std::size_t>(n);
    }
  } catch (const plat::io::IOException& e) {
    throw plat::sql::SQLException(e.getMessage());
  }
  bytes.resize(got);
  return bytes;
}

void Field::parseFailed(const plat::lang::Throwable& failure) {
  throw plat::sql::SQLException(failure.getMessage().empty() ? NetErrors::CANT_CONVERT : failure.getMessage());
}

Decimal Field::scaled(const Decimal& value, int scale) {
  return parsed([&] { return value.setScale(scale, plat::math::RoundingMode::HALF_UP); });
}

std::string Field::trimmed(const std::string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
  return text.substr(begin, end - begin);
}

Field::StreamRef Field::getAsciiStream() const {
  cantConvert();
}
std::optional<Decimal> Field::getBigDecimal(int) const {
  cantConvert();
}
Field::StreamRef Field::getBinaryStream() const {
  cantConvert();
}
bool Field::getBoolean() const {
  cantConvert();
}
std::int8_t Field::getByte() const {
  cantConvert();
}
Field::Bytes Field::getBytes() const {
  cantConvert();
}
std::optional<plat::time::Date> Field::getDate() const {
  cantConvert();
}
double Field::getDouble() const {
  cantConvert();
}
float Field::getFloat() const {
  cantConvert();
}
std::int32_t Field::getInt() const {
  cantConvert();
}
std::int64_t Field::getLong() const {
  cantConvert();
}
plat::lang::Value Field::getObject() const {
  cantConvert();
}
std::int16_t Field::getShort() const {
  cantConvert();
}
std::optional<std::string> Field::getString() const {
  cantConvert();
}
std::optional<plat::time::Time> Field::getTime() const {
  cantConvert();
}
std::optional<plat::time::Timestamp> Field::getTimestamp() const {
  cantConvert();
}
Field::StreamRef Field::getUnicodeStream() const {
  cantConvert();
}

void Field::setAsciiStream(const StreamRef&, int) {
  cantConvert();
}
void Field::setBigDecimal(const std::optional<Decimal>&) {
  cantConvert();
}
void Field::setBinaryStream(const StreamRef&, int) {
  cantConvert();
}
void Field::setBoolean(bool) {
  cantConvert();
}
void Field::setByte(std::int8_t) {
  cantConvert();
}
void Field::setBytes(const Bytes&) {
  cantConvert();
}
void Field::setDate(const plat::time::Date&) {
  cantConvert();
}
void Field::setDouble(double) {
  cantConvert();
}
void Field::setFloat(float) {
  cantConvert();
}
void Field::setInt(std::int32_t) {
  cantConvert();
}
void Field::setLong(std::int64_t) {
  cantConvert();
}
void Field::setObject(const plat::lang::Value&) {
  cantConvert();
}
void Field::setShort(std::int16_t) {
  cantConvert();
}
void Field::setString(const std::string&) {
  cantConvert();
}
void Field::setTime(const plat::time::Time&) {
  cantConvert();
}
void Field::setTimestamp(const plat::time::Timestamp&) {
  cantConvert();
}
void Field::setUnicodeStream(const StreamRef&, int) {
  cantConvert();
}

}  // namespace quenlora::zafoli::db::net
