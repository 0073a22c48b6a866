// The shared body of the locale variants of the translator: they differ only in their lexical dialect. The
// bundle for messages is the loader's, taken when the first translation runs. Stateless; thread-safe.
#pragma once

#include <string>
#include <string_view>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/qbe/CellTokens.h"
#include "quenlora/zafoli/db/beans/qbe/QBEtoSQLtranslator.h"

namespace quenlora::zafoli::db::beans::qbe {

class DialectTranslator : public plat::lang::Object, public QBEtoSQLtranslator {
 public:
  explicit DialectTranslator(Dialect dialect) : dialect_(dialect) {}
  DialectTranslator(const DialectTranslator&) = delete;
  DialectTranslator& operator=(const DialectTranslator&) = delete;

  std::string main(std::string_view input, const std::string& column) const override;
  Dialect getDialect() const { return dialect_; }

 private:
  Dialect dialect_;
};

}  // namespace quenlora::zafoli::db::beans::qbe
