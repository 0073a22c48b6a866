// The connection bean over the scripted driver: the pool, the live properties and their warnings, connecting and
// its failures, nested transactions, closing, saved settings and the automatic start.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/beans/PropertyChangeEvent.h"
#include "platform/beans/PropertyVetoException.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/System.h"
#include "platform/serial/ObjectStreamException.h"
#include "platform/sql/DriverManager.h"
#include "tests/quenlora/zafoli/db/beans/jdbc/AdapterTestSupport.h"
#include "tests/quenlora/zafoli/db/beans/jdbc/JdbcTestSupport.h"

namespace quenlora::zafoli::db::beans::jdbc {
namespace {

using plat::lang::Ref;
using plat::sql::SQLException;
using Calls = std::vector<std::string>;

class CountingListener : public plat::lang::Object, public plat::beans::PropertyChangeListener {
 public:
  void propertyChange(const plat::beans::PropertyChangeEvent& event) override {
    names.push_back(event.getPropertyName());
  }
  std::vector<std::string> names;
};

class Veto : public plat::lang::Object, public plat::beans::VetoableChangeListener {
 public:
  void vetoableChange(const plat::beans::PropertyChangeEvent& event) override {
    throw plat::beans::PropertyVetoException("kept open", event);
  }
};

class RecordingFailures : public plat::lang::Object, public ConnectFailedListener {
 public:
  void connectFailed(const ConnectFailedEvent& event) override {
    types.push_back(event.getType());
    reasons.push_back(event.getReason());
  }
  std::vector<int> types;
  std::vector<std::string> reasons;
};

using ScriptedBean = ScriptedBeanTest;

TEST_F(ScriptedBean, ConnectOpensMinConnectionsAndAppliesPropertiesToEach) {
  auto b = bean();
  b->setMinConnections(3);
  b->setCatalog("main");
  b->connect();
  EXPECT_EQ(b->poolCounts(), (std::vector<int>{0, 0, 0}));
  for (const char* c : {"c1.", "c2.", "c3."}) {
    EXPECT_EQ(db_->callsWith(std::string(c) + "set"),
              (Calls{std::string(c) + "setAutoCommit(true)", std::string(c) + "setReadOnly(false)",
                     std::string(c) + "setCatalog(main)"}))
        << "isolation 16 leaves the level alone";
  }
  db_->clearCalls();
  b->connect();
  EXPECT_TRUE(db_->calls().empty()) << "an open bean opens nothing";
  EXPECT_FALSE(b->isConnectionClosed());
  // 16 on an open bean becomes the database's default level.
  b->setTransactionIsolation(JdbcConnection::TRANSACTION_DEFAULT);
  EXPECT_EQ(b->getTransactionIsolation(), JdbcConnection::TRANSACTION_READ_COMMITTED);
}

TEST_F(ScriptedBean, PoolLimitsAndSettersRefuseOrNormalise) {
  auto b = bean();
  b->setMaxStatements(0);
  EXPECT_EQ(b->getMaxStatements(), 2147483647);
  EXPECT_THROW(b->setMinConnections(0), plat::lang::IllegalArgumentException);
  b->setMaxConnections(2);
  EXPECT_THROW(b->setMinConnections(3), plat::lang::IllegalArgumentException);
  EXPECT_THROW(b->setMaxConnections(0), plat::lang::IllegalArgumentException);
  b->setMaxStatements(1);
  b->connect();
  auto one = b->createStatement();
  auto two = b->prepareStatement("select ?");
  try {
    b->createStatement();
    FAIL();
  } catch (const SQLException& e) {
    EXPECT_STREQ(e.what(),
                 "The connection pool is exhausted: all 2 connections (maxConnections) hold 1 open statements "
                 "(maxStatements)");
  }
  EXPECT_EQ(b->poolCounts(), (std::vector<int>{1, 1}));
  b->closeStatement(one);
  EXPECT_TRUE(one->isClosed());
  EXPECT_EQ(b->poolCounts(), (std::vector<int>{0, 1}));
  EXPECT_NO_THROW(b->createStatement());
  b->closeStatement(nullptr);
}

TEST_F(ScriptedBean, AStatementOfAClosedBeanConnectsItAndClosingClosesEverything) {
  auto b = bean();
  b->setMinConnections(2);
  auto statement = b->createStatement();
  EXPECT_FALSE(b->isConnectionClosed());
  EXPECT_EQ(b->poolCounts(), (std::vector<int>{1, 0}));
  b->setConnectionClosed(true);
  EXPECT_EQ(db_->openConnections(), 0);
}

TEST_F(ScriptedBean, MetaDataMaximumLowersMaxStatementsAndItsFailureDefaultsToNone) {
  struct Case {
    int reported;
    bool fails;
    int maxStatements;
    int defaultIsolation;
  } cases[] = {{5, false, 5, 2}, {0, false, 2147483647, 2}, {5, true, 2147483647, 0}};
  for (const auto& k : cases) {
    testkit::ScriptedDatabase::MetaData meta;
    meta.maxStatements = k.reported;
    meta.fails = k.fails;
    db_->setMetaData(meta);
    auto b = bean();
    plat::lang::ConsoleCapture out;
    b->connect();
    EXPECT_EQ(b->getMaxStatements(), k.maxStatements);
    EXPECT_EQ(b->getDefaultTransactionIsolation(), k.defaultIsolation);
    EXPECT_EQ(out.text().find("Defaulting to TRANSACTION_NONE") != std::string::npos, k.fails);
    b->setConnectionClosed(true);
  }
}

TEST_F(ScriptedBean, EachFailingPropertyWarnsAndTheRestAreStillApplied) {
  struct Case {
    const char* operation;
    const char* property;
  } cases[] = {{"setAutoCommit", "autoCommit"},
               {"setReadOnly", "readOnly"},
               {"setTransactionIsolation", "transactionIsolation"},
               {"setCatalog", "catalog"}};
  for (const auto& k : cases) {
    auto b = bean();
    b->setTransactionIsolation(JdbcConnection::TRANSACTION_SERIALIZABLE);
    b->setCatalog("main");
    db_->fail(k.operation, "refused");
    db_->clearCalls();
    plat::lang::ConsoleCapture out;
    b->connect();
    EXPECT_NE(out.text().find(std::string("Warning: could not apply ") + k.property +
                              " property to live connection: refused"),
              std::string::npos)
        << out.text();
    EXPECT_EQ(db_->callsWith("c").size() >= 4, true);
    EXPECT_FALSE(db_->callsWith("setCatalog(main)").empty()) << k.operation;
    b->setConnectionClosed(true);
  }
}

TEST_F(ScriptedBean, LiveSetterFailureIsThrownOn) {
  auto b = bean();
  b->connect();
  db_->fail("setReadOnly", "no");
  EXPECT_THROW(b->setReadOnly(true), SQLException);
  db_->fail("getAutoCommit", "broken");
  plat::lang::ConsoleCapture out;
  EXPECT_TRUE(b->isAutoCommit());
  EXPECT_NE(out.text().find("Warning: isAutoCommit was returning a corrupted value: broken"), std::string::npos);
}

TEST_F(ScriptedBean, LoginFailureFollowsThePattern) {
  struct Case {
    const char* pattern;
    const char* message;
    bool loginFailure;
  } cases[] = {{"userid user password", "Invalid PASSWORD", true},
               {"userid user password", "Network error", false},
               {"", "Network error", true},
               {"  ", "anything", true}};
  for (const auto& k : cases) {
    auto b = bean();
    b->setLoginFailedPattern(k.pattern);
    auto listener = plat::lang::makeRef<RecordingFailures>();
    b->addConnectFailedListener(listener);
    db_->fail("connect", k.message);
    try {
      b->connect();
      FAIL();
    } catch (const SQLException& e) {
      EXPECT_EQ(e.getMessage(), k.message);
    }
    EXPECT_EQ(listener->types, k.loginFailure ? std::vector<int>{3} : std::vector<int>{}) << k.message;
    EXPECT_TRUE(b->isConnectionClosed());
  }
}

TEST_F(ScriptedBean, TheDefaultListenerAsksAgainAndConnectsOnOk) {
  db_->requirePassword("right");
  auto b = bean("wrong");
  b->setConnectFailedListener(JdbcConnection::kDefaultListener);
  dialogs_->scriptLogin({plat::gui::LoginChoice::Ok, "ann", "still wrong"});
  dialogs_->scriptLogin({plat::gui::LoginChoice::Ok, "bob", "right"});
  EXPECT_THROW(b->connect(), SQLException) << "the caller still sees its failure";
  EXPECT_FALSE(b->isConnectionClosed());
  EXPECT_EQ(b->getUserName(), "bob");
  EXPECT_EQ(db_->openConnections(), 1);
  auto shown = dialogs_->shownLogins();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].url, "jdbc:scripted:db");
  EXPECT_EQ(shown[0].user, "ann");
  EXPECT_EQ(shown[0].title, "Untitled");
  EXPECT_EQ(shown[0].okText, "OK");
  EXPECT_EQ(shown[1].password, "still wrong");
}

