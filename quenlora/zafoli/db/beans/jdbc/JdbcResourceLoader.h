// The process's one loader of the JDBC beans message bundle: on first use it looks the bundle up for the default
// locale (lang_COUNTRY, lang, base) and keeps it; a later change of the default locale does not reload it. When no
// bundle can be found it reports on standard error and holds none; text() then answers from the compiled-in
// English base, so messages never fail for want of a bundle. Thread-safe.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/text/ResourceBundle.h"

namespace quenlora::zafoli::db::beans::jdbc {

class JdbcResourceLoader final {
 public:
  JdbcResourceLoader(const JdbcResourceLoader&) = delete;
  JdbcResourceLoader& operator=(const JdbcResourceLoader&) = delete;

  static JdbcResourceLoader& getInstance();
  // The bundle found, or null when none could be loaded.
  plat::lang::Ref<plat::text::ResourceBundle> getBundle() const { return bundle_; }

  // The text of key in this loader's bundle, else in the English base; empty for a key no bundle has.
  std::string getString(const std::string& key) const;

  // The process's text of key (getInstance().getString(key)).
  static std::string text(const std::string& key) { return getInstance().getString(key); }

  // Makes the loader and asks for the bundle: a load check.
  static void main(const std::vector<std::string>& args);

  // A loader of another family name, for checking how a missing family is reported.
  static std::unique_ptr<JdbcResourceLoader> forBaseName(const std::string& baseName);

 private:
  explicit JdbcResourceLoader(const std::string& baseName);

  plat::lang::Ref<plat::text::ResourceBundle> bundle_;  // set once by the constructor
};

}  // namespace quenlora::zafoli::db::beans::jdbc
