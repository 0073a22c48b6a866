// PKCS#12 through OpenSSL: the MAC is checked with the store password, the safes are opened, key bags become key
// entries (shrouded keys stay sealed until getKey) and certificates that belong to no key become trusted entries.
#include <openssl/err.h>
#include <openssl/pkcs12.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <memory>

#include "platform/io/IOException.h"
#include "platform/tls/KeyStoreFormats.h"
#include "platform/tls/TlsExceptions.h"

namespace plat::tls {
namespace {

struct P12Free {
  void operator()(PKCS12* p) const { PKCS12_free(p); }
};
struct SafesFree {
  void operator()(STACK_OF(PKCS7) * p) const { sk_PKCS7_pop_free(p, PKCS7_free); }
};
struct BagsFree {
  void operator()(STACK_OF(PKCS12_SAFEBAG) * p) const { sk_PKCS12_SAFEBAG_pop_free(p, PKCS12_SAFEBAG_free); }
};
using BagsPtr = std::unique_ptr<STACK_OF(PKCS12_SAFEBAG), BagsFree>;

constexpr int kMaxNesting = 4;  // safe-contents bags inside safe-contents bags

struct Bagged {
  std::string localKeyId;  // empty when the bag has none
  std::string name;        // friendly name, may be empty
};

struct KeyBag {
  Bagged tag;
  KeyStore::Entry::Protection protection;
  std::vector<std::uint8_t> der;
};

struct CertBag {
  Bagged tag;
  X509Ptr cert;
  bool used = false;
};

Bagged tagOf(const PKCS12_SAFEBAG* bag) {
  Bagged t;
  if (const ASN1_TYPE* id = PKCS12_SAFEBAG_get0_attr(bag, NID_localKeyID);
      id != nullptr && id->type == V_ASN1_OCTET_STRING) {
    t.localKeyId.assign(reinterpret_cast<const char*>(ASN1_STRING_get0_data(id->value.octet_string)),
                        static_cast<std::size_t>(ASN1_STRING_length(id->value.octet_string)));
  }
  if (char* name = PKCS12_get_friendlyname(const_cast<PKCS12_SAFEBAG*>(bag))) {
    t.name = name;
    OPENSSL_free(name);
  }
  return t;
}

template <class Der, class T>
std::vector<std::uint8_t> toDer(Der encode, const T* value) {
  int n = encode(value, nullptr);
  if (n <= 0) throw plat::io::IOException(takeOpenSslErrors("Invalid PKCS#12 key store: a key does not encode"));
  std::vector<std::uint8_t> out(static_cast<std::size_t>(n));
  unsigned char* p = out.data();
  encode(value, &p);
  return out;
}

void collect(const STACK_OF(PKCS12_SAFEBAG) * bags, int depth, std::vector<KeyBag>& keys, std::vector<CertBag>& certs) {
  if (depth > kMaxNesting) throw plat::io::IOException("Invalid PKCS#12 key store: safes nested too deeply");
  for (int i = 0; i < sk_PKCS12_SAFEBAG_num(bags); ++i) {
    const PKCS12_SAFEBAG* bag = sk_PKCS12_SAFEBAG_value(bags, i);
    switch (PKCS12_SAFEBAG_get_nid(bag)) {
      case NID_keyBag:
        keys.push_back({tagOf(bag), KeyStore::Entry::Protection::Pkcs8Plain,
                        toDer(i2d_PKCS8_PRIV_KEY_INFO, PKCS12_SAFEBAG_get0_p8inf(bag))});
        break;
      case NID_pkcs8ShroudedKeyBag:
        keys.push_back({tagOf(bag), KeyStore::Entry::Protection::Pkcs8Encrypted,
                        toDer(i2d_X509_SIG, PKCS12_SAFEBAG_get0_pkcs8(bag))});
        break;
      case NID_certBag:
        if (PKCS12_SAFEBAG_get_bag_nid(bag) == NID_x509Certificate) {
          X509Ptr cert(PKCS12_SAFEBAG_get1_cert(bag));
          if (!cert) throw CertificateException("A certificate of the PKCS#12 key store does not parse");
          certs.push_back({tagOf(bag), std::move(cert)});
        }
        break;
      case NID_safeContentsBag:
        collect(PKCS12_SAFEBAG_get0_safes(bag), depth + 1, keys, certs);
        break;
      default:
        break;  // CRL and secret bags carry nothing a connection uses
    }
  }
}

// The issuer of `cert` among the unused bags, or null.
CertBag* issuerOf(X509* cert, std::vector<CertBag>& certs) {
  for (CertBag& c : certs) {
    if (!c.used && c.cert.get() != cert && X509_check_issued(c.cert.get(), cert) == X509_V_OK) return &c;
  }
  return nullptr;
}

}  // namespace

KeyStore readPkcs12(const std::uint8_t* data, std::size_t size, const std::string& storePassword) {
  const unsigned char* p = data;
  std::unique_ptr<PKCS12, P12Free> p12(d2i_PKCS12(nullptr, &p, static_cast<long>(size)));
  if (!p12) {
    ERR_clear_error();
    throw plat::io::IOException("Invalid key store: the file is neither JKS nor PKCS#12");
  }
  if (PKCS12_mac_present(p12.get()) &&
      PKCS12_verify_mac(p12.get(), storePassword.c_str(), static_cast<int>(storePassword.size())) != 1) {
    ERR_clear_error();
    throw plat::io::IOException(
        "Key store integrity check failed: the store password is wrong or the file was altered");
  }
  std::unique_ptr<STACK_OF(PKCS7), SafesFree> safes(PKCS12_unpack_authsafes(p12.get()));
  if (!safes) throw plat::io::IOException(takeOpenSslErrors("Invalid PKCS#12 key store: no readable safes"));

  std::vector<KeyBag> keys;
  std::vector<CertBag> certs;
  for (int i = 0; i < sk_PKCS7_num(safes.get()); ++i) {
    PKCS7* safe = sk_PKCS7_value(safes.get(), i);
    BagsPtr bags;
    if (PKCS7_type_is_data(safe)) {
      bags.reset(PKCS12_unpack_p7data(safe));
    } else if (PKCS7_type_is_encrypted(safe)) {
      bags.reset(PKCS12_unpack_p7encdata(safe, storePassword.c_str(), static_cast<int>(storePassword.size())));
    } else {
      continue;  // enveloped safes need a private key of their own: nothing here can open them
    }
    if (!bags) throw plat::io::IOException(takeOpenSslErrors("Invalid PKCS#12 key store: a safe does not open"));
    collect(bags.get(), 0, keys, certs);
  }

  KeyStore store;
  store.type_ = "pkcs12";
  store.storePassword_ = storePassword;
  int index = 0;
  for (KeyBag& k : keys) {
    KeyStore::Entry e;
    e.kind = KeyStore::Entry::Kind::PrivateKey;
    e.protection = k.protection;
    e.protectedKey = std::move(k.der);
    CertBag* leaf = nullptr;
    for (CertBag& c : certs) {
      if (!c.used && c.tag.localKeyId == k.tag.localKeyId) {
        leaf = &c;
        break;
      }
    }
    for (CertBag* c = leaf; c != nullptr; c = issuerOf(e.certificates.back().get(), certs)) {
      c->used = true;
      e.certificates.push_back(upRef(c->cert.get()));
    }
    e.alias = !k.tag.name.empty() ? k.tag.name : (leaf && !leaf->tag.name.empty() ? leaf->tag.name : "");
    if (e.alias.empty()) e.alias = std::to_string(++index);
    store.entries_.push_back(std::move(e));
  }
  // Issuers taken into a key's chain are trusted too: a store made for a client carries its server's CA that way.
  for (CertBag& c : certs) {
    KeyStore::Entry e;
    e.kind = KeyStore::Entry::Kind::TrustedCertificate;
    e.alias = !c.tag.name.empty() ? c.tag.name : std::to_string(++index);
    e.certificates.push_back(std::move(c.cert));
    bool leafOfKey = false;
    for (const KeyStore::Entry& k : store.entries_) {
      if (k.kind == KeyStore::Entry::Kind::PrivateKey && !k.certificates.empty() &&
          X509_cmp(k.certificates.front().get(), e.certificates.front().get()) == 0) {
        leafOfKey = true;
      }
    }
    if (!leafOfKey) store.entries_.push_back(std::move(e));
  }
  return store;
}

}  // namespace plat::tls
