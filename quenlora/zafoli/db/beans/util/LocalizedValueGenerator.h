// Turns the values of bound columns into text for the default locale and back: numbers with the locale's
// separators and as many decimals as the value carries, dates, times and timestamps in the locale's long style,
// and typed text parsed into the class of the column's SQL type, refusing text the number parser reads only in
// part. Class-wide only. The formatters of each locale are made once and reused; formatting and parsing share one
// lock, so every operation may be called from any thread. The default locale is followed when it changes.
#pragma once

#include <optional>
#include <string>

#include "platform/lang/Value.h"
#include "platform/time/DateTime.h"

namespace quenlora::zafoli::db::beans::util {

class LocalizedValueGenerator {
 public:
  LocalizedValueGenerator() = delete;

  static constexpr bool PERFORM_LOCALIZATION = true;
  // The date style that stands for the platform's default style in the list of styles to try.
  static constexpr int DEFAULT_VALUES = 100;
  static constexpr char ZERO_CHAR = '0';
  static constexpr char32_t NBS_CHAR = 160;
  static constexpr int START_POS = 0;
  static constexpr const char* INT_ZERO_STRING = "0";
  // No number shows more decimals than this.
  static constexpr int kMaxScale = 8;

  // Text for display: a string value for numbers and SQL dates, times and timestamps; null for a failure (reported
  // on standard output as "Exception: " and the message, non-finite numbers included); any other value unchanged.
  static plat::lang::Value formatValue(const plat::lang::Value& value, bool grouping);

  // The number of text in the class of sqlType's column: short for TINYINT and SMALLINT, long for BIGINT, int for
  // INTEGER, float for REAL, decimal for NUMERIC and DECIMAL, double otherwise. plat::text::ParseException when
  // no number starts the text, when the number is not finite, or when the text holds more than the number read.
  static plat::lang::Value parseNumberValue(const std::string& text, int sqlType);

  // The instant of text for a DATE, TIME or TIMESTAMP column: the SQL literal, then the locale's formats in the
  // default, full, long, medium and short styles. Empty for an empty text or another type; ParseException when
  // nothing reads the whole text.
  static std::optional<plat::time::DateTime> parseDateValue(const std::string& text, int sqlType);

  // Normalises number text: upper case, space separators as the grouping character in a locale that groups with
  // spaces, no trailing decimal zeros, no "+" or leading zeros in the exponent, no zeros before the exponent.
  static std::string formatNumber(const std::string& text);

  static bool isObjToBeLocalized(const plat::lang::Value& value);
  static bool getLocalizationStatus() { return PERFORM_LOCALIZATION; }

  static bool isNumber(const std::string& text);
  static bool isScientificNotation(const std::string& text);
  // The decimals a number shows (0 to kMaxScale).
  static int getScaleForNumber(const plat::lang::Value& number);
  static bool isNumberOfIntegerType(int sqlType);
  static bool isObjOfNumberType(const plat::lang::Value& value);
  static bool isObjOfDateType(const plat::lang::Value& value);
  static std::string stripGroupingSep(const std::string& text);
  static std::string replaceSpaceWithNBS(const std::string& text);
  // The two sides of the re-format check, made comparable (see the source).
  static std::string prepareOldValueForComparision(const std::string& text, bool throughConverter);
  static std::string prepareNewValueForComparision(const std::string& text, bool throughConverter);

  // The message of a refused number, from the utility bundle.
  static std::string parseExceptionMessage();
};

}  // namespace quenlora::zafoli::db::beans::util
