// The JDBC bases answer what a driver does not override with SQLException "not supported".
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/sql/CallableStatement.h"
#include "platform/sql/Connection.h"
#include "platform/sql/DatabaseMetaData.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/ResultSetMetaData.h"
#include "platform/sql/Types.h"

namespace plat::sql {
namespace {

class BareConnection : public Connection {};
class BareCall : public CallableStatement {};
class BareResultSet : public ResultSet {};
class BareMetaData : public DatabaseMetaData {};
class BareColumns : public ResultSetMetaData {};

// A result set that supports reading one column by number: the name forms reach it through findColumn.
class OneColumn : public ResultSet {
 public:
  using ResultSet::getInt;
  using ResultSet::getString;
  int findColumn(const std::string& name) override {
    if (name != "QTY") throw SQLException("Column not found.");
    return 3;
  }
  std::int32_t getInt(int column) override { return column * 100; }
};

TEST(SqlInterfaces, UnsupportedOperationsThrowNotSupported) {
  BareConnection connection;
  BareCall call;
  BareResultSet rows;
  BareMetaData meta;
  BareColumns columns;
  const std::pair<const char*, std::function<void()>> cases[] = {
      {"Connection.createStatement", [&] { connection.createStatement(); }},
      {"Connection.commit", [&] { connection.commit(); }},
      {"Connection.close", [&] { connection.close(); }},
      {"Connection.setTransactionIsolation", [&] { connection.setTransactionIsolation(8); }},
      {"Statement.executeQuery(sql)", [&] { call.executeQuery("select 1"); }},
      {"PreparedStatement.executeQuery()", [&] { call.executeQuery(); }},
      {"PreparedStatement.setObject", [&] { call.setObject(1, plat::lang::Value::ofInt(1), Types::INTEGER); }},
      {"PreparedStatement.setNull", [&] { call.setNull(1, Types::VARCHAR); }},
      {"CallableStatement.registerOutParameter", [&] { call.registerOutParameter(1, Types::INTEGER, 2); }},
      {"CallableStatement.getTimestamp", [&] { call.getTimestamp(1); }},
      {"ResultSet.next", [&] { rows.next(); }},
      {"ResultSet.getString(name)", [&] { rows.getString("A"); }},
      {"ResultSet.getObject", [&] { rows.getObject(1); }},
      {"DatabaseMetaData.getURL", [&] { meta.getURL(); }},
      {"DatabaseMetaData.getTables", [&] { meta.getTables(std::nullopt, std::nullopt, "%", std::nullopt); }},
      {"DatabaseMetaData.supportsConvert(a,b)", [&] { meta.supportsConvert(Types::INTEGER, Types::VARCHAR); }},
      {"ResultSetMetaData.getColumnType", [&] { columns.getColumnType(1); }},
  };
  for (const auto& [what, call] : cases) {
    try {
      call();
      ADD_FAILURE() << what << ": no exception";
    } catch (const SQLException& e) {
      EXPECT_EQ(e.getMessage(), "not supported") << what;
    }
  }
}

TEST(SqlInterfaces, GettersByNameFindTheColumnFirst) {
  OneColumn rows;
  EXPECT_EQ(rows.getInt("QTY"), 300);
  EXPECT_THROW(rows.getInt("qty"), SQLException);
  // A getter by number the driver does not support stays unsupported by name too.
  EXPECT_THROW(rows.getString("QTY"), SQLException);
}

}  // namespace
}  // namespace plat::sql
