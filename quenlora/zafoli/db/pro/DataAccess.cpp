#include "quenlora/zafoli/db/pro/DataAccess.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <vector>

#include "platform/io/ByteArrayInputStream.h"
#include "platform/io/DataInputStream.h"
#include "platform/io/DataOutputStream.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/Integer.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/net/WireText.h"
#include "quenlora/zafoli/db/pro/Record.h"
#include "quenlora/zafoli/db/pro/RelationView.h"
#include "quenlora/zafoli/db/pro/ValueText.h"

namespace quenlora::zafoli::db::pro {

namespace {

using OutRef = plat::lang::Ref<plat::io::OutputStream>;
using plat::sql::Types;

std::vector<std::uint8_t> readAll(std::unique_ptr<plat::io::InputStream> in) {
  std::vector<std::uint8_t> bytes;
  std::uint8_t buf[ValueText::kAsciiChunk];
  for (int n = in->read(buf, sizeof buf); n > 0; n = in->read(buf, sizeof buf)) bytes.insert(bytes.end(), buf, buf + n);
  in->close();
  return bytes;
}

// Text values travel through a stream in the wire's 8-bit form.
std::string readText(std::unique_ptr<plat::io::InputStream> in) {
  return net::WireText::fromWire(readAll(std::move(in)));
}

void writeText(const OutRef& out, const std::string& text) {
  const auto bytes = net::WireText::toWire(text);
  out->write(bytes.data(), bytes.size());
}

// Copies length bytes of a stream, fewer when it ends first.
void copyStream(const DataAccess::StreamRef& from, int length, const OutRef& out) {
  if (!from) return;
  std::uint8_t buf[ValueText::kAsciiChunk];
  auto left = static_cast<std::size_t>(length);
  while (left > 0) {
    const int n = from->read(buf, std::min(left, sizeof buf));
    if (n <= 0) break;
    out->write(buf, static_cast<std::size_t>(n));
    left -= static_cast<std::size_t>(n);
  }
}

void checkLength(int length) {
  if (length < 0) throw plat::sql::SQLException("Invalid stream length: " + std::to_string(length));
}

DataAccess::StreamRef bytesStream(const std::string& text) {
  return std::make_shared<plat::io::ByteArrayInputStream>(net::WireText::toWire(text));
}

bool equalsTrue(const std::string& text) {
  static constexpr std::string_view kTrue = "true";
  return text.size() == kTrue.size() && std::equal(text.begin(), text.end(), kTrue.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == b;
         });
}

// Types whose display text comes from the value alone, with no stream.
bool hasPlainText(int type) {
  return type != Types::LONGVARBINARY && type != Types::OTHER;
}

// The display text of a held non-null value of such a type, as the typed getters give it.
std::string plainText(const net::Field& f, int type, int scale, bool binary) {
  switch (type) {
    case Types::BIT:
      return f.getBoolean() ? "true" : "false";
    case Types::TINYINT:
    case Types::SMALLINT:
      return std::to_string(f.getShort());
    case Types::INTEGER:
      return std::to_string(f.getInt());
    case Types::BIGINT:
      return std::to_string(f.getLong());
    case Types::NUMERIC:
    case Types::DECIMAL: {
      const auto value = f.getBigDecimal(scale);
      return value ? value->toPlainString() : "";
    }
    case Types::DATE: {
      const auto value = f.getDate();
      return value ? value->toString() : "";
    }
    case Types::TIME: {
      const auto value = f.getTime();
      return value ? value->toString() : "";
    }
    case Types::TIMESTAMP: {
      const auto value = f.getTimestamp();
      return value ? value->toString() : "";
    }
    case Types::BINARY:
    case Types::VARBINARY:
      return binary ? ValueText::binaryArraytoString(f.getBytes()) : "<Binary Data>";
    case Types::NULL_TYPE:
      return "";
    default:
      return f.getString().value_or("");
  }
}

}  // namespace

int DataAccess::resolve(const std::string& name) {
  if (name.empty()) throw plat::sql::SQLException(kNullColumnName);
  return columnNumber(name);
}