TEST_F(ScriptedBean, CancelOrTheCloseBoxChangesNothing) {
  db_->requirePassword("right");
  for (auto choice : {plat::gui::LoginChoice::Cancel, plat::gui::LoginChoice::Closed}) {
    auto b = bean("wrong");
    b->setConnectFailedListener(JdbcConnection::kDefaultListener);
    dialogs_->scriptLogin({choice, "typed", "typed"});
    EXPECT_THROW(b->connect(), SQLException);
    EXPECT_TRUE(b->isConnectionClosed());
    EXPECT_EQ(b->getUserName(), "ann");
    EXPECT_EQ(b->getPassword(), "wrong");
  }
  EXPECT_EQ(db_->openConnections(), 0);
}

TEST_F(ScriptedBean, DriverClassesAreRegisteredOnceAndUnknownOnesAreReported) {
  auto count = [&] {
    int n = 0;
    for (const auto& d : plat::sql::DriverManager::getDrivers()) n += d->getClassName() == driverClass_;
    return n;
  };
  auto b = bean();
  for (int i = 0; i < 1000; ++i) {
    b->connect();
    b->setConnectionClosed(true);
  }
  EXPECT_EQ(count(), 1);
  b->setDriverName("no.such.Driver");
  plat::lang::ConsoleCapture out;
  try {
    b->connect();
    FAIL();
  } catch (const SQLException& e) {
    EXPECT_EQ(e.getMessage(), "Could not register JDBC driver.  Driver class name: no.such.Driver");
  }
}

