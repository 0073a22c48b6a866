// The description of a driver result set's columns, answered from the result description that came with the query
// reply; no remote calls. Read-only after construction, so any thread may read it.
#pragma once

#include <string>

#include "platform/sql/ResultSetMetaData.h"
#include "quenlora/zafoli/db/net/Entity.h"

namespace quenlora::zafoli::db::jdbc {

class ResultSetMetaData final : public plat::sql::ResultSetMetaData {
 public:
  static constexpr const char* kClassName = "quenlora.zafoli.db.jdbc.ResultSetMetaData";

  explicit ResultSetMetaData(plat::lang::Ref<net::Entity> entity) : _entity(std::move(entity)) {}

  int getColumnCount() override { return _entity->getColumnCount(); }
  bool isAutoIncrement(int column) override { return _entity->isAutoIncrement(column); }
  bool isCaseSensitive(int column) override { return _entity->isCaseSensitive(column); }
  bool isSearchable(int column) override { return _entity->isSearchable(column); }
  bool isCurrency(int column) override { return _entity->isCurrency(column); }
  int isNullable(int column) override { return _entity->isNullable(column); }
  bool isSigned(int column) override { return _entity->isSigned(column); }
  int getColumnDisplaySize(int column) override { return _entity->getColumnDisplaySize(column); }
  std::string getColumnLabel(int column) override { return _entity->getColumnLabel(column); }
  std::string getColumnName(int column) override { return _entity->getColumnName(column); }
  std::string getSchemaName(int column) override { return _entity->getSchemaName(column); }
  int getPrecision(int column) override { return _entity->getPrecision(column); }
  int getScale(int column) override { return _entity->getScale(column); }
  std::string getTableName(int column) override { return _entity->getTableName(column); }
  std::string getCatalogName(int column) override { return _entity->getCatalogName(column); }
  int getColumnType(int column) override { return _entity->getColumnType(column); }
  std::string getColumnTypeName(int column) override { return _entity->getColumnTypeName(column); }
  bool isReadOnly(int column) override { return _entity->isReadOnly(column); }
  bool isWritable(int column) override { return _entity->isWritable(column); }
  bool isDefinitelyWritable(int column) override { return _entity->isDefinitelyWritable(column); }

  std::string getClassName() const override { return kClassName; }

 private:
  plat::lang::Ref<net::Entity> _entity;  // never null
};

}  // namespace quenlora::zafoli::db::jdbc
