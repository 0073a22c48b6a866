// The column questions of a view, answered by 1-based column number from the view's column description; a number
// outside the columns is SQLException "Column index out of range". A value; the description is read-only, so any
// thread.
#pragma once

#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/net/Entity.h"

namespace quenlora::zafoli::db::pro {

class RelationViewMetaData {
 public:
  explicit RelationViewMetaData(plat::lang::Ref<net::Entity> columns) : c_(std::move(columns)) {}

  int getColumnCount() const { return c_->getColumnCount(); }
  const std::vector<std::string>& getColumnList() const { return c_->getColumnList(); }
  std::string getColumnName(int col) const { return c_->getColumnName(col); }
  std::string getColumnLabel(int col) const { return c_->getColumnLabel(col); }
  int getColumnType(int col) const { return c_->getColumnType(col); }
  std::string getColumnTypeName(int col) const { return c_->getColumnTypeName(col); }
  int getColumnDisplaySize(int col) const { return c_->getColumnDisplaySize(col); }
  int getPrecision(int col) const { return c_->getPrecision(col); }
  int getScale(int col) const { return c_->getScale(col); }
  std::string getCatalogName(int col) const { return c_->getCatalogName(col); }
  std::string getSchemaName(int col) const { return c_->getSchemaName(col); }
  std::string getTableName(int col) const { return c_->getTableName(col); }
  bool isAutoIncrement(int col) const { return c_->isAutoIncrement(col); }
  bool isCaseSensitive(int col) const { return c_->isCaseSensitive(col); }
  bool isCurrency(int col) const { return c_->isCurrency(col); }
  bool isDefinitelyWritable(int col) const { return c_->isDefinitelyWritable(col); }
  int isNullable(int col) const { return c_->isNullable(col); }
  bool isReadOnly(int col) const { return c_->isReadOnly(col); }
  bool isSearchable(int col) const { return c_->isSearchable(col); }
  bool isSigned(int col) const { return c_->isSigned(col); }
  bool isWritable(int col) const { return c_->isWritable(col); }

 private:
  plat::lang::Ref<net::Entity> c_;  // never null
};

}  // namespace quenlora::zafoli::db::pro
