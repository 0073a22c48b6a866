#include "platform/sql/DriverManager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/lang/Exceptions.h"
#include "platform/sql/SQLException.h"

namespace plat::sql {
namespace {

using plat::lang::makeRef;
using plat::lang::Ref;
using plat::lang::refCast;

class ConnectRefused : public SQLException {
 public:
  using SQLException::SQLException;
  PLAT_THROWABLE_MEMBERS(ConnectRefused, "test.ConnectRefused")
};

class FakeConnection : public Connection {
 public:
  explicit FakeConnection(std::string from) : from(std::move(from)) {}
  std::string from;
};

// A driver whose every answer is scripted.
class FakeDriver : public Driver {
 public:
  enum class Behaviour { Decline, Connect, ThrowRefused, ThrowPlain, ThrowRuntime };

  FakeDriver(std::string name, Behaviour behaviour) : name_(std::move(name)), behaviour_(behaviour) {}

  Ref<Connection> connect(const std::string&, const plat::util::Properties& info) override {
    ++calls;
    lastUser = info.getProperty("user", "<none>");
    switch (behaviour_) {
      case Behaviour::Decline:
        return nullptr;
      case Behaviour::Connect:
        return makeRef<FakeConnection>(name_);
      case Behaviour::ThrowRefused:
        throw ConnectRefused(name_ + " refused", "28000", 7);
      case Behaviour::ThrowPlain:
        throw SQLException(name_ + " failed");
      case Behaviour::ThrowRuntime:
        throw plat::lang::IllegalStateException(name_ + " broken");
    }
    return nullptr;
  }
  bool acceptsURL(const std::string&) override {
    if (behaviour_ == Behaviour::ThrowPlain) throw SQLException("cannot judge");
    return behaviour_ == Behaviour::Connect || behaviour_ == Behaviour::ThrowRefused;
  }
  std::vector<DriverPropertyInfo> getPropertyInfo(const std::string&, const plat::util::Properties&) override {
    return {};
  }
  int getMajorVersion() override { return 1; }
  int getMinorVersion() override { return 0; }
  bool jdbcCompliant() override { return false; }

  int calls = 0;
  std::string lastUser;

 private:
  std::string name_;
  Behaviour behaviour_;
};

using B = FakeDriver::Behaviour;

// Takes the drivers other tests registered out of the way and puts them back afterwards.
class DriverManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = DriverManager::getDrivers();
    for (const auto& d : saved_) DriverManager::deregisterDriver(d);
  }
  void TearDown() override {
    for (const auto& d : DriverManager::getDrivers()) DriverManager::deregisterDriver(d);
    for (const auto& d : saved_) DriverManager::registerDriver(d);
  }

  std::vector<Ref<FakeDriver>> install(const std::vector<B>& behaviours) {
    std::vector<Ref<FakeDriver>> drivers;
    for (std::size_t i = 0; i < behaviours.size(); ++i) {
      drivers.push_back(makeRef<FakeDriver>("d" + std::to_string(i), behaviours[i]));
      DriverManager::registerDriver(drivers.back());
    }
    return drivers;
  }

 private:
  std::vector<Ref<Driver>> saved_;
};

TEST_F(DriverManagerTest, FirstFailureIsRethrownWithItsKindWhenNoDriverConnects) {
  auto drivers = install({B::ThrowRefused, B::Decline, B::ThrowPlain});
  try {
    DriverManager::getConnection("jdbc:x:y");
    FAIL() << "no exception";
  } catch (const ConnectRefused& e) {
    EXPECT_EQ(e.getMessage(), "d0 refused");
    EXPECT_EQ(e.getSQLState(), "28000");
    EXPECT_EQ(e.getErrorCode(), 7);
  }
  for (const auto& d : drivers) EXPECT_EQ(d->calls, 1);
}

TEST_F(DriverManagerTest, FirstOfSeveralFailuresWins) {
  install({B::Decline, B::ThrowPlain, B::ThrowRefused});
  try {
    DriverManager::getConnection("jdbc:x:y");
    FAIL() << "no exception";
  } catch (const SQLException& e) {
    EXPECT_EQ(e.getClassName(), "java.sql.SQLException");
    EXPECT_EQ(e.getMessage(), "d1 failed");
  }
}

TEST_F(DriverManagerTest, NoDriverAcceptingIsNoSuitableDriver) {
  for (const auto& behaviours : {std::vector<B>{}, std::vector<B>{B::Decline, B::Decline}}) {
    install(behaviours);
    try {
      DriverManager::getConnection("jdbc:x:y");
      FAIL() << "no exception";
    } catch (const SQLException& e) {
      EXPECT_EQ(e.getClassName(), "java.sql.SQLException");
      EXPECT_EQ(e.getMessage(), "No suitable driver");
      EXPECT_EQ(e.getSQLState(), "08001");
    }
  }
}

TEST_F(DriverManagerTest, ALaterDriverThatConnectsWinsOverEarlierFailures) {
  auto drivers = install({B::ThrowRefused, B::Decline, B::Connect, B::Connect});
  auto connection = refCast<FakeConnection>(DriverManager::getConnection("jdbc:x:y", "scott", "tiger"));
  ASSERT_NE(connection, nullptr);
  EXPECT_EQ(connection->from, "d2");
  EXPECT_EQ(drivers[2]->lastUser, "scott");
  EXPECT_EQ(drivers[3]->calls, 0);
}

TEST_F(DriverManagerTest, AFailureThatIsNoSQLExceptionIsNotSwallowed) {
  auto drivers = install({B::ThrowRuntime, B::Connect});
  EXPECT_THROW(DriverManager::getConnection("jdbc:x:y"), plat::lang::IllegalStateException);
  EXPECT_EQ(drivers[1]->calls, 0);
}

TEST_F(DriverManagerTest, RegistrationKeepsOrderAndIgnoresDuplicates) {
  auto drivers = install({B::Decline, B::Connect});
  DriverManager::registerDriver(drivers[0]);
  DriverManager::registerDriver(nullptr);
  auto listed = DriverManager::getDrivers();
  ASSERT_EQ(listed.size(), 2u);
  EXPECT_EQ(listed[0], drivers[0]);
  EXPECT_EQ(listed[1], drivers[1]);
  DriverManager::deregisterDriver(drivers[0]);
  DriverManager::deregisterDriver(drivers[0]);
  EXPECT_EQ(DriverManager::getDrivers(), (std::vector<Ref<Driver>>{drivers[1]}));
}

TEST_F(DriverManagerTest, GetDriverSkipsDriversThatDeclineOrCannotJudge) {
  auto drivers = install({B::ThrowPlain, B::Decline, B::ThrowRefused});
  EXPECT_EQ(DriverManager::getDriver("jdbc:x:y"), drivers[2]);
  DriverManager::deregisterDriver(drivers[2]);
  try {
    DriverManager::getDriver("jdbc:x:y");
    FAIL() << "no exception";
  } catch (const SQLException& e) {
    EXPECT_EQ(e.getMessage(), "No suitable driver");
    EXPECT_EQ(e.getSQLState(), "08001");
  }
}

TEST_F(DriverManagerTest, LoginTimeoutIsKept) {
  DriverManager::setLoginTimeout(30);
  EXPECT_EQ(DriverManager::getLoginTimeout(), 30);
  DriverManager::setLoginTimeout(0);
  EXPECT_EQ(DriverManager::getLoginTimeout(), 0);
}

}  // namespace
}  // namespace plat::sql
