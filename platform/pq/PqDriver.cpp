#include "platform/pq/PqDriver.h"

#include <mutex>

#include "platform/pq/PqConnection.h"
#include "platform/runvale/ClassRegistry.h"
#include "platform/sql/DriverManager.h"
#include "platform/sql/SQLException.h"

namespace plat::sql::pq {
namespace {

// The connection property socketTimeout: whole seconds, 0 (the default) for no limit.
int socketTimeoutOf(const plat::util::Properties& info) {
  const std::string text = info.getProperty(PqDriver::kSocketTimeoutProperty, "");
  if (text.empty()) return 0;
  if (text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos)
    throw SQLException(
        std::string("Invalid ") + PqDriver::kSocketTimeoutProperty + " \"" + text + "\": whole seconds expected",
        "08001");
  return std::stoi(text);
}

}  // namespace

plat::lang::Ref<Connection> PqDriver::connect(const std::string& url, const plat::util::Properties& info) {
  if (!acceptsURL(url)) return nullptr;
  std::string rest = url.substr(std::string(kUrlPrefix).size());
  std::size_t slash = rest.find('/');
  if (slash == std::string::npos || slash == 0 || slash + 1 == rest.size()) {
    throw SQLException("Malformed PostgreSQL URL, expected jdbc:postgresql://host[:port]/database: " + url, "08001");
  }
  std::string hostPort = rest.substr(0, slash);
  std::string database = rest.substr(slash + 1);
  if (std::size_t query = database.find('?'); query != std::string::npos) database.resize(query);
  std::string host = hostPort;
  std::string port;
  if (std::size_t colon = hostPort.rfind(':'); colon != std::string::npos && hostPort.back() != ']') {
    host = hostPort.substr(0, colon);
    port = hostPort.substr(colon + 1);
    if (port.empty() || port.find_first_not_of("0123456789") != std::string::npos) {
      throw SQLException("Invalid port number in URL: " + url, "08001");
    }
  }
  if (host.size() > 2 && host.front() == '[' && host.back() == ']') host = host.substr(1, host.size() - 2);
  return plat::lang::makeRef<PqConnection>(url, host, port, database, info.getProperty("user", ""),
                                           info.getProperty("password", ""), DriverManager::getLoginTimeout(),
                                           socketTimeoutOf(info));
}

bool PqDriver::acceptsURL(const std::string& url) {
  return url.rfind(kUrlPrefix, 0) == 0;
}

std::vector<DriverPropertyInfo> PqDriver::getPropertyInfo(const std::string&, const plat::util::Properties& info) {
  std::vector<DriverPropertyInfo> out;
  for (const char* name : {"user", "password"}) {
    DriverPropertyInfo property;
    property.name = name;
    property.value = info.getProperty(name);
    property.required = true;
    out.push_back(property);
  }
  return out;
}

void registerPqDriver() {
  static std::mutex mutex;
  static plat::lang::Ref<Driver> driver;  // the one registered instance; lives until the process ends
  std::lock_guard lock(mutex);
  for (const auto& registered : DriverManager::getDrivers()) {
    if (registered == driver) return;
  }
  if (driver == nullptr) driver = plat::lang::makeRef<PqDriver>();
  DriverManager::registerDriver(driver);
}

void registerPqDriverClass(plat::runvale::ClassRegistry& registry) {
  plat::runvale::ClassInfo info;
  info.name = PqDriver::kClassName;
  info.factory = [] { return plat::lang::Ref<plat::lang::Object>(plat::lang::makeRef<PqDriver>()); };
  info.interfaces = {"java.sql.Driver"};
  registry.registerClass(std::move(info));
}

}  // namespace plat::sql::pq
