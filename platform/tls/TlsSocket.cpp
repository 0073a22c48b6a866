#include "platform/tls/TlsSocket.h"

#include <arpa/inet.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509_vfy.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <mutex>

#include "platform/lang/Exceptions.h"
#include "platform/net/Channel.h"
#include "platform/net/NetExceptions.h"
#include "platform/tls/TlsExceptions.h"

namespace plat::tls {
namespace {

using plat::net::Channel;
using SteadyClock = std::chrono::steady_clock;
constexpr std::size_t kMaxTransfer = std::size_t{1} << 30;  // one SSL_read or SSL_write takes an int count

bool isTls13Suite(const std::string& name) {
  return name.rfind("TLS_", 0) == 0;
}

std::string join(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& n : names) {
    if (!out.empty()) out += ':';
    out += n;
  }
  return out;
}

bool isAddressLiteral(const std::string& host) {
  unsigned char buf[sizeof(in6_addr)];
  return inet_pton(AF_INET, host.c_str(), buf) == 1 || inet_pton(AF_INET6, host.c_str(), buf) == 1 ||
         (!host.empty() && host.front() == '[');
}

class TlsChannel : public Channel {
 public:
  TlsChannel(int fd, SslPtr ssl) : Channel(fd), ssl_(std::move(ssl)) {}
  ~TlsChannel() override { TlsChannel::close(); }

  // Completes the handshake within the read time-out.
  void handshake() {
    const int limit = timeout();
    const auto deadline = SteadyClock::now() + std::chrono::milliseconds(limit);
    for (;;) {
      ERR_clear_error();
      int rc = SSL_connect(ssl_.get());
      if (rc == 1) return;
      int err = SSL_get_error(ssl_.get(), rc);
      if (err == SSL_ERROR_WANT_READ || err == SSL_ERROR_WANT_WRITE) {
        int left = kNoTimeout;
        if (limit != kNoTimeout) {
          auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SteadyClock::now()).count();
          if (ms <= 0) throw plat::net::SocketTimeoutException("Read timed out");
          left = static_cast<int>(ms);
        }
        if (!waitFor(err == SSL_ERROR_WANT_WRITE, left)) throw plat::net::SocketTimeoutException("Read timed out");
        continue;
      }
      // A shut connection fails the handshake in whatever way OpenSSL sees it; the cause is the abort.
      if (isAborted()) throw plat::net::SocketException("Socket closed");
      long verify = SSL_get_verify_result(ssl_.get());
      if (verify != X509_V_OK) {
        ERR_clear_error();
        throw SSLHandshakeException(std::string("Server certificate not trusted: ") +
                                    X509_verify_cert_error_string(verify));
      }
      if (err == SSL_ERROR_SYSCALL && ERR_peek_error() == 0) {
        throw SSLHandshakeException(errno != 0 ? std::string("Handshake failed: ") + std::strerror(errno)
                                               : "Remote host closed connection during handshake");
      }
      throw SSLHandshakeException(takeOpenSslErrors("Handshake failed"));
    }
  }

  int read(std::uint8_t* buf, std::size_t len) override {
    ensureOpen();
    if (len == 0) return 0;
    int want = static_cast<int>(std::min(len, kMaxTransfer));
    for (;;) {
      ERR_clear_error();
      int n = SSL_read(ssl_.get(), buf, want);
      if (n > 0) return n;
      int err = SSL_get_error(ssl_.get(), n);
      switch (err) {
        case SSL_ERROR_ZERO_RETURN:
          return -1;
        case SSL_ERROR_WANT_READ:
        case SSL_ERROR_WANT_WRITE:
          if (!waitFor(err == SSL_ERROR_WANT_WRITE, timeout())) {
            throw plat::net::SocketTimeoutException("Read timed out");
          }
          break;
        case SSL_ERROR_SYSCALL:
          if (ERR_peek_error() == 0) {
            if (errno == 0) return -1;
            throw plat::net::SocketException(errno == ECONNRESET ? "Connection reset" : std::strerror(errno));
          }
          [[fallthrough]];
        default:
          throw SSLException(takeOpenSslErrors("TLS read failed"));
      }
    }
  }

