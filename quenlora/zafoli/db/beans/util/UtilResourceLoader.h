// The process's one loader of the utility message bundle: on first use it looks the bundle up for the default
// locale and keeps it. When none can be found it reports on standard error and holds none; text() then answers
// from the compiled-in English base. Thread-safe.
#pragma once

#include <string>

#include "platform/lang/Object.h"
#include "platform/text/ResourceBundle.h"

namespace quenlora::zafoli::db::beans::util {

class UtilResourceLoader final {
 public:
  UtilResourceLoader(const UtilResourceLoader&) = delete;
  UtilResourceLoader& operator=(const UtilResourceLoader&) = delete;

  static UtilResourceLoader& getInstance();
  // The bundle found, or null when none could be loaded.
  plat::lang::Ref<plat::text::ResourceBundle> getBundle() const { return bundle_; }

  // The text of key in bundle, else in the English base; empty for a key neither has.
  static std::string text(const plat::text::ResourceBundle* bundle, const std::string& key);
  // The process's text of key.
  static std::string text(const std::string& key) { return text(getInstance().bundle_.get(), key); }

 private:
  UtilResourceLoader();

  plat::lang::Ref<plat::text::ResourceBundle> bundle_;  // set once by the constructor
};

}  // namespace quenlora::zafoli::db::beans::util
