// The process's one loader of the query-by-example message bundle: on first use it loads the bundle for the
// default locale (lang_COUNTRY, lang, base) and keeps it; a later change of the default locale does not reload it.
// When the bundle cannot be found it reports on standard error and holds none. Thread-safe.
#pragma once

#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/text/ResourceBundle.h"

namespace quenlora::zafoli::db::beans::qbe {

class QBEResourceLoader final {
 public:
  QBEResourceLoader(const QBEResourceLoader&) = delete;
  QBEResourceLoader& operator=(const QBEResourceLoader&) = delete;

  static QBEResourceLoader& getInstance();
  // The loaded bundle, or null when it could not be loaded.
  plat::lang::Ref<plat::text::ResourceBundle> getBundle() const { return bundle_; }

  // Loads the bundle and does nothing more.
  static void main(const std::vector<std::string>& args);

  // The text of key in bundle; the English text when there is no bundle or it lacks the key, so that messages
  // keep their frame when the bundle is missing.
  static std::string text(const plat::text::ResourceBundle* bundle, const std::string& key);

 private:
  QBEResourceLoader();

  plat::lang::Ref<plat::text::ResourceBundle> bundle_;  // set once by the constructor
};

}  // namespace quenlora::zafoli::db::beans::qbe