TEST_F(ScriptedBean, AFailedConnectClosesWhatItOpened) {
  auto b = bean();
  b->setMinConnections(3);
  db_->fail("connect", "Network error", 1, 2);
  EXPECT_THROW(b->connect(), SQLException);
  EXPECT_EQ(db_->openConnections(), 0);
  EXPECT_TRUE(b->isConnectionClosed());
  EXPECT_EQ(b->getSQLConnection(), nullptr);
  db_->fail("connect", "Network error", -1);
  EXPECT_THROW(b->getMetaData(), SQLException);
}

TEST_F(ScriptedBean, PointBaseTurnsAutoCommitOff) {
  testkit::ScriptedDriver::registerClass(JdbcConnection::POINTBASE_DRIVER, db_);
  auto b = bean();
  b->setDriverName(JdbcConnection::POINTBASE_DRIVER);
  b->connect();
  EXPECT_FALSE(b->isAutoCommit());
}

TEST_F(ScriptedBean, ClosingIsVetoableAndFiresOnlyWhenSomethingCloses) {
  auto b = bean();
  auto listener = plat::lang::makeRef<CountingListener>();
  b->addPropertyChangeListener(listener);
  b->setConnectionClosed(true);
  EXPECT_TRUE(listener->names.empty());
  b->connect();
  auto veto = plat::lang::makeRef<Veto>();
  b->addVetoableChangeListener(veto);
  EXPECT_THROW(b->setConnectionClosed(true), plat::beans::PropertyVetoException);
  EXPECT_FALSE(b->isConnectionClosed());
  b->removeVetoableChangeListener(veto);
  b->setConnectionClosed(true);
  EXPECT_EQ(listener->names, (std::vector<std::string>{"connectionClosed"}));
  EXPECT_EQ(db_->openConnections(), 0);
}

