// The table model of a row class: the table's name, the database product, whether a key or unique index identifies
// a row, and the column models in result order. Made once by generateDataModel and then read by every row of the
// class: columns are added before the model is shared; the flags may be read from any thread.
#pragma once

#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/binding/PersistentObjectModel.h"
#include "quenlora/zafoli/db/beans/jdbc/ColumnMetaData.h"
#include "quenlora/zafoli/db/beans/jdbc/SqlText.h"

namespace quenlora::zafoli::db::beans::jdbc {

class DataModel final : public plat::lang::Object, public binding::PersistentObjectModel {
 public:
  // The model as a DataModel, null for another kind of model. The answer for the model last asked about is kept
  // per thread (while that model lives): rows ask for every value they convert or read.
  static const DataModel* of(const plat::lang::Ref<binding::PersistentObjectModel>& model);

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

  // The write texts made for rows of this model, by the shape of the row they were made for (which columns
  // changed, stand in the WHERE clause, held NULL): rows of one class write the same few texts again and again.
  static constexpr std::size_t kCachedTexts = 256;
  std::optional<SqlText> cachedText(const std::string& shape) const;
  void cacheText(const std::string& shape, const SqlText& text) const;

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.jdbc.DataModel"; }

 private:
  std::string m_TableName;
  std::string m_ProductName;
  std::atomic<bool> m_Unique{false};
  std::vector<plat::lang::Ref<ColumnMetaData>> m_Columns;
  mutable std::mutex textsMutex_;
  mutable std::unordered_map<std::string, SqlText> texts_;  // guarded by textsMutex_; at most kCachedTexts
};

}  // namespace quenlora::zafoli::db::beans::jdbc
