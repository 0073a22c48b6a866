// The two algorithms that move values between a grid (rows by columns) and a data item: filling an item from a
// grid (building it, or refilling it in place so that only real changes are announced), and writing an item's
// new and modified values into an output. Also the size of an item as a grid. Stateless; the item and host
// decide what may run concurrently.
#pragma once

#include <vector>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/binding/GridHost.h"
#include "quenlora/zafoli/db/beans/binding/GridSize.h"
#include "quenlora/zafoli/db/beans/binding/OutputComponent.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataItem.h"
#include "quenlora/zafoli/db/beans/binding/databus/ImmediateAccess.h"

namespace quenlora::zafoli::db::beans::binding {

class ItemGrid {
 public:
  ItemGrid() = delete;

  static constexpr const char* TimestampOutputClass = "quenlora.zafoli.db.awt.DBTstamp";

  // Fills item (null: a new one) from grid. A one-by-one grid fills a one-value item; anything else a collection:
  // one member per row, a row of several columns being a collection of its cells. A collection taller than the
  // grid keeps its last members. An item whose kind cannot take the grid is returned unchanged, with one line on
  // standard output. A grid without rows counts as one null cell; short rows are padded with nulls.
  static plat::lang::Ref<databus::DataItem> fill(const Grid& grid, plat::lang::Ref<databus::DataItem> item,
                                                 GridHost& host);
  // The same for a one-by-one grid holding cell.
  static plat::lang::Ref<databus::DataItem> fill(const plat::lang::Value& cell, plat::lang::Ref<databus::DataItem> item,
                                                 GridHost& host);

  // Writes item into the host's output: a value at (row - offset, column), the column taken from positions when
  // given. Members of a collection that are EXISTING are skipped unless everyMember is set; rows and columns
  // advance past skipped members as past written ones.
  static void write(databus::DataItem& item, const std::vector<int>* positions, GridHost& host, bool everyMember);
  // The same for an item known to hold one value.
  static void write(const databus::ImmediateAccess& item, const std::vector<int>* positions, GridHost& host);

  // One-value items are 1 by 1; a collection is as high as it has members and as wide as its first member (a
  // collection: its member count; a one-value item: 1); an empty collection is 0 by 0.
  static GridSize sizeOf(databus::DataItem& item);
};

}  // namespace quenlora::zafoli::db::beans::binding