  void write(const std::uint8_t* buf, std::size_t len) override {
    ensureOpen();
    std::size_t done = 0;
    while (done < len) {
      ERR_clear_error();
      int chunk = static_cast<int>(std::min(len - done, kMaxTransfer));
      int n = SSL_write(ssl_.get(), buf + done, chunk);
      if (n > 0) {
        done += static_cast<std::size_t>(n);
        continue;
      }
      int err = SSL_get_error(ssl_.get(), n);
      if (err == SSL_ERROR_WANT_READ || err == SSL_ERROR_WANT_WRITE) {
        if (!waitFor(err == SSL_ERROR_WANT_WRITE, timeout())) {
          throw plat::net::SocketTimeoutException("Write timed out");
        }
        continue;
      }
      if (err == SSL_ERROR_SYSCALL && ERR_peek_error() == 0) {
        throw plat::net::SocketException(errno == EPIPE ? "Broken pipe" : std::strerror(errno));
      }
      throw SSLException(takeOpenSslErrors("TLS write failed"));
    }
  }

  // Only what is already decrypted counts: more would need a read that may block.
  int available() override {
    ensureOpen();
    return SSL_pending(ssl_.get());
  }

  void close() override {
    if (isClosed()) return;
    // One close_notify, without waiting for the peer's: the connection is done either way.
    ERR_clear_error();
    if (SSL_is_init_finished(ssl_.get())) SSL_shutdown(ssl_.get());
    ERR_clear_error();
    closeDescriptor();
  }

  SSL* native() const { return ssl_.get(); }

 private:
  SslPtr ssl_;
};

// OpenSSL's socket writes cannot pass MSG_NOSIGNAL, so a peer gone away would end the process with SIGPIPE; the
// first TLS socket turns the signal off while it is at its default, as the managed runtime does for its sockets.
void ignoreBrokenPipe() {
  static std::once_flag once;
  std::call_once(once, [] {
    struct sigaction current {};
    if (sigaction(SIGPIPE, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) std::signal(SIGPIPE, SIG_IGN);
  });
}

}  // namespace

TlsSocket::TlsSocket(SSL_CTX* context) : context_(context) {
  SSL_CTX_up_ref(context);
  ignoreBrokenPipe();
}

void TlsSocket::setEnabledCipherSuites(const std::vector<std::string>& suites) {
  SslPtr probe(SSL_new(context_.get()));
  if (!probe) throw SSLException(takeOpenSslErrors("TLS session could not be made"));
  STACK_OF(SSL_CIPHER)* supported = SSL_get1_supported_ciphers(probe.get());
  std::vector<std::string> names;
  for (int i = 0; i < sk_SSL_CIPHER_num(supported); ++i) {
    names.emplace_back(SSL_CIPHER_get_name(sk_SSL_CIPHER_value(supported, i)));
  }
  sk_SSL_CIPHER_free(supported);
  for (const std::string& s : suites) {
    if (std::find(names.begin(), names.end(), s) == names.end()) {
      throw plat::lang::IllegalArgumentException("Unsupported CipherSuite: " + s);
    }
  }
  enabled_ = suites;
}

std::shared_ptr<Channel> TlsSocket::openChannel(int fd, const std::string& host) {
  SslPtr ssl(SSL_new(context_.get()));
  auto refuse = [fd](const std::string& what) {
    ::close(fd);
    throw SSLException(takeOpenSslErrors(what));
  };
  if (!ssl) refuse("TLS session could not be made");
  if (!enabled_.empty()) {
    std::vector<std::string> tls12, tls13;
    for (const std::string& n : enabled_) (isTls13Suite(n) ? tls13 : tls12).push_back(n);
    // The exclusions stay on whatever the caller enabled: no anonymous or null-encryption suite, ever.
    if (tls12.empty()) {
      SSL_set_min_proto_version(ssl.get(), TLS1_3_VERSION);
    } else if (SSL_set_cipher_list(ssl.get(), (join(tls12) + ":!aNULL:!eNULL").c_str()) != 1) {
      refuse("Enabled cipher suites refused");
    }
    if (tls13.empty()) {
      SSL_set_max_proto_version(ssl.get(), TLS1_2_VERSION);
    } else if (SSL_set_ciphersuites(ssl.get(), join(tls13).c_str()) != 1) {
      refuse("Enabled cipher suites refused");
    }
  }
  // Servers behind one address pick their certificate by name.
  if (!isAddressLiteral(host)) SSL_set_tlsext_host_name(ssl.get(), host.c_str());
  if (SSL_set_fd(ssl.get(), fd) != 1) refuse("TLS session could not take the connection");

  return std::make_shared<TlsChannel>(fd, std::move(ssl));
}

void TlsSocket::handshake(Channel& channel) {
  auto& tls = static_cast<TlsChannel&>(channel);  // openChannel made it
  tls.handshake();
  protocol_ = SSL_get_version(tls.native());
  suite_ = SSL_get_cipher_name(tls.native());
}

}  // namespace plat::tls