DataAccess::StreamRef DataAccess::getAsciiStream(int column) {
  return accessRecord().read(
      column, [](const net::Field& f) { return f.getAsciiStream(); },
      [](std::unique_ptr<plat::io::InputStream> in) { return StreamRef(std::move(in)); });
}

DataAccess::StreamRef DataAccess::getBinaryStream(int column) {
  return accessRecord().read(
      column, [](const net::Field& f) { return f.getBinaryStream(); },
      [](std::unique_ptr<plat::io::InputStream> in) { return StreamRef(std::move(in)); });
}

DataAccess::StreamRef DataAccess::getUnicodeStream(int column) {
  return accessRecord().read(
      column, [](const net::Field& f) { return f.getUnicodeStream(); },
      [](std::unique_ptr<plat::io::InputStream> in) { return StreamRef(std::move(in)); });
}

bool DataAccess::getBoolean(int column) {
  return accessRecord().read(
      column, [](const net::Field& f) { return f.getBoolean(); },
      [](std::unique_ptr<plat::io::InputStream> in) {
        plat::io::DataInputStream data(StreamRef(std::move(in)));
        const auto value = data.readBoolean();
        data.close();
        return value;
      });
}

std::int8_t DataAccess::getByte(int column) {
  return accessRecord().read(
      column, [](const net::Field& f) { return f.getByte(); },
      [](std::unique_ptr<plat::io::InputStream> in) {
        plat::io::DataInputStream data(StreamRef(std::move(in)));
        const auto value = data.readByte();
        data.close();
        return value;
      });
}

double DataAccess::getDouble(int column) {
  return accessRecord().read(
      column, [](const net::Field& f) { return f.getDouble(); },
      [](std::unique_ptr<plat::io::InputStream> in) {
        plat::io::DataInputStream data(StreamRef(std::move(in)));
        const auto value = data.readDouble();
        data.close();
        return value;
      });
}

float DataAccess::getFloat(int column) {
  return accessRecord().read(
      column, [](const net::Field& f) { return f.getFloat(); },
      [](std::unique_ptr<plat::io::InputStream> in) {
        plat::io::DataInputStream data(StreamRef(std::move(in)));
        const auto value = data.readFloat();
        data.close();
        return value;
      });
}

std::int32_t DataAccess::getInt(int column) {
  return accessRecord().read(
      column, [](const net::Field& f) { return f.getInt(); },
      [](std::unique_ptr<plat::io::InputStream> in) {
        plat::io::DataInputStream data(StreamRef(std::move(in)));
        const auto value = data.readInt();
        data.close();
        return value;
      });
}

std::int64_t DataAccess::getLong(int column) {
  return accessRecord().read(
      column, [](const net::Field& f) { return f.getLong(); },
      [](std::unique_ptr<plat::io::InputStream> in) {
        plat::io::DataInputStream data(StreamRef(std::move(in)));
        const auto value = data.readLong();
        data.close();
        return value;
      });
}

std::int16_t DataAccess::getShort(int column) {
  return accessRecord().read(
      column, [](const net::Field& f) { return f.getShort(); },
      [](std::unique_ptr<plat::io::InputStream> in) {
        plat::io::DataInputStream data(StreamRef(std::move(in)));
        const auto value = data.readShort();
        data.close();
        return value;
      });
}

void DataAccess::setBoolean(int column, bool value) {
  accessRecord().write(
      column, [&](net::NetRecord& row) { row.setBoolean(column, value); },
      [&](const OutRef& out) {
        plat::io::DataOutputStream data(out);
        data.writeBoolean(value);
        data.close();
      });
}

void DataAccess::setByte(int column, std::int8_t value) {
  accessRecord().write(
      column, [&](net::NetRecord& row) { row.setByte(column, value); },
      [&](const OutRef& out) {
        plat::io::DataOutputStream data(out);
        data.writeByte(value);
        data.close();
      });
}

