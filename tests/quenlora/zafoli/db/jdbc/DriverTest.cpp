// The driver: URL parsing, registration, property info, the connect handshake on the wire and its failures.
#include <gtest/gtest.h>

#include "JdbcTestSupport.h"
#include "platform/runvale/ClassRegistry.h"
#include "platform/sql/DriverManager.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/jdbc/Driver.h"
#include "quenlora/zafoli/db/net/SQLConnectionException.h"
#include "testkit/middleware/sql/SqlMiddlewareServer.h"

namespace {

using jdbctest::Arg;
using jdbctest::ScriptedServer;
using jdbctest::SqlEncode;
using quenlora::zafoli::db::jdbc::Driver;

struct UrlCase {
  std::string url;
  std::string host, port, engine, server, database;
};

TEST(DriverUrl, PartsOfWellFormedUrls) {
  const std::vector<UrlCase> cases = {
      {"jdbc:orvo://db1:6000/sales", "db1", "6000", "sales", "", ""},
      {"jdbc:orvo://db1:6000/sales/srv", "db1", "6000", "sales", "srv", "srv"},
      {"jdbc:orvo://db1:6000/sales/srv/acct", "db1", "6000", "sales", "srv", "acct"},
      {"jdbc:orvo://db1:6000/sales/srv/acct/more/names", "db1", "6000", "sales", "srv", "acct"},
      // The two characters before the host are skipped unchecked.
      {"jdbc:orvo:/xh:1/e", "h", "1", "e", "", ""},
      {"jdbc:orvo://127.0.0.1:7/e", "127.0.0.1", "7", "e", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.url);
    const auto p = Driver::parseURL(c.url);
    EXPECT_EQ(p.getProperty("host", "?"), c.host);
    EXPECT_EQ(p.getProperty("port", "?"), c.port);
    EXPECT_EQ(p.getProperty("engine", "?"), c.engine);
    EXPECT_EQ(p.getProperty("server", "?"), c.server);
    EXPECT_EQ(p.getProperty("database", "?"), c.database);
  }
}

TEST(DriverUrl, MalformedUrlsGiveTheirMessages) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"odbc:orvo://db1:6000/sales", "Unrecognized protocol."},
      {"jdbc:other://x:1/e", "Unrecognized subprotocol."},
      {"jdbc:ORVO://x:1/e", "Unrecognized subprotocol."},
      {"jdbc:orvo:nothing", "Invalid URL syntax."},
      {"jdbc:orvo", "Invalid URL syntax."},
      {"jdbc:orvo://db1", "Invalid subname syntax near <port>"},
      {"jdbc:orvo://db1:/e", "Invalid subname syntax near <port>"},
      {"jdbc:orvo://:6000/e", "Invalid subname syntax near <host>"},
      {"jdbc:orvo:/:6000/e", "Invalid subname syntax near <host>"},
      {"jdbc:orvo://db1:6000", "Invalid subname syntax near <engine>"},
      {"jdbc:orvo://db1:6000/", "Invalid subname syntax near <engine>"},
      {"jdbc:orvo://db1:6000/sales/", "Invalid subname syntax near <server>"},
      {"jdbc:orvo://db1:6000/sales/srv/", "Invalid subname syntax near <database>"},
  };
  for (const auto& [url, message] : cases) {
    SCOPED_TRACE(url);
    try {
      Driver::parseURL(url);
      ADD_FAILURE() << "parsed";
    } catch (const plat::sql::SQLException& e) {
      EXPECT_EQ(e.getMessage(), message);
    }
  }
}

TEST(DriverUrl, ForeignUrlIsNotAcceptedButConnectKeepsTheMessage) {
  Driver driver;
  EXPECT_FALSE(driver.acceptsURL("jdbc:other://x:1/e"));
  EXPECT_FALSE(driver.acceptsURL("jdbc:sqlite::memory:"));
  EXPECT_TRUE(driver.acceptsURL("jdbc:orvo://db1:6000/sales"));
  try {
    driver.acceptsURL("jdbc:orvo://db1");
    ADD_FAILURE();
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "Invalid subname syntax near <port>");
  }
  try {
    driver.connect("jdbc:other://x:1/e", plat::util::Properties());
    ADD_FAILURE();
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "Unrecognized subprotocol.");
  }
}

TEST(DriverInfo, VersionPropertiesAndRegistration) {
  Driver driver;
  EXPECT_EQ(driver.getMajorVersion(), 1);
  EXPECT_EQ(driver.getMinorVersion(), 21);
  EXPECT_TRUE(driver.jdbcCompliant());
  const auto info = driver.getPropertyInfo("jdbc:orvo://h:1/e", plat::util::Properties());
  ASSERT_EQ(info.size(), 2u);
  EXPECT_EQ(info[0].name, "user");
  EXPECT_EQ(info[1].name, "password");
  for (const auto& i : info) {
    EXPECT_TRUE(i.required);
    EXPECT_FALSE(i.value.has_value());
  }

  // Loading the module registers the driver by class name and with the driver manager.
  plat::runvale::jpeLoadModule("Drivella");
  auto& registry = plat::runvale::ClassRegistry::instance();
  ASSERT_TRUE(registry.isRegistered("quenlora.zafoli.db.jdbc.Driver"));
  EXPECT_NE(plat::lang::refCast<Driver>(registry.newInstance("quenlora.zafoli.db.jdbc.Driver")), nullptr);
  EXPECT_TRUE(registry.isAssignableTo("quenlora.zafoli.db.jdbc.ResultSet", "java.sql.ResultSet"));
  EXPECT_TRUE(registry.isAssignableTo("quenlora.zafoli.db.jdbc.CallableStatement", "java.sql.PreparedStatement"));
  auto found = plat::sql::DriverManager::getDriver("jdbc:orvo://db1:6000/sales");
  EXPECT_NE(plat::lang::refCast<Driver>(found), nullptr);
  EXPECT_EQ(found->getClassName(), "quenlora.zafoli.db.jdbc.Driver");
}

