// Whole-column reads give every cell exactly as single-cell reads do, whatever the rows and cells are made of, and
// stay sound while another thread changes the values and the rows.
#include "quenlora/zafoli/db/beans/javax/swing/LookupRows.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "quenlora/zafoli/db/beans/binding/DataInput.h"
#include "quenlora/zafoli/db/beans/binding/MutableCollectionItem.h"
#include "quenlora/zafoli/db/beans/binding/NewValue.h"

namespace quenlora::zafoli::db::beans::javax::swing {
namespace {

using binding::DataInput;
using binding::MutableCollectionItem;
using binding::NewValue;
using binding::databus::DataItem;
using plat::lang::makeRef;
using plat::lang::Ref;
using plat::lang::Value;

// A collection type of the application's own, read through the general path.
class AppRow : public MutableCollectionItem {};

Ref<DataItem> input(const Value& value) {
  auto item = makeRef<DataInput>();
  item->setValue(NewValue(value));
  return item;
}

template <class Row = MutableCollectionItem>
Ref<DataItem> row(std::vector<Ref<DataItem>> cells) {
  auto item = makeRef<Row>();
  for (const auto& cell : cells) item->addDataItem(cell);
  return item;
}

TEST(LookupRows, ColumnsGiveWhatCellGives) {
  auto lookup = makeRef<MutableCollectionItem>();
  lookup->addDataItem(row({input(Value(1)), input(Value("a")), input(Value(2.5))}));
  lookup->addDataItem(row({input(Value("short"))}));                                           // one cell only
  lookup->addDataItem(input(Value(7)));                                                        // one value
  lookup->addDataItem(makeRef<NewValue>(Value("other value")));                                // another value type
  lookup->addDataItem(row({input(Value(3)), makeRef<NewValue>(Value("x")), input(Value())}));  // another cell type
  lookup->addDataItem(row<AppRow>({input(Value(4)), input(Value("app")), input(Value(true))}));
  lookup->addDataItem(row({row({input(Value(5))}), input(Value("nested"))}));  // a cell that is no value
  const int size = lookup->getItemCount();

  const std::vector<std::vector<int>> askings = {{0, 1, 2}, {2, -1, 0}, {1, 5}, {}, {2, 2}};
  for (const auto& columns : askings) {
    for (const int rows : {size, 3, size + 2, 0}) {
      const auto read = LookupRows::columns(lookup.get(), columns, rows);
      ASSERT_EQ(read.size(), columns.size());
      for (std::size_t c = 0; c < columns.size(); ++c) {
        ASSERT_EQ(read[c].size(), static_cast<std::size_t>(rows));
        for (int r = 0; r < rows; ++r) {
          const Value expected = LookupRows::cell(lookup.get(), r, columns[c]);
          EXPECT_TRUE(read[c][static_cast<std::size_t>(r)].equals(expected))
              << "row " << r << " column " << columns[c] << " of " << rows << ": "
              << read[c][static_cast<std::size_t>(r)].toString() << " for " << expected.toString();
        }
      }
    }
  }
  // A lookup that is one value is one row.
  const auto single = input(Value("only"));
  const auto read = LookupRows::columns(single.get(), {1, 0}, 1);
  EXPECT_EQ(read[0][0].toString(), "only");
  EXPECT_EQ(read[1][0].toString(), "only");
}

// The read holds the rows' list, a row's list and a cell at once; a writer takes them one at a time and tells its
// listeners outside them, so neither waits for the other for ever and every value read is one that was written.
TEST(LookupRows, ColumnsReadWhileAnotherThreadWrites) {
  auto lookup = makeRef<MutableCollectionItem>();
  std::vector<Ref<DataItem>> cells;
  for (int r = 0; r < 200; ++r) {
    auto made = row({input(Value(r)), input(Value("t"))});
    cells.push_back(std::dynamic_pointer_cast<MutableCollectionItem>(made)->getDataItem(0));
    lookup->addDataItem(made);
  }
  std::atomic<bool> done{false};
  std::thread writer([&] {
    for (int round = 0; !done.load() && round < 200000; ++round) {
      auto* cell = static_cast<DataInput*>(cells[static_cast<std::size_t>(round) % cells.size()].get());
      cell->setValue(NewValue(round % 2 == 0 ? Value(-1) : Value("written")));
      auto extra = row({input(Value(-2))});
      lookup->addDataItem(extra);
      lookup->removeDataItem(extra);
    }
  });
  for (int pass = 0; pass < 200; ++pass) {
    const auto read = LookupRows::columns(lookup.get(), {0, 1}, 200);
    for (std::size_t r = 0; r < read[0].size(); ++r) {
      const Value& v = read[0][r];
      const bool known = v.toString() == "written" || (v.is(Value::Kind::Int) && v.getInt() >= -2 && v.getInt() < 200);
      ASSERT_TRUE(known) << v.toString();
      ASSERT_EQ(read[1][r].toString(), "t");
    }
  }
  done.store(true);
  writer.join();
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::javax::swing
