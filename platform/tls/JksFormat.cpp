// The JKS layout: magic, version (1 or 2), entry count, entries, then SHA-1 over the password in UTF-16BE, the
// bytes "Mighty Aphrodite" and everything before the digest. Every length is checked against what remains before
// it is used, so a short or hostile file fails cleanly.
#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/objects.h>
#include <openssl/sha.h>
#include <openssl/x509.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string_view>

#include "platform/io/IOException.h"
#include "platform/tls/KeyStoreFormats.h"
#include "platform/tls/TlsExceptions.h"

namespace plat::tls {
namespace {

constexpr std::uint32_t kTagPrivateKey = 1;
constexpr std::uint32_t kTagTrustedCert = 2;
constexpr std::size_t kDigestSize = SHA_DIGEST_LENGTH;  // 20
constexpr std::size_t kSaltSize = SHA_DIGEST_LENGTH;
constexpr std::size_t kMinEntryBytes = 4 + 2 + 8 + 4;  // tag, empty alias, date, one length
constexpr std::string_view kIntegrityWhitener = "Mighty Aphrodite";
constexpr std::string_view kKeyProtectorOid = "1.3.6.1.4.1.42.2.17.1.1";

// SHA-1 over the concatenation of the given byte ranges.
struct Range {
  const void* data;
  std::size_t size;
};
void sha1(std::initializer_list<Range> parts, unsigned char out[kDigestSize]) {
  std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
  if (!ctx || EVP_DigestInit_ex(ctx.get(), EVP_sha1(), nullptr) != 1) {
    throw GeneralSecurityException(takeOpenSslErrors("SHA-1 is not available"));
  }
  for (const Range& r : parts) EVP_DigestUpdate(ctx.get(), r.data, r.size);
  unsigned int len = 0;
  EVP_DigestFinal_ex(ctx.get(), out, &len);
}

class Cursor {
 public:
  Cursor(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::size_t position() const { return pos_; }
  std::size_t remaining() const { return size_ - pos_; }

  void need(std::size_t n, const char* what) const {
    if (n > remaining()) {
      throw plat::io::IOException("Invalid JKS key store: " + std::string(what) + " needs " + std::to_string(n) +
                                  " bytes, " + std::to_string(remaining()) + " remain");
    }
  }
  std::uint32_t u32(const char* what) {
    need(4, what);
    std::uint32_t v = (std::uint32_t{data_[pos_]} << 24) | (std::uint32_t{data_[pos_ + 1]} << 16) |
                      (std::uint32_t{data_[pos_ + 2]} << 8) | std::uint32_t{data_[pos_ + 3]};
    pos_ += 4;
    return v;
  }
  std::uint16_t u16(const char* what) {
    need(2, what);
    std::uint16_t v = static_cast<std::uint16_t>((data_[pos_] << 8) | data_[pos_ + 1]);
    pos_ += 2;
    return v;
  }
  void skip(std::size_t n, const char* what) {
    need(n, what);
    pos_ += n;
  }
  std::vector<std::uint8_t> bytes(std::size_t n, const char* what) {
    need(n, what);
    std::vector<std::uint8_t> out(data_ + pos_, data_ + pos_ + n);
    pos_ += n;
    return out;
  }
  std::string utf(const char* what) {
    std::size_t n = u16(what);
    need(n, what);
    std::string out(reinterpret_cast<const char*>(data_ + pos_), n);
    pos_ += n;
    return out;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

X509Ptr parseCertificate(const std::vector<std::uint8_t>& der, const std::string& alias) {
  const unsigned char* p = der.data();
  X509Ptr cert(d2i_X509(nullptr, &p, static_cast<long>(der.size())));
  if (!cert || p != der.data() + der.size()) {
    throw CertificateException("Certificate of entry \"" + alias + "\" does not parse");
  }
  return cert;
}

// A certificate as stored: in version 2 its type name first, which must be X.509.
std::vector<std::uint8_t> readCertificateBytes(Cursor& in, std::uint32_t version) {
  if (version == 2) {
    std::string type = in.utf("certificate type");
    if (type != "X.509") throw CertificateException("Unsupported certificate type " + type);
  }
  std::uint32_t len = in.u32("certificate length");
  return in.bytes(len, "certificate");
}

struct RawEntry {
  KeyStore::Entry::Kind kind;
  std::string alias;
  std::vector<std::vector<std::uint8_t>> certificates;
  std::vector<std::uint8_t> protectedKey;
};

}  // namespace

std::vector<std::uint8_t> passwordUtf16be(const std::string& password) {
  std::vector<std::uint8_t> out;
  out.reserve(password.size() * 2);
  auto unit = [&out](std::uint32_t u) {
    out.push_back(static_cast<std::uint8_t>(u >> 8));
    out.push_back(static_cast<std::uint8_t>(u & 0xFF));
  };
  for (std::size_t i = 0; i < password.size();) {
    auto b = static_cast<unsigned char>(password[i]);
    std::uint32_t cp = b;
    std::size_t len = 1;
    if (b >= 0xF0 && i + 3 < password.size()) {
      cp = ((b & 0x07u) << 18) | ((password[i + 1] & 0x3Fu) << 12) | ((password[i + 2] & 0x3Fu) << 6) |
           (password[i + 3] & 0x3Fu);
      len = 4;
    } else if (b >= 0xE0 && i + 2 < password.size()) {
      cp = ((b & 0x0Fu) << 12) | ((password[i + 1] & 0x3Fu) << 6) | (password[i + 2] & 0x3Fu);
      len = 3;
    } else if (b >= 0xC0 && i + 1 < password.size()) {
      cp = ((b & 0x1Fu) << 6) | (password[i + 1] & 0x3Fu);
      len = 2;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      unit(0xD800 + (cp >> 10));
      unit(0xDC00 + (cp & 0x3FF));
    } else {
      unit(cp);
    }
    i += len;
  }
  return out;
}

std::vector<std::uint8_t> recoverJksKey(const std::vector<std::uint8_t>& protectedKey, const std::string& password) {
  const unsigned char* p = protectedKey.data();
  std::unique_ptr<X509_SIG, decltype(&X509_SIG_free)> info(
      d2i_X509_SIG(nullptr, &p, static_cast<long>(protectedKey.size())), X509_SIG_free);
  if (!info) throw UnrecoverableKeyException("Protected key is not an encrypted private-key structure");
  const X509_ALGOR* alg = nullptr;
  const ASN1_OCTET_STRING* sealed = nullptr;
  X509_SIG_get0(info.get(), &alg, &sealed);
  const ASN1_OBJECT* oid = nullptr;
  X509_ALGOR_get0(&oid, nullptr, nullptr, alg);
  char oidText[80] = {0};
  OBJ_obj2txt(oidText, sizeof oidText, oid, 1);
  if (kKeyProtectorOid != oidText) {
    throw UnrecoverableKeyException(std::string("Unsupported key protection algorithm ") + oidText);
  }
  const unsigned char* s = ASN1_STRING_get0_data(sealed);
  auto n = static_cast<std::size_t>(ASN1_STRING_length(sealed));
  if (n < kSaltSize + kDigestSize) throw UnrecoverableKeyException("Protected key is too short");

  std::vector<std::uint8_t> pw = passwordUtf16be(password);
  std::size_t keyLen = n - kSaltSize - kDigestSize;
  std::vector<std::uint8_t> plain(keyLen);
  unsigned char block[kDigestSize];
  std::memcpy(block, s, kSaltSize);
  for (std::size_t done = 0; done < keyLen; done += kDigestSize) {
    sha1({{pw.data(), pw.size()}, {block, kDigestSize}}, block);
    std::size_t chunk = std::min(kDigestSize, keyLen - done);
    for (std::size_t i = 0; i < chunk; ++i) plain[done + i] = s[kSaltSize + done + i] ^ block[i];
  }
  unsigned char check[kDigestSize];
  sha1({{pw.data(), pw.size()}, {plain.data(), plain.size()}}, check);
  if (CRYPTO_memcmp(check, s + n - kDigestSize, kDigestSize) != 0) {
    OPENSSL_cleanse(plain.data(), plain.size());
    throw UnrecoverableKeyException("Cannot recover key: wrong key password");
  }
  return plain;
}

KeyStore readJks(const std::uint8_t* data, std::size_t size, const std::string& storePassword) {
  Cursor in(data, size);
  if (in.u32("magic") != KeyStore::kJksMagic) throw plat::io::IOException("Invalid JKS key store: bad magic");
  std::uint32_t version = in.u32("version");
  if (version != 1 && version != 2) {
    throw plat::io::IOException("Invalid JKS key store: unsupported version " + std::to_string(version));
  }
  std::uint32_t count = in.u32("entry count");
  if (count > in.remaining() / kMinEntryBytes) {
    throw plat::io::IOException("Invalid JKS key store: " + std::to_string(count) + " entries cannot fit in " +
                                std::to_string(in.remaining()) + " bytes");
  }
  std::vector<RawEntry> raw;
  raw.reserve(count);
  for (std::uint32_t i = 0; i < count; ++i) {
    RawEntry e;
    std::uint32_t tag = in.u32("entry tag");
    e.alias = in.utf("alias");
    in.skip(8, "entry date");
    if (tag == kTagPrivateKey) {
      e.kind = KeyStore::Entry::Kind::PrivateKey;
      std::uint32_t keyLen = in.u32("key length");
      e.protectedKey = in.bytes(keyLen, "protected key");
      std::uint32_t chainLen = in.u32("chain length");
      if (chainLen > in.remaining() / 4) {
        throw plat::io::IOException("Invalid JKS key store: chain of " + std::to_string(chainLen) +
                                    " certificates cannot fit");
      }
      for (std::uint32_t c = 0; c < chainLen; ++c) e.certificates.push_back(readCertificateBytes(in, version));
    } else if (tag == kTagTrustedCert) {
      e.kind = KeyStore::Entry::Kind::TrustedCertificate;
      e.certificates.push_back(readCertificateBytes(in, version));
    } else {
      throw plat::io::IOException("Invalid JKS key store: unknown entry tag " + std::to_string(tag));
    }
    raw.push_back(std::move(e));
  }

  std::size_t signedBytes = in.position();
  in.need(kDigestSize, "integrity digest");
  std::vector<std::uint8_t> pw = passwordUtf16be(storePassword);
  unsigned char digest[kDigestSize];
  sha1({{pw.data(), pw.size()}, {kIntegrityWhitener.data(), kIntegrityWhitener.size()}, {data, signedBytes}}, digest);
  if (CRYPTO_memcmp(digest, data + signedBytes, kDigestSize) != 0) {
    throw plat::io::IOException(
        "Key store integrity check failed: the store password is wrong or the file was altered");
  }

  KeyStore store;
  store.type_ = "jks";
  store.storePassword_ = storePassword;
  for (RawEntry& r : raw) {
    KeyStore::Entry e;
    e.kind = r.kind;
    e.alias = r.alias;
    e.protection = KeyStore::Entry::Protection::JksKeystream;
    e.protectedKey = std::move(r.protectedKey);
    for (const auto& der : r.certificates) e.certificates.push_back(parseCertificate(der, r.alias));
    store.entries_.push_back(std::move(e));
  }
  return store;
}

}  // namespace plat::tls