void DataAccess::setDouble(int column, double value) {
  accessRecord().write(
      column, [&](net::NetRecord& row) { row.setDouble(column, value); },
      [&](const OutRef& out) {
        plat::io::DataOutputStream data(out);
        data.writeDouble(value);
        data.close();
      });
}

void DataAccess::setFloat(int column, float value) {
  accessRecord().write(
      column, [&](net::NetRecord& row) { row.setFloat(column, value); },
      [&](const OutRef& out) {
        plat::io::DataOutputStream data(out);
        data.writeFloat(value);
        data.close();
      });
}

void DataAccess::setInt(int column, std::int32_t value) {
  accessRecord().write(
      column, [&](net::NetRecord& row) { row.setInt(column, value); },
      [&](const OutRef& out) {
        plat::io::DataOutputStream data(out);
        data.writeInt(value);
        data.close();
      });
}

void DataAccess::setLong(int column, std::int64_t value) {
  accessRecord().write(
      column, [&](net::NetRecord& row) { row.setLong(column, value); },
      [&](const OutRef& out) {
        plat::io::DataOutputStream data(out);
        data.writeLong(value);
        data.close();
      });
}

void DataAccess::setShort(int column, std::int16_t value) {
  accessRecord().write(
      column, [&](net::NetRecord& row) { row.setShort(column, value); },
      [&](const OutRef& out) {
        plat::io::DataOutputStream data(out);
        data.writeShort(value);
        data.close();
      });
}

std::optional<plat::math::Decimal> DataAccess::getBigDecimal(int column, int scale) {
  return accessRecord().read(
      column, [scale](const net::Field& f) { return f.getBigDecimal(scale); },
      [&](std::unique_ptr<plat::io::InputStream> in) -> std::optional<plat::math::Decimal> {
        return plat::math::Decimal::parse(readText(std::move(in))).setScale(scale, plat::math::RoundingMode::HALF_UP);
      });
}

DataAccess::Bytes DataAccess::getBytes(int column) {
  return accessRecord().read(
      column, [](const net::Field& f) { return f.getBytes(); },
      [](std::unique_ptr<plat::io::InputStream> in) { return readAll(std::move(in)); });
}

std::optional<plat::time::Date> DataAccess::getDate(int column) {
  return accessRecord().read(
      column, [](const net::Field& f) { return f.getDate(); },
      [](std::unique_ptr<plat::io::InputStream> in) -> std::optional<plat::time::Date> {
        return plat::time::Date::valueOf(readText(std::move(in)));
      });
}

std::optional<plat::time::Time> DataAccess::getTime(int column) {
  return accessRecord().read(
      column, [](const net::Field& f) { return f.getTime(); },
      [](std::unique_ptr<plat::io::InputStream> in) -> std::optional<plat::time::Time> {
        return plat::time::Time::valueOf(readText(std::move(in)));
      });
}

std::optional<plat::time::Timestamp> DataAccess::getTimestamp(int column) {
  return accessRecord().read(
      column, [](const net::Field& f) { return f.getTimestamp(); },
      [](std::unique_ptr<plat::io::InputStream> in) -> std::optional<plat::time::Timestamp> {
        return plat::time::Timestamp::valueOf(readText(std::move(in)));
      });
}

std::optional<std::string> DataAccess::getString(int column) {
  return accessRecord().read(
      column, [](const net::Field& f) { return f.getString(); },
      [](std::unique_ptr<plat::io::InputStream> in) -> std::optional<std::string> { return readText(std::move(in)); });
}

bool DataAccess::isNull(int column) {
  Record& record = accessRecord();
  record.checkColumn(column);
  return record.row().isNull(column);
}

void DataAccess::setAsciiStream(int column, const StreamRef& stream, int length) {
  checkLength(length);
  accessRecord().write(
      column, [&](net::NetRecord& row) { row.setAsciiStream(column, stream, length); },
      [&](const OutRef& out) { copyStream(stream, length, out); });
}

void DataAccess::setBinaryStream(int column, const StreamRef& stream, int length) {
  checkLength(length);
  accessRecord().write(
      column, [&](net::NetRecord& row) { row.setBinaryStream(column, stream, length); },
      [&](const OutRef& out) { copyStream(stream, length, out); });
}

