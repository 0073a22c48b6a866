// Shared helpers of the query-by-example tests: the engine code set for one test and put back, the default
// locale likewise, and translation of one cell through a chosen dialect.
#pragma once

#include <string>

#include "platform/text/Locale.h"
#include "quenlora/zafoli/db/beans/qbe/CellParser.h"
#include "quenlora/zafoli/db/beans/qbe/QBExlator.h"

namespace quenlora::zafoli::db::beans::qbe::testing {

class EngineGuard {
 public:
  explicit EngineGuard(int engine) : saved_(QBExlator::getEngine()) { QBExlator().setEngine(engine); }
  ~EngineGuard() { QBExlator().setEngine(saved_); }
  EngineGuard(const EngineGuard&) = delete;
  EngineGuard& operator=(const EngineGuard&) = delete;

 private:
  int saved_;
};

// The default locale for one test. Only for code that reads the locale itself (the factory, bundle lookups):
// the process's translator and its bundle were fixed by the environment's locale before the first test.
class LocaleGuard {
 public:
  explicit LocaleGuard(const plat::text::Locale& locale) : saved_(plat::text::Locale::getDefault()) {
    plat::text::Locale::setDefault(locale);
  }
  ~LocaleGuard() { plat::text::Locale::setDefault(saved_); }
  LocaleGuard(const LocaleGuard&) = delete;
  LocaleGuard& operator=(const LocaleGuard&) = delete;

 private:
  plat::text::Locale saved_;
};

// The condition of cell (its line feed appended) on column "col"; English message frames.
std::string translate(Dialect dialect, const std::string& cell, int engine = QBExlator::eEngSQLAnywhere,
                      const std::string& column = "col");

}  // namespace quenlora::zafoli::db::beans::qbe::testing
