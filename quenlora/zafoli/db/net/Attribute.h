// Column description (type 62), received only: a list of 19 values in a fixed order (flags, nullability, display
// size, names, precision, scale, SQL type, type name). A body that is not such a list is SQLException "Object
// Stream error in Attribute object". Filled once, then read-only; may be read from several threads.
#pragma once

#include <cstdint>
#include <string>

#include "quenlora/zafoli/db/net/ServerObject.h"

namespace quenlora::zafoli::db::net {

class Attribute : public ServerObject {
 public:
  static constexpr std::size_t kElements = 19;

  Attribute() = default;

  int getType() const override;
  void read(plat::io::DataInputStream& in) override;
  // IOException "Write not permitted on Attribute object".
  void write(plat::io::DataOutputStream& out) const override;

  bool isAutoIncrement() const { return autoIncrement_; }
  bool isCaseSensitive() const { return caseSensitive_; }
  bool isSearchable() const { return searchable_; }
  bool isCurrency() const { return currency_; }
  int isNullable() const { return nullable_; }
  bool isSigned() const { return signed_; }
  int getColumnDisplaySize() const { return displaySize_; }
  const std::string& getColumnLabel() const { return label_; }
  const std::string& getColumnName() const { return columnName_; }
  const std::string& getSchemaName() const { return schemaName_; }
  int getPrecision() const { return precision_; }
  int getScale() const { return scale_; }
  const std::string& getTableName() const { return tableName_; }
  const std::string& getCatalogName() const { return catalogName_; }
  int getColumnType() const { return columnType_; }
  const std::string& getColumnTypeName() const { return typeName_; }
  bool isReadOnly() const { return readOnly_; }
  bool isWritable() const { return writable_; }
  bool isDefinitelyWritable() const { return definitelyWritable_; }

 private:
  bool autoIncrement_ = false;
  bool caseSensitive_ = false;
  bool searchable_ = false;
  bool currency_ = false;
  int nullable_ = 0;
  bool signed_ = false;
  std::int32_t displaySize_ = 0;
  std::string label_;
  std::string columnName_;
  std::string schemaName_;
  std::int32_t precision_ = 0;
  std::int32_t scale_ = 0;
  std::string tableName_;
  std::string catalogName_;
  int columnType_ = 0;
  std::string typeName_;
  bool readOnly_ = false;
  bool writable_ = false;
  bool definitelyWritable_ = false;
};

}  // namespace quenlora::zafoli::db::net
