#include "quenlora/zafoli/db/beans/jdbc/ColumnMetaData.h"

#include "platform/sql/Types.h"

namespace quenlora::zafoli::db::beans::jdbc {

using plat::sql::Types;

bool ColumnMetaData::getIsComparable() const {
  switch (m_DataType) {
    case Types::LONGVARBINARY:
    case Types::LONGVARCHAR:
    case Types::OTHER:
      return m_Comparable;
    default:
      return true;
  }
}

void ColumnMetaData::setColumnState(int state) {
  if (state != VALID_STATE && state != INVALID_STATE) return;
  // Every fetched value sets its column's state, nearly always to the one it has: that costs only a read.
  if (m_ColumnState.load(std::memory_order_relaxed) != state) m_ColumnState.store(state);
}

bool ColumnMetaData::canBeIncludedInWhereClause() const {
  return m_DataType != Types::LONGVARBINARY && m_DataType != Types::LONGVARCHAR && getIsComparable() &&
         getColumnState() == VALID_STATE;
}

}  // namespace quenlora::zafoli::db::beans::jdbc
