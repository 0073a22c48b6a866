#include "quenlora/zafoli/db/beans/binding/ItemGrid.h"

#include <optional>
#include <string>

#include "platform/lang/System.h"
#include "quenlora/zafoli/db/beans/binding/DataInput.h"
#include "quenlora/zafoli/db/beans/binding/MutableCollectionItem.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataItemChangedListener.h"
#include "quenlora/zafoli/db/beans/binding/databus/MutableImmediateAccess.h"
#include "quenlora/zafoli/db/beans/util/LocalizedValueGenerator.h"

namespace quenlora::zafoli::db::beans::binding {

namespace {

using databus::CollectionAccess;
using databus::DataItem;
using databus::ImmediateAccess;
using databus::MutableCollectionAccess;
using databus::MutableImmediateAccess;
using plat::lang::Ref;
using plat::lang::Value;

std::optional<int> statusOf(DataItem* item) {
  if (auto* addition = dynamic_cast<DataItemAddition*>(item)) return addition->getStatusFlag();
  return std::nullopt;
}

void markModified(DataItem* item) {
  if (auto* addition = dynamic_cast<DataItemAddition*>(item)) addition->setStatusFlag(DataItemAddition::MODIFIED);
}

std::vector<Ref<DataItem>> membersOf(CollectionAccess& collection) {
  if (auto* own = dynamic_cast<MutableCollectionItem*>(&collection)) return own->getDataItems();
  std::vector<Ref<DataItem>> members;
  auto cursor = collection.getCursor();
  for (auto member = cursor->getCurrentItem(); member; member = cursor->getNextItem()) members.push_back(member);
  return members;
}

int memberCount(CollectionAccess& collection) {
  if (auto* own = dynamic_cast<MutableCollectionItem*>(&collection)) return own->getItemCount();
  return static_cast<int>(membersOf(collection).size());
}

void listen(const Ref<MutableCollectionAccess>& collection, const Ref<DataItem>& member) {
  if (auto own = std::dynamic_pointer_cast<MutableCollectionItem>(collection)) {
    own->listenTo(member);
  } else if (auto listener = std::dynamic_pointer_cast<databus::DataItemChangedListener>(collection)) {
    member->addDataItemChangedListener(listener);
  }
}

void stopListening(const Ref<MutableCollectionAccess>& collection, const Ref<DataItem>& member) {
  if (!member) return;
  if (auto own = std::dynamic_pointer_cast<MutableCollectionItem>(collection)) {
    own->stopListeningTo(member);
  } else if (auto listener = std::dynamic_pointer_cast<databus::DataItemChangedListener>(collection)) {
    member->removeDataItemChangedListener(listener);
  }
}

// Hands a cell to MutableImmediateAccess::setValue() without copying it first: the cell outlives the call.
class CellValue : public ImmediateAccess {
 public:
  explicit CellValue(const Value& cell) : cell_(cell) {}
  std::string getPresentationString() const override { return "String"; }
  Value getValueAsObject() const override { return cell_; }
  std::optional<std::string> getValueAsString() const override {
    if (cell_.isNull()) return std::nullopt;
    return cell_.toString();
  }
  void addDataItemChangedListener(const Ref<databus::DataItemChangedListener>&) override {}
  void removeDataItemChangedListener(const Ref<databus::DataItemChangedListener>&) override {}
  std::string getClassName() const override { return "quenlora.zafoli.db.beans.binding.NewValue"; }

 private:
  const Value& cell_;
};

// Switches a host flag off for a scope and on again on every exit.
class FlagOff {
 public:
  using Setter = void (GridHost::*)(bool);
  FlagOff(GridHost& host, Setter setter) : host_(host), setter_(setter) { (host_.*setter_)(false); }
  ~FlagOff() { (host_.*setter_)(true); }
  FlagOff(const FlagOff&) = delete;
  FlagOff& operator=(const FlagOff&) = delete;

 private:
  GridHost& host_;
  Setter setter_;
};

class Filler {
 public:
  explicit Filler(GridHost& host) : host_(host) {}

