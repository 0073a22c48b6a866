#include "platform/tls/TlsContext.h"

#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509_vfy.h>

#include "platform/tls/TlsExceptions.h"
#include "platform/tls/TlsSocket.h"

namespace plat::tls {
namespace {

[[noreturn]] void fail(const std::string& what) {
  throw SSLException(takeOpenSslErrors(what));
}

}  // namespace

TlsContext::TlsContext(const KeyStore& store, const std::string& keyPassword) : ctx_(SSL_CTX_new(TLS_client_method())) {
  if (!ctx_) fail("TLS context could not be made");
  SSL_CTX_set_options(ctx_.get(), SSL_OP_IGNORE_UNEXPECTED_EOF);
  if (SSL_CTX_set_cipher_list(ctx_.get(), kCipherList) != 1) fail("Cipher list refused");

  bool haveClientKey = false;
  for (const std::string& alias : store.aliases()) {
    if (!store.isKeyEntry(alias)) continue;
    // Every key must open with the key password, as the key managers demand, even those not sent.
    PKeyPtr key = store.getKey(alias, keyPassword);
    std::vector<X509*> chain = store.getCertificateChain(alias);
    if (haveClientKey || chain.empty()) continue;
    if (SSL_CTX_use_certificate(ctx_.get(), chain.front()) != 1 || SSL_CTX_use_PrivateKey(ctx_.get(), key.get()) != 1) {
      throw KeyStoreException(takeOpenSslErrors("Key entry \"" + alias + "\" cannot serve as client certificate"));
    }
    if (SSL_CTX_check_private_key(ctx_.get()) != 1) {
      throw KeyStoreException(takeOpenSslErrors("Key of entry \"" + alias + "\" does not match its certificate"));
    }
    for (std::size_t i = 1; i < chain.size(); ++i) {
      if (SSL_CTX_add1_chain_cert(ctx_.get(), chain[i]) != 1) fail("Certificate chain refused");
    }
    haveClientKey = true;
  }

  X509_STORE* trust = SSL_CTX_get_cert_store(ctx_.get());
  for (X509* anchor : store.trustAnchors()) {
    if (X509_STORE_add_cert(trust, anchor) != 1) {
      // The same certificate twice (a key entry's also stored as trusted) is no failure.
      ERR_clear_error();
    }
  }
  X509_STORE_set_flags(trust, X509_V_FLAG_PARTIAL_CHAIN);
  SSL_CTX_set_verify(ctx_.get(), SSL_VERIFY_PEER, nullptr);
}

TlsContext::~TlsContext() = default;

std::vector<std::string> TlsContext::getSupportedCipherSuites() const {
  SslPtr probe(SSL_new(ctx_.get()));
  if (!probe) fail("TLS session could not be made");
  std::vector<std::string> names;
  STACK_OF(SSL_CIPHER)* ciphers = SSL_get1_supported_ciphers(probe.get());
  for (int i = 0; i < sk_SSL_CIPHER_num(ciphers); ++i)
    names.emplace_back(SSL_CIPHER_get_name(sk_SSL_CIPHER_value(ciphers, i)));
  sk_SSL_CIPHER_free(ciphers);
  return names;
}

plat::lang::Ref<TlsSocket> TlsContext::createSocket() const {
  return plat::lang::makeRef<TlsSocket>(ctx_.get());
}

}  // namespace plat::tls
