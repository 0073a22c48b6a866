// The in-memory connection the navigator tests save through: nested transactions stage writes until the outermost
// commit, and the failure rules of the connection beans hold.
#include "testkit/beans/MemoryConnection.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/lang/Exceptions.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/Types.h"

namespace testkit::beans {
namespace {

using plat::lang::makeRef;
using plat::lang::Value;

class MemoryConnectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    table = makeRef<MemoryTable>(
        "t", std::vector<MemoryTable::Column>{{"ID", plat::sql::Types::INTEGER}, {"V", plat::sql::Types::VARCHAR}});
    table->addRow({Value(1), Value("one")});
  }
  MemoryConnection::Write insert(int id) {
    return {table, MemoryConnection::Kind::Insert, Value(id), {Value(id), Value("new")}};
  }
  MemoryConnection::Write remove(int id) { return {table, MemoryConnection::Kind::Delete, Value(id), {}}; }

  plat::lang::Ref<MemoryTable> table;
  MemoryConnection connection;
};

TEST_F(MemoryConnectionTest, WritesWaitForTheOutermostCommit) {
  connection.beginTransaction();
  connection.beginTransaction();
  connection.write(insert(2));
  connection.endTransaction(true);
  EXPECT_EQ(table->size(), 1) << "an inner commit writes nothing";
  EXPECT_THROW(connection.write(insert(2)), plat::sql::SQLException) << "the staged insert counts";
  connection.write(remove(1));
  EXPECT_THROW(connection.write(remove(1)), plat::sql::SQLException) << "the staged delete counts";
  connection.endTransaction(true);
  EXPECT_FALSE(table->contains(Value(1)));
  EXPECT_TRUE(table->contains(Value(2)));
  EXPECT_EQ(connection.getDepth(), 0);
}

TEST_F(MemoryConnectionTest, FailureRules) {
  struct Case {
    const char* name;
    std::function<void(MemoryConnection&)> arrange;
    bool commitThrows;
  };
  const Case cases[] = {
      {"inner rollback fails the outer commit",
       [](MemoryConnection& c) {
         c.beginTransaction();
         c.endTransaction(false);
       },
       true},
      {"injected commit failure", [](MemoryConnection& c) { c.failNextCommit(); }, true},
      {"failed begin restores the depth",
       [](MemoryConnection& c) {
         c.failNextBegin();
         EXPECT_THROW(c.beginTransaction(), plat::sql::SQLException);
       },
       false},
  };
  for (const auto& c : cases) {
    SetUp();
    MemoryConnection connection;
    connection.beginTransaction();
    connection.write(insert(5));
    c.arrange(connection);
    if (c.commitThrows) {
      EXPECT_THROW(connection.endTransaction(true), plat::sql::SQLException) << c.name;
      EXPECT_FALSE(table->contains(Value(5))) << c.name;
    } else {
      connection.endTransaction(true);
      EXPECT_TRUE(table->contains(Value(5))) << c.name;
    }
    EXPECT_EQ(connection.getDepth(), 0) << c.name;
  }
}

TEST_F(MemoryConnectionTest, AFailedWriteCanDoomTheTransaction) {
  connection.setFailedWriteDoomsTransaction(true);
  connection.beginTransaction();
  EXPECT_THROW(connection.write(insert(1)), plat::sql::SQLException);
  EXPECT_THROW(connection.write(insert(3)), plat::sql::SQLException) << "every later write is refused";
  EXPECT_THROW(connection.endTransaction(true), plat::sql::SQLException);
  connection.write(insert(3));
  EXPECT_TRUE(table->contains(Value(3))) << "outside a transaction a write applies at once";
}

TEST_F(MemoryConnectionTest, ATableRefusesAKeyColumnItDoesNotHave) {
  const std::vector<MemoryTable::Column> columns{{"ID", plat::sql::Types::INTEGER}, {"V", plat::sql::Types::VARCHAR}};
  for (const int key : {-1, 2}) {
    for (const bool indexed : {false, true}) {
      EXPECT_THROW(MemoryTable("t", columns, key, indexed), plat::lang::IllegalArgumentException)
          << key << (indexed ? " indexed" : "");
    }
  }
  MemoryTable byValue("t", columns, 1, true);
  byValue.addRow({Value(1), Value("one")});
  EXPECT_TRUE(byValue.contains(Value("one")));
}

}  // namespace
}  // namespace testkit::beans
