#include "quenlora/zafoli/db/pro/ValueText.h"

#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/net/WireText.h"
#include "quenlora/zafoli/db/pro/DataAccess.h"

namespace quenlora::zafoli::db::pro {

namespace {

void appendByte(std::string& text, std::uint8_t b) {
  text += '/';
  text += std::to_string(static_cast<unsigned>(b));
}

bool isBinary(int t) {
  using plat::sql::Types;
  return t == Types::BINARY || t == Types::VARBINARY || t == Types::LONGVARBINARY || t == Types::OTHER;
}

bool isCharacter(int t) {
  using plat::sql::Types;
  return t == Types::CHAR || t == Types::VARCHAR || t == Types::LONGVARCHAR;
}

bool isNumber(int t) {
  using plat::sql::Types;
  switch (t) {
    case Types::BIT:
    case Types::TINYINT:
    case Types::SMALLINT:
    case Types::INTEGER:
    case Types::BIGINT:
    case Types::FLOAT:
    case Types::REAL:
    case Types::DOUBLE:
    case Types::NUMERIC:
    case Types::DECIMAL:
      return true;
    default:
      return false;
  }
}

}  // namespace

std::string ValueText::binaryStreamtoString(plat::io::InputStream& in, std::size_t limit) {
  std::string text;
  std::uint8_t buf[kAsciiChunk];
  std::size_t total = 0;
  while (limit == 0 || total < limit) {
    const std::size_t want = limit == 0 ? sizeof buf : std::min(sizeof buf, limit - total);
    const int n = in.read(buf, want);
    if (n <= 0) break;
    for (int i = 0; i < n; ++i) appendByte(text, buf[i]);
    total += static_cast<std::size_t>(n);
  }
  return text;
}

std::string ValueText::binaryArraytoString(const std::vector<std::uint8_t>& bytes) {
  std::string text;
  const std::size_t n = std::min(bytes.size(), kMaxArrayBytes);
  for (std::size_t i = 0; i < n; ++i) appendByte(text, bytes[i]);
  return text;
}

std::string ValueText::asciiStreamtoString(plat::io::InputStream& in) {
  std::vector<std::uint8_t> bytes;
  std::uint8_t buf[kAsciiChunk];
  for (int n = in.read(buf, sizeof buf); n > 0; n = in.read(buf, sizeof buf)) bytes.insert(bytes.end(), buf, buf + n);
  return net::WireText::fromWire(bytes);
}

std::optional<std::string> ValueText::processEmptyStringData(const std::string& text, DataAccess& data, int column,
                                                             int sqlType, int mode) {
  using plat::sql::Types;
  switch (mode) {
    case DataAccess::SETBLANKTODEFAULT:
      if (isCharacter(sqlType) && !data.isNull(column)) return std::string();
      return std::nullopt;
    case DataAccess::SETBLANKTONULL:
      return std::nullopt;
    case DataAccess::SETBLANKTOEMPTY:
      if (isBinary(sqlType)) return std::nullopt;
      if (isNumber(sqlType)) return std::string("0");
      if (isCharacter(sqlType)) return std::string();
      if (sqlType == Types::DATE) return std::string("1970-01-01");
      if (sqlType == Types::TIME) return std::string("12:00:00");
      if (sqlType == Types::TIMESTAMP) return std::string("1970-01-01 12:00:00.0");
      return text;
    default:
      if (isBinary(sqlType)) return std::nullopt;
      return text;
  }
}

}  // namespace quenlora::zafoli::db::pro
