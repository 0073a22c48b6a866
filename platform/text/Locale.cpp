#include "platform/text/Locale.h"

#include <cstdlib>
#include <mutex>

#include <unicode/locid.h>

namespace plat::text {

namespace {

std::string lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

std::string upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

// ICU names the C and POSIX locales en_US_POSIX, whose number formats do not group digits; users of a plain
// C locale expect the ordinary en_US conventions.
Locale fromIcu(const icu::Locale& icuLocale) {
  std::string variant = icuLocale.getVariant();
  if (variant == "POSIX") variant.clear();
  return Locale(icuLocale.getLanguage(), icuLocale.getCountry(), variant);
}

// The first non-empty of the variables POSIX consults for message texts.
std::string environmentLocaleName() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return value;
  }
  return "";
}

Locale initialDefault() {
  Locale fromIcuDefault = fromIcu(icu::Locale::getDefault());
  // ICU takes an empty LC_ALL for a locale name and answers the root locale; POSIX treats it as unset.
  if (!fromIcuDefault.getLanguage().empty()) return fromIcuDefault;
  return Locale::fromPosixName(environmentLocaleName());
}

std::mutex& defaultMutex() {
  static std::mutex mutex;
  return mutex;
}

Locale& defaultSlot() {  // guarded by defaultMutex()
  static Locale locale = initialDefault();
  return locale;
}

}  // namespace

const Locale Locale::US("en", "US");
const Locale Locale::GERMANY("de", "DE");
const Locale Locale::FRANCE("fr", "FR");
const Locale Locale::JAPAN("ja", "JP");
const Locale Locale::ROOT;

Locale::Locale(const std::string& language, const std::string& country, const std::string& variant)
    : language_(lower(language)), country_(upper(country)), variant_(variant) {}

std::string Locale::toString() const {
  if (language_.empty() && country_.empty() && variant_.empty()) return "";
  std::string text = language_;
  if (!country_.empty() || !variant_.empty()) text += "_" + country_;
  if (!variant_.empty()) text += "_" + variant_;
  return text;
}

std::string Locale::toIcuName() const {
  return toString();
}

Locale Locale::getDefault() {
  std::lock_guard lock(defaultMutex());
  return defaultSlot();
}

void Locale::setDefault(const Locale& locale) {
  std::lock_guard lock(defaultMutex());
  defaultSlot() = locale;
}

Locale Locale::fromPosixName(const std::string& name) {
  std::string id = name.substr(0, name.find_first_of(".@"));
  if (id.empty() || id == "C" || id == "POSIX") return US;
  return fromIcu(icu::Locale::createCanonical(id.c_str()));
}

}  // namespace plat::text