TEST_F(ScriptedBean, NestedLevelsCommitOnlyWhenNothingFailed) {
  struct Case {
    const char* name;
    bool failInner;
    bool failCommit;
    const char* innerThrows;  // null: the inner end succeeds
    const char* outerThrows;
    Calls ends;  // commits and rollbacks, in order
  } cases[] = {
      {"clean", false, false, nullptr, nullptr, {"commit", "commit"}},
      {"failed statement", true, false, "duplicate key", "duplicate key", {"rollback", "rollback"}},
      {"failed commit", false, true, "disk full", "disk full", {"commit", "rollback", "rollback"}},
  };
  for (const auto& k : cases) {
    auto b = bean();
    b->connect();
    b->beginTransaction();
    b->beginTransaction();
    auto statement = b->createStatement();
    if (k.failInner) {
      db_->fail("executeUpdate", "duplicate key");
      // The caller handles the failure; the level is failed all the same.
      EXPECT_THROW(b->executeStatement(statement, "insert", "insert"), SQLException);
    } else {
      EXPECT_EQ(b->executeStatement(statement, "insert", "insert"), 1);
    }
    if (k.failCommit) db_->fail("commit", "disk full");
    db_->clearCalls();
    auto end = [&](const char* expected) {
      if (expected == nullptr) {
        EXPECT_NO_THROW(b->endTransaction(true)) << k.name;
        return;
      }
      try {
        b->endTransaction(true);
        ADD_FAILURE() << k.name << ": success after a rollback";
      } catch (const SQLException& e) {
        EXPECT_EQ(e.getMessage(), expected) << k.name;
      }
    };
    end(k.innerThrows);
    EXPECT_FALSE(b->isAutoCommit()) << k.name << ": auto-commit stays off inside the outer level";
    end(k.outerThrows);
    Calls ends;
    for (const auto& c : db_->calls()) {
      std::string call = c.substr(c.find('.') + 1);
      if (call == "commit" || call == "rollback") ends.push_back(call);
    }
    EXPECT_EQ(ends, k.ends) << k.name;
    EXPECT_TRUE(b->isAutoCommit()) << k.name;
    b->endTransaction(true);  // no level open: nothing
  }
}

TEST_F(ScriptedBean, APartialCommitOverThePoolIsLoggedWithTheConnectionsThatCommitted) {
  util::LogWindowHelper::getInstance();
  auto log = std::make_shared<LogRecorder>();
  binding::taskbus::TaskBus::getInstance()->addTaskBusEventListener(log);
  auto b = bean();
  b->setMinConnections(3);
  b->connect();
  b->beginTransaction();
  db_->fail("commit", "disk full", 1, 1);
  EXPECT_THROW(b->endTransaction(true), SQLException);
  binding::taskbus::TaskBus::getInstance()->removeTaskBusEventListener(log);
  const auto entries = log->entries();
  EXPECT_NE(std::find(entries.begin(), entries.end(),
                      "SQL|Commit failed on connection 2 of 3: disk full; committed before it: connection 1"),
            entries.end());
}

TEST_F(ScriptedBean, ARowWriteInAutoCommitRunsInItsOwnTransactionThatAFailedEndUndoes) {
  struct Case {
    const char* name;
    int failAfter;  // setAutoCommit calls that succeed before one fails; -1: none fails
    Calls calls;
  } cases[] = {
      {"committed", -1, {"getAutoCommit", "setAutoCommit(false)", "executeUpdate", "setAutoCommit(true)"}},
      {"failed commit",
       1,
       {"getAutoCommit", "setAutoCommit(false)", "executeUpdate", "setAutoCommit(true)", "rollback",
        "setAutoCommit(true)"}},
  };
  for (const auto& k : cases) {
    auto b = bean();
    b->connect();
    auto statement = b->prepareStatement("update t set a = 1");
    db_->clearCalls();
    if (k.failAfter >= 0) db_->fail("setAutoCommit", "disk full", 1, k.failAfter);
    bool autoCommitted = false;
    try {
      EXPECT_EQ(b->executeRowWrite(statement, "update", autoCommitted), 1) << k.name;
      EXPECT_LT(k.failAfter, 0) << k.name;
    } catch (const SQLException& e) {
      EXPECT_EQ(e.getMessage(), "disk full") << k.name;
    }
    EXPECT_TRUE(autoCommitted) << k.name;
    Calls calls;
    for (const auto& c : db_->calls()) {
      std::string call = c.substr(c.find('.') + 1);
      if (call.rfind("executeUpdate", 0) == 0) call = "executeUpdate";
      calls.push_back(call);
    }
    EXPECT_EQ(calls, k.calls) << k.name;
    EXPECT_TRUE(b->isAutoCommit()) << k.name;
  }
}

