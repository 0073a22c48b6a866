// Dates and times through the PostgreSQL driver with the process in America/New_York and the test server in
// another zone: the session runs in the process's zone, a timestamptz is read by its offset, TIME keeps its
// fraction and a BC date stays BC both ways.
#if __has_include(<libpq-fe.h>)
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "platform/pq/PqDriver.h"
#include "platform/sql/DriverManager.h"
#include "platform/sql/PreparedStatement.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/Statement.h"
#include "platform/time/Date.h"
#include "platform/time/Time.h"
#include "platform/time/Timestamp.h"
#include "testkit/postgres/PostgresServer.h"

namespace plat::sql::pq {
namespace {

using plat::lang::Ref;
using plat::time::Date;
using plat::time::Time;
using plat::time::Timestamp;
using testkit::PostgresServer;

class PqTimesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* tz = std::getenv("TZ")) savedZone_ = tz;
    std::string whyNot;
    server_ = PostgresServer::shared(whyNot);
    if (server_ == nullptr) FAIL() << whyNot;
    setenv("TZ", "America/New_York", 1);
    tzset();
    registerPqDriver();
    database_ = server_->createDatabase();
    connection_ =
        DriverManager::getConnection(server_->url(database_), PostgresServer::kUser, PostgresServer::kPassword);
  }
  void TearDown() override {
    if (connection_) connection_->close();
    if (savedZone_) {
      setenv("TZ", savedZone_->c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }

  Ref<ResultSet> row(const std::string& sql) {
    auto rs = connection_->createStatement()->executeQuery(sql);
    EXPECT_TRUE(rs->next()) << sql;
    return rs;
  }

  PostgresServer* server_ = nullptr;
  std::string database_;
  Ref<Connection> connection_;
  std::optional<std::string> savedZone_;
};

TEST_F(PqTimesTest, TheSessionRunsInTheProcessZoneAndOffsetsAreKept) {
  EXPECT_EQ(row("show TimeZone")->getString(1), "America/New_York");
  // The server's clock read as the process's local time (the fault was five hours off).
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const Timestamp clock(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                        local.tm_sec);
  const auto serverNow = row("select now()")->getTimestamp(1);
  EXPECT_LT(std::llabs(serverNow.toEpochSecond() - clock.toEpochSecond()), 600) << serverNow.toString();

  // A local timestamp is stored as the local instant: 12:00 EDT is 16:00 UTC.
  connection_->createStatement()->executeUpdate("create table stamps (t timestamptz)");
  auto insert = connection_->prepareStatement("insert into stamps values (?)");
  insert->setTimestamp(1, Timestamp(2024, 6, 1, 12, 0, 0));
  insert->executeUpdate();
  EXPECT_EQ(row("select extract(epoch from t)::bigint from stamps")->getLong(1), 1717257600);

  // The two instants of Europe's autumn clock change are two instants, here in New York's time.
  auto rs = row("select '2024-10-27 02:30:00+02'::timestamptz, '2024-10-27 02:30:00.25+01'::timestamptz");
  EXPECT_EQ(rs->getTimestamp(1), Timestamp(2024, 10, 26, 20, 30, 0));
  EXPECT_EQ(rs->getTimestamp(2), Timestamp(2024, 10, 26, 21, 30, 0, 250000000));
  EXPECT_EQ(rs->getDate(1), Date(2024, 10, 26));
  EXPECT_EQ(rs->getTime(2).toString(), "21:30:00.25");
}

TEST_F(PqTimesTest, FractionsOfTimeAndBcDatesRoundTrip) {
  connection_->createStatement()->executeUpdate("create table moments (t time, d date, s timestamp)");
  auto insert = connection_->prepareStatement("insert into moments values (?, ?, ?)");
  insert->setTime(1, Time(10, 0, 0).withNanos(750000000));
  insert->setDate(2, Date(-43, 3, 15));
  insert->setTimestamp(3, Timestamp(-43, 3, 15, 12, 0, 0));
  insert->executeUpdate();
  auto text = row("select t::text, d::text, s::text from moments");
  EXPECT_EQ(text->getString(1), "10:00:00.75");
  EXPECT_EQ(text->getString(2), "0044-03-15 BC");
  EXPECT_EQ(text->getString(3), "0044-03-15 12:00:00 BC");
  auto values = row("select t, d, s, '00:00:01.5'::timetz from moments");
  EXPECT_EQ(values->getTime(1), Time(10, 0, 0).withNanos(750000000));
  EXPECT_EQ(values->getDate(2), Date(-43, 3, 15));
  EXPECT_EQ(values->getTimestamp(3), Timestamp(-43, 3, 15, 12, 0, 0));
  EXPECT_EQ(values->getTime(4).getNanos(), 500000000);
}

}  // namespace
}  // namespace plat::sql::pq
#endif
