#include "quenlora/zafoli/db/beans/jdbc/JdbcResourceLoader.h"

#include "platform/text/BundleLoader.h"
#include "quenlora/zafoli/db/beans/jdbc/JdbcResource.h"

namespace quenlora::zafoli::db::beans::jdbc {

namespace {

const plat::text::BundleValue* find(const plat::text::ResourceBundle* bundle, const std::string& key) {
  if (bundle != nullptr && bundle->containsKey(key)) return &bundle->getObject(key);
  static const JdbcResource* base = new JdbcResource();  // lives until the process ends
  return base->containsKey(key) ? &base->getObject(key) : nullptr;
}

}  // namespace

JdbcResourceLoader::JdbcResourceLoader(const std::string& baseName)
    : bundle_(plat::text::loadBundleOrReport(baseName)) {}

JdbcResourceLoader& JdbcResourceLoader::getInstance() {
  static JdbcResourceLoader* instance = new JdbcResourceLoader(JdbcResource::kBaseName);  // never freed
  return *instance;
}

std::unique_ptr<JdbcResourceLoader> JdbcResourceLoader::forBaseName(const std::string& baseName) {
  return std::unique_ptr<JdbcResourceLoader>(new JdbcResourceLoader(baseName));
}

std::string JdbcResourceLoader::getString(const std::string& key) const {
  const plat::text::BundleValue* value = find(bundle_.get(), key);
  if (value == nullptr) return "";
  const auto* text = std::get_if<std::string>(value);
  return text != nullptr ? *text : "";
}

void JdbcResourceLoader::main(const std::vector<std::string>&) {
  getInstance();
}

}  // namespace quenlora::zafoli::db::beans::jdbc
