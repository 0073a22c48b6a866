// The record state of one row: a bit set of inserted, modified, deleted and misplaced, the external state a
// navigator shows and the operation a save performs. Not thread-safe: the owning row serialises access.
#pragma once

#include <string>

#include "platform/lang/Exceptions.h"

namespace quenlora::zafoli::db::beans::jdbc {

class RecordState {
 public:
  // A refused transition; its message says which.
  class StateException : public plat::lang::RuntimeException {
   public:
    using RuntimeException::RuntimeException;
    PLAT_THROWABLE_MEMBERS(StateException, "quenlora.zafoli.db.beans.jdbc.RecordState$StateException")
  };

  static constexpr int ORIGINAL = 0;
  static constexpr int INSERTED = 1;
  static constexpr int MODIFIED = 2;
  static constexpr int DELETED = 4;
  static constexpr int MISPLACED = 8;
  static constexpr int INSERTED_MODIFIED = 3;
  static constexpr int INSERTED_DELETED = 5;
  static constexpr int MODIFIED_DELETED = 6;
  static constexpr int INSERTED_MODIFIED_DELETED = 7;
  static constexpr int NUMBER_OF_STATES = 4;
  static constexpr int FIRST_VALUE = 0;
  static constexpr int LAST_VALUE = 15;
  static constexpr int EXISTING_STATE = 109;
  static constexpr int INSERTED_STATE = 110;
  static constexpr int MODIFIED_STATE = 111;
  static constexpr int DELETED_STATE = 112;
  static constexpr int INSERTED_MISPLACED = 113;  // declared for callers; never produced
  static constexpr int MODIFIED_MISPLACED = 114;  // declared for callers; never produced

  int getState() const { return state; }
  // Sets a bit (see the source for the refusals); StateException when the result is not a valid state.
  void setState(int bit);
  // Clears a bit when set.
  void setStateUndo(int bit);
  void reset() { state = ORIGINAL; }
  bool isMisplaced() const { return (state & MISPLACED) != 0; }
  // 109..112 by the state without its misplaced bit.
  int getExternalState() const;
  // The save operation code (13 nothing, 14 insert, 15 update, 16 delete) by the same state.
  int getOperation() const;

 private:
  int withoutMisplaced() const;

  int state = ORIGINAL;  // 0..15
};

}  // namespace quenlora::zafoli::db::beans::jdbc