void DataAccess::setUnicodeStream(int column, const StreamRef& stream, int length) {
  checkLength(length);
  accessRecord().write(
      column, [&](net::NetRecord& row) { row.setUnicodeStream(column, stream, length); },
      [&](const OutRef& out) { copyStream(stream, length, out); });
}

void DataAccess::setBigDecimal(int column, const std::optional<plat::math::Decimal>& value) {
  accessRecord().write(
      column, [&](net::NetRecord& row) { row.setBigDecimal(column, value); },
      [&](const OutRef& out) {
        if (value) writeText(out, value->toPlainString());
      });
}

void DataAccess::setBytes(int column, const Bytes& value) {
  accessRecord().write(
      column, [&](net::NetRecord& row) { row.setBytes(column, value); },
      [&](const OutRef& out) { out->write(value.data(), value.size()); });
}

void DataAccess::setDate(int column, const plat::time::Date& value) {
  accessRecord().write(
      column, [&](net::NetRecord& row) { row.setDate(column, value); },
      [&](const OutRef& out) { writeText(out, value.toString()); });
}

void DataAccess::setTime(int column, const plat::time::Time& value) {
  accessRecord().write(
      column, [&](net::NetRecord& row) { row.setTime(column, value); },
      [&](const OutRef& out) { writeText(out, value.toString()); });
}

void DataAccess::setTimestamp(int column, const plat::time::Timestamp& value) {
  accessRecord().write(
      column, [&](net::NetRecord& row) { row.setTimestamp(column, value); },
      [&](const OutRef& out) { writeText(out, value.toString()); });
}

void DataAccess::setString(int column, const std::string& value) {
  accessRecord().write(
      column, [&](net::NetRecord& row) { row.setString(column, value); },
      [&](const OutRef& out) { writeText(out, value); });
}

void DataAccess::setNull(int column, int sqlType) {
  Record& record = accessRecord();
  bool streamed = false;
  record.write(
      column, [&](net::NetRecord& row) { row.setNull(column, sqlType); }, [&](const OutRef&) { streamed = true; });
  // The server holds the null now; the local flag follows without counting as a change of its own.
  if (streamed) record.row().setNullFlag(column);
}

std::string DataAccess::stringValue(int column, const TextOptions& options) {
  Record& record = accessRecord();
  const int type = options.sqlType ? *options.sqlType : record.columnType(column);
  if (hasPlainText(type)) {
    // A held value: its null flag and its text under one lock of the row.
    const int scale = (type == Types::NUMERIC || type == Types::DECIMAL) && options.scale == 0
                          ? record.columnScale(column)
                          : options.scale;
    auto text = record.readHeld(column, [&](const net::Field& f) {
      return f.isNull() ? std::string() : plainText(f, type, scale, options.binary);
    });
    if (text) return std::move(*text);
  }
  if (isNull(column)) return "";
  switch (type) {
    case Types::BIT:
      return getBoolean(column) ? "true" : "false";
    case Types::TINYINT:
    case Types::SMALLINT:
      return std::to_string(getShort(column));
    case Types::INTEGER:
      return std::to_string(getInt(column));
    case Types::BIGINT:
      return std::to_string(getLong(column));
    case Types::NUMERIC:
    case Types::DECIMAL: {
      const int scale = options.scale == 0 ? record.columnScale(column) : options.scale;
      const auto value = getBigDecimal(column, scale);
      return value ? value->toPlainString() : "";
    }
    case Types::DATE: {
      const auto value = getDate(column);
      return value ? value->toString() : "";
    }
    case Types::TIME: {
      const auto value = getTime(column);
      return value ? value->toString() : "";
    }
    case Types::TIMESTAMP: {
      const auto value = getTimestamp(column);
      return value ? value->toString() : "";
    }
    case Types::BINARY:
    case Types::VARBINARY:
      return options.binary ? ValueText::binaryArraytoString(getBytes(column)) : "<Binary Data>";
    case Types::LONGVARBINARY: {
      if (!options.binary) return "<Binary Data>";
      const auto in = getBinaryStream(column);
      return in ? ValueText::binaryStreamtoString(*in, 0) : "";
    }
    case Types::OTHER: {
      if (!options.binary) return "<Other Data Type>";
      const auto in = getUnicodeStream(column);
      return in ? ValueText::binaryStreamtoString(*in, 0) : "";
    }
    case Types::NULL_TYPE:
      return "";
    default:
      return getString(column).value_or("");
  }
}

