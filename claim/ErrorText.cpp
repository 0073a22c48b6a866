#include "claim/ErrorText.h"

#include <cstring>
#include <map>

#include "platform/lang/Throwable.h"

namespace {

std::string shortName(const std::string& className) {
  const auto dot = className.find_last_of(".:");
  return dot == std::string::npos ? className : className.substr(dot + 1);
}

}  // namespace

std::string ErrorText::kindOf(const std::string& className) {
  static const std::map<std::string, std::string> kinds = {
      {"ConnectException", "Connect failed"},
      {"SocketTimeoutException", "Timed out"},
      {"EOFException", "Connection closed by the server"},
      {"SocketException", "Connection failure"},
      {"UnknownHostException", "Unknown host"},
      {"SSLHandshakeException", "TLS handshake failed"},
      {"SSLException", "TLS failure"},
      {"FileNotFoundException", "Cannot open"},
      {"IOException", "Input/output failure"},
      {"InterruptedException", "Interrupted"},
  };
  const auto it = kinds.find(className);
  return it == kinds.end() ? className : it->second;
}

std::string ErrorText::describe(const std::exception& e) {
  if (const auto* t = dynamic_cast<const plat::lang::Throwable*>(&e)) {
    const std::string name = kindOf(shortName(t->getClassName()));
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
  return "Cannot open " + path + " (" + std::strerror(err) + ")";
}

std::string ErrorText::ioFailure(int err) {
  return "Input/output failure: " + std::string(std::strerror(err));
}
