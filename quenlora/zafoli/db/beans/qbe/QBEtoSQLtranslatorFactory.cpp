#include "quenlora/zafoli/db/beans/qbe/QBEtoSQLtranslatorFactory.h"

#include "platform/lang/Throwable.h"
#include "quenlora/zafoli/db/beans/qbe/QBEtoSQLtranslator_us.h"

namespace quenlora::zafoli::db::beans::qbe {

QBEtoSQLtranslatorFactory::QBEtoSQLtranslatorFactory() : currentLocale(plat::text::Locale::getDefault()) {}

const plat::runvale::ClassInfo* QBEtoSQLtranslatorFactory::getQBEtoSQLtranslatorClass() {
  if (retClass != nullptr) return retClass;
  std::string country = currentLocale.getCountry();
  for (char& c : country)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  try {
    retClass = &plat::runvale::ClassRegistry::instance().forName(kVariantPrefix + country);
  } catch (const plat::lang::Throwable&) {
    retClass = nullptr;  // no variant for the country: the caller falls back to the US one
  }
  return retClass;
}

std::shared_ptr<QBEtoSQLtranslator> QBEtoSQLtranslatorFactory::getQBEtoSQLtranslator() {
  std::shared_ptr<QBEtoSQLtranslator> translator;
  if (const plat::runvale::ClassInfo* info = getQBEtoSQLtranslatorClass(); info != nullptr && info->factory) {
    try {
      translator = std::dynamic_pointer_cast<QBEtoSQLtranslator>(info->factory());
    } catch (const plat::lang::Throwable&) {
      translator = nullptr;  // a variant that cannot be made is passed over silently
    }
  }
  if (!translator) translator = std::make_shared<QBEtoSQLtranslator_us>();
  return translator;
}

}  // namespace quenlora::zafoli::db::beans::qbe
