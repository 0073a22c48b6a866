#include "quenlora/zafoli/db/beans/jdbc/RecordState.h"

#include <array>

namespace quenlora::zafoli::db::beans::jdbc {

namespace {

constexpr std::array<int, 8> kExternal = {109, 110, 111, 110, 112, 112, 112, 112};
constexpr std::array<int, 8> kOperation = {13, 14, 15, 14, 16, 13, 16, 13};

}  // namespace

void RecordState::setState(int bit) {
  if ((state & bit) == bit && bit != 0) return;
  // A deleted row stays deleted when an edit reaches it.
  if (state == DELETED && bit == MODIFIED) return;
  if (bit == MISPLACED && (state & MODIFIED) == 0) {
    throw StateException("Invalid try to set the State of the Record to MISPLACED.");
  }
  const int next = state | bit;
  if (bit < FIRST_VALUE || next < FIRST_VALUE || next > LAST_VALUE)
    throw StateException("Invalid try to set the State");
  state = next;
}

void RecordState::setStateUndo(int bit) {
  if ((state & bit) != 0) state &= ~bit;
}

int RecordState::withoutMisplaced() const {
  return state >= MISPLACED ? state - MISPLACED : state;
}

int RecordState::getExternalState() const {
  return kExternal[static_cast<std::size_t>(withoutMisplaced())];
}

int RecordState::getOperation() const {
  return kOperation[static_cast<std::size_t>(withoutMisplaced())];
}

}  // namespace quenlora::zafoli::db::beans::jdbc
