// Result description (type 64), received only: a column count and, when above 0, a list of column descriptions
// (Attribute). Columns are numbered from 1; a number outside 1..count is SQLException "Column index out of range".
// Filled once, then read-only; may be read from several threads.
#pragma once

#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/net/Attribute.h"
#include "quenlora/zafoli/db/net/ServerObject.h"

namespace quenlora::zafoli::db::net {

class Entity : public ServerObject {
 public:
  Entity() = default;

  int getType() const override;
  // A body that is not a list of column descriptions is SQLException "Object Stream error in Entity object".
  void read(plat::io::DataInputStream& in) override;
  // IOException "Write not permitted on Entity object".
  void write(plat::io::DataOutputStream& out) const override;

  int getColumnCount() const { return count_; }
  // The column names in order.
  const std::vector<std::string>& getColumnList() const { return attribNames_; }
  // The rows one fetch should ask for, from the columns' display sizes.
  int getRowsPerFetch() const;

  std::string getCatalogName(int col) const { return at(col).getCatalogName(); }
  int getColumnDisplaySize(int col) const { return at(col).getColumnDisplaySize(); }
  std::string getColumnLabel(int col) const { return at(col).getColumnLabel(); }
  std::string getColumnName(int col) const { return at(col).getColumnName(); }
  int getColumnType(int col) const { return at(col).getColumnType(); }
  std::string getColumnTypeName(int col) const { return at(col).getColumnTypeName(); }
  int getPrecision(int col) const { return at(col).getPrecision(); }
  int getScale(int col) const { return at(col).getScale(); }
  std::string getSchemaName(int col) const { return at(col).getSchemaName(); }
  std::string getTableName(int col) const { return at(col).getTableName(); }
  bool isAutoIncrement(int col) const { return at(col).isAutoIncrement(); }
  bool isCaseSensitive(int col) const { return at(col).isCaseSensitive(); }
  bool isCurrency(int col) const { return at(col).isCurrency(); }
  bool isDefinitelyWritable(int col) const { return at(col).isDefinitelyWritable(); }
  int isNullable(int col) const { return at(col).isNullable(); }
  bool isReadOnly(int col) const { return at(col).isReadOnly(); }
  bool isSearchable(int col) const { return at(col).isSearchable(); }
  bool isSigned(int col) const { return at(col).isSigned(); }
  bool isWritable(int col) const { return at(col).isWritable(); }

 private:
  const Attribute& at(int col) const;

  int count_ = 0;
  std::vector<plat::lang::Ref<Attribute>> attribs_;
  std::vector<std::string> attribNames_;
};

}  // namespace quenlora::zafoli::db::net
