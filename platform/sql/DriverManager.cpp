#include "platform/sql/DriverManager.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>

#include "platform/sql/SQLException.h"

namespace plat::sql {

namespace {

constexpr const char* kNoSuitableDriver = "No suitable driver";
constexpr const char* kNoSuitableDriverState = "08001";

struct Registry {
  std::mutex mutex;
  std::vector<plat::lang::Ref<Driver>> drivers;  // guarded by mutex; registration order
  std::atomic<int> loginTimeout{0};
};

Registry& registry() {
  static Registry* instance = new Registry();  // never destroyed: drivers outlive static destruction
  return *instance;
}

}  // namespace

void DriverManager::registerDriver(plat::lang::Ref<Driver> driver) {
  if (!driver) return;
  auto& r = registry();
  std::lock_guard lock(r.mutex);
  if (std::find(r.drivers.begin(), r.drivers.end(), driver) == r.drivers.end()) r.drivers.push_back(std::move(driver));
}

void DriverManager::deregisterDriver(const plat::lang::Ref<Driver>& driver) {
  auto& r = registry();
  std::lock_guard lock(r.mutex);
  r.drivers.erase(std::remove(r.drivers.begin(), r.drivers.end(), driver), r.drivers.end());
}

std::vector<plat::lang::Ref<Driver>> DriverManager::getDrivers() {
  auto& r = registry();
  std::lock_guard lock(r.mutex);
  return r.drivers;
}

plat::lang::Ref<Connection> DriverManager::getConnection(const std::string& url, const plat::util::Properties& info) {
  std::shared_ptr<plat::lang::Throwable> firstFailure;
  for (const auto& driver : getDrivers()) {
    try {
      if (auto connection = driver->connect(url, info)) return connection;
    } catch (const SQLException& failure) {
      if (!firstFailure) firstFailure = failure.clone();
    }
  }
  if (firstFailure) firstFailure->raise();
  throw SQLException(kNoSuitableDriver, kNoSuitableDriverState);
}

plat::lang::Ref<Connection> DriverManager::getConnection(const std::string& url, const std::string& user,
                                                         const std::string& password) {
  plat::util::Properties info;
  info.setProperty("user", user);
  info.setProperty("password", password);
  return getConnection(url, info);
}

plat::lang::Ref<Connection> DriverManager::getConnection(const std::string& url) {
  return getConnection(url, plat::util::Properties());
}

plat::lang::Ref<Driver> DriverManager::getDriver(const std::string& url) {
  for (const auto& driver : getDrivers()) {
    try {
      if (driver->acceptsURL(url)) return driver;
    } catch (const SQLException&) {
      // A driver that cannot judge the URL is not the one for it.
    }
  }
  throw SQLException(kNoSuitableDriver, kNoSuitableDriverState);
}

void DriverManager::setLoginTimeout(int seconds) {
  registry().loginTimeout = seconds;
}

int DriverManager::getLoginTimeout() {
  return registry().loginTimeout;
}

}  // namespace plat::sql
