#include "quenlora/zafoli/db/jdbc/Driver.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>

#include "platform/io/IOException.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/Integer.h"
#include "platform/sql/DriverManager.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/jdbc/Connection.h"
#include "quenlora/zafoli/db/net/Reply.h"
#include "quenlora/zafoli/db/net/ClientSession.h"
#include "quenlora/zafoli/db/net/NetException.h"
#include "quenlora/zafoli/db/net/RemoteObject.h"
#include "quenlora/zafoli/db/net/TextParam.h"

namespace quenlora::zafoli::db::jdbc {

namespace {

constexpr const char* kProtocol = "jdbc";
constexpr const char* kSubprotocol = "orvo";
constexpr const char* kBadProtocol = "Unrecognized protocol.";
constexpr const char* kBadSubprotocol = "Unrecognized subprotocol.";
constexpr const char* kBadSyntax = "Invalid URL syntax.";
constexpr const char* kNear = "Invalid subname syntax near ";
// The subname's first two characters (normally "//") come before the host and are not checked.
constexpr std::size_t kHostLead = 2;

[[noreturn]] void badSubname(const char* part) {
  throw plat::sql::SQLException(std::string(kNear) + part);
}

// The next name of the subname from pos up to one of the stop characters (or the end); pos moves to the stop.
std::string take(const std::string& text, std::size_t& pos, const char* stops) {
  std::size_t end = text.find_first_of(stops, pos);
  if (end == std::string::npos) end = text.size();
  std::string part = text.substr(pos, end - pos);
  pos = end;
  return part;
}

// The driver manager's login time-out for the socket connect; 0 (none) when unset or negative.
int loginTimeoutMs() {
  const std::int64_t seconds = std::max(0, plat::sql::DriverManager::getLoginTimeout());
  return static_cast<int>(std::min<std::int64_t>(seconds * 1000, std::numeric_limits<int>::max()));
}

bool isForeign(const std::string& message) {
  return message == kBadProtocol || message == kBadSubprotocol;
}

}  // namespace

plat::util::Properties Driver::parseURL(const std::string& url) {
  std::size_t colon = url.find(':');
  if (url.substr(0, colon) != kProtocol) throw plat::sql::SQLException(kBadProtocol);
  std::size_t subStart = colon + 1;
  std::size_t subEnd = url.find(':', subStart);
  if (url.substr(subStart, subEnd == std::string::npos ? std::string::npos : subEnd - subStart) != kSubprotocol) {
    throw plat::sql::SQLException(kBadSubprotocol);
  }
  std::size_t slash = url.find('/', subEnd);
  if (subEnd == std::string::npos || slash == std::string::npos) throw plat::sql::SQLException(kBadSyntax);
  return parseSubname(url.substr(slash));
}

plat::util::Properties Driver::parseSubname(const std::string& subname) {
  std::size_t pos = 0;
  std::string host = take(subname, pos, ":");
  if (host.size() <= kHostLead) badSubname("<host>");
  if (pos >= subname.size()) badSubname("<port>");
  ++pos;
  std::string port = take(subname, pos, ":/");
  if (port.empty()) badSubname("<port>");
  if (pos >= subname.size()) badSubname("<engine>");
  ++pos;
  std::string engine = take(subname, pos, "/");
  if (engine.empty()) badSubname("<engine>");

  std::string server;
  std::string database;
  if (pos < subname.size()) {
    ++pos;
    server = take(subname, pos, "/");
    if (server.empty()) badSubname("<server>");
    database = server;
    if (pos < subname.size()) {
      ++pos;
      database = take(subname, pos, "/");
      if (database.empty()) badSubname("<database>");
      // Further names are ignored.
    }
  }

  plat::util::Properties parts;
  parts.setProperty("host", host.substr(kHostLead));
  parts.setProperty("port", port);
  parts.setProperty("engine", engine);
  parts.setProperty("server", server);
  parts.setProperty("database", database);
  return parts;
}

bool Driver::acceptsURL(const std::string& url) {
  try {
    parseURL(url);
    return true;
  } catch (const plat::sql::SQLException& e) {
    // Several drivers share one manager: a URL of another driver is simply not ours.
    if (isForeign(e.getMessage())) return false;
    throw;
  }
}

std::vector<plat::sql::DriverPropertyInfo> Driver::getPropertyInfo(const std::string& /*url*/,
                                                                   const plat::util::Properties& /*info*/) {
  plat::sql::DriverPropertyInfo user;
  user.name = "user";
  user.required = true;
  plat::sql::DriverPropertyInfo password;
  password.name = "password";
  password.required = true;
  return {user, password};
}

plat::lang::Ref<plat::sql::Connection> Driver::connect(const std::string& url, const plat::util::Properties& info) {
  const plat::util::Properties parts = parseURL(url);
  const std::vector<std::string> texts = {parts.getProperty("engine", ""), parts.getProperty("server", ""),
                                          parts.getProperty("database", ""), info.getProperty("user", ""),
                                          info.getProperty("password", "")};
  net::RemoteObject::Args args;
  for (const auto& text : texts) args.push_back(plat::lang::makeRef<net::TextParam>(0, text));

  plat::lang::Ref<net::ClientSession> session;
  try {
    const std::string portText = parts.getProperty("port", "");
    const int port = portText.empty() ? 0 : plat::lang::Integer::parseInt(portText);
    const int readMs = net::ClientSession::socketTimeoutMs(info);
    // The login time-out bounds the connect and every wait of the logon; the read time-out takes over after it.
    net::SocketTimeouts timeouts;
    timeouts.connectMs = loginTimeoutMs();
    timeouts.readMs = timeouts.connectMs > 0 ? timeouts.connectMs : readMs;
    session = plat::lang::makeRef<net::ClientSession>(parts.getProperty("host", ""), port, "", true, timeouts);

    std::int32_t connectionID = 0;
    {
      net::RemoteObject driver(SERVER_CLASS, 0, *session);
      const std::int32_t driverID = driver.invokeConstructor(kConstructorSelector, args);
      driver.setObject(SERVER_CLASS, driverID);
      connectionID = net::Reply(driver.invokeMethod(METHOD_connect, args)).getInt(0);
    }
    if (timeouts.readMs != readMs) session->setReadTimeout(readMs);
    return plat::lang::makeRef<Connection>(connectionID, session, url);
  } catch (const plat::sql::SQLException&) {
    // The server's own kinds (a failed database logon among them) keep their type.
    if (session) session->close();
    throw;
  } catch (const plat::lang::Exception& e) {
    if (session) session->close();
    throw plat::sql::SQLException(e.getMessage());
  }
}

void registerDriver() {
  static const plat::lang::Ref<plat::sql::Driver> driver = plat::lang::makeRef<Driver>();
  plat::sql::DriverManager::registerDriver(driver);
}

}  // namespace quenlora::zafoli::db::jdbc
