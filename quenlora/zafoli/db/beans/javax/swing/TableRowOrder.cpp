#include "quenlora/zafoli/db/beans/javax/swing/TableRowOrder.h"

#include <algorithm>
#include <exception>
#include <stdexcept>

#include "platform/lang/System.h"
#include "platform/lang/Throwable.h"
#include "platform/text/CaseMapping.h"
#include "platform/text/Utf16.h"

namespace quenlora::zafoli::db::beans::javax::swing {

using plat::lang::Value;

namespace {

enum class Family { Number, DateTime, Boolean, Other };

Family familyOf(const Value& v) {
  if (v.isNumber()) return Family::Number;
  if (v.is(Value::Kind::DateTime)) return Family::DateTime;
  if (v.is(Value::Kind::Boolean)) return Family::Boolean;
  return Family::Other;
}

int sign(double a, double b) {
  return a < b ? -1 : (a > b ? 1 : 0);
}
int sign(std::int64_t a, std::int64_t b) {
  return a < b ? -1 : (a > b ? 1 : 0);
}
int sign(int v) {
  return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

int compareTexts(const Value& a, const Value& b) {
  // Strings are compared where they lie; other kinds by their runtime text.
  if (a.is(Value::Kind::String) && b.is(Value::Kind::String)) {
    return sign(plat::text::utf16::compare(a.getString(), b.getString()));
  }
  return sign(plat::text::utf16::compare(a.toString(), b.toString()));
}

void report(const std::string& message) {
  plat::lang::System::out().println(message);
}

}  // namespace

TableRowOrder::TableRowOrder(CellReader cells, ColumnReader columns)
    : cells_(std::move(cells)), columns_(std::move(columns)) {}

void TableRowOrder::addColumnSorter(const plat::lang::Ref<ColumnSorter>& sorter) {
  if (!sorter) return;
  const std::string name = sorter->getColumnName();
  for (const auto& known : sorters_) {
    if (plat::text::equalsIgnoreCase(known->getColumnName(), name)) return;
  }
  sorters_.push_back(sorter);
}

ColumnSorter* TableRowOrder::sorterFor(int column) const {
  if (column < 0 || static_cast<std::size_t>(column) >= columnNames_.size()) return nullptr;
  const std::string& name = columnNames_[static_cast<std::size_t>(column)];
  for (const auto& sorter : sorters_) {
    if (plat::text::equalsIgnoreCase(sorter->getColumnName(), name)) return sorter.get();
  }
  return nullptr;
}

void TableRowOrder::update(int rowCount) {
  const std::size_t rows = static_cast<std::size_t>(std::max(rowCount, 0));
  if (rows == indexes_.size()) return;
  if (rows > indexes_.size()) {
    for (std::size_t v = indexes_.size(); v < rows; ++v) indexes_.push_back(static_cast<int>(v));
    return;
  }
  indexes_.resize(rows);
  for (std::size_t v = 0; v < rows; ++v) indexes_[v] = static_cast<int>(v);
}

int TableRowOrder::toModel(int viewRow) const {
  if (viewRow < 0 || static_cast<std::size_t>(viewRow) >= indexes_.size()) return viewRow;
  return indexes_[static_cast<std::size_t>(viewRow)];
}

int TableRowOrder::toView(int modelRow) const {
  auto found = std::find(indexes_.begin(), indexes_.end(), modelRow);
  return found == indexes_.end() ? modelRow : static_cast<int>(found - indexes_.begin());
}

void TableRowOrder::click(int modelColumn, bool shift) {
  if (!shift) {
    ascending_ = !(modelColumn == lastSortColumn_ && ascending_);
    sortingColumns_.assign(1, SortSpec{modelColumn, ascending_});
  } else {
    auto found = std::find_if(sortingColumns_.begin(), sortingColumns_.end(),
                              [modelColumn](const SortSpec& s) { return s.column == modelColumn; });
    if (found != sortingColumns_.end()) {
      found->ascending = !found->ascending;
    } else {
      sortingColumns_.push_back(SortSpec{modelColumn, true});
    }
  }
  lastSortColumn_ = modelColumn;
}

void TableRowOrder::readKeys() {
  // Keys are indexed by model row; the map holds every model row 0..n-1 once.
  const int rows = static_cast<int>(indexes_.size());
  std::vector<int> columns;
  for (const SortSpec& spec : sortingColumns_) columns.push_back(spec.column);
  std::vector<std::vector<Value>> cells;
  if (columns_) {
    cells = columns_(columns, rows);
  } else {
    cells.resize(columns.size());
    for (std::size_t s = 0; s < columns.size(); ++s) {
      cells[s].reserve(indexes_.size());
      for (int row = 0; row < rows; ++row) cells[s].push_back(cells_(row, columns[s]));
    }
  }
  if (cells.size() != columns.size()) throw std::length_error("The table gave no cells for a sort column");
  for (std::size_t s = 0; s < columns.size(); ++s) {
    keys_.addColumn(std::move(cells[s]), sortingColumns_[s].ascending, sorterFor(columns[s]));
  }
}

bool TableRowOrder::sort(SortAlgorithm& algorithm) {
  std::vector<int> from = indexes_;
  std::vector<int> to = indexes_;
  std::string failure;
  keys_.clear();
  try {
    readKeys();
    sorting_ = true;
    algorithm.sort(from, to);
  } catch (const plat::lang::Throwable& e) {
    failure = e.getMessage().empty() ? e.toString() : e.getMessage();
  } catch (const std::exception& e) {
    failure = e.what();
  }
  sorting_ = false;
  keys_.clear();
  if (failure.empty()) {
    // An algorithm may hand back anything: only a permutation of the rows may become the map.
    std::vector<bool> seen(indexes_.size(), false);
    bool permutation = to.size() == indexes_.size();
    for (std::size_t i = 0; permutation && i < to.size(); ++i) {
      const int row = to[i];
      permutation = row >= 0 && static_cast<std::size_t>(row) < seen.size() && !seen[static_cast<std::size_t>(row)];
      if (permutation) seen[static_cast<std::size_t>(row)] = true;
    }
    if (permutation) {
      indexes_ = std::move(to);
      return true;
    }
    failure = "The sort algorithm did not give back every row once; the order is kept";
  }
  report(failure);
  return false;
}

int TableRowOrder::compare(int rowA, int rowB) const {
  if (sorting_ && keys_.covers(rowA, rowB)) return keys_.compare(rowA, rowB);
  for (const SortSpec& spec : sortingColumns_) {
    const int result = compareValues(cells_(rowA, spec.column), cells_(rowB, spec.column), sorterFor(spec.column));
    if (result != 0) return spec.ascending ? result : -result;
  }
  return 0;
}

int TableRowOrder::compareValues(const Value& a, const Value& b, ColumnSorter* sorter) {
  if (a.isNull() && b.isNull()) return 0;
  if (a.isNull()) return -1;
  if (b.isNull()) return 1;
  // Only the sign counts, so that negating a descending result can never overflow.
  if (sorter != nullptr) return sign(sorter->compare(a, b));
  // The common cases first: two texts, or two integers (whose doubles would order them alike).
  if (a.kind() == b.kind()) {
    if (a.is(Value::Kind::String)) return sign(plat::text::utf16::compare(a.getString(), b.getString()));
    if (a.is(Value::Kind::Int))
      return sign(static_cast<std::int64_t>(a.getInt()), static_cast<std::int64_t>(b.getInt()));
  }
  const Family family = familyOf(a);
  // Values of two families have no common order but their texts; mixing them would break the sort's order.
  if (family != familyOf(b)) return compareTexts(a, b);
  switch (family) {
    case Family::Number:
      return sign(a.doubleValue(), b.doubleValue());
    case Family::DateTime:
      return sign(a.getDateTime().getTime(), b.getDateTime().getTime());
    case Family::Boolean:
      return a.getBoolean() == b.getBoolean() ? 0 : (a.getBoolean() ? 1 : -1);
    case Family::Other:
      break;
  }
  return compareTexts(a, b);
}

}  // namespace quenlora::zafoli::db::beans::javax::swing
