// The PostgreSQL driver at its limits: a statement past its query time-out is cancelled with state 57014 and the
// connection goes on; a backend that stops answering is given up after the socket time-out with a connection-class
// error; a million rows are read in bounded memory while the connection's other statements behave as usual.
#if __has_include(<libpq-fe.h>)
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <future>
#include <string>
#include <thread>

#include "platform/pq/PqDriver.h"
#include "platform/pq/PqSession.h"
#include "platform/sql/DriverManager.h"
#include "platform/sql/PreparedStatement.h"
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

#if defined(__SANITIZE_ADDRESS__)
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

// The process's resident memory; under AddressSanitizer, whose quarantine keeps freed blocks resident, the bytes
// the heap holds live instead.
long residentBytes() {
#if defined(__SANITIZE_ADDRESS__)
  return static_cast<long>(__sanitizer_get_current_allocated_bytes());
#else
  long pages = 0;
  long resident = 0;
  if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
  }
  return resident * sysconf(_SC_PAGESIZE);
#endif
}

TEST_F(PqLimitsTest, AMillionRowsAreReadInBoundedMemory) {
  constexpr int kRows = 1000000;
  auto connection = connect();
  auto statement =
      connection->prepareStatement("select i, repeat('x', 40) || i, i * 0.25 from generate_series(1, ?) i order by i");
  statement->setInt(1, kRows);
  const long before = residentBytes();
  long peak = 0;
  auto rs = statement->executeQuery();
  std::int64_t sum = 0;
  int rows = 0;
  while (rs->next()) {
    sum += rs->getInt(1);
    if (rs->getString(2).size() < 41) ADD_FAILURE() << "row " << rows;
    if ((++rows & 8191) == 0) peak = std::max(peak, residentBytes() - before);
  }
  EXPECT_EQ(rows, kRows);
  EXPECT_EQ(sum, std::int64_t{kRows} * (kRows + 1) / 2);
  EXPECT_LT(peak, 64L << 20) << "resident memory grew by " << (peak >> 20) << " MB";
  rs->close();
  // No cursor is left open but the one reading this count.
  EXPECT_EQ(
      scalar(connection, "select count(*) from pg_cursors where name <> '' and statement not like '%pg_cursors%'"), 0);
}

// Rows past the first batch while other statements run: in auto-commit they commit at once, in a transaction they
// share it, and a commit or a failure later in the rows is seen where it happens.
TEST_F(PqLimitsTest, OtherStatementsBehaveWhileABatchedResultIsOpen) {
  constexpr int kRows = 2 * PqSession::kBatchRows + 10;
  auto connection = connect();
  auto observer = connect();
  connection->createStatement()->executeUpdate("create table seen (n int)");
  const std::string query = "select i from generate_series(1, " + std::to_string(kRows) + ") i";
  for (bool autoCommit : {true, false}) {
    SCOPED_TRACE(autoCommit ? "auto-commit" : "transaction");
    connection->setAutoCommit(autoCommit);
    auto reader = connection->createStatement();
    auto rs = reader->executeQuery(query);
    int rows = 0;
    while (rows < 10 && rs->next()) ++rows;
    connection->createStatement()->executeUpdate("insert into seen values (1)");
    EXPECT_EQ(scalar(observer, "select count(*) from seen"), autoCommit ? 1 : 0);
    if (!autoCommit) connection->commit();
    EXPECT_EQ(scalar(observer, "select count(*) from seen"), 1);
    while (rs->next()) ++rows;
    EXPECT_EQ(rows, kRows);
    connection->createStatement()->executeUpdate("delete from seen");
    if (!autoCommit) connection->commit();
  }
  connection->setAutoCommit(true);
  // A failure in a later batch ends the reading with the server's error, not with fewer rows.
  const std::string failing = "select 1 / (" + std::to_string(PqSession::kBatchRows + 100) +
                              " - i) from generate_series(1, " + std::to_string(kRows) + ") i";
  auto rs = connection->createStatement()->executeQuery(failing);
  std::string state;
  try {
    while (rs->next()) {
    }
  } catch (const SQLException& e) {
    state = e.getSQLState();
  }
  EXPECT_EQ(state, "22012");
  EXPECT_EQ(scalar(connection, "select 4"), 4);
}

}  // namespace
}  // namespace plat::sql::pq
#endif
