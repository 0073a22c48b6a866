#include "quenlora/zafoli/db/beans/binding/Name.h"

#include <charconv>
#include <optional>
#include <string_view>

#include "platform/lang/Exceptions.h"
#include "platform/lang/Integer.h"
#include "platform/lang/System.h"

namespace quenlora::zafoli::db::beans::binding {

namespace {

using std::string_view;

// The value of a text of ASCII digits only that fits an int; nothing for anything else, so that a column
// number too large for an int is taken as a column name.
std::optional<int> columnNumber(string_view text) {
  if (text.empty()) return std::nullopt;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

int parseRowCount(const std::string& text) {
  if (text == Name::AllRowsString) return Name::AllRows;
  int rows = plat::lang::Integer::parseInt(text);
  // -1 is the one negative count: the text that getFullName() writes for all rows.
  if (rows < Name::AllRows) throw plat::lang::NumberFormatException("For input string: \"" + text + "\"");
  return rows;
}

// The parts of a name's text, as views into it: names are split on every request, so without copies.
string_view aliasOf(string_view text) {
  std::size_t at = text.find('@');
  return at == string_view::npos ? string_view() : text.substr(0, at);
}

string_view columnsOf(string_view text) {
  std::size_t at = text.find('@');
  std::size_t start = at == string_view::npos ? 0 : at + 1;
  std::size_t end = text.find('%', start);
  return text.substr(start, end == string_view::npos ? string_view::npos : end - start);
}

string_view firstEntry(string_view list) {
  return list.substr(0, list.find(','));
}

int countColumns(string_view list) {
  if (list.empty()) return 0;
  int count = 1;
  for (char c : list) {
    if (c == ',') ++count;
  }
  return count;
}

// Index of the first entry of list equal to column, or -1. One pass over the list, comparing in place: names
// are looked up on every request.
int entryIndex(string_view list, string_view column) {
  if (list.empty() || column.find(',') != string_view::npos) return -1;  // no entry holds a separator
  const std::size_t n = list.size();
  const std::size_t m = column.size();
  std::size_t i = 0;
  for (int index = 0;; ++index) {
    std::size_t j = 0;
    while (j < m && i + j < n && list[i + j] == column[j]) ++j;
    i += j;
    if (j == m && (i == n || list[i] == ',')) return index;
    while (i < n && list[i] != ',') ++i;
    if (i == n) return -1;
    ++i;  // past the ","
  }
}

constexpr string_view kVirtualSuffix = Name::VirtualColumnsSuffix;
// The four virtual columns with nothing before them.
constexpr string_view kVirtualOnly = kVirtualSuffix.substr(1);

}  // namespace

Name::Name(const std::string& text) {
  setName(text);
}

Name::Name(const std::string& alias, const std::string& columns) {
  setName(alias + TableSeparator + columns + "%1");
}

Name::Name(const std::string& alias, const std::string& columns, int rows) {
  setName(alias + TableSeparator + columns + SizeSeparator + std::to_string(rows));
}

std::string Name::getTableName(const std::string& text) {
  return std::string(aliasOf(text));
}

std::string Name::getFieldName(const std::string& text) {
  return std::string(columnsOf(text));
}

int Name::getNumberOfRows(const std::string& text) {
  std::size_t percent = text.find('%');
  if (percent == std::string::npos) return text.empty() ? 0 : 1;
  return parseRowCount(text.substr(percent + 1));
}

int Name::getNumberOfCols(const std::string& text) {
  return countColumns(columnsOf(text));
}

void Name::setName(const std::string& text) {
  int rows = getNumberOfRows(text);  // the one step that can fail: first, so a failure changes nothing
  FullName = text;
  TableName = aliasOf(text);
  FieldName = columnsOf(text);
  NumberOfRows = rows;
}

std::string Name::getFullName() {
  if (TableName.empty() || FieldName.empty()) return "none";
  FullName = TableName + TableSeparator + FieldName + SizeSeparator + std::to_string(NumberOfRows);
  return FullName;
}

int Name::getNumberOfCols() const {
  // Counted on the column list itself, so that a name assembled with the setters counts what it holds.
  return countColumns(FieldName);
}

int Name::positionOf(std::string_view column) const {
  std::size_t comma = column.find(',');
  if (comma != std::string_view::npos && comma > 0) column = column.substr(0, comma);
  std::optional<int> number = columnNumber(column);
  if (number && *number >= NumericColumnOffset && *number <= getNumberOfCols()) return *number - NumericColumnOffset;
  int found = entryIndex(FieldName, column);
  if (found >= 0) return found;
  plat::lang::System::out().println("column " + std::string(column) + " not found");
  return ColumnNotFoundField;
}

int Name::getColumnFromName(const std::string& column) const {
  return positionOf(column);
}

std::vector<int> Name::getColumnsFromName(const std::string& text) const {
  std::string_view columns = columnsOf(text);
  std::vector<int> positions;
  if (columns == AllColumnsString) {
    int count = getNumberOfCols();
    if (hasVirtualColumns()) count -= NumberOfVirtualColumns;
    for (int i = 0; i < count; ++i) positions.push_back(i);
    return positions;
  }
  // Every entry counts, the empty ones too: 1 plus the number of ",".
  std::size_t start = 0;
  for (;;) {
    std::size_t comma = columns.find(',', start);
    positions.push_back(positionOf(columns.substr(start, comma == std::string_view::npos ? comma : comma - start)));
    if (comma == std::string_view::npos) return positions;
    start = comma + 1;
  }
}

bool Name::isMyField(const std::string& text) const {
  if (aliasOf(text) != TableName) return false;
  std::string_view first = firstEntry(columnsOf(text));
  if (first == AllColumnsString) return true;
  if (entryIndex(FieldName, first) >= 0) return true;
  std::optional<int> number = columnNumber(first);
  return number && *number >= NumericColumnOffset && *number <= getNumberOfCols();
}

bool Name::hasVirtualColumns() const {
  std::string_view columns = FieldName;
  if (columns == kVirtualOnly) return true;
  return columns.size() > kVirtualSuffix.size() &&
         columns.substr(columns.size() - kVirtualSuffix.size()) == kVirtualSuffix;
}

std::string Name::getRealFieldName() const {
  if (!hasVirtualColumns()) return FieldName;
  if (FieldName == kVirtualOnly) return std::string();
  return FieldName.substr(0, FieldName.size() - kVirtualSuffix.size());
}

}  // namespace quenlora::zafoli::db::beans::binding
