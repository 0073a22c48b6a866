#include "platform/sqlite/SqliteDriver.h"

#include "platform/runvale/ClassRegistry.h"

#include <cstdint>
#include <exception>
#include <string>

#include "platform/sql/DriverManager.h"
#include "platform/sql/SQLException.h"
#include "platform/sqlite/SqliteConnection.h"

namespace plat::sql::sqlite {
namespace {

int busyTimeoutOf(const plat::util::Properties& info) {
  const std::string text = info.getProperty(SqliteDriver::kBusyTimeoutProperty, "");
  if (text.empty()) return SqliteDatabase::kDefaultBusyTimeoutMs;
  std::size_t used = 0;
  long ms = -1;
  try {
    ms = std::stol(text, &used);
  } catch (const std::exception&) {
  }
  if (used != text.size() || ms < 0 || ms > INT32_MAX)
    throw SQLException(
        std::string("Invalid ") + SqliteDriver::kBusyTimeoutProperty + " \"" + text + "\": milliseconds expected",
        "08001");
  return static_cast<int>(ms);
}

}  // namespace

bool SqliteDriver::acceptsURL(const std::string& url) {
  return url.rfind(kUrlPrefix, 0) == 0;
}

plat::lang::Ref<Connection> SqliteDriver::connect(const std::string& url, const plat::util::Properties& info) {
  if (!acceptsURL(url)) return nullptr;
  std::string path = url.substr(std::char_traits<char>::length(kUrlPrefix));
  if (path.empty()) throw SQLException("No database file in URL: " + url, "08001");
  const auto threading = info.getProperty(kThreadingProperty, "") == kOneAtATime
                             ? SqliteDatabase::Threading::OneAtATime
                             : SqliteDatabase::Threading::Serialized;
  return plat::lang::makeRef<SqliteConnection>(url, path, threading, busyTimeoutOf(info));
}

std::vector<DriverPropertyInfo> SqliteDriver::getPropertyInfo(const std::string& /*url*/,
                                                              const plat::util::Properties& /*info*/) {
  return {};
}

void registerSqliteDriver() {
  // One driver for the process; the manager ignores a driver it holds already.
  static const plat::lang::Ref<Driver> driver = plat::lang::makeRef<SqliteDriver>();
  DriverManager::registerDriver(driver);
}

void registerSqliteDriverClass(plat::runvale::ClassRegistry& registry) {
  plat::runvale::ClassInfo info;
  info.name = SqliteDriver::kClassName;
  info.factory = [] { return plat::lang::Ref<plat::lang::Object>(plat::lang::makeRef<SqliteDriver>()); };
  info.interfaces = {"java.sql.Driver"};
  registry.registerClass(std::move(info));
}

}  // namespace plat::sql::sqlite
