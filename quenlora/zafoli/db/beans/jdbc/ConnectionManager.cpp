#include "quenlora/zafoli/db/beans/jdbc/ConnectionManager.h"

#include <atomic>

#include "platform/beans/Beans.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/System.h"
#include "platform/runvale/ClassRegistry.h"

namespace quenlora::zafoli::db::beans::jdbc {

using plat::lang::Ref;
using plat::thread::Synchronized;

namespace {

std::atomic<bool> debugOn{false};
std::atomic<bool> isDesignTimeOverride{false};

std::mutex& managersMutex() {
  static auto* mutex = new std::mutex();  // lives until the process ends
  return *mutex;
}

// Registries live for the process: nothing discards them, so nothing finalises them.
std::map<std::string, Ref<ConnectionManager>>& managersTable() {
  static auto* table = new std::map<std::string, Ref<ConnectionManager>>();  // guarded by managersMutex()
  return *table;
}

}  // namespace

Ref<ConnectionManager> ConnectionManager::getManager(const std::string& className) {
  std::lock_guard lock(managersMutex());
  auto& table = managersTable();
  auto found = table.find(className);
  if (found != table.end()) return found->second;
  try {
    auto manager =
        std::dynamic_pointer_cast<ConnectionManager>(plat::runvale::ClassRegistry::instance().newInstance(className));
    if (manager == nullptr) throw plat::lang::ClassCastException(className + " is not a ConnectionManager");
    table[className] = manager;
    return manager;
  } catch (const plat::lang::Throwable& failure) {
    throw plat::lang::RuntimeException(failure.getMessage());
  }
}

Ref<ConnectionManager> ConnectionManager::getManager() {
  return getManager("ConnectionManager");
}

void ConnectionManager::setDebug(bool debug) {
  debugOn = debug;
}

void ConnectionManager::trace(const std::string& text) const {
  if (debugOn) plat::lang::System::out().println(std::string(CLASS_NAME) + text);
}

void ConnectionManager::add(const Ref<JdbcConnection>& bean) {
  std::string identifier = bean->getIdentifier();
  {
    std::lock_guard lock(connectionsMutex_);
    m_ConnectionsTable[identifier] = bean;
  }
  std::lock_guard lock(counterMutex_);
  m_ConnectionsCounter[identifier] = 0;
}

Ref<JdbcConnection> ConnectionManager::getConnectionBean(const std::string& identifier) {
  Synchronized sync(monitor_);
  if (plat::beans::Beans::isDesignTime() && !isDesignTimeOverride) return nullptr;
  Ref<JdbcConnection> bean;
  {
    std::lock_guard lock(connectionsMutex_);
    auto found = m_ConnectionsTable.find(identifier);
    if (found == m_ConnectionsTable.end()) return nullptr;
    bean = found->second;
  }
  std::lock_guard lock(counterMutex_);
  ++m_ConnectionsCounter[identifier];
  trace("getConnectionBean(" + identifier + "): " + std::to_string(m_ConnectionsCounter[identifier]));
  return bean;
}

void ConnectionManager::releaseConnection(const std::string& identifier) {
  Synchronized sync(monitor_);
  try {
    Ref<JdbcConnection> bean;
    {
      std::lock_guard lock(connectionsMutex_);
      auto found = m_ConnectionsTable.find(identifier);
      if (found == m_ConnectionsTable.end()) return;
      bean = found->second;
    }
    int count;
    {
      std::lock_guard lock(counterMutex_);
      count = --m_ConnectionsCounter[identifier];
    }
    trace("releaseConnection(" + identifier + "): " + std::to_string(count));
    if (count > 0) return;
    auto first = bean->getSQLConnection();
    if (first == nullptr || first->isClosed()) return;
    bean->setConnectionClosed(true);
    {
      std::lock_guard lock(connectionsMutex_);
      m_ConnectionsTable.erase(identifier);
    }
    std::lock_guard lock(counterMutex_);
    m_ConnectionsCounter.erase(identifier);
  } catch (const plat::lang::Throwable& failure) {
    plat::lang::System::out().println(failure.getMessage());
  }
}

Ref<JdbcConnection> ConnectionManager::getDesignTimeConnection(const std::string& identifier) {
  Synchronized sync(monitor_);
  isDesignTimeOverride = true;
  Ref<JdbcConnection> bean;
  try {
    bean = getConnectionBean(identifier);
  } catch (...) {
    isDesignTimeOverride = false;
    throw;
  }
  isDesignTimeOverride = false;
  if (bean != nullptr) bean->connect();
  return bean;
}

ConnectionManager& ConnectionManager::getDesignTimeInstance() {
  if (!plat::beans::Beans::isDesignTime()) {
    throw plat::lang::RuntimeException("ConnectionManager.getDesignTimeInstance() called at run-time");
  }
  return *this;
}

std::vector<std::string> ConnectionManager::getJdbcConnectionsIndentifiers() {
  Synchronized sync(monitor_);
  std::vector<std::string> identifiers;
  std::lock_guard lock(connectionsMutex_);
  for (const auto& [identifier, bean] : m_ConnectionsTable) identifiers.push_back(identifier);
  return identifiers;  // the map keeps them in ascending order
}

int ConnectionManager::getCount(const std::string& identifier) {
  std::lock_guard lock(counterMutex_);
  auto found = m_ConnectionsCounter.find(identifier);
  return found == m_ConnectionsCounter.end() ? 0 : found->second;
}

void ConnectionManager::registerClass(plat::runvale::ClassRegistry& registry) {
  plat::runvale::ClassInfo info;
  info.name = kClassName;
  info.factory = [] { return Ref<plat::lang::Object>(plat::lang::makeRef<ConnectionManager>()); };
  registry.registerClass(std::move(info));
}

}  // namespace quenlora::zafoli::db::beans::jdbc
