// The TLS set-up of one worker start: the key store read from its file with the store password, its key entry
// opened with the fixed key password, and the TLS context whose sockets the session opens. Immutable once made;
// the worker thread uses it.
#pragma once

#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/tls/TlsContext.h"

class SSLClient {
 public:
  static constexpr const char* kKeyPassword = "lakmotin";

  // Reads `keyStoreFile` (JKS, or PKCS#12 when not JKS) with `keyStorePassword`. Any failing step throws
  // SSLException "Error -- " followed by the cause's message.
  SSLClient(const std::string& keyStoreFile, const std::string& keyStorePassword);
  SSLClient(const SSLClient&) = delete;
  SSLClient& operator=(const SSLClient&) = delete;

  // The factory of the session's TLS sockets.
  plat::lang::Ref<plat::tls::TlsContext> getSocketFactory() const { return sf_; }
  // Every suite the factory supports; the session enables them all.
  const std::vector<std::string>& getCipherSuites() const { return suites_; }

 private:
  plat::lang::Ref<plat::tls::TlsContext> sf_;
  std::vector<std::string> suites_;
};
