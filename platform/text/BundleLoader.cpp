#include "platform/text/BundleLoader.h"

#include "platform/lang/System.h"
#include "platform/util/MissingResourceException.h"

namespace plat::text {

plat::lang::Ref<ResourceBundle> loadBundleOrReport(const std::string& baseName) {
  try {
    return ResourceBundle::getBundle(baseName);
  } catch (const plat::util::MissingResourceException& failure) {
    // One println, so the two lines stay together when other threads write to standard error.
    plat::lang::System::err().println("Could not load [" + baseName + "]" + plat::lang::System::lineSeparator() +
                                      failure.toString());
    return nullptr;
  }
}

plat::lang::Ref<ResourceBundle> BundleLoader::getBundle() const {
  std::call_once(loaded_, [this] { bundle_ = loadBundleOrReport(baseName_); });
  return bundle_;
}

}  // namespace plat::text
