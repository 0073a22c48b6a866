// A bundle of localized resources: key -> text or integer, with a parent bundle that answers the keys it lacks.
// getBundle() finds the bundle classes of a family, registered by fully qualified name in the class registry
// ("quenlora.zafoli.db.beans.qbe.QBEResource_de"), along base_lang_COUNTRY_variant, base_lang_COUNTRY, base_lang,
// then the default locale's chain, then base. Bundles are immutable once found and are shared by every caller:
// all operations are thread-safe.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/text/Locale.h"

namespace plat::text {

using BundleValue = std::variant<std::string, int>;

class ResourceBundle : public plat::lang::Object {
 public:
  ResourceBundle() = default;
  ResourceBundle(const ResourceBundle&) = delete;
  ResourceBundle& operator=(const ResourceBundle&) = delete;

  // The text of key, looked up here and then in the parents. plat::util::MissingResourceException when no bundle
  // of the chain has it; plat::lang::ClassCastException when the value is an integer.
  std::string getString(const std::string& key) const;
  // The integer of key; MissingResourceException or ClassCastException as for getString.
  int getInteger(const std::string& key) const;
  // The value of key, of either kind; MissingResourceException when absent.
  const BundleValue& getObject(const std::string& key) const;
  bool containsKey(const std::string& key) const;

  // This bundle's own keys in their order, without the parents'.
  virtual std::vector<std::string> keySet() const = 0;

  // The locale named by the bundle's class name suffix (root for the base bundle).
  const Locale& getLocale() const { return locale_; }
  // The bundle's full name, e.g. "quenlora.zafoli.db.beans.qbe.QBEResource_de".
  const std::string& getBundleName() const { return name_; }
  const ResourceBundle* getParent() const { return parent_.get(); }

  // The bundle of baseName for the default locale, or for locale. plat::util::MissingResourceException
  // "Can't find bundle for base name <base>, locale <locale>" when no bundle of the family is registered.
  static plat::lang::Ref<ResourceBundle> getBundle(const std::string& baseName);
  static plat::lang::Ref<ResourceBundle> getBundle(const std::string& baseName, const Locale& locale);

 protected:
  // The value of key in this bundle alone, or null.
  virtual const BundleValue* handleGetObject(const std::string& key) const = 0;

 private:
  friend class BundleCache;
  const BundleValue* find(const std::string& key) const;

  // Set once by the lookup before the bundle is shared, never changed afterwards.
  plat::lang::Ref<ResourceBundle> parent_;
  Locale locale_;
  std::string name_;
};

}  // namespace plat::text
