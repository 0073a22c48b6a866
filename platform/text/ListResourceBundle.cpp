#include "platform/text/ListResourceBundle.h"

namespace plat::text {

void ListResourceBundle::index() const {
  std::call_once(indexed_, [this] {
    for (const BundleEntry& entry : getContents()) lookup_[entry.key] = &entry.value;
  });
}

std::vector<std::string> ListResourceBundle::keySet() const {
  std::vector<std::string> keys;
  for (const BundleEntry& entry : getContents()) keys.push_back(entry.key);
  return keys;
}

const BundleValue* ListResourceBundle::handleGetObject(const std::string& key) const {
  index();
  auto it = lookup_.find(key);
  return it == lookup_.end() ? nullptr : it->second;
}

}  // namespace plat::text
