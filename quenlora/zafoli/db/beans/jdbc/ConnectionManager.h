// The registry of connection beans by identifier: an application subclass add()s its configured beans, users take a
// bean with getConnectionBean() and give it back with releaseConnection(), and the bean's physical connections close
// when its last user gives it back. Registries are made by class name and live for the process.
//
// Thread contract: getManager() is serialised process-wide; each registry serialises its operations except add(),
// which takes each table's own lock.
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/thread/Monitor.h"
#include "quenlora/zafoli/db/beans/jdbc/JdbcConnection.h"

namespace plat::runvale {
class ClassRegistry;
}

namespace quenlora::zafoli::db::beans::jdbc {

class ConnectionManager : public plat::lang::Object {
 public:
  static constexpr const char* kClassName = "quenlora.zafoli.db.beans.jdbc.ConnectionManager";
  static constexpr const char* CLASS_NAME = "ConnectionManager.";

  ConnectionManager() = default;

  // The registry registered under className, made through the class registry on first use. RuntimeException with
  // the cause's message when it cannot be made.
  static plat::lang::Ref<ConnectionManager> getManager(const std::string& className);
  // The registry an application registered under the bare name "ConnectionManager".
  static plat::lang::Ref<ConnectionManager> getManager();
  static void setDebug(bool debug);

  // Enters the bean under its identifier with a count of 0, replacing an entry of that identifier.
  void add(const plat::lang::Ref<JdbcConnection>& bean);
  // The bean, its count raised by one; null at design time or for an unknown identifier.
  plat::lang::Ref<JdbcConnection> getConnectionBean(const std::string& identifier);
  // Lowers the count; at 0 or below a connected bean is closed and its entries removed. Failures are printed and
  // swallowed, and the entries then stay.
  void releaseConnection(const std::string& identifier);
  // The bean, taken as at run time and connected; SQLException when it cannot connect.
  plat::lang::Ref<JdbcConnection> getDesignTimeConnection(const std::string& identifier);
  // This registry at design time; RuntimeException at run time.
  ConnectionManager& getDesignTimeInstance();
  // Every identifier, in ascending order.
  std::vector<std::string> getJdbcConnectionsIndentifiers();
  // The identifier's use count; 0 for an unknown one.
  int getCount(const std::string& identifier);

  static void registerClass(plat::runvale::ClassRegistry& registry);
  std::string getClassName() const override { return kClassName; }

 private:
  void trace(const std::string& text) const;

  plat::thread::Monitor monitor_;
  std::mutex connectionsMutex_;
  std::mutex counterMutex_;
  std::map<std::string, plat::lang::Ref<JdbcConnection>> m_ConnectionsTable;  // guarded by connectionsMutex_
  std::map<std::string, int> m_ConnectionsCounter;                            // guarded by counterMutex_
};

}  // namespace quenlora::zafoli::db::beans::jdbc
