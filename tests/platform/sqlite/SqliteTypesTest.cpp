#include "platform/sqlite/SqliteTypes.h"

#include <gtest/gtest.h>

#include "platform/sql/SQLException.h"
#include "platform/sql/Types.h"
#include "platform/sqlite/SqliteText.h"

namespace plat::sql::sqlite {
namespace {

TEST(SqliteTypes, DeclaredTypes) {
  struct Case {
    const char* declared;
    int type;
    int displaySize;
    int precision;
    int scale;
  };
  const Case cases[] = {
      {"INTEGER", Types::INTEGER, 11, 10, 0},
      {"int", Types::INTEGER, 11, 10, 0},
      {"BIGINT", Types::BIGINT, 20, 19, 0},
      {"SMALLINT", Types::SMALLINT, 6, 5, 0},
      {"TINYINT", Types::TINYINT, 4, 3, 0},
      {"BOOLEAN", Types::BIT, 1, 1, 0},
      {"VARCHAR(40)", Types::VARCHAR, 40, 40, 0},
      {"varchar ( 7 )", Types::VARCHAR, 7, 7, 0},
      {"CHAR(3)", Types::CHAR, 3, 3, 0},
      {"DECIMAL(10,2)", Types::DECIMAL, 12, 10, 2},
      {"NUMERIC(5)", Types::NUMERIC, 6, 5, 0},
      {"DATE", Types::DATE, 10, 10, 0},
      {"TIME", Types::TIME, 8, 8, 0},
      {"TIMESTAMP", Types::TIMESTAMP, 29, 29, 0},
      {"BLOB", Types::LONGVARBINARY, kUnboundedSize, kUnboundedSize, 0},
      {"TEXT", Types::LONGVARCHAR, kUnboundedSize, kUnboundedSize, 0},
      {"DOUBLE PRECISION", Types::DOUBLE, 24, 15, 0},
      // SQLite keeps a REAL in 8 bytes.
      {"REAL", Types::DOUBLE, 24, 15, 0},
      // Unknown names follow SQLite's affinity rules.
      {"UNSIGNED BIG INT", Types::INTEGER, 11, 10, 0},
      {"NATIVE CHARACTER(70)", Types::VARCHAR, 70, 70, 0},
      {"FLOAT8", Types::DOUBLE, 24, 15, 0},
      // SQLite reads the INT in "POINT" first.
      {"FLOATING POINT", Types::INTEGER, 11, 10, 0},
      {"MONEY", Types::NUMERIC, kUnboundedSize, kUnboundedSize, 0},
      // A hostile length is not taken as a size.
      {"VARCHAR(99999999999)", Types::VARCHAR, kUnboundedSize, kUnboundedSize, 0},
      {"VARCHAR(-5)", Types::VARCHAR, kUnboundedSize, kUnboundedSize, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.declared);
    SqliteColumnType type = columnTypeOf(c.declared);
    EXPECT_EQ(type.jdbcType, c.type);
    EXPECT_EQ(type.displaySize, c.displaySize);
    EXPECT_EQ(type.precision, c.precision);
    EXPECT_EQ(type.scale, c.scale);
  }
}

TEST(SqliteText, DateTimeTexts) {
  EXPECT_EQ(parseDate("2024-02-29").toString(), "2024-02-29");
  EXPECT_EQ(parseDate("2024-02-29 13:14:15").toString(), "2024-02-29");
  EXPECT_EQ(parseTime("13:14:15").toString(), "13:14:15");
  EXPECT_EQ(parseTime("2024-02-29T13:14:15.250Z").toString(), "13:14:15");
  EXPECT_EQ(parseTimestamp("2024-02-29 13:14:15.25").toString(), "2024-02-29 13:14:15.25");
  EXPECT_EQ(parseTimestamp("2024-02-29").toString(), "2024-02-29 00:00:00.0");
  EXPECT_EQ(parseTimestamp("2024-02-29 13:14").toString(), "2024-02-29 13:14:00.0");
  for (const char* bad : {"", "yesterday", "2024-13-45x", "12"}) {
    SCOPED_TRACE(bad);
    EXPECT_THROW(parseTimestamp(bad), SQLException);
    EXPECT_THROW(parseDate(bad), SQLException);
  }
}

TEST(SqliteText, Utf16RoundTrip) {
  const std::string texts[] = {"", "plain", "gr\xC3\xBC\xC3\x9F", "\xE2\x82\xAC 5", "\xF0\x9F\x98\x80 smile"};
  for (const auto& text : texts) EXPECT_EQ(utf16beToUtf8(utf8ToUtf16be(text)), text);
  EXPECT_EQ(utf8ToUtf16be("A\xE2\x82\xAC"), (std::vector<std::uint8_t>{0, 'A', 0x20, 0xAC}));
  // A truncated sequence and an odd byte become U+FFFD instead of reading past the end.
  EXPECT_EQ(utf8ToUtf16be("\xE2\x82"), (std::vector<std::uint8_t>{0xFF, 0xFD, 0xFF, 0xFD}));
  EXPECT_EQ(utf16beToUtf8({0, 'A', 0x41}), "A\xEF\xBF\xBD");
}

}  // namespace
}  // namespace plat::sql::sqlite
