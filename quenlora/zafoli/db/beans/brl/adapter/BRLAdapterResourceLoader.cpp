#include "quenlora/zafoli/db/beans/brl/adapter/BRLAdapterResourceLoader.h"

#include "platform/text/BundleLoader.h"
#include "quenlora/zafoli/db/beans/brl/adapter/BRLAdapterResource.h"

namespace quenlora::zafoli::db::beans::brl::adapter {

namespace {

const plat::text::BundleValue* find(const plat::text::ResourceBundle* bundle, const std::string& key) {
  if (bundle != nullptr && bundle->containsKey(key)) return &bundle->getObject(key);
  static const BRLAdapterResource* base = new BRLAdapterResource();  // lives until the process ends
  return base->containsKey(key) ? &base->getObject(key) : nullptr;
}

}  // namespace

BRLAdapterResourceLoader::BRLAdapterResourceLoader(const std::string& baseName)
    : bundle_(plat::text::loadBundleOrReport(baseName)) {}

BRLAdapterResourceLoader& BRLAdapterResourceLoader::getInstance() {
  static BRLAdapterResourceLoader* instance =
      new BRLAdapterResourceLoader(BRLAdapterResource::kBaseName);  // never freed
  return *instance;
}

std::unique_ptr<BRLAdapterResourceLoader> BRLAdapterResourceLoader::forBaseName(const std::string& baseName) {
  return std::unique_ptr<BRLAdapterResourceLoader>(new BRLAdapterResourceLoader(baseName));
}

std::string BRLAdapterResourceLoader::getString(const std::string& key) const {
  const plat::text::BundleValue* value = find(bundle_.get(), key);
  if (value == nullptr) return "";
  const auto* text = std::get_if<std::string>(value);
  return text != nullptr ? *text : "";
}

int BRLAdapterResourceLoader::getInteger(const std::string& key) const {
  const plat::text::BundleValue* value = find(bundle_.get(), key);
  if (value == nullptr) return 0;
  const auto* number = std::get_if<int>(value);
  return number != nullptr ? *number : 0;
}

}  // namespace quenlora::zafoli::db::beans::brl::adapter
