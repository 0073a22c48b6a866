// The columns of one PostgreSQL result: names, JDBC types from the type OIDs, sizes and scales from the type
// modifiers. Keeps the result it describes. Immutable once made.
#pragma once

#include <string>
#include <vector>

#include "platform/pq/PqSession.h"
#include "platform/pq/PqTypes.h"
#include "platform/sql/ResultSetMetaData.h"

namespace plat::sql::pq {

class PqResultSetMetaData : public ResultSetMetaData {
 public:
  explicit PqResultSetMetaData(PqResultRef result);

  int getColumnCount() override;
  bool isAutoIncrement(int column) override;
  bool isCaseSensitive(int column) override;
  bool isSearchable(int column) override;
  bool isCurrency(int column) override;
  int isNullable(int column) override;
  bool isSigned(int column) override;
  int getColumnDisplaySize(int column) override;
  std::string getColumnLabel(int column) override;
  std::string getColumnName(int column) override;
  std::string getSchemaName(int column) override;
  int getPrecision(int column) override;
  int getScale(int column) override;
  std::string getTableName(int column) override;
  std::string getCatalogName(int column) override;
  int getColumnType(int column) override;
  std::string getColumnTypeName(int column) override;
  bool isReadOnly(int column) override;
  bool isWritable(int column) override;
  bool isDefinitelyWritable(int column) override;

  std::string getClassName() const override { return "plat.sql.pq.PqResultSetMetaData"; }

 private:
  // Checks the column number; answers it 0-based.
  int index(int column) const;

  PqResultRef result_;
  // Per column, read once from result_: rows ask a column's scale at every decimal they read.
  std::vector<PqColumnType> types_;
};

}  // namespace plat::sql::pq
