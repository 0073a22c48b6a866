#include "claim/ErrorText.h"

#include <cstring>

#include "platform/lang/Throwable.h"

namespace {

std::string shortName(const std::string& className) {
  const auto dot = className.find_last_of(".:");
  return dot == std::string::npos ? className : className.substr(dot + 1);
}

}  // namespace

std::string ErrorText::describe(const std::exception& e) {
  if (const auto* t = dynamic_cast<const plat::lang::Throwable*>(&e)) {
    const std::string name = shortName(t->getClassName());
    return t->hasMessage() ? name + ": " + t->getMessage() : name;
  }
  return e.what();
}

std::string ErrorText::messageOf(const std::exception& e) {
  if (const auto* t = dynamic_cast<const plat::lang::Throwable*>(&e)) {
    return t->hasMessage() ? t->getMessage() : describe(e);
  }
  return e.what();
}

std::string ErrorText::fileNotFound(const std::string& path, int err) {
  return "FileNotFoundException: " + path + " (" + std::strerror(err) + ")";
}

std::string ErrorText::ioFailure(int err) {
  return std::string("IOException: ") + std::strerror(err);
}
