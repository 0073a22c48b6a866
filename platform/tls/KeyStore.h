// A key store read from a file: the JKS format (magic 0xFEEDFEED) or, when the bytes are not JKS, PKCS#12. Loading
// checks the store's integrity with the store password; a key entry's private key is recovered on request with
// its key password. Read-only once loaded: const methods may be called from several threads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/tls/OpenSslHandles.h"

namespace plat::tls {

class KeyStore {
 public:
  static constexpr std::uint32_t kJksMagic = 0xFEEDFEED;
  static constexpr std::size_t kMaxStoreBytes = 16 * 1024 * 1024;  // larger files are refused unread

  KeyStore(KeyStore&&) noexcept;
  KeyStore& operator=(KeyStore&&) noexcept;
  KeyStore(const KeyStore&) = delete;
  KeyStore& operator=(const KeyStore&) = delete;
  ~KeyStore();

  // Reads the file at `path`. FileNotFoundException when it cannot be opened; IOException when it is no key store
  // or fails its integrity check (wrong store password or altered bytes); CertificateException for a certificate
  // that does not parse.
  static KeyStore load(const std::string& path, const std::string& storePassword);
  // The same on bytes in memory.
  static KeyStore read(const std::uint8_t* data, std::size_t size, const std::string& storePassword);

  // "jks" or "pkcs12".
  const std::string& getType() const { return type_; }
  std::size_t size() const { return entries_.size(); }
  std::vector<std::string> aliases() const;
  bool containsAlias(const std::string& alias) const { return find(alias) != nullptr; }
  bool isKeyEntry(const std::string& alias) const;
  bool isCertificateEntry(const std::string& alias) const;

  // The certificate of a trusted-certificate entry, or the first of a key entry's chain; null when there is none.
  X509* getCertificate(const std::string& alias) const;
  // A key entry's certificate chain, its own certificate first; empty for other aliases.
  std::vector<X509*> getCertificateChain(const std::string& alias) const;
  // Recovers a key entry's private key. UnrecoverableKeyException when the password does not open it;
  // KeyStoreException when the alias is no key entry.
  PKeyPtr getKey(const std::string& alias, const std::string& keyPassword) const;

  // Every trusted certificate plus the certificate of each key entry: the only anchors a connection may trust.
  std::vector<X509*> trustAnchors() const;

  // One stored entry. A key entry keeps its key protected until getKey().
  struct Entry {
    enum class Kind { PrivateKey, TrustedCertificate };
    enum class Protection { JksKeystream, Pkcs8Encrypted, Pkcs8Plain };
    Kind kind = Kind::TrustedCertificate;
    std::string alias;
    std::vector<X509Ptr> certificates;  // the chain (key entry) or the one certificate
    Protection protection = Protection::JksKeystream;
    std::vector<std::uint8_t> protectedKey;  // DER as stored; key entries only
  };

 private:
  KeyStore() = default;
  const Entry* find(const std::string& alias) const;

  std::string type_;
  std::string storePassword_;  // a PKCS#12 key may be sealed with the store password instead of its own
  std::vector<Entry> entries_;

  friend KeyStore readJks(const std::uint8_t*, std::size_t, const std::string&);
  friend KeyStore readPkcs12(const std::uint8_t*, std::size_t, const std::string&);
};

}  // namespace plat::tls
