#include "claim/SSLClient.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <type_traits>

#include "ClaimTestSupport.h"
#include "claim/SSLException.h"
#include "testkit/fixtures/CertificateFixtures.h"

namespace {

using testkit::CertificateFixtures;

constexpr const char* kStorePassword = "tumbrelosk";

class SSLClientTest : public ::testing::Test {
 protected:
  void SetUp() override { fx = &CertificateFixtures::shared(); }

  // The message of the SSLException that building on `file` throws, or "" when it builds.
  static std::string failure(const std::string& file) {
    try {
      SSLClient client(file, kStorePassword);
      return "";
    } catch (const SSLException& e) {
      EXPECT_EQ(e.toString(), "SSLException: " + e.getMessage());
      return e.getMessage();
    }
  }

  claimtest::TempWorkDir work;
  const CertificateFixtures* fx = nullptr;
};

TEST_F(SSLClientTest, BuildsFromEveryKindOfStore) {
  struct Case {
    const char* name;
    std::string file;
  };
  std::vector<Case> cases = {
      {"JKS", fx->writeJks({})},
      {"JKS version 1", fx->writeJks({.version = 1})},
      {"PKCS#12 by openssl", fx->opensslPkcs12(kStorePassword)},
      {"PKCS#12 with its own key password", fx->splitPasswordPkcs12(kStorePassword, SSLClient::kKeyPassword)}};
  if (CertificateFixtures::keytoolAvailable()) cases.push_back({"JKS by keytool", fx->keytoolJks()});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SSLClient client(c.file, kStorePassword);
    EXPECT_NE(client.getSocketFactory(), nullptr);
    EXPECT_FALSE(client.getCipherSuites().empty());
  }
}

TEST_F(SSLClientTest, EachFailureReadsErrorAndItsCause) {
  CertificateFixtures::JksOptions otherStorePassword;
  otherStorePassword.storePassword = "otherpass";
  CertificateFixtures::JksOptions otherKeyPassword;
  otherKeyPassword.keyPassword = "otherpass";
  std::vector<std::uint8_t> tampered = CertificateFixtures::readFile(fx->writeJks({}));
  tampered[tampered.size() / 2] ^= 0x20;
  std::vector<std::uint8_t> notAStore = {'n', 'o', 't', ' ', 'a', ' ', 's', 't', 'o', 'r', 'e'};

  struct Case {
    const char* name;
    std::string file;
    std::string message;  // exact, or a prefix when it ends in "*"
  };
  const std::vector<Case> cases = {
      {"missing store", "jssecerts", "Error -- jssecerts (No such file or directory)"},
      {"wrong store password", fx->writeJks(otherStorePassword),
       "Error -- Key store integrity check failed: the store password is wrong or the file was altered"},
      {"wrong key password", fx->writeJks(otherKeyPassword), "Error -- Cannot recover key: wrong key password"},
      {"tampered store", fx->writeFile("tampered", tampered),
       "Error -- Key store integrity check failed: the store password is wrong or the file was altered"},
      {"wrong PKCS#12 password", fx->opensslPkcs12("otherpass"),
       "Error -- Key store integrity check failed: the store password is wrong or the file was altered"},
      {"neither format", fx->writeFile("junk", notAStore),
       "Error -- Invalid key store: the file is neither JKS nor PKCS#12"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(failure(c.file), c.message);
  }
}

TEST(SSLExceptionKind, IsACheckedExceptionOfTheProgram) {
  EXPECT_TRUE((std::is_base_of_v<plat::lang::Exception, SSLException>));
  EXPECT_FALSE((std::is_base_of_v<plat::lang::RuntimeException, SSLException>));
  EXPECT_EQ(SSLException().toString(), "SSLException");
  EXPECT_EQ(SSLException("Error -- x").toString(), "SSLException: Error -- x");
}

}  // namespace
