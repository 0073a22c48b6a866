// The us locale variant of the translator: the period dialect of the cell language. Thread-safe.
#pragma once

#include <string>

#include "quenlora/zafoli/db/beans/qbe/DialectTranslator.h"

namespace quenlora::zafoli::db::beans::qbe {

class QBEtoSQLtranslator_us : public DialectTranslator {
 public:
  static constexpr const char* kClassName = "quenlora.zafoli.db.beans.qbe.QBEtoSQLtranslator_us";

  // The class is created by name over an empty reader; the reader plays no part in a translation.
  QBEtoSQLtranslator_us() : DialectTranslator(Dialect::kPeriod) {}

  std::string getClassName() const override { return kClassName; }
};

}  // namespace quenlora::zafoli::db::beans::qbe
