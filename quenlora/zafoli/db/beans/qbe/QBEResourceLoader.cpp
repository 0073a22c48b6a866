#include "quenlora/zafoli/db/beans/qbe/QBEResourceLoader.h"

#include "platform/text/BundleLoader.h"
#include "quenlora/zafoli/db/beans/qbe/QBEResource.h"

namespace quenlora::zafoli::db::beans::qbe {

QBEResourceLoader::QBEResourceLoader() : bundle_(plat::text::loadBundleOrReport(QBEResource::kBaseName)) {}

QBEResourceLoader& QBEResourceLoader::getInstance() {
  static QBEResourceLoader* instance = new QBEResourceLoader();  // lives until the process ends
  return *instance;
}

void QBEResourceLoader::main(const std::vector<std::string>&) {
  getInstance();
}

std::string QBEResourceLoader::text(const plat::text::ResourceBundle* bundle, const std::string& key) {
  if (bundle != nullptr && bundle->containsKey(key)) {
    const auto& value = bundle->getObject(key);
    if (const auto* text = std::get_if<std::string>(&value)) return *text;
  }
  return QBEResource::englishText(key);
}

}  // namespace quenlora::zafoli::db::beans::qbe
