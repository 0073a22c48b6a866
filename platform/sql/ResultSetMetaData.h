// The description of a result's columns, numbered from 1, in the JDBC 1.x object model. Every operation answers
// SQLException "not supported" until a driver overrides it. Used by one thread at a time.
#pragma once

#include <string>

#include "platform/lang/Object.h"
#include "platform/sql/SQLException.h"

namespace plat::sql {

class ResultSetMetaData : public plat::lang::Object {
 public:
  // Answers of isNullable().
  static constexpr int columnNoNulls = 0;
  static constexpr int columnNullable = 1;
  static constexpr int columnNullableUnknown = 2;

  ResultSetMetaData() = default;
  ResultSetMetaData(const ResultSetMetaData&) = delete;
  ResultSetMetaData& operator=(const ResultSetMetaData&) = delete;
  ~ResultSetMetaData() override;

  virtual int getColumnCount() { notSupported(); }
  virtual bool isAutoIncrement(int /*column*/) { notSupported(); }
  virtual bool isCaseSensitive(int /*column*/) { notSupported(); }
  virtual bool isSearchable(int /*column*/) { notSupported(); }
  virtual bool isCurrency(int /*column*/) { notSupported(); }
  virtual int isNullable(int /*column*/) { notSupported(); }
  virtual bool isSigned(int /*column*/) { notSupported(); }
  virtual int getColumnDisplaySize(int /*column*/) { notSupported(); }
  virtual std::string getColumnLabel(int /*column*/) { notSupported(); }
  virtual std::string getColumnName(int /*column*/) { notSupported(); }
  virtual std::string getSchemaName(int /*column*/) { notSupported(); }
  virtual int getPrecision(int /*column*/) { notSupported(); }
  virtual int getScale(int /*column*/) { notSupported(); }
  virtual std::string getTableName(int /*column*/) { notSupported(); }
  virtual std::string getCatalogName(int /*column*/) { notSupported(); }
  // A Types code.
  virtual int getColumnType(int /*column*/) { notSupported(); }
  virtual std::string getColumnTypeName(int /*column*/) { notSupported(); }
  virtual bool isReadOnly(int /*column*/) { notSupported(); }
  virtual bool isWritable(int /*column*/) { notSupported(); }
  virtual bool isDefinitelyWritable(int /*column*/) { notSupported(); }
};

}  // namespace plat::sql
