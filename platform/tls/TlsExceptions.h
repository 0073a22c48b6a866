// Failure kinds of the key store and TLS layer, named as the runtime names them because their text lands in logs.
// Store and key problems are security exceptions; failures on a TLS connection are I/O exceptions.
#pragma once

#include "platform/io/IOException.h"
#include "platform/lang/Throwable.h"

namespace plat::tls {

class GeneralSecurityException : public plat::lang::Exception {
 public:
  using Exception::Exception;
  PLAT_THROWABLE_MEMBERS(GeneralSecurityException, "java.security.GeneralSecurityException")
};

PLAT_DECLARE_THROWABLE(KeyStoreException, GeneralSecurityException, "java.security.KeyStoreException")
PLAT_DECLARE_THROWABLE(UnrecoverableKeyException, GeneralSecurityException, "java.security.UnrecoverableKeyException")
PLAT_DECLARE_THROWABLE(CertificateException, GeneralSecurityException, "java.security.cert.CertificateException")

class SSLException : public plat::io::IOException {
 public:
  using IOException::IOException;
  PLAT_THROWABLE_MEMBERS(SSLException, "javax.net.ssl.SSLException")
};

PLAT_DECLARE_THROWABLE(SSLHandshakeException, SSLException, "javax.net.ssl.SSLHandshakeException")

}  // namespace plat::tls
