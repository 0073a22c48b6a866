// A second table model with the same contract as DataModel: the table's name, whether a primary key or unique
// index identifies a row, and the column models. Kept for row classes that describe themselves; the library makes
// none. Filled before it is shared, then read-only.
#pragma once

#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/binding/PersistentObjectModel.h"
#include "quenlora/zafoli/db/beans/jdbc/ColumnMetaData.h"

namespace quenlora::zafoli::db::beans::jdbc {

class RowMetaData : public plat::lang::Object, public binding::PersistentObjectModel {
 public:
  RowMetaData() = default;
  explicit RowMetaData(std::string tableName) : m_TableName(std::move(tableName)) {}

  int getMemberCount() const override { return static_cast<int>(m_Columns.size()); }
  // Null past the end.
  plat::lang::Ref<binding::PersistentObjectMemberModel> getMemberModel(int index) const override;
  std::string getModelName() const override { return m_TableName; }
  bool getHasPrimaryKeyOrIndex() const { return m_HasKey; }
  void setHasPrimaryKeyOrIndex(bool hasKey) { m_HasKey = hasKey; }
  void addColumnMetaData(plat::lang::Ref<ColumnMetaData> column) { m_Columns.push_back(std::move(column)); }

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.jdbc.RowMetaData"; }

 private:
  std::string m_TableName;
  bool m_HasKey = false;
  std::vector<plat::lang::Ref<ColumnMetaData>> m_Columns;
};

}  // namespace quenlora::zafoli::db::beans::jdbc
