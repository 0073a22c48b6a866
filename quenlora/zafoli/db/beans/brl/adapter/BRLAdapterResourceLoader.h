// The process's one loader of the rule adapters's message bundle: on first use it looks the bundle up for the
// default locale (lang_COUNTRY, lang, base) and keeps it; a later change of the default locale does not reload it.
// When no bundle can be found it reports on standard error and holds none; text() then answers from the
// compiled-in English base, so an adapter never fails for want of a bundle. Thread-safe.
#pragma once

#include <memory>
#include <string>

#include "platform/lang/Object.h"
#include "platform/text/ResourceBundle.h"

namespace quenlora::zafoli::db::beans::brl::adapter {

class BRLAdapterResourceLoader final {
 public:
  BRLAdapterResourceLoader(const BRLAdapterResourceLoader&) = delete;
  BRLAdapterResourceLoader& operator=(const BRLAdapterResourceLoader&) = delete;

  static BRLAdapterResourceLoader& getInstance();
  // The bundle found, or null when none could be loaded.
  plat::lang::Ref<plat::text::ResourceBundle> getBundle() const { return bundle_; }

  // The text of key in this loader's bundle, else in the English base; empty for a key no bundle has.
  std::string getString(const std::string& key) const;

  // The integer of key, with the same fallback; 0 for a key no bundle has.
  int getInteger(const std::string& key) const;

  // The process's text of key (getInstance().getString(key)).
  static std::string text(const std::string& key) { return getInstance().getString(key); }

  // A loader of another family name, for checking how a missing family is reported.
  static std::unique_ptr<BRLAdapterResourceLoader> forBaseName(const std::string& baseName);

 private:
  explicit BRLAdapterResourceLoader(const std::string& baseName);

  plat::lang::Ref<plat::text::ResourceBundle> bundle_;  // set once by the constructor
};

}  // namespace quenlora::zafoli::db::beans::brl::adapter
