#include "platform/tls/OpenSslHandles.h"

namespace plat::tls {

void X509Free::operator()(X509* p) const {
  X509_free(p);
}
void PKeyFree::operator()(EVP_PKEY* p) const {
  EVP_PKEY_free(p);
}
void SslCtxFree::operator()(SSL_CTX* p) const {
  SSL_CTX_free(p);
}
void SslFree::operator()(SSL* p) const {
  SSL_free(p);
}

X509Ptr upRef(X509* cert) {
  X509_up_ref(cert);
  return X509Ptr(cert);
}

PKeyPtr upRef(EVP_PKEY* key) {
  EVP_PKEY_up_ref(key);
  return PKeyPtr(key);
}

}  // namespace plat::tls