  // A one-by-one grid into a one-value item (null: a new one); nothing for an item of another kind.
  Ref<DataItem> fillOne(const Value& cell, const Ref<DataItem>& item) {
    Ref<MutableImmediateAccess> immediate;
    Ref<DataInput> created;
    if (!item) {
      immediate = created = plat::lang::makeRef<DataInput>();
    } else if (auto* access = dynamic_cast<MutableImmediateAccess*>(item.get())) {
      immediate = Ref<MutableImmediateAccess>(item, access);
    } else {
      return nullptr;
    }
    {
      FlagOff quiet(host_, &GridHost::setNotifyOn);
      immediate->setValue(CellValue(cell));
    }
    if (created) created->setStatusFlag(DataItemAddition::NEW);
    return immediate;
  }

  Ref<DataItem> fill(const Grid& grid, Ref<DataItem> item, int depth) {
    static const Grid kOneNullCell{{Value()}};
    const Grid& g = grid.empty() ? kOneNullCell : grid;
    const int rows = static_cast<int>(g.size());
    const int cols = static_cast<int>(g.front().size());
    auto cell = [&](int r, int c) { return c < static_cast<int>(g[r].size()) ? g[r][c] : Value(); };

    if (rows == 1 && cols == 1) {
      if (Ref<DataItem> filled = fillOne(g[0][0], item)) return filled;
    }

    Ref<MutableCollectionAccess> collection;
    if (!item) {
      auto made = plat::lang::makeRef<MutableCollectionItem>();
      made->setStatusFlag(DataItemAddition::NEW);
      collection = made;
    } else {
      collection = std::dynamic_pointer_cast<MutableCollectionAccess>(item);
      if (!collection) {
        plat::lang::System::out().println("data item " + item->toString() + " cannot take a grid of " +
                                          std::to_string(rows) + " by " + std::to_string(cols));
        return item;
      }
    }
    ++depth;
    auto cursor = collection->getCursor();
    const bool splitRow = depth > 1 && rows == 1;
    const int count = splitRow ? cols : rows;
    const int height = memberCount(*collection);

    int surplus = 0;
    if (depth == 1) {
      surplus = height - rows;
      for (int k = 0; k < surplus; ++k) {
        if (auto passed = cursor->getNextItem()) markModified(passed.get());
      }
    }

    // The cursor stays on the last member when asked to move past it, so the end is tracked here.
    bool pastEnd = !cursor->getCurrentItem();
    int next = surplus > 0 ? surplus : 0;  // index of the first member not refilled yet
    for (int i = 0; i < count; ++i) {
      Grid slice;
      if (splitRow) {
        slice = {{cell(0, i)}};
      } else {
        std::vector<Value> row;
        row.reserve(static_cast<std::size_t>(cols));
        for (int c = 0; c < cols; ++c) row.push_back(cell(i, c));
        slice = {std::move(row)};
      }
      Ref<DataItem> current = pastEnd ? nullptr : cursor->getCurrentItem();
      if (current) {
        fill(slice, current, depth);
        if (depth == 1 && surplus != 0 && statusOf(current.get())) markModified(current.get());
        if (!cursor->getNextItem()) pastEnd = true;
      } else {
        Ref<DataItem> member = fill(slice, nullptr, depth);
        listen(collection, member);
        collection->addDataItem(member);
        pastEnd = true;
      }
      ++next;
    }

    // Members after the last refilled one have no row any more.
    for (auto& stale : removeFrom(*collection, next)) {
      stopListening(collection, stale);
      collection->removeDataItem(stale);
    }

    if (depth == 1 && surplus > 0) {
      cursor->reset();
      FlagOff sizeQuiet(host_, &GridHost::setNotifySizeOnStatic);
      for (int k = 0; k < surplus; ++k) {
        // Consumers rewrite their output on the last size change only.
        if (k == surplus - 1) host_.setNotifySizeOnStatic(true);
        Ref<DataItem> first = cursor->getCurrentItem();
        stopListening(collection, first);
        collection->removeAtCursor(*cursor);
      }
    }
    cursor->reset();
    return collection;
  }

 private:
  // The members from index on, in order.
  static std::vector<Ref<DataItem>> removeFrom(CollectionAccess& collection, int index) {
    std::vector<Ref<DataItem>> members = membersOf(collection);
    if (index >= static_cast<int>(members.size())) return {};
    return std::vector<Ref<DataItem>>(members.begin() + index, members.end());
  }

