// A TLS client set-up made once from a key store: the store's key entry is the client certificate, the store's
// trusted certificates plus the certificate of each key entry are the only trust anchors (partial chains allowed),
// and the suites are "ALL:!aNULL:!eNULL" with the TLS 1.3 defaults, so no anonymous or null-encryption suite is
// ever offered. Immutable once made; sockets may be created from several threads.
#pragma once

#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/tls/KeyStore.h"
#include "platform/tls/OpenSslHandles.h"

namespace plat::tls {

class TlsSocket;

class TlsContext : public plat::lang::Object {
 public:
  static constexpr const char* kCipherList = "ALL:!aNULL:!eNULL";

  // UnrecoverableKeyException when a key entry does not open with keyPassword; KeyStoreException when a key does
  // not match its certificate; SSLException when OpenSSL refuses the set-up.
  TlsContext(const KeyStore& store, const std::string& keyPassword);
  ~TlsContext() override;
  TlsContext(const TlsContext&) = delete;
  TlsContext& operator=(const TlsContext&) = delete;

  // OpenSSL names of every suite a client made from this context can offer, TLS 1.3 suites included.
  std::vector<std::string> getSupportedCipherSuites() const;
  // An unconnected TLS socket; connect() runs the TCP connect and the handshake.
  plat::lang::Ref<TlsSocket> createSocket() const;

  SSL_CTX* native() const { return ctx_.get(); }
  std::string getClassName() const override { return "javax.net.ssl.SSLSocketFactory"; }

 private:
  SslCtxPtr ctx_;
};

}  // namespace plat::tls
