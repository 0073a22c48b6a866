// Owning handles of OpenSSL objects, so every early return and exception frees what was made. The handles are
// move-only; upRef() takes a second reference to a certificate or key that another owner keeps.
#pragma once

#include <openssl/evp.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>

#include <memory>
#include <string>

namespace plat::tls {

// The deleters live in the library, so code that only holds handles needs no OpenSSL link of its own.
struct X509Free {
  void operator()(X509* p) const;
};
struct PKeyFree {
  void operator()(EVP_PKEY* p) const;
};
struct SslCtxFree {
  void operator()(SSL_CTX* p) const;
};
struct SslFree {
  void operator()(SSL* p) const;
};

using X509Ptr = std::unique_ptr<X509, X509Free>;
using PKeyPtr = std::unique_ptr<EVP_PKEY, PKeyFree>;
using SslCtxPtr = std::unique_ptr<SSL_CTX, SslCtxFree>;
using SslPtr = std::unique_ptr<SSL, SslFree>;

X509Ptr upRef(X509* cert);
PKeyPtr upRef(EVP_PKEY* key);

// The texts of OpenSSL's error queue for this thread, joined by "; ", and the queue emptied; `fallback` when empty.
std::string takeOpenSslErrors(const std::string& fallback);

}  // namespace plat::tls
