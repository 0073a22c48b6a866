#include "platform/text/ResourceBundle.h"

#include <map>
#include <mutex>

#include "platform/lang/Exceptions.h"
#include "platform/runvale/ClassRegistry.h"
#include "platform/util/MissingResourceException.h"

namespace plat::text {

using plat::lang::Ref;

// Bundles by full name, each created once and linked to its parent before it is shared.
class BundleCache {
 public:
  static BundleCache& instance() {
    static BundleCache* cache = new BundleCache();  // never destroyed: bundles may be read while the process ends
    return *cache;
  }

  // The bundle base + suffix ("_de_CH"), its parent chain linked; null when no such class is registered.
  Ref<ResourceBundle> load(const std::string& base, const std::string& suffix) {
    std::string name = base + suffix;
    {
      std::lock_guard lock(mutex_);
      auto it = bundles_.find(name);
      if (it != bundles_.end()) return it->second;
    }
    // The registry may load a module here, so no lock of ours is held while it runs.
    Ref<ResourceBundle> bundle = create(name);
    if (!bundle) return nullptr;
    Ref<ResourceBundle> parent;
    for (std::string shorter = suffix; !parent && !shorter.empty();) {
      shorter.erase(shorter.rfind('_'));
      parent = load(base, shorter);
    }
    std::lock_guard lock(mutex_);
    auto [it, inserted] = bundles_.emplace(name, bundle);
    if (inserted) {
      bundle->parent_ = parent;
      bundle->locale_ = localeOf(suffix);
      bundle->name_ = name;
    }
    return it->second;
  }

 private:
  static Ref<ResourceBundle> create(const std::string& name) {
    auto& registry = plat::runvale::ClassRegistry::instance();
    try {
      registry.forName(name);
      return plat::lang::refCast<ResourceBundle>(registry.newInstance(name));
    } catch (const plat::lang::ReflectiveOperationException&) {
      return nullptr;  // not registered, or registered without a factory: no such bundle
    }
  }

  static Locale localeOf(const std::string& suffix) {
    std::vector<std::string> parts;
    std::size_t start = 1;
    while (start <= suffix.size()) {
      std::size_t end = suffix.find('_', start);
      if (end == std::string::npos) end = suffix.size();
      parts.push_back(suffix.substr(start, end - start));
      start = end + 1;
    }
    parts.resize(3);
    return Locale(parts[0], parts[1], parts[2]);
  }

  std::mutex mutex_;
  std::map<std::string, Ref<ResourceBundle>> bundles_;  // guarded by mutex_
};

namespace {

// "_de_CH_X", "_de_CH", "_de": the suffixes a locale offers, most specific first.
std::vector<std::string> suffixesOf(const Locale& locale) {
  std::vector<std::string> suffixes;
  const std::string& l = locale.getLanguage();
  const std::string& c = locale.getCountry();
  const std::string& v = locale.getVariant();
  if (!v.empty()) suffixes.push_back("_" + l + "_" + c + "_" + v);
  if (!c.empty()) suffixes.push_back("_" + l + "_" + c);
  if (!l.empty()) suffixes.push_back("_" + l);
  return suffixes;
}

Ref<ResourceBundle> mostSpecific(const std::string& base, const Locale& locale) {
  for (const std::string& suffix : suffixesOf(locale))
    if (Ref<ResourceBundle> bundle = BundleCache::instance().load(base, suffix)) return bundle;
  return nullptr;
}

}  // namespace

Ref<ResourceBundle> ResourceBundle::getBundle(const std::string& baseName) {
  return getBundle(baseName, Locale::getDefault());
}

Ref<ResourceBundle> ResourceBundle::getBundle(const std::string& baseName, const Locale& locale) {
  if (Ref<ResourceBundle> bundle = mostSpecific(baseName, locale)) return bundle;
  Locale fallback = Locale::getDefault();
  if (!(fallback == locale))
    if (Ref<ResourceBundle> bundle = mostSpecific(baseName, fallback)) return bundle;
  if (Ref<ResourceBundle> bundle = BundleCache::instance().load(baseName, "")) return bundle;
  std::string localeName = locale.toString();
  throw plat::util::MissingResourceException("Can't find bundle for base name " + baseName + ", locale " + localeName,
                                             baseName + "_" + localeName, "");
}

const BundleValue* ResourceBundle::find(const std::string& key) const {
  for (const ResourceBundle* bundle = this; bundle != nullptr; bundle = bundle->parent_.get())
    if (const BundleValue* value = bundle->handleGetObject(key)) return value;
  return nullptr;
}

const BundleValue& ResourceBundle::getObject(const std::string& key) const {
  const BundleValue* value = find(key);
  if (value == nullptr)
    throw plat::util::MissingResourceException("Can't find resource for bundle " + name_ + ", key " + key, name_, key);
  return *value;
}

std::string ResourceBundle::getString(const std::string& key) const {
  const BundleValue& value = getObject(key);
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  throw plat::lang::ClassCastException("java.lang.Integer cannot be cast to java.lang.String");
}

int ResourceBundle::getInteger(const std::string& key) const {
  const BundleValue& value = getObject(key);
  if (const auto* number = std::get_if<int>(&value)) return *number;
  throw plat::lang::ClassCastException("java.lang.String cannot be cast to java.lang.Integer");
}

bool ResourceBundle::containsKey(const std::string& key) const {
  return find(key) != nullptr;
}

}  // namespace plat::text
