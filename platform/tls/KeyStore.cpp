#include "platform/tls/KeyStore.h"

#include <openssl/err.h>
#include <openssl/pkcs12.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/io/IOException.h"
#include "platform/tls/KeyStoreFormats.h"
#include "platform/tls/TlsExceptions.h"

namespace plat::tls {
namespace {

struct FileClose {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

std::vector<std::uint8_t> readWholeFile(const std::string& path) {
  std::unique_ptr<std::FILE, FileClose> f(std::fopen(path.c_str(), "rb"));
  if (!f) throw plat::io::FileNotFoundException(path + " (" + std::strerror(errno) + ")");
  std::vector<std::uint8_t> bytes;
  std::uint8_t chunk[8192];
  for (;;) {
    std::size_t n = std::fread(chunk, 1, sizeof chunk, f.get());
    if (n > 0) {
      if (bytes.size() + n > KeyStore::kMaxStoreBytes) {
        throw plat::io::IOException(path + ": key store larger than " + std::to_string(KeyStore::kMaxStoreBytes) +
                                    " bytes");
      }
      bytes.insert(bytes.end(), chunk, chunk + n);
    }
    if (n < sizeof chunk) {
      if (std::ferror(f.get())) throw plat::io::IOException(path + " (" + std::strerror(errno) + ")");
      break;
    }
  }
  return bytes;
}

PKeyPtr keyFromPkcs8(const std::vector<std::uint8_t>& der) {
  const unsigned char* p = der.data();
  std::unique_ptr<PKCS8_PRIV_KEY_INFO, decltype(&PKCS8_PRIV_KEY_INFO_free)> info(
      d2i_PKCS8_PRIV_KEY_INFO(nullptr, &p, static_cast<long>(der.size())), PKCS8_PRIV_KEY_INFO_free);
  PKeyPtr key(info ? EVP_PKCS82PKEY(info.get()) : nullptr);
  if (!key) throw UnrecoverableKeyException(takeOpenSslErrors("The recovered key is no private key"));
  return key;
}

// A shrouded PKCS#12 key opened with `password`; null when the password does not open it.
PKeyPtr openPkcs8(const std::vector<std::uint8_t>& der, const std::string& password) {
  const unsigned char* p = der.data();
  std::unique_ptr<X509_SIG, decltype(&X509_SIG_free)> sealed(d2i_X509_SIG(nullptr, &p, static_cast<long>(der.size())),
                                                             X509_SIG_free);
  if (!sealed) throw UnrecoverableKeyException("The sealed key does not parse");
  std::unique_ptr<PKCS8_PRIV_KEY_INFO, decltype(&PKCS8_PRIV_KEY_INFO_free)> info(
      PKCS8_decrypt(sealed.get(), password.c_str(), static_cast<int>(password.size())), PKCS8_PRIV_KEY_INFO_free);
  if (!info) {
    ERR_clear_error();
    return nullptr;
  }
  PKeyPtr key(EVP_PKCS82PKEY(info.get()));
  if (!key) throw UnrecoverableKeyException(takeOpenSslErrors("The recovered key is no private key"));
  return key;
}

}  // namespace

std::string takeOpenSslErrors(const std::string& fallback) {
  std::string text;
  while (unsigned long code = ERR_get_error()) {
    char buf[256];
    ERR_error_string_n(code, buf, sizeof buf);
    if (!text.empty()) text += "; ";
    text += buf;
  }
  return text.empty() ? fallback : fallback + " (" + text + ")";
}

KeyStore::KeyStore(KeyStore&&) noexcept = default;
KeyStore& KeyStore::operator=(KeyStore&&) noexcept = default;
KeyStore::~KeyStore() {
  OPENSSL_cleanse(storePassword_.data(), storePassword_.size());
}

KeyStore KeyStore::load(const std::string& path, const std::string& storePassword) {
  std::vector<std::uint8_t> bytes = readWholeFile(path);
  return read(bytes.data(), bytes.size(), storePassword);
}

KeyStore KeyStore::read(const std::uint8_t* data, std::size_t size, const std::string& storePassword) {
  if (size > kMaxStoreBytes) throw plat::io::IOException("Key store larger than " + std::to_string(kMaxStoreBytes));
  bool jks = size >= 4 && data[0] == 0xFE && data[1] == 0xED && data[2] == 0xFE && data[3] == 0xED;
  return jks ? readJks(data, size, storePassword) : readPkcs12(data, size, storePassword);
}

const KeyStore::Entry* KeyStore::find(const std::string& alias) const {
  for (const Entry& e : entries_) {
    if (e.alias == alias) return &e;
  }
  return nullptr;
}

std::vector<std::string> KeyStore::aliases() const {
  std::vector<std::string> out;
  for (const Entry& e : entries_) out.push_back(e.alias);
  return out;
}

bool KeyStore::isKeyEntry(const std::string& alias) const {
  const Entry* e = find(alias);
  return e && e->kind == Entry::Kind::PrivateKey;
}

bool KeyStore::isCertificateEntry(const std::string& alias) const {
  const Entry* e = find(alias);
  return e && e->kind == Entry::Kind::TrustedCertificate;
}

X509* KeyStore::getCertificate(const std::string& alias) const {
  const Entry* e = find(alias);
  return e && !e->certificates.empty() ? e->certificates.front().get() : nullptr;
}

std::vector<X509*> KeyStore::getCertificateChain(const std::string& alias) const {
  std::vector<X509*> out;
  const Entry* e = find(alias);
  if (e && e->kind == Entry::Kind::PrivateKey) {
    for (const X509Ptr& c : e->certificates) out.push_back(c.get());
  }
  return out;
}

PKeyPtr KeyStore::getKey(const std::string& alias, const std::string& keyPassword) const {
  const Entry* e = find(alias);
  if (!e || e->kind != Entry::Kind::PrivateKey) throw KeyStoreException("No key entry \"" + alias + "\"");
  switch (e->protection) {
    case Entry::Protection::JksKeystream: {
      std::vector<std::uint8_t> plain = recoverJksKey(e->protectedKey, keyPassword);
      PKeyPtr key;
      try {
        key = keyFromPkcs8(plain);
      } catch (...) {
        OPENSSL_cleanse(plain.data(), plain.size());
        throw;
      }
      OPENSSL_cleanse(plain.data(), plain.size());
      return key;
    }
    case Entry::Protection::Pkcs8Plain:
      return keyFromPkcs8(e->protectedKey);
    case Entry::Protection::Pkcs8Encrypted: {
      // Tools that write PKCS#12 seal every bag with the store password; honour a distinct key password first.
      if (PKeyPtr key = openPkcs8(e->protectedKey, keyPassword)) return key;
      if (PKeyPtr key = openPkcs8(e->protectedKey, storePassword_)) return key;
      throw UnrecoverableKeyException("Cannot recover key \"" + alias + "\": wrong key password");
    }
  }
  throw UnrecoverableKeyException("Cannot recover key \"" + alias + "\"");
}

std::vector<X509*> KeyStore::trustAnchors() const {
  std::vector<X509*> out;
  for (const Entry& e : entries_) {
    if (!e.certificates.empty()) out.push_back(e.certificates.front().get());
  }
  return out;
}

}  // namespace plat::tls
