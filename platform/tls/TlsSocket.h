// A TCP client socket that speaks TLS. connect() opens the TCP connection and completes the handshake within the
// read time-out (set it first), so a certificate the trust anchors do not vouch for is a failed connect
// (SSLHandshakeException). Streams, time-outs, close and abort behave as for the plain socket; one thread at a
// time, abort() from any.
#pragma once

#include <string>
#include <vector>

#include "platform/net/Socket.h"
#include "platform/tls/OpenSslHandles.h"

namespace plat::tls {

class TlsSocket : public plat::net::Socket {
 public:
  // A socket on `context` (OpenSSL client context), which it keeps alive.
  explicit TlsSocket(SSL_CTX* context);

  // Restricts the suites offered to these names (OpenSSL names as getSupportedCipherSuites gives them).
  // IllegalArgumentException for a name the context does not support. Takes effect at connect.
  void setEnabledCipherSuites(const std::vector<std::string>& suites);
  const std::vector<std::string>& getEnabledCipherSuites() const { return enabled_; }

  // After connect: the negotiated protocol and suite ("TLSv1.3", "TLS_AES_256_GCM_SHA384").
  std::string getProtocol() const { return protocol_; }
  std::string getCipherSuite() const { return suite_; }

  std::string getClassName() const override { return "javax.net.ssl.SSLSocket"; }

 protected:
  std::shared_ptr<plat::net::Channel> openChannel(int fd, const std::string& host) override;
  void handshake(plat::net::Channel& channel) override;

 private:
  SslCtxPtr context_;
  std::vector<std::string> enabled_;  // empty: every supported suite
  std::string protocol_;
  std::string suite_;
};

}  // namespace plat::tls
