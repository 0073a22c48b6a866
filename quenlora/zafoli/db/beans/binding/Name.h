// A binding name: the text alias@column,column%rows under which a data item is published and found on the data
// bus ("All" as rows means every row, as a column every column). Builds, splits and compares these texts.
// A copyable value; not safe for concurrent use of one object (getFullName() stores what it rebuilds).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/lang/Object.h"

namespace quenlora::zafoli::db::beans::binding {

class Name : public plat::lang::Object {
 public:
  static constexpr const char* TableSeparator = "@";
  static constexpr const char* ColumnSeparator = ",";
  static constexpr const char* SizeSeparator = "%";
  static constexpr const char* AllColumnsString = "All";
  static constexpr const char* AllRowsString = "All";
  static constexpr int AllRows = -1;
  static constexpr int ColumnNotFoundField = -666;
  static constexpr int NumericColumnOffset = 1;
  static constexpr const char* LinkSeparator = "-";
  static constexpr const char* AliasSeparator = "=";
  static constexpr const char* MethodSeparator = ";";
  // How a data source's own name ends: its four virtual columns after the real ones.
  static constexpr const char* VirtualColumnsSuffix = ",RowNumber,RowState,NumberOfRows,CurrentDataSource";
  static constexpr int NumberOfVirtualColumns = 4;

  Name() = default;
  // The constructors that parse throw plat::lang::NumberFormatException for a bad row count.
  explicit Name(const std::string& text);
  Name(const std::string& alias, const std::string& columns);
  Name(const std::string& alias, const std::string& columns, int rows);

  // The parts of any text: the alias ("" without "@"), the column list, and the row count (-1 for "All"; 1
  // without "%", 0 for the empty text). getNumberOfRows throws NumberFormatException for anything but "All" or a
  // decimal int that is -1 or more.
  static std::string getTableName(const std::string& text);
  static std::string getFieldName(const std::string& text);
  static int getNumberOfRows(const std::string& text);
  // 0 for an empty column list, else 1 plus its number of ",".
  static int getNumberOfCols(const std::string& text);

  // Takes text as the full name and sets the parts from it; on a bad row count nothing changes.
  void setName(const std::string& text);
  void setTableName(const std::string& alias) { TableName = alias; }
  void setFieldName(const std::string& columns) { FieldName = columns; }
  void setNumberOfRows(int rows) { NumberOfRows = rows; }
  const std::string& getTableName() const { return TableName; }
  const std::string& getFieldName() const { return FieldName; }
  int getNumberOfRows() const { return NumberOfRows; }

  // alias@columns%rows (rows in decimal, so all rows read "%-1"), stored as the full name; "none" while the alias
  // or the column list is empty, leaving the stored text alone.
  std::string getFullName();
  int getNumberOfCols() const;

  // 0-based position of one column of this name: a column number from 1 to the column count, else the first
  // entry equal to the text. Unknown: writes "column <text> not found" on standard output, gives -666.
  int getColumnFromName(const std::string& column) const;
  // The positions in this name of every column of another name. "All" stands for every column of this name, less
  // the four virtual columns when this name ends with them.
  std::vector<int> getColumnsFromName(const std::string& text) const;
  // Whether this name serves a requested name: same alias, and a first column that is "All", one of this name's
  // columns, or a column number within its count.
  virtual bool isMyField(const std::string& text) const;

  // Whether the column list ends with the four virtual columns of a data source.
  bool hasVirtualColumns() const;
  // The column list without the four virtual columns when it ends with them, else the whole list.
  std::string getRealFieldName() const;

  std::string toString() const override { return FullName; }
  std::string getClassName() const override { return "quenlora.zafoli.db.beans.binding.Name"; }

 private:
  int positionOf(std::string_view column) const;

  std::string FullName;
  std::string TableName;
  std::string FieldName;
  int NumberOfRows = 1;
};

}  // namespace quenlora::zafoli::db::beans::binding
