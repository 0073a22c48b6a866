#include "platform/tls/KeyStore.h"

#include <gtest/gtest.h>
#include <openssl/x509.h>

#include <string>
#include <vector>

#include "platform/io/IOException.h"
#include "platform/tls/TlsExceptions.h"
#include "testkit/fixtures/CertificateFixtures.h"

namespace {

using plat::tls::KeyStore;
using testkit::CertificateFixtures;

constexpr const char* kStorePass = CertificateFixtures::kStorePassword;
constexpr const char* kKeyPass = CertificateFixtures::kKeyPassword;

const CertificateFixtures* fixtures() {
  if (!CertificateFixtures::opensslAvailable()) return nullptr;
  return &CertificateFixtures::shared();
}

#define REQUIRE_FIXTURES()                    \
  const CertificateFixtures* fx = fixtures(); \
  if (fx == nullptr) GTEST_SKIP() << "the openssl command is not installed"

KeyStore loadBytes(const std::vector<std::uint8_t>& bytes, const std::string& password = kStorePass) {
  return KeyStore::read(bytes.data(), bytes.size(), password);
}

void expectClientKeyOpens(const KeyStore& ks, const std::string& alias) {
  ASSERT_TRUE(ks.isKeyEntry(alias));
  plat::tls::PKeyPtr key = ks.getKey(alias, kKeyPass);
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(X509_check_private_key(ks.getCertificate(alias), key.get()), 1);
}

TEST(KeyStoreJks, ReadsKeyAndTrustedEntriesOfBothVersions) {
  REQUIRE_FIXTURES();
  for (int version : {1, 2}) {
    SCOPED_TRACE(version);
    CertificateFixtures::JksOptions o;
    o.version = version;
    KeyStore ks = KeyStore::load(fx->writeJks(o), kStorePass);
    EXPECT_EQ(ks.getType(), "jks");
    EXPECT_EQ(ks.size(), 2u);
    EXPECT_TRUE(ks.isCertificateEntry("clearinghouse-ca"));
    EXPECT_FALSE(ks.isKeyEntry("clearinghouse-ca"));
    EXPECT_EQ(ks.getCertificateChain("client").size(), 2u);
    expectClientKeyOpens(ks, "client");
  }
}

TEST(KeyStoreJks, TrustAnchorsAreTrustedEntriesAndKeyCertificates) {
  REQUIRE_FIXTURES();
  CertificateFixtures::JksOptions o;
  o.trustCa = false;  // the CA only in the key's chain: not an anchor
  KeyStore ks = KeyStore::load(fx->writeJks(o), kStorePass);
  std::vector<X509*> anchors = ks.trustAnchors();
  ASSERT_EQ(anchors.size(), 1u);
  EXPECT_EQ(X509_cmp(anchors[0], ks.getCertificate("client")), 0);

  KeyStore both = KeyStore::load(fx->writeJks({}), kStorePass);
  EXPECT_EQ(both.trustAnchors().size(), 2u);
}

TEST(KeyStoreJks, WrongStorePasswordFailsTheIntegrityCheck) {
  REQUIRE_FIXTURES();
  std::string file = fx->writeJks({});
  try {
    KeyStore::load(file, "tumbrelosx");
    FAIL() << "a wrong store password was accepted";
  } catch (const plat::io::IOException& e) {
    EXPECT_NE(e.getMessage().find("integrity"), std::string::npos) << e.getMessage();
  }
}

TEST(KeyStoreJks, WrongKeyPasswordIsUnrecoverable) {
  REQUIRE_FIXTURES();
  CertificateFixtures::JksOptions o;
  o.keyPassword = "other";
  KeyStore ks = KeyStore::load(fx->writeJks(o), kStorePass);
  EXPECT_THROW(ks.getKey("client", kKeyPass), plat::tls::UnrecoverableKeyException);
  EXPECT_NE(ks.getKey("client", "other"), nullptr);
  EXPECT_THROW(ks.getKey("clearinghouse-ca", kKeyPass), plat::tls::KeyStoreException);
}

TEST(KeyStoreJks, AnyAlteredByteIsRefused) {
  REQUIRE_FIXTURES();
  const std::vector<std::uint8_t> good = CertificateFixtures::readFile(fx->writeJks({}));
  ASSERT_NO_THROW(loadBytes(good));
  // Every position from the entry count on: flipping it must never yield a store.
  for (std::size_t i = 8; i < good.size(); ++i) {
    std::vector<std::uint8_t> bad = good;
    bad[i] ^= 0x01;
    EXPECT_THROW(loadBytes(bad), plat::lang::Exception) << "altered byte " << i << " was accepted";
  }
}

TEST(KeyStoreJks, EveryTruncationIsRefused) {
  REQUIRE_FIXTURES();
  const std::vector<std::uint8_t> good = CertificateFixtures::readFile(fx->writeJks({}));
  for (std::size_t n = 0; n < good.size(); ++n) {
    std::vector<std::uint8_t> cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
    EXPECT_THROW(loadBytes(cut), plat::io::IOException) << "prefix of " << n << " bytes was accepted";
  }
}

struct HostileHeader {
  const char* name;
  std::vector<std::uint8_t> bytes;
  const char* expect;  // part of the message
};

TEST(KeyStoreJks, HostileLengthsFailWithoutReadingPastTheEnd) {
  const std::vector<HostileHeader> cases = {
      {"huge entry count", {0xFE, 0xED, 0xFE, 0xED, 0, 0, 0, 2, 0xFF, 0xFF, 0xFF, 0xFF}, "entries cannot fit"},
      {"version 3", {0xFE, 0xED, 0xFE, 0xED, 0, 0, 0, 3, 0, 0, 0, 0}, "unsupported version"},
      {"huge key length",
       {0xFE, 0xED, 0xFE, 0xED, 0, 0, 0, 2,    0,    0,    0,    1, 0, 0, 0, 1, 0, 1, 'a', 0,
        0,    0,    0,    0,    0, 0, 0, 0xFF, 0xFF, 0xFF, 0xF0, 0, 0, 0, 0, 0, 0, 0, 0},
       "protected key needs"},
      {"alias longer than the file",
       {0xFE, 0xED, 0xFE, 0xED, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 2,
        0xFF, 0xFF, 0,    0,    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
       "alias needs"},
      {"unknown tag",
       {0xFE, 0xED, 0xFE, 0xED, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
       "unknown entry tag"},
  };
  for (const HostileHeader& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      loadBytes(c.bytes);
      ADD_FAILURE() << "accepted";
    } catch (const plat::io::IOException& e) {
      EXPECT_NE(e.getMessage().find(c.expect), std::string::npos) << e.getMessage();
    }
  }
}

TEST(KeyStore, BytesThatAreNoStoreAreRefused) {
  for (const std::vector<std::uint8_t>& bytes :
       std::vector<std::vector<std::uint8_t>>{{}, {0x30}, {'h', 'e', 'l', 'l', 'o'}, {0xFE, 0xED, 0xFE}}) {
    EXPECT_THROW(loadBytes(bytes), plat::io::IOException);
  }
}

TEST(KeyStore, MissingFileNamesTheFile) {
  try {
    KeyStore::load("/nonexistent/jssecerts", kStorePass);
    FAIL();
  } catch (const plat::io::FileNotFoundException& e) {
    EXPECT_EQ(e.getMessage(), "/nonexistent/jssecerts (No such file or directory)");
  }
}

TEST(KeyStorePkcs12, StoreMadeByOpensslOpensWithEitherPassword) {
  REQUIRE_FIXTURES();
  KeyStore ks = KeyStore::load(fx->opensslPkcs12(kStorePass), kStorePass);
  EXPECT_EQ(ks.getType(), "pkcs12");
  // One password seals every bag: the key password falls back to the store password.
  expectClientKeyOpens(ks, "client");
  EXPECT_EQ(ks.getCertificateChain("client").size(), 2u);
  EXPECT_EQ(ks.trustAnchors().size(), 2u);
}

TEST(KeyStorePkcs12, WrongStorePasswordIsRefused) {
  REQUIRE_FIXTURES();
  EXPECT_THROW(KeyStore::load(fx->opensslPkcs12("somethingelse"), kStorePass), plat::io::IOException);
}

TEST(KeyStorePkcs12, KeyUnderItsOwnPassword) {
  REQUIRE_FIXTURES();
  KeyStore ks = KeyStore::load(fx->splitPasswordPkcs12(kStorePass, kKeyPass), kStorePass);
  expectClientKeyOpens(ks, "client");

  KeyStore wrong = KeyStore::load(fx->splitPasswordPkcs12(kStorePass, "other"), kStorePass);
  EXPECT_THROW(wrong.getKey("client", kKeyPass), plat::tls::UnrecoverableKeyException);
}

TEST(KeyStorePkcs12, TamperedFileIsRefused) {
  REQUIRE_FIXTURES();
  std::vector<std::uint8_t> bytes = CertificateFixtures::readFile(fx->opensslPkcs12(kStorePass));
  bytes[bytes.size() / 2] ^= 0x40;
  EXPECT_THROW(loadBytes(bytes), plat::lang::Exception);
}

TEST(KeyStoreJks, StoreWrittenByKeytool) {
  REQUIRE_FIXTURES();
  if (!CertificateFixtures::keytoolAvailable()) GTEST_SKIP() << "keytool is not installed";
  KeyStore ks = KeyStore::load(fx->keytoolJks(), kStorePass);
  EXPECT_EQ(ks.getType(), "jks");
  EXPECT_TRUE(ks.isCertificateEntry("clearinghouse-ca"));
  expectClientKeyOpens(ks, "client");
  EXPECT_THROW(ks.getKey("client", kStorePass), plat::tls::UnrecoverableKeyException);
}

}  // namespace
