// A resource bundle, or a key in one, was not found: carries the bundle's class name and the key.
#pragma once

#include <string>

#include "platform/lang/Throwable.h"

namespace plat::util {

class MissingResourceException : public plat::lang::RuntimeException {
 public:
  MissingResourceException(std::string message, std::string className, std::string key)
      : RuntimeException(std::move(message)), className_(std::move(className)), key_(std::move(key)) {}

  // The runtime calls this getClassName(); here that name gives the exception's own class, as for every Throwable.
  const std::string& getResourceClassName() const { return className_; }
  const std::string& getKey() const { return key_; }

  PLAT_THROWABLE_MEMBERS(MissingResourceException, "java.util.MissingResourceException")

 private:
  std::string className_;
  std::string key_;
};

}  // namespace plat::util
