#include "quenlora/zafoli/db/beans/jdbc/DataModel.h"

namespace quenlora::zafoli::db::beans::jdbc {

plat::lang::Ref<binding::PersistentObjectMemberModel> DataModel::getMemberModel(int index) const {
  return getColumnMetaData(index);
}

plat::lang::Ref<ColumnMetaData> DataModel::getColumnMetaData(int index) const {
  if (index < 0 || index >= getMemberCount()) return nullptr;
  return m_Columns[static_cast<std::size_t>(index)];
}

}  // namespace quenlora::zafoli::db::beans::jdbc
