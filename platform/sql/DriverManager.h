// The process-wide set of registered drivers. getConnection() asks each driver in registration order and answers
// with the first connection made. Thread-safe: the list is copied under a lock and the drivers are called outside
// it, so a slow connect does not hold up other threads.
#pragma once

#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Driver.h"
#include "platform/util/Properties.h"

namespace plat::sql {

class DriverManager {
 public:
  DriverManager() = delete;

  // Adds the driver at the end of the list; a driver registered already (or null) is not added again.
  static void registerDriver(plat::lang::Ref<Driver> driver);
  // Removes the driver; one that is not registered is ignored.
  static void deregisterDriver(const plat::lang::Ref<Driver>& driver);
  // The registered drivers, in registration order.
  static std::vector<plat::lang::Ref<Driver>> getDrivers();

  // The first connection any driver makes for url. When none does, the first SQLException a driver threw is
  // rethrown with its own kind; when none threw, SQLException "No suitable driver" with SQL state "08001".
  static plat::lang::Ref<Connection> getConnection(const std::string& url, const plat::util::Properties& info);
  // With "user" and "password" set in the properties.
  static plat::lang::Ref<Connection> getConnection(const std::string& url, const std::string& user,
                                                   const std::string& password);
  static plat::lang::Ref<Connection> getConnection(const std::string& url);
  // The first driver that accepts url (a driver whose acceptsURL throws counts as not accepting); SQLException
  // "No suitable driver" with SQL state "08001" when none does.
  static plat::lang::Ref<Driver> getDriver(const std::string& url);

  // Seconds a driver may wait while connecting; 0 means no limit. Drivers read it when they connect.
  static void setLoginTimeout(int seconds);
  static int getLoginTimeout();
};

}  // namespace plat::sql