void DataAccess::valueFromString(int column, const std::string& input, const ParseOptions& options) {
  Record& record = accessRecord();
  const int type = options.sqlType ? *options.sqlType : record.columnType(column);
  std::string text = input;
  if (text.empty()) {
    auto blank = ValueText::processEmptyStringData(input, *this, column, type, options.mode);
    if (!blank) {
      setNull(column, type);
      return;
    }
    text = std::move(*blank);
  }
  switch (type) {
    case Types::BIT:
      setBoolean(column, equalsTrue(text));
      return;
    case Types::TINYINT:
    case Types::SMALLINT: {
      // Out of the 16-bit range is refused rather than cut to its low bits.
      const std::int32_t value = plat::lang::Integer::parseInt(text);
      if (value < INT16_MIN || value > INT16_MAX) {
        throw plat::lang::NumberFormatException("Value out of range. Value:\"" + text + "\" Radix:10");
      }
      setShort(column, static_cast<std::int16_t>(value));
      return;
    }
    case Types::INTEGER:
      setInt(column, plat::lang::Integer::parseInt(text));
      return;
    case Types::BIGINT:
      setLong(column, plat::lang::Long::parseLong(text));
      return;
    case Types::NUMERIC:
    case Types::DECIMAL: {
      auto value = plat::math::Decimal::parse(text);
      if (options.scale != 0) value = value.setScale(options.scale);
      setBigDecimal(column, value);
      return;
    }
    case Types::LONGVARCHAR:
      setAsciiStream(column, bytesStream(text), static_cast<int>(net::WireText::wireLength(text)));
      return;
    case Types::DATE:
      setDate(column, plat::time::Date::valueOf(text));
      return;
    case Types::TIME:
      setTime(column, plat::time::Time::valueOf(text));
      return;
    case Types::TIMESTAMP:
      setTimestamp(column, plat::time::Timestamp::valueOf(text));
      return;
    case Types::BINARY:
    case Types::VARBINARY:
      setBytes(column, net::WireText::toWire(text));
      return;
    case Types::LONGVARBINARY:
    case Types::OTHER:
      setBinaryStream(column, bytesStream(text), static_cast<int>(net::WireText::wireLength(text)));
      return;
    case Types::NULL_TYPE:
      setNull(column, Types::NULL_TYPE);
      return;
    default:
      setString(column, text);
      return;
  }
}

