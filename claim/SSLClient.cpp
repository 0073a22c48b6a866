#include "claim/SSLClient.h"

#include <exception>

#include "claim/SSLException.h"
#include "platform/tls/KeyStore.h"

SSLClient::SSLClient(const std::string& keyStoreFile, const std::string& keyStorePassword) {
  try {
    // One store serves as key store and trust store.
    plat::tls::KeyStore ks = plat::tls::KeyStore::load(keyStoreFile, keyStorePassword);
    sf_ = plat::lang::makeRef<plat::tls::TlsContext>(ks, kKeyPassword);
    suites_ = sf_->getSupportedCipherSuites();
  } catch (const plat::lang::Throwable& e) {
    throw SSLException("Error -- " + e.getMessage());
  } catch (const std::exception& e) {
    throw SSLException(std::string("Error -- ") + e.what());
  }
}
