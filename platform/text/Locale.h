// A locale: lower-case language, upper-case country and a variant, plus the process-wide default locale, which
// starts from the environment (LC_ALL, LC_MESSAGES, LANG through ICU) and may be replaced by programs and tests.
// Locale values are immutable and may be shared between threads; getDefault() and setDefault() are thread-safe.
#pragma once

#include <string>

namespace plat::text {

class Locale {
 public:
  // The root locale: empty language, country and variant.
  Locale() = default;
  explicit Locale(const std::string& language, const std::string& country = "", const std::string& variant = "");

  const std::string& getLanguage() const { return language_; }
  const std::string& getCountry() const { return country_; }
  const std::string& getVariant() const { return variant_; }

  // "de_DE", "de", "_DE", "ja_JP_X"; empty for the root locale.
  std::string toString() const;
  // The identifier ICU is given for this locale.
  std::string toIcuName() const;

  bool operator==(const Locale& other) const = default;

  static Locale getDefault();
  static void setDefault(const Locale& locale);

  // Parses "de_DE", "de-DE", "de_DE.UTF-8" or "de_DE@euro"; "C" and "POSIX" stand for en_US.
  static Locale fromPosixName(const std::string& name);

  static const Locale US;
  static const Locale GERMANY;
  static const Locale FRANCE;
  static const Locale JAPAN;
  static const Locale ROOT;

 private:
  std::string language_;  // lower case
  std::string country_;   // upper case
  std::string variant_;
};

}  // namespace plat::text
