#include "quenlora/zafoli/db/beans/jdbc/RowMetaData.h"

namespace quenlora::zafoli::db::beans::jdbc {

plat::lang::Ref<binding::PersistentObjectMemberModel> RowMetaData::getMemberModel(int index) const {
  if (index < 0 || index >= getMemberCount()) return nullptr;
  return m_Columns[static_cast<std::size_t>(index)];
}

}  // namespace quenlora::zafoli::db::beans::jdbc
