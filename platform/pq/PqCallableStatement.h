// A call of a stored routine on PostgreSQL, written in the JDBC escape: "{call p(?, ?)}" runs CALL for a procedure
// and SELECT * FROM for a function; "{? = call f(?)}" runs SELECT f(...). Out and in/out values (and the return
// value) are read from the row the server returns, in the order of their parameter indexes. A function's out-only
// parameters are left out of its arguments; a procedure receives NULL for them. Used by one thread at a time.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/pq/PqPreparedBase.h"
#include "platform/pq/PqResultSet.h"
#include "platform/sql/CallableStatement.h"

namespace plat::sql::pq {

class PqCallableStatement : public PqPreparedBase<CallableStatement> {
 public:
  // SQLException for a text that is no call escape.
  PqCallableStatement(std::shared_ptr<PqSession> session, const std::string& sql);

  plat::lang::Ref<ResultSet> executeQuery() override;
  int executeUpdate() override;
  bool execute() override;
  using PqPreparedBase::execute;
  using PqPreparedBase::executeQuery;
  using PqPreparedBase::executeUpdate;

  void registerOutParameter(int index, int sqlType) override;
  void registerOutParameter(int index, int sqlType, int scale) override;
  bool wasNull() override;
  std::string getString(int index) override;
  bool getBoolean(int index) override;
  std::int8_t getByte(int index) override;
  std::int16_t getShort(int index) override;
  std::int32_t getInt(int index) override;
  std::int64_t getLong(int index) override;
  float getFloat(int index) override;
  double getDouble(int index) override;
  plat::math::Decimal getBigDecimal(int index, int scale) override;
  plat::math::Decimal getBigDecimal(int index) override { return getBigDecimal(index, -1); }
  std::vector<std::uint8_t> getBytes(int index) override;
  plat::time::Date getDate(int index) override;
  plat::time::Time getTime(int index) override;
  plat::time::Timestamp getTimestamp(int index) override;
  plat::lang::Value getObject(int index) override;

  std::string getClassName() const override { return "plat.sql.pq.PqCallableStatement"; }

 private:
  struct Argument {
    std::string text;  // the argument as written, when it is no marker
    int parameter;     // the marker's parameter index, or 0
  };

  bool run(PqExecution::Expect expect);
  // The out-value's column in the returned row; SQLException when index was not registered or nothing ran yet.
  int columnOf(int index);

  std::string routine_;
  std::vector<Argument> arguments_;
  bool returnsValue_ = false;  // "{? = call ...}": parameter 1 is the return value
  std::set<int> out_;          // registered out parameters
  plat::lang::Ref<PqResultSet> outRow_;
};

}  // namespace plat::sql::pq
