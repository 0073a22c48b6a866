// The table model of a row class: the table's name, the database product, whether a key or unique index identifies
// a row, and the column models in result order. Made once by generateDataModel and then read by every row of the
// class: columns are added before the model is shared; the flags may be read from any thread.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/binding/PersistentObjectModel.h"
#include "quenlora/zafoli/db/beans/jdbc/ColumnMetaData.h"

namespace quenlora::zafoli::db::beans::jdbc {

class DataModel : public plat::lang::Object, public binding::PersistentObjectModel {
 public:
  DataModel() = default;
  DataModel(std::string tableName, std::string productName)
      : m_TableName(std::move(tableName)), m_ProductName(std::move(productName)) {}

  int getMemberCount() const override { return static_cast<int>(m_Columns.size()); }
  // Null past the end.
  plat::lang::Ref<binding::PersistentObjectMemberModel> getMemberModel(int index) const override;
  std::string getModelName() const override { return m_TableName; }
  void setModelName(const std::string& name) { m_TableName = name; }
  std::string getDatabaseProductName() const { return m_ProductName; }
  void setDatabaseProductName(const std::string& name) { m_ProductName = name; }
  bool isUnique() const { return m_Unique.load(); }
  void setUnique(bool unique) { m_Unique.store(unique); }
  // Null past the end.
  plat::lang::Ref<ColumnMetaData> getColumnMetaData(int index) const;
  void addColumnMetaData(plat::lang::Ref<ColumnMetaData> column) { m_Columns.push_back(std::move(column)); }
  const std::vector<plat::lang::Ref<ColumnMetaData>>& columns() const { return m_Columns; }

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.jdbc.DataModel"; }

 private:
  std::string m_TableName;
  std::string m_ProductName;
  std::atomic<bool> m_Unique{false};
  std::vector<plat::lang::Ref<ColumnMetaData>> m_Columns;
};

}  // namespace quenlora::zafoli::db::beans::jdbc
