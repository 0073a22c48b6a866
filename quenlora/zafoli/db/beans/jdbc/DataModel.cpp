#include "quenlora/zafoli/db/beans/jdbc/DataModel.h"

namespace quenlora::zafoli::db::beans::jdbc {

const DataModel* DataModel::of(const plat::lang::Ref<binding::PersistentObjectModel>& model) {
  // The model last asked about, in one thread-local object: a shared library pays a lookup per such object.
  struct Seen {
    plat::lang::WeakRef<binding::PersistentObjectModel> model;
    const binding::PersistentObjectModel* address = nullptr;
    const DataModel* table = nullptr;
  };
  thread_local Seen seen;
  if (!model) return nullptr;
  // While the model seen last lives, no other model can have its address.
  if (model.get() == seen.address && !seen.model.expired()) return seen.table;
  seen.model = model;
  seen.address = model.get();
  seen.table = dynamic_cast<const DataModel*>(model.get());
  return seen.table;
}

plat::lang::Ref<binding::PersistentObjectMemberModel> DataModel::getMemberModel(int index) const {
  return getColumnMetaData(index);
}

plat::lang::Ref<ColumnMetaData> DataModel::getColumnMetaData(int index) const {
  if (index < 0 || index >= getMemberCount()) return nullptr;
  return m_Columns[static_cast<std::size_t>(index)];
}

std::optional<SqlText> DataModel::cachedText(const std::string& shape) const {
  std::lock_guard lock(textsMutex_);
  auto found = texts_.find(shape);
  if (found == texts_.end()) return std::nullopt;
  return found->second;
}

void DataModel::cacheText(const std::string& shape, const SqlText& text) const {
  std::lock_guard lock(textsMutex_);
  // Rows of a wide table edited in many patterns would grow the cache without end: it starts afresh instead.
  if (texts_.size() >= kCachedTexts) texts_.clear();
  texts_.emplace(shape, text);
}

}  // namespace quenlora::zafoli::db::beans::jdbc
