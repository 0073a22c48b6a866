// The model of one column of a row class's table: name, JDBC type, display size, key and driver flags, and whether
// its values may stand in an optimistic WHERE clause. The column state is atomic, because the rows that read the
// table mark it while others build their predicates; the other fields are set while the model is made.
#pragma once

#include <atomic>
#include <string>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/binding/PersistentObjectMemberModel.h"

namespace quenlora::zafoli::db::beans::jdbc {

class ColumnMetaData : public plat::lang::Object, public binding::PersistentObjectMemberModel {
 public:
  static constexpr int VALID_STATE = 1;
  static constexpr int INVALID_STATE = 0;
  static constexpr int kUnknownSize = 2147483647;

  ColumnMetaData() = default;
  ColumnMetaData(std::string name, int dataType) : m_Name(std::move(name)), m_DataType(dataType) {}

  std::string getName() const override { return m_Name; }
  void setName(const std::string& name) { m_Name = name; }
  int getDataType() const override { return m_DataType; }
  void setDataType(int type) { m_DataType = type; }
  // Always 3: a plain column.
  int getType() const override { return 3; }
  bool isWritable() const override { return !m_ReadOnly; }
  int getDisplaySize() const { return m_DisplaySize; }
  void setDisplaySize(int size) { m_DisplaySize = size; }
  bool getIsPrimaryKey() const { return m_PrimaryKey; }
  void setIsPrimaryKey(bool key) { m_PrimaryKey = key; }
  bool getIsAutoIncrement() const { return m_AutoIncrement; }
  void setIsAutoIncrement(bool on) { m_AutoIncrement = on; }
  bool getIsReadOnly() const { return m_ReadOnly; }
  void setIsReadOnly(bool on) { m_ReadOnly = on; }
  bool getIsSigned() const { return m_Signed; }
  void setIsSigned(bool on) { m_Signed = on; }
  // The driver's searchable answer counts only for long and OTHER columns; every other type compares.
  bool getIsComparable() const;
  void setIsComparable(bool comparable) { m_Comparable = comparable; }
  int getColumnState() const { return m_ColumnState.load(); }
  // Only VALID_STATE and INVALID_STATE are taken; other values are ignored.
  void setColumnState(int state);
  bool canBeIncludedInWhereClause() const;

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.jdbc.ColumnMetaData"; }

 private:
  std::string m_Name;
  int m_DataType = 0;
  int m_DisplaySize = kUnknownSize;
  bool m_PrimaryKey = false;
  bool m_AutoIncrement = false;
  bool m_ReadOnly = false;
  bool m_Signed = false;
  bool m_Comparable = false;
  std::atomic<int> m_ColumnState{VALID_STATE};
};

}  // namespace quenlora::zafoli::db::beans::jdbc
