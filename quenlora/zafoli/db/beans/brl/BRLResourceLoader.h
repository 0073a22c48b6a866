// The process's one loader of the rule library's message bundle: on first use it looks the bundle up for the
// default locale (lang_COUNTRY, lang, base) and keeps it; a later change of the default locale does not reload it.
// When no bundle can be found it reports on standard error and holds none; text() then answers from the
// compiled-in English base, so a rule never fails for want of a bundle. Thread-safe.
#pragma once

#include <memory>
#include <string>

#include "platform/lang/Object.h"
#include "platform/text/ResourceBundle.h"

namespace quenlora::zafoli::db::beans::brl {

class BRLResourceLoader final {
 public:
  BRLResourceLoader(const BRLResourceLoader&) = delete;
  BRLResourceLoader& operator=(const BRLResourceLoader&) = delete;

  static BRLResourceLoader& getInstance();
  // The bundle found, or null when none could be loaded.
  plat::lang::Ref<plat::text::ResourceBundle> getBundle() const { return bundle_; }

  // The text of key in this loader's bundle, else in the English base; empty for a key no bundle has.
  std::string getString(const std::string& key) const;

  // The process's text of key (getInstance().getString(key)).
  static std::string text(const std::string& key) { return getInstance().getString(key); }

  // A loader of another family name, for checking how a missing family is reported.
  static std::unique_ptr<BRLResourceLoader> forBaseName(const std::string& baseName);

 private:
  explicit BRLResourceLoader(const std::string& baseName);

  plat::lang::Ref<plat::text::ResourceBundle> bundle_;  // set once by the constructor
};

}  // namespace quenlora::zafoli::db::beans::brl
