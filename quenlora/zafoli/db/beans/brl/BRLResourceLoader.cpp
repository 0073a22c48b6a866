#include "quenlora/zafoli/db/beans/brl/BRLResourceLoader.h"

#include "platform/text/BundleLoader.h"
#include "quenlora/zafoli/db/beans/brl/BRLResource.h"

namespace quenlora::zafoli::db::beans::brl {

namespace {

const plat::text::BundleValue* find(const plat::text::ResourceBundle* bundle, const std::string& key) {
  if (bundle != nullptr && bundle->containsKey(key)) return &bundle->getObject(key);
  static const BRLResource* base = new BRLResource();  // lives until the process ends
  return base->containsKey(key) ? &base->getObject(key) : nullptr;
}

}  // namespace

BRLResourceLoader::BRLResourceLoader(const std::string& baseName) : bundle_(plat::text::loadBundleOrReport(baseName)) {}

BRLResourceLoader& BRLResourceLoader::getInstance() {
  static BRLResourceLoader* instance = new BRLResourceLoader(BRLResource::kBaseName);  // never freed
  return *instance;
}

std::unique_ptr<BRLResourceLoader> BRLResourceLoader::forBaseName(const std::string& baseName) {
  return std::unique_ptr<BRLResourceLoader>(new BRLResourceLoader(baseName));
}

std::string BRLResourceLoader::getString(const std::string& key) const {
  const plat::text::BundleValue* value = find(bundle_.get(), key);
  if (value == nullptr) return "";
  const auto* text = std::get_if<std::string>(value);
  return text != nullptr ? *text : "";
}

}  // namespace quenlora::zafoli::db::beans::brl
