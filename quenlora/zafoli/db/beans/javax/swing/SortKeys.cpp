#include "quenlora/zafoli/db/beans/javax/swing/SortKeys.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <deque>
#include <limits>
#include <numeric>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/text/Utf16.h"
#include "quenlora/zafoli/db/beans/javax/swing/TableRowOrder.h"

namespace quenlora::zafoli::db::beans::javax::swing {

using plat::lang::Value;

namespace {

constexpr std::uint64_t kSignBit = std::uint64_t{1} << 63;

// An unsigned number in the order of the doubles, above 0 for every double but a NaN.
std::uint64_t orderedBits(double value) {
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(value == 0 ? 0.0 : value);
  return (bits & kSignBit) != 0 ? ~bits : bits | kSignBit;
}

}  // namespace

int SortKeys::Column::compareCells(std::size_t rowA, std::size_t rowB) const {
  return TableRowOrder::compareValues(cells[rowA], cells[rowB], sorter);
}

void SortKeys::addColumn(std::vector<Value> cells, bool ascending, ColumnSorter* sorter) {
  rows_ = std::min(rows_, cells.size());
  Column column;
  column.ascending = ascending;
  column.sorter = sorter;
  if (sorter != nullptr) {
    column.form = Form::Cells;
    column.cells = std::move(cells);
  } else {
    build(column, cells);
  }
  columns_.push_back(std::move(column));
}

void SortKeys::build(Column& column, const std::vector<Value>& cells) {
  std::vector<Key> keys(cells.size());
  bool needTexts = false;
  // One family without NaN (which equals every number) or the lowest time can be one ordered number per row.
  bool ordinal = true;
  Family seen = Family::Null;  // the first non-null family met
  // Whole numbers that doubles hold exactly become their distance from the least one plus 1: small ordinals, which
  // a sort can pack with its other columns into one machine word.
  constexpr std::int64_t kExact = std::int64_t{1} << 53;
  bool whole = true;
  std::int64_t least = kExact;
  for (std::size_t row = 0; row < cells.size(); ++row) {
    const Value& v = cells[row];
    Key& key = keys[row];
    if (v.isNull()) {
      key.family = Family::Null;
      continue;
    }
    if (v.isNumber()) {
      key.family = Family::Number;
      key.number = v.doubleValue();
      if (std::isnan(key.number)) ordinal = false;
      if (whole) {
        const Value::Kind kind = v.kind();
        whole = kind == Value::Kind::Byte || kind == Value::Kind::Short || kind == Value::Kind::Int ||
                (kind == Value::Kind::Long && v.longValue() >= -kExact && v.longValue() <= kExact);
        if (whole) least = std::min(least, static_cast<std::int64_t>(key.number));
      }
    } else if (v.is(Value::Kind::DateTime)) {
      key.family = Family::DateTime;
      key.order = v.getDateTime().getTime();
      if (key.order == std::numeric_limits<std::int64_t>::min()) ordinal = false;
    } else if (v.is(Value::Kind::Boolean)) {
      key.family = Family::Boolean;
      key.order = v.getBoolean() ? 1 : 0;
    } else {
      key.family = Family::Other;
      needTexts = true;
    }
    if (seen == Family::Null) seen = key.family;
    if (key.family != seen) {
      needTexts = true;
      ordinal = false;
    }
  }
  if (needTexts) rankTexts(keys, cells);
  if (!ordinal) {
    column.form = Form::Mixed;
    column.keys = std::move(keys);
    return;
  }
  column.form = Form::Ordinal;
  column.ordinals.resize(keys.size());
  for (std::size_t row = 0; row < keys.size(); ++row) {
    const Key& key = keys[row];
    std::uint64_t& out = column.ordinals[row];
    switch (key.family) {
      case Family::Null:
        out = 0;
        break;
      case Family::Number:
        out = whole ? 1 + static_cast<std::uint64_t>(static_cast<std::int64_t>(key.number) - least)
                    : orderedBits(key.number);
        break;
      case Family::DateTime:
        out = static_cast<std::uint64_t>(key.order) ^ kSignBit;
        break;
      case Family::Boolean:
        out = 1 + static_cast<std::uint64_t>(key.order);
        break;
      case Family::Other:
        out = 1 + std::uint64_t{key.text};
        break;
    }
  }
}

void SortKeys::rankTexts(std::vector<Key>& keys, const std::vector<Value>& cells) {
  // Every non-null cell's text, once per distinct text; strings are viewed where they lie.
  std::deque<std::string> converted;
  std::vector<std::string_view> texts;
  std::unordered_map<std::string_view, std::uint32_t> ids;
  for (std::size_t row = 0; row < cells.size(); ++row) {
    const Value& v = cells[row];
    if (v.isNull()) continue;
    std::string_view text;
    if (v.is(Value::Kind::String)) {
      text = v.getString();
    } else {
      converted.push_back(v.toString());
      text = converted.back();
    }
    auto [found, added] = ids.try_emplace(text, static_cast<std::uint32_t>(texts.size()));
    if (added) texts.push_back(text);
    keys[row].text = found->second;
  }
  // Ranks by 16-bit code units; texts that compare equal share a rank.
  std::vector<std::uint32_t> byOrder(texts.size());
  std::iota(byOrder.begin(), byOrder.end(), 0u);
  std::sort(byOrder.begin(), byOrder.end(),
            [&texts](std::uint32_t a, std::uint32_t b) { return plat::text::utf16::compare(texts[a], texts[b]) < 0; });
  std::vector<std::uint32_t> rank(texts.size());
  std::uint32_t current = 0;
  for (std::size_t i = 0; i < byOrder.size(); ++i) {
    if (i > 0 && plat::text::utf16::compare(texts[byOrder[i - 1]], texts[byOrder[i]]) != 0) ++current;
    rank[byOrder[i]] = current;
  }
  for (std::size_t row = 0; row < cells.size(); ++row) {
    if (keys[row].family != Family::Null) keys[row].text = rank[keys[row].text];
  }
}

}  // namespace quenlora::zafoli::db::beans::javax::swing