TEST_F(ScriptedBean, AFailingBeginLeavesNoLevelAndAutoCommitOn) {
  auto b = bean();
  testkit::ScriptedDatabase::MetaData meta;
  meta.acrossCommit = false;
  db_->setMetaData(meta);
  b->connect();
  auto open = b->createStatement();
  db_->fail("setAutoCommit", "cannot", 1);
  EXPECT_THROW(b->beginTransaction(), SQLException);
  EXPECT_TRUE(open->isClosed());
  EXPECT_EQ(b->poolCounts(), (std::vector<int>{0}));
  db_->clearCalls();
  b->endTransaction(true);
  EXPECT_TRUE(db_->callsWith("commit").empty());
  EXPECT_TRUE(db_->callsWith("rollback").empty());
  EXPECT_TRUE(b->isAutoCommit());
}

TEST_F(ScriptedBean, SavedSettingsRestoreAndRefuseForeignVersions) {
  auto b = bean("pw");
  b->setName("orders");
  b->setMinConnections(2);
  b->connect();
  auto saved = b->save();
  auto restored = JdbcConnection::restore(saved);
  EXPECT_EQ(restored->getName(), "orders");
  EXPECT_EQ(restored->getPassword(), "pw");
  EXPECT_EQ(restored->getMinConnections(), 2);
  EXPECT_EQ(restored->getSQLConnection(), nullptr);
  // Stored while connected, restored with an empty pool: connect opens it.
  restored->connect();
  EXPECT_NE(restored->getSQLConnection(), nullptr);
  EXPECT_EQ(db_->openConnections(), 4);

  auto replaced = [&](const std::string& from, const std::string& to, int occurrence) {
    std::string text(saved.begin(), saved.end());
    std::size_t at = std::string::npos;
    for (int i = 0; i <= occurrence; ++i) at = text.find(from, at == std::string::npos ? 0 : at + 1);
    text.replace(at, from.size(), to);
    return std::vector<std::uint8_t>(text.begin(), text.end());
  };
  struct Case {
    std::vector<std::uint8_t> bytes;
    const char* message;
  } cases[] = {
      {replaced("0.02", "0.03", 0), "Serialized version 0.03is not compatible with Connection version 0.02"},
      {replaced("0.01", "0.09", 0), "Serialized version 0.09is not compatible with JDBCBean version 0.01"},
  };
  for (const auto& k : cases) {
    try {
      JdbcConnection::restore(k.bytes);
      ADD_FAILURE() << k.message;
    } catch (const plat::serial::InvalidObjectException& e) {
      EXPECT_EQ(e.getMessage(), k.message);
    }
  }
  for (std::size_t cut : {std::size_t{0}, std::size_t{3}, saved.size() / 2, saved.size() - 1}) {
    EXPECT_THROW(JdbcConnection::restore(std::vector<std::uint8_t>(saved.begin(), saved.begin() + cut)),
                 plat::serial::StreamCorruptedException)
        << cut;
  }
}

TEST_F(ScriptedBean, AutoStartConnectsOnItsOwnThreadAndAFailureLeavesNothingOpen) {
  for (bool fails : {false, true}) {
    auto b = bean();
    b->setAutoStart(true);
    b->setMinConnections(2);
    auto saved = b->save();
    if (fails) db_->fail("connect", "Network error", 1, 1);
    auto restored = JdbcConnection::restore(saved);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    auto settled = [&] {
      return fails ? db_->callsWith("connect").size() >= 2 && db_->openConnections() == 0
                   : !restored->isConnectionClosed();
    };
    while (!settled() && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_TRUE(settled()) << fails;
    EXPECT_EQ(restored->isConnectionClosed(), fails);
    restored->setConnectionClosed(true);
    db_->clearCalls();
  }
}

TEST_F(ScriptedBean, TraceLinesMaskThePassword) {
  auto b = bean("hunter2");
  b->setDebug(true);
  plat::lang::ConsoleCapture out(plat::lang::ConsoleCapture::Target::kBoth);
  b->connect();
  EXPECT_NE(out.text().find("JdbcConnection."), std::string::npos);
  EXPECT_EQ(out.text().find("hunter2"), std::string::npos) << out.text();
}

TEST_F(ScriptedBean, EqualityComparesSettingsAndTheOuterBundleIsAbsent) {
  auto a = bean();
  auto b = bean();
  EXPECT_TRUE(a->equals(*b));
  b->setPassword("other");
  EXPECT_FALSE(a->equals(*b));
  plat::lang::ConsoleCapture out;
  EXPECT_EQ(a->getResString("anything"), "String Resource Error");
  EXPECT_NE(out.text().find("Exception caught: "), std::string::npos);
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::jdbc
