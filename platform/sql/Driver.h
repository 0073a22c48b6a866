// A database driver: makes connections for the URLs it accepts. Drivers register with the DriverManager; any
// thread may call a driver, so a driver keeps no unguarded state.
#pragma once

#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/sql/DriverPropertyInfo.h"
#include "platform/util/Properties.h"

namespace plat::sql {

class Connection;

class Driver : public plat::lang::Object {
 public:
  Driver() = default;
  Driver(const Driver&) = delete;
  Driver& operator=(const Driver&) = delete;
  ~Driver() override;

  // A new connection to url, or null when the URL is not one of this driver's; SQLException when the connection
  // cannot be made.
  virtual plat::lang::Ref<Connection> connect(const std::string& url, const plat::util::Properties& info) = 0;
  virtual bool acceptsURL(const std::string& url) = 0;
  virtual std::vector<DriverPropertyInfo> getPropertyInfo(const std::string& url,
                                                          const plat::util::Properties& info) = 0;
  virtual int getMajorVersion() = 0;
  virtual int getMinorVersion() = 0;
  virtual bool jdbcCompliant() = 0;
};

}  // namespace plat::sql