std::string DataAccess::getStringValue(int column) {
  return stringValue(column, TextOptions{});
}
std::string DataAccess::getStringValue(const std::string& columnName) {
  return stringValue(resolve(columnName), TextOptions{});
}
std::string DataAccess::getStringValue(int column, int scale) {
  return stringValue(column, TextOptions{std::nullopt, scale, false});
}
std::string DataAccess::getStringValue(const std::string& columnName, int scale) {
  return stringValue(resolve(columnName), TextOptions{std::nullopt, scale, false});
}
std::string DataAccess::getStringValue(int column, int sqlType, int scale) {
  return stringValue(column, TextOptions{sqlType, scale, false});
}
std::string DataAccess::getStringValue(const std::string& columnName, int sqlType, int scale) {
  return stringValue(resolve(columnName), TextOptions{sqlType, scale, false});
}
std::string DataAccess::getStringValue(int column, int sqlType, int scale, bool binary) {
  return stringValue(column, TextOptions{sqlType, scale, binary});
}
std::string DataAccess::getStringValue(const std::string& columnName, int sqlType, int scale, bool binary) {
  return stringValue(resolve(columnName), TextOptions{sqlType, scale, binary});
}
std::string DataAccess::getStringValue(int column, int scale, bool binary) {
  return stringValue(column, TextOptions{std::nullopt, scale, binary});
}
std::string DataAccess::getStringValue(const std::string& columnName, int scale, bool binary) {
  return stringValue(resolve(columnName), TextOptions{std::nullopt, scale, binary});
}
std::string DataAccess::getStringValue(int column, bool binary) {
  return stringValue(column, TextOptions{std::nullopt, 0, binary});
}
std::string DataAccess::getStringValue(const std::string& columnName, bool binary) {
  return stringValue(resolve(columnName), TextOptions{std::nullopt, 0, binary});
}
std::string DataAccess::getStringValue(int column, const std::string& typeName, int scale) {
  return stringValue(column, TextOptions{RelationView::sqlTypeConvert(typeName), scale, false});
}
std::string DataAccess::getStringValue(const std::string& columnName, const std::string& typeName, int scale) {
  return stringValue(resolve(columnName), TextOptions{RelationView::sqlTypeConvert(typeName), scale, false});
}
std::string DataAccess::getStringValue(int column, const std::string& typeName, int scale, bool binary) {
  return stringValue(column, TextOptions{RelationView::sqlTypeConvert(typeName), scale, binary});
}
std::string DataAccess::getStringValue(const std::string& columnName, const std::string& typeName, int scale,
                                       bool binary) {
  return stringValue(resolve(columnName), TextOptions{RelationView::sqlTypeConvert(typeName), scale, binary});
}
void DataAccess::setValueFromString(int column, const std::string& text) {
  valueFromString(column, text, ParseOptions{});
}
void DataAccess::setValueFromString(const std::string& columnName, const std::string& text) {
  valueFromString(resolve(columnName), text, ParseOptions{});
}
void DataAccess::setValueFromString(int column, const std::string& text, int mode) {
  valueFromString(column, text, ParseOptions{std::nullopt, 0, mode});
}
void DataAccess::setValueFromString(const std::string& columnName, const std::string& text, int mode) {
  valueFromString(resolve(columnName), text, ParseOptions{std::nullopt, 0, mode});
}
void DataAccess::setValueFromString(int column, const std::string& text, int scale, int mode) {
  valueFromString(column, text, ParseOptions{std::nullopt, scale, mode});
}
void DataAccess::setValueFromString(const std::string& columnName, const std::string& text, int scale, int mode) {
  valueFromString(resolve(columnName), text, ParseOptions{std::nullopt, scale, mode});
}
void DataAccess::setValueFromString(int column, const std::string& text, int sqlType, int scale, int mode) {
  valueFromString(column, text, ParseOptions{sqlType, scale, mode});
}
void DataAccess::setValueFromString(const std::string& columnName, const std::string& text, int sqlType, int scale,
                                    int mode) {
  valueFromString(resolve(columnName), text, ParseOptions{sqlType, scale, mode});
}
void DataAccess::setValueFromString(int column, const std::string& text, const std::string& typeName, int scale) {
  valueFromString(column, text, ParseOptions{RelationView::sqlTypeConvert(typeName), scale, SETBLANKTODEFAULT});
}
void DataAccess::setValueFromString(const std::string& columnName, const std::string& text, const std::string& typeName,
                                    int scale) {
  valueFromString(resolve(columnName), text,
                  ParseOptions{RelationView::sqlTypeConvert(typeName), scale, SETBLANKTODEFAULT});
}
void DataAccess::setValueFromString(int column, const std::string& text, const std::string& typeName, int scale,
                                    int mode) {
  valueFromString(column, text, ParseOptions{RelationView::sqlTypeConvert(typeName), scale, mode});
}
void DataAccess::setValueFromString(const std::string& columnName, const std::string& text, const std::string& typeName,
                                    int scale, int mode) {
  valueFromString(resolve(columnName), text, ParseOptions{RelationView::sqlTypeConvert(typeName), scale, mode});
}

}  // namespace quenlora::zafoli::db::pro
