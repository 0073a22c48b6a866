#include "quenlora/zafoli/db/beans/util/UtilResourceLoader.h"

#include "platform/text/BundleLoader.h"
#include "quenlora/zafoli/db/beans/util/UtilResource.h"

namespace quenlora::zafoli::db::beans::util {

UtilResourceLoader::UtilResourceLoader() : bundle_(plat::text::loadBundleOrReport(UtilResource::kBaseName)) {}

UtilResourceLoader& UtilResourceLoader::getInstance() {
  static UtilResourceLoader* instance = new UtilResourceLoader();  // lives until the process ends
  return *instance;
}

std::string UtilResourceLoader::text(const plat::text::ResourceBundle* bundle, const std::string& key) {
  static const UtilResource* base = new UtilResource();  // lives until the process ends
  const plat::text::ResourceBundle* source = bundle != nullptr && bundle->containsKey(key) ? bundle : base;
  if (!source->containsKey(key)) return "";
  const auto& value = source->getObject(key);
  if (const auto* s = std::get_if<std::string>(&value)) return *s;
  return std::to_string(std::get<int>(value));
}

}  // namespace quenlora::zafoli::db::beans::util