  GridHost& host_;
};

bool isTimestampBean(const OutputComponent& component) {
  const auto output = component.getOutput();
  return output && output->getClassName() == ItemGrid::TimestampOutputClass;
}

void put(GridHost& host, const std::vector<int>* positions, const Value& value, int row, int col) {
  int column = col;
  if (positions) {
    if (col < 0 || col >= static_cast<int>(positions->size())) return;
    column = (*positions)[static_cast<std::size_t>(col)];
  }
  OutputComponent* component = host.getOutputComponent();
  if (!component) return;
  // The value is copied only when it is turned into another one: a decimal copy is not cheap. The output's class
  // matters only to localization, so it is asked for only then.
  if (host.isLocalizationUsed() && !isTimestampBean(*component)) {
    Value shown = util::LocalizedValueGenerator::formatValue(value, host.isFormatNumbers());
    if (shown.isNull() && host.isEmptyMeansNull()) shown = Value(std::string());
    component->setPrintOut(shown, row - host.getOffset(), column);
  } else if (value.isNull() && host.isEmptyMeansNull()) {
    component->setPrintOut(Value(std::string()), row - host.getOffset(), column);
  } else {
    component->setPrintOut(value, row - host.getOffset(), column);
  }
}

void writeAt(DataItem& item, const std::vector<int>* positions, GridHost& host, bool everyMember, int depth, int row,
             int col) {
  if (auto* immediate = dynamic_cast<ImmediateAccess*>(&item)) {
    put(host, positions, immediate->getValueAsObject(), row, col);
    return;
  }
  auto* collection = dynamic_cast<CollectionAccess*>(&item);
  if (!collection) return;
  ++depth;
  for (const Ref<DataItem>& member : membersOf(*collection)) {
    std::optional<int> status = statusOf(member.get());
    if (everyMember || !status || *status != DataItemAddition::EXISTING) {
      writeAt(*member, positions, host, everyMember, depth, row, col);
    }
    // Skipped members take their row or column too, so later values land in their own cells.
    if (depth == 1) {
      ++row;
    } else if (depth == 2) {
      ++col;
    }
  }
}

}  // namespace

Ref<DataItem> ItemGrid::fill(const Grid& grid, Ref<DataItem> item, GridHost& host) {
  if (host.isProvider()) {
    host.setNotifyOnDS(false);
    host.setNotifyOnStatic(false);
  }
  return Filler(host).fill(grid, std::move(item), 0);
}

Ref<DataItem> ItemGrid::fill(const Value& cell, Ref<DataItem> item, GridHost& host) {
  if (host.isProvider()) {
    host.setNotifyOnDS(false);
    host.setNotifyOnStatic(false);
  }
  Filler filler(host);
  if (Ref<DataItem> filled = filler.fillOne(cell, item)) return filled;
  return filler.fill(Grid{{cell}}, std::move(item), 0);
}

void ItemGrid::write(DataItem& item, const std::vector<int>* positions, GridHost& host, bool everyMember) {
  writeAt(item, positions, host, everyMember, 0, 0, 0);
}

void ItemGrid::write(const ImmediateAccess& item, const std::vector<int>* positions, GridHost& host) {
  put(host, positions, item.getValueAsObject(), 0, 0);
}

GridSize ItemGrid::sizeOf(DataItem& item) {
  if (dynamic_cast<ImmediateAccess*>(&item)) return {1, 1};
  auto* collection = dynamic_cast<CollectionAccess*>(&item);
  if (!collection) return {0, 0};
  std::vector<Ref<DataItem>> members = membersOf(*collection);
  if (members.empty()) return {0, 0};
  GridSize size{0, static_cast<int>(members.size())};
  DataItem& first = *members.front();
  if (auto* row = dynamic_cast<CollectionAccess*>(&first)) {
    size.width = memberCount(*row);
  } else if (dynamic_cast<ImmediateAccess*>(&first)) {
    size.width = 1;  // a single column over several rows
  }
  return size;
}

}  // namespace quenlora::zafoli::db::beans::binding
