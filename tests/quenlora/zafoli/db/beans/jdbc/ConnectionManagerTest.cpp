// The registry of connection beans: registries by class name, use counts, closing at the last release, design
// time and the sorted identifiers.
#include <gtest/gtest.h>

#include "platform/lang/Throwable.h"
#include "quenlora/zafoli/db/beans/jdbc/ConnectionManager.h"
#include "tests/quenlora/zafoli/db/beans/jdbc/JdbcTestSupport.h"

namespace quenlora::zafoli::db::beans::jdbc {
namespace {

using Registry = ScriptedBeanTest;

TEST_F(Registry, TheLastReleaseClosesAConnectedBeanAndRemovesIt) {
  auto manager = plat::lang::makeRef<ConnectionManager>();
  auto b = bean();
  b->setIdentifier("orders");
  manager->add(b);
  ASSERT_EQ(manager->getConnectionBean("orders"), b);
  ASSERT_EQ(manager->getConnectionBean("orders"), b);
  EXPECT_TRUE(b->isConnectionClosed()) << "taking a bean does not connect it";
  b->connect();
  manager->releaseConnection("orders");
  EXPECT_FALSE(b->isConnectionClosed());
  manager->releaseConnection("orders");
  EXPECT_TRUE(b->isConnectionClosed());
  EXPECT_EQ(manager->getConnectionBean("orders"), nullptr);
  EXPECT_EQ(db_->openConnections(), 0);
}

TEST_F(Registry, ANeverConnectedBeanKeepsItsEntryBelowZero) {
  auto manager = plat::lang::makeRef<ConnectionManager>();
  auto b = bean();
  manager->add(b);
  manager->releaseConnection(b->getIdentifier());
  manager->releaseConnection(b->getIdentifier());
  EXPECT_EQ(manager->getCount(b->getIdentifier()), -2);
  EXPECT_EQ(manager->getConnectionBean(b->getIdentifier()), b);
  manager->releaseConnection("unknown");
}

TEST_F(Registry, DesignTimeHidesBeansButTheDesignTimeConnectionConnects) {
  auto manager = plat::lang::makeRef<ConnectionManager>();
  auto b = bean();
  manager->add(b);
  EXPECT_THROW(manager->getDesignTimeInstance(), plat::lang::RuntimeException);
  plat::beans::Beans::setDesignTime(true);
  EXPECT_EQ(manager->getConnectionBean(b->getIdentifier()), nullptr);
  EXPECT_EQ(&manager->getDesignTimeInstance(), manager.get());
  auto connected = manager->getDesignTimeConnection(b->getIdentifier());
  plat::beans::Beans::setDesignTime(false);
  ASSERT_EQ(connected, b);
  EXPECT_FALSE(b->isConnectionClosed());
  EXPECT_EQ(manager->getCount(b->getIdentifier()), 1);
}

TEST_F(Registry, ManagersAreMadeOnceByClassNameAndListIdentifiersSorted) {
  auto& registry = plat::runvale::ClassRegistry::instance();
  registry.registerClass({"ConnectionManager",
                          [] { return plat::lang::Ref<plat::lang::Object>(plat::lang::makeRef<ConnectionManager>()); },
                          {},
                          ""});
  auto first = ConnectionManager::getManager();
  EXPECT_EQ(ConnectionManager::getManager("ConnectionManager"), first);
  EXPECT_NE(ConnectionManager::getManager(ConnectionManager::kClassName), first);
  EXPECT_THROW(ConnectionManager::getManager("no.such.Manager"), plat::lang::RuntimeException);
  auto manager = plat::lang::makeRef<ConnectionManager>();
  for (const char* id : {"b", "a", "c"}) {
    auto b = bean();
    b->setIdentifier(id);
    manager->add(b);
  }
  EXPECT_EQ(manager->getJdbcConnectionsIndentifiers(), (std::vector<std::string>{"a", "b", "c"}));
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::jdbc
