// Lazy loading of a message bundle family for the default locale, as every bundle loader of the library does it:
// when no bundle of the family can be found, "Could not load [<full name>]", a line end and the text of the
// lookup failure go to standard error, and the loader holds no bundle from then on. Thread-safe: the bundle is
// looked up once, by the first caller.
#pragma once

#include <mutex>
#include <string>

#include "platform/lang/Object.h"
#include "platform/text/ResourceBundle.h"

namespace plat::text {

// Looks the family up for the default locale now; on failure writes the lines above and returns null.
plat::lang::Ref<ResourceBundle> loadBundleOrReport(const std::string& baseName);

class BundleLoader {
 public:
  explicit BundleLoader(std::string baseName) : baseName_(std::move(baseName)) {}
  BundleLoader(const BundleLoader&) = delete;
  BundleLoader& operator=(const BundleLoader&) = delete;

  // The bundle, looked up on the first call; null when it could not be loaded.
  plat::lang::Ref<ResourceBundle> getBundle() const;
  const std::string& getBaseName() const { return baseName_; }

 private:
  std::string baseName_;
  mutable std::once_flag loaded_;
  mutable plat::lang::Ref<ResourceBundle> bundle_;  // written once under loaded_
};

}  // namespace plat::text