TEST(DriverConnect, HandshakeSendsFiveTextsToConstructorAndConnect) {
  ScriptedServer s;
  Driver driver;
  plat::util::Properties info;
  info.setProperty("user", "ann");
  info.setProperty("password", "pw");
  const std::string url =
      "jdbc:orvo://" + s.server().address() + ":" + std::to_string(s.server().port()) + "/eng/srv/db";
  auto conn = driver.connect(url, info);
  ASSERT_NE(conn, nullptr);

  const auto requests = s.server().requests();
  std::vector<std::string> commands;
  for (const auto& r : requests) commands.push_back(r.request.command);
  ASSERT_GE(commands.size(), 3u);
  EXPECT_EQ(commands[0].rfind("session,connect", 0), 0u) << commands[0];
  EXPECT_EQ(commands[1], "proxy,new,TRIVODriver,1");
  const auto newArgs = requests[1].request.args;
  ASSERT_EQ(newArgs.size(), 5u);
  const std::vector<std::string> expected = {"eng", "srv", "db", "ann", "pw"};
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(newArgs[i].kind, 58);
    EXPECT_EQ(newArgs[i].id, 0);
    EXPECT_EQ(newArgs[i].text, expected[i]);
  }
  // Method 0 on the object the constructor made, with the same five texts.
  const auto& words = requests[2].request.words;
  ASSERT_EQ(words.size(), 4u);
  EXPECT_EQ(words[1], "invoke");
  EXPECT_NE(words[2], "0");
  EXPECT_EQ(words[3], "0");
  ASSERT_EQ(requests[2].request.args.size(), 5u);
  EXPECT_EQ(requests[2].request.args[3].text, "ann");

  // The connection talks to the id the server returned.
  s.connection().on(18, {SqlEncode::boolean(true)});
  EXPECT_TRUE(conn->getAutoCommit());
  EXPECT_EQ(s.methods(s.connectionId()), std::vector<int>{18});
}

TEST(DriverConnect, MissingPropertiesSendEmptyTexts) {
  ScriptedServer s;
  auto conn = s.connect();
  const auto requests = s.server().requests();
  ASSERT_GE(requests.size(), 2u);
  EXPECT_EQ(requests[1].request.args[1].text, "");
  EXPECT_EQ(requests[1].request.args[3].text, "");
  EXPECT_EQ(requests[1].request.args[4].text, "");
}

TEST(DriverConnect, PortThatIsNoNumberFailsWithoutOpeningASession) {
  ScriptedServer s;
  Driver driver;
  try {
    driver.connect("jdbc:orvo://127.0.0.1:http/e", plat::util::Properties());
    ADD_FAILURE();
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "For input string: \"http\"");
  }
  EXPECT_EQ(s.server().connectionCount(), 0u);
}

TEST(DriverConnect, ServerFailureClosesTheSessionAndKeepsTheServersText) {
  ScriptedServer s;
  s.server().registerClass("TRIVODriver", [](const std::string&, const std::vector<Arg>&) {
    auto driver = std::make_shared<jdbctest::ScriptedObject>();
    driver->on(0, [](const std::vector<Arg>&) -> std::vector<jdbctest::Encoded> {
      throw testkit::middleware::ServerFailure(77, 15, "no such engine");
    });
    return driver;
  });
  try {
    s.connect();
    ADD_FAILURE();
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "no such engine");
  }
  // The session said goodbye: the server saw the disconnect after the failed call.
  ASSERT_TRUE(s.server().waitForRequests(4, 5000));
  const auto commands = s.server().commands();
  EXPECT_EQ(commands.back().rfind("session,disconnect", 0), 0u) << commands.back();
}

TEST(DriverConnect, ConnectReplyWithoutAnIdIsAnSQLExceptionAndClosesTheSession) {
  ScriptedServer s;
  s.server().registerClass("TRIVODriver", [](const std::string&, const std::vector<Arg>&) {
    return std::make_shared<jdbctest::ScriptedObject>();  // method 0 answers an empty list
  });
  try {
    s.connect();
    ADD_FAILURE();
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "End of data");
  }
  ASSERT_TRUE(s.server().waitForRequests(4, 5000));
  EXPECT_EQ(s.server().commands().back().rfind("session,disconnect", 0), 0u);
}

TEST(DriverConnect, WrongPasswordIsTheServersConnectionFailure) {
  testkit::middleware::sql::SqlMiddlewareServer::Options options;
  options.checkLogin = true;
  options.user = "u";
  options.password = "right";
  testkit::middleware::sql::SqlMiddlewareServer server(options);
  Driver driver;
  plat::util::Properties info;
  info.setProperty("user", "u");
  info.setProperty("password", "wrong");
  EXPECT_THROW(driver.connect(server.driverUrl(), info), quenlora::zafoli::db::net::SQLConnectionException);
  info.setProperty("password", "right");
  EXPECT_NE(driver.connect(server.driverUrl(), info), nullptr);
}

TEST(DriverConnect, NothingListeningIsAnSQLException) {
  std::string url;
  {
    ScriptedServer s;
    url = s.url();
  }
  Driver driver;
  EXPECT_THROW(driver.connect(url, plat::util::Properties()), plat::sql::SQLException);
}

}  // namespace
