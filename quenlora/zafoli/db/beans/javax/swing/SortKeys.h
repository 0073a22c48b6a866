// The sort columns' cells of every model row, read once before a sort and turned into keys that compare in a few
// instructions. A column whose values are all of one family becomes one unsigned number per row whose order is the
// cells' order (null lowest); a column mixing families keeps a family tag, its number or time and the rank of its
// text; a column with an application comparator keeps its raw values for it. Keys compare exactly as the raw values
// would under the table's cell order. Built and used by one thread during one sort; not thread-safe.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/lang/Value.h"
#include "quenlora/zafoli/db/beans/javax/swing/TableSorting.h"

namespace quenlora::zafoli::db::beans::javax::swing {

class SortKeys {
 public:
  SortKeys() = default;
  SortKeys(const SortKeys&) = delete;
  SortKeys& operator=(const SortKeys&) = delete;

  // One column of the sort list: its cells by model row, and its comparator (borrowed; null for none).
  void addColumn(std::vector<plat::lang::Value> cells, bool ascending, ColumnSorter* sorter);
  void clear() {
    columns_.clear();
    rows_ = kAllRows;
  }
  // Whether both model rows have keys in every column.
  bool covers(int rowA, int rowB) const {
    return rowA >= 0 && rowB >= 0 && static_cast<std::size_t>(rowA) < rows_ && static_cast<std::size_t>(rowB) < rows_;
  }

  // Whether every column is one of ordered numbers: then the numbers of a row, each reversed for a descending
  // column, order two rows lexicographically exactly as compare() does.
  bool ordinalOnly() const {
    for (const Column& column : columns_) {
      if (column.form != Form::Ordinal) return false;
    }
    return true;
  }
  std::size_t width() const { return columns_.size(); }
  // The ordered number of a covered row in an ordinal column.
  std::uint64_t ordinal(std::size_t column, int row) const {
    const Column& c = columns_[column];
    const std::uint64_t value = c.ordinals[static_cast<std::size_t>(row)];
    return c.ascending ? value : ~value;
  }

  // The order of two model rows under the sort list (negative, zero or positive); both must be covered.
  int compare(int rowA, int rowB) const {
    const auto a = static_cast<std::size_t>(rowA);
    const auto b = static_cast<std::size_t>(rowB);
    for (const Column& column : columns_) {
      int result;
      switch (column.form) {
        case Form::Ordinal:
          result = sign(column.ordinals[a], column.ordinals[b]);
          break;
        case Form::Mixed:
          result = compareKeys(column.keys[a], column.keys[b]);
          break;
        default:
          result = column.compareCells(a, b);
          break;
      }
      if (result != 0) return column.ascending ? result : -result;
    }
    return 0;
  }

 private:
  enum class Form : std::uint8_t { Ordinal, Mixed, Cells };
  enum class Family : std::uint8_t { Null, Number, DateTime, Boolean, Other };

  // A cell of a mixed column.
  struct Key {
    union {
      double number;       // Number
      std::int64_t order;  // DateTime: milliseconds; Boolean: 0 or 1
    };
    std::uint32_t text;  // rank of the value's text
    Family family;
  };

  struct Column {
    Form form = Form::Cells;
    bool ascending = true;
    std::vector<std::uint64_t> ordinals;   // Ordinal: by model row, 0 for null
    std::vector<Key> keys;                 // Mixed: by model row
    std::vector<plat::lang::Value> cells;  // Cells: by model row, for the comparator
    ColumnSorter* sorter = nullptr;

    int compareCells(std::size_t rowA, std::size_t rowB) const;
  };

  template <class T>
  static int sign(T a, T b) {
    return a < b ? -1 : (a > b ? 1 : 0);
  }

  static int compareKeys(const Key& a, const Key& b) {
    if (a.family != b.family) {
      if (a.family == Family::Null) return -1;
      if (b.family == Family::Null) return 1;
      // Values of two families have no common order but their texts.
      return sign(a.text, b.text);
    }
    switch (a.family) {
      case Family::Null:
        return 0;
      case Family::Number:
        return sign(a.number, b.number);
      case Family::DateTime:
      case Family::Boolean:
        return sign(a.order, b.order);
      case Family::Other:
        break;
    }
    return sign(a.text, b.text);
  }

  static void build(Column& column, const std::vector<plat::lang::Value>& cells);
  // Sets the text rank of every non-null cell's key.
  static void rankTexts(std::vector<Key>& keys, const std::vector<plat::lang::Value>& cells);

  static constexpr std::size_t kAllRows = static_cast<std::size_t>(-1);

  std::vector<Column> columns_;
  std::size_t rows_ = kAllRows;  // rows every column covers
};

}  // namespace quenlora::zafoli::db::beans::javax::swing
