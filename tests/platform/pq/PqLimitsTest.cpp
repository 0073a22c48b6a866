// The PostgreSQL driver where the server is slow or silent: a statement past its query time-out is cancelled with
// state 57014 and the connection goes on; a backend that stops answering is given up after the socket time-out
// with a connection-class error.
#if __has_include(<libpq-fe.h>)
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <future>
#include <string>
#include <thread>

#include "platform/pq/PqDriver.h"
#include "platform/sql/DriverManager.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/Statement.h"
#include "platform/util/Properties.h"
#include "testkit/postgres/PostgresServer.h"

namespace plat::sql::pq {
namespace {

using plat::lang::Ref;
using testkit::PostgresServer;

class PqLimitsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string whyNot;
    server_ = PostgresServer::shared(whyNot);
    if (server_ == nullptr) FAIL() << whyNot;
    registerPqDriver();
    database_ = server_->createDatabase();
  }

  Ref<Connection> connect(const std::string& socketTimeout = "") {
    plat::util::Properties info;
    info.setProperty("user", PostgresServer::kUser);
    info.setProperty("password", PostgresServer::kPassword);
    if (!socketTimeout.empty()) info.setProperty(PqDriver::kSocketTimeoutProperty, socketTimeout);
    return DriverManager::getConnection(server_->url(database_), info);
  }

  static int scalar(const Ref<Connection>& connection, const std::string& sql) {
    auto rs = connection->createStatement()->executeQuery(sql);
    EXPECT_TRUE(rs->next());
    return rs->getInt(1);
  }

  PostgresServer* server_ = nullptr;
  std::string database_;
};

TEST_F(PqLimitsTest, QueryTimeOutCancelsTheStatementAndTheConnectionGoesOn) {
  auto connection = connect("60");
  for (bool autoCommit : {true, false}) {
    SCOPED_TRACE(autoCommit ? "auto-commit" : "transaction");
    connection->setAutoCommit(autoCommit);
    auto statement = connection->createStatement();
    statement->setQueryTimeout(1);
    std::string state;
    try {
      statement->executeQuery("select pg_sleep(30)");
    } catch (const SQLException& e) {
      state = e.getSQLState();
    }
    EXPECT_EQ(state, "57014");
    if (!autoCommit) connection->rollback();
    EXPECT_EQ(scalar(connection, "select 5"), 5);
    statement->setQueryTimeout(5);
    EXPECT_EQ(scalar(connection, "select 6"), 6);
  }
  connection->close();
}

// Thaws the backend once the test is done, or after 20 s should the driver wait for ever, so nothing hangs.
class Thaw {
 public:
  explicit Thaw(int pid)
      : pid_(pid), watchdog_([this, done = done_.get_future()] {
          done.wait_for(std::chrono::seconds(20));
          kill(pid_, SIGCONT);
        }) {}
  ~Thaw() {
    done_.set_value();
    watchdog_.join();
  }

 private:
  int pid_;
  std::promise<void> done_;
  std::thread watchdog_;
};

TEST_F(PqLimitsTest, FrozenBackendIsGivenUpAfterTheSocketTimeOut) {
  auto connection = connect("1");
  const int backend = scalar(connection, "select pg_backend_pid()");
  ASSERT_GT(backend, 0);
  ASSERT_EQ(kill(backend, SIGSTOP), 0);
  Thaw thaw(backend);
  std::string state;
  try {
    connection->createStatement()->executeQuery("select 1");
  } catch (const SQLException& e) {
    state = e.getSQLState();
  }
  EXPECT_EQ(state.substr(0, 2), "08") << state;
  EXPECT_TRUE(connection->isClosed());
  EXPECT_THROW(connect("soon"), SQLException);
  EXPECT_EQ(scalar(connect("0"), "select 3"), 3);
}

}  // namespace
}  // namespace plat::sql::pq
#endif
