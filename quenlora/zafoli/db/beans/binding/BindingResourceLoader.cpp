#include "quenlora/zafoli/db/beans/binding/BindingResourceLoader.h"

#include "platform/text/BundleLoader.h"
#include "quenlora/zafoli/db/beans/binding/BindingResource.h"

namespace quenlora::zafoli::db::beans::binding {

namespace {

const plat::text::BundleValue* find(const plat::text::ResourceBundle* bundle, const std::string& key) {
  if (bundle != nullptr && bundle->containsKey(key)) return &bundle->getObject(key);
  static const BindingResource* base = new BindingResource();  // lives until the process ends
  return base->containsKey(key) ? &base->getObject(key) : nullptr;
}

}  // namespace

BindingResourceLoader::BindingResourceLoader(const std::string& baseName)
    : bundle_(plat::text::loadBundleOrReport(baseName)) {}

BindingResourceLoader& BindingResourceLoader::getInstance() {
  static BindingResourceLoader* instance = new BindingResourceLoader(BindingResource::kBaseName);  // never freed
  return *instance;
}

std::unique_ptr<BindingResourceLoader> BindingResourceLoader::forBaseName(const std::string& baseName) {
  return std::unique_ptr<BindingResourceLoader>(new BindingResourceLoader(baseName));
}

std::string BindingResourceLoader::getString(const std::string& key) const {
  const plat::text::BundleValue* value = find(bundle_.get(), key);
  if (value == nullptr) return "";
  if (const auto* text = std::get_if<std::string>(value)) return *text;
  return std::to_string(std::get<int>(*value));
}

int BindingResourceLoader::getInteger(const std::string& key) const {
  const plat::text::BundleValue* value = find(bundle_.get(), key);
  if (value == nullptr) return 0;
  if (const auto* number = std::get_if<int>(value)) return *number;
  return 0;
}

void BindingResourceLoader::main(const std::vector<std::string>&) {
  getInstance();
}

}  // namespace quenlora::zafoli::db::beans::binding
