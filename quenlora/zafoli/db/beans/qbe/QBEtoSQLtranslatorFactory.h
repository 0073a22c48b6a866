// Chooses the translator variant by the default locale's country, through the class registry:
// "quenlora.zafoli.db.beans.qbe.QBEtoSQLtranslator_" + the country in lower case, the US variant when there is
// none. The default locale is taken when the factory is made. Not thread-safe (used once, by QBExlator).
#pragma once

#include <memory>

#include "platform/runvale/ClassRegistry.h"
#include "platform/text/Locale.h"
#include "quenlora/zafoli/db/beans/qbe/QBEtoSQLtranslator.h"

namespace quenlora::zafoli::db::beans::qbe {

class QBEtoSQLtranslatorFactory {
 public:
  static constexpr const char* kVariantPrefix = "quenlora.zafoli.db.beans.qbe.QBEtoSQLtranslator_";

  QBEtoSQLtranslatorFactory();
  QBEtoSQLtranslatorFactory(const QBEtoSQLtranslatorFactory&) = delete;
  QBEtoSQLtranslatorFactory& operator=(const QBEtoSQLtranslatorFactory&) = delete;

  // The registered variant class for the country, cached after the first successful lookup; null when none.
  const plat::runvale::ClassInfo* getQBEtoSQLtranslatorClass();
  // A new translator of that class, or of the US variant when there is none or it cannot be made. Never fails.
  std::shared_ptr<QBEtoSQLtranslator> getQBEtoSQLtranslator();

  const plat::text::Locale& getCurrentLocale() const { return currentLocale; }

 private:
  plat::text::Locale currentLocale;
  const plat::runvale::ClassInfo* retClass = nullptr;  // owned by the registry, which lives as long as the process
};

}  // namespace quenlora::zafoli::db::beans::qbe
