#include "platform/gui/DefaultListSelectionModel.h"

#include <algorithm>

#include "platform/lang/Exceptions.h"

namespace plat::gui {
namespace {

void setRange(std::vector<bool>& bits, int from, int to, bool value) {
  if (value && static_cast<int>(bits.size()) <= to) bits.resize(static_cast<size_t>(to) + 1, false);
  for (int i = from; i <= to && i < static_cast<int>(bits.size()); ++i) bits[static_cast<size_t>(i)] = value;
}

}  // namespace

void DefaultListSelectionModel::setSelectionInterval(int index0, int index1) {
  if (index0 < 0 || index1 < 0) return;
  if (mode_ == SINGLE_SELECTION) index0 = index1;
  std::vector<bool> bits;
  setRange(bits, std::min(index0, index1), std::max(index0, index1), true);
  apply(std::move(bits), index0, index1);
}

void DefaultListSelectionModel::addSelectionInterval(int index0, int index1) {
  if (index0 < 0 || index1 < 0) return;
  const bool contiguous = isSelectionEmpty() || (std::min(index0, index1) <= getMaxSelectionIndex() + 1 &&
                                                 std::max(index0, index1) >= getMinSelectionIndex() - 1);
  if (mode_ == SINGLE_SELECTION || (mode_ == SINGLE_INTERVAL_SELECTION && !contiguous)) {
    setSelectionInterval(index0, index1);
    return;
  }
  std::vector<bool> bits = selected_;
  setRange(bits, std::min(index0, index1), std::max(index0, index1), true);
  apply(std::move(bits), index0, index1);
}

void DefaultListSelectionModel::removeSelectionInterval(int index0, int index1) {
  if (index0 < 0 || index1 < 0) return;
  std::vector<bool> bits = selected_;
  const int low = std::min(index0, index1);
  const int high = std::max(index0, index1);
  // A single interval may not be split in two: removing from its middle clears up to its end.
  const int to = mode_ == SINGLE_INTERVAL_SELECTION && low > getMinSelectionIndex() ? getMaxSelectionIndex() : high;
  setRange(bits, low, std::max(to, high), false);
  apply(std::move(bits), index0, index1);
}

void DefaultListSelectionModel::clearSelection() {
  apply({}, anchor_, lead_);
}

int DefaultListSelectionModel::getMinSelectionIndex() const {
  for (size_t i = 0; i < selected_.size(); ++i) {
    if (selected_[i]) return static_cast<int>(i);
  }
  return -1;
}

int DefaultListSelectionModel::getMaxSelectionIndex() const {
  for (size_t i = selected_.size(); i > 0; --i) {
    if (selected_[i - 1]) return static_cast<int>(i - 1);
  }
  return -1;
}

bool DefaultListSelectionModel::isSelectedIndex(int index) const {
  return index >= 0 && index < static_cast<int>(selected_.size()) && selected_[static_cast<size_t>(index)];
}

void DefaultListSelectionModel::insertIndexInterval(int index, int length, bool before) {
  if (index < 0 || length <= 0) return;
  const int at = before ? index : index + 1;
  const bool state = isSelectedIndex(index);
  std::vector<bool> bits = selected_;
  if (at < static_cast<int>(bits.size())) {
    bits.insert(bits.begin() + at, static_cast<size_t>(length), state);
  } else if (state) {
    setRange(bits, at, at + length - 1, true);
  }
  const auto shift = [&](int i) { return i >= at ? i + length : i; };
  apply(std::move(bits), shift(anchor_), shift(lead_));
}

void DefaultListSelectionModel::removeIndexInterval(int index0, int index1) {
  if (index0 < 0 || index1 < 0) return;
  const int low = std::min(index0, index1);
  const int high = std::max(index0, index1);
  const int count = high - low + 1;
  std::vector<bool> bits = selected_;
  if (low < static_cast<int>(bits.size())) {
    bits.erase(bits.begin() + low, bits.begin() + std::min(high + 1, static_cast<int>(bits.size())));
  }
  const auto shift = [&](int i) {
    if (i > high) return i - count;
    if (i >= low) return low - 1;
    return i;
  };
  apply(std::move(bits), shift(anchor_), shift(lead_));
}

void DefaultListSelectionModel::setSelectionMode(int mode) {
  if (mode < SINGLE_SELECTION || mode > MULTIPLE_INTERVAL_SELECTION) {
    throw plat::lang::IllegalArgumentException("invalid selectionMode");
  }
  mode_ = mode;
}

void DefaultListSelectionModel::apply(std::vector<bool> selected, int anchor, int lead) {
  const size_t span = std::max(selected.size(), selected_.size());
  int first = -1;
  int last = -1;
  for (size_t i = 0; i < span; ++i) {
    const bool before = i < selected_.size() && selected_[i];
    const bool after = i < selected.size() && selected[i];
    if (before != after) {
      if (first < 0) first = static_cast<int>(i);
      last = static_cast<int>(i);
    }
  }
  const int oldLead = lead_;
  selected_ = std::move(selected);
  anchor_ = anchor;
  lead_ = lead;
  // A moved lead is a change too: a view redraws the focus mark.
  if (oldLead != lead_) {
    for (int i : {oldLead, lead_}) {
      if (i < 0) continue;
      first = first < 0 ? i : std::min(first, i);
      last = std::max(last, i);
    }
  }
  if (first < 0) return;
  const ListSelectionEvent event(this, first, last, adjusting_);
  for (const auto& l : listeners_.snapshot()) l->valueChanged(event);
}

}  // namespace plat::gui
