// One row of a view as the application sees it: the wire row, the set it came from and the view it belongs to. Its
// state follows the server (states 100-106); a dropped cache leaves it 105 in place. Delete and undo go through
// its set and tell the view when the state changed. Not locked beyond the wire row: the view's thread.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/Entity.h"
#include "quenlora/zafoli/db/net/NetRecord.h"
#include "quenlora/zafoli/db/pro/DataAccess.h"
#include "quenlora/zafoli/db/pro/RecordSet.h"

namespace quenlora::zafoli::db::pro {

class MultiView;
class RelationView;

class Record : public plat::lang::Object, public DataAccess {
 public:
  static constexpr std::int8_t RECSTATE_EXISTING = net::Define::RECSTATE_EXISTING;
  static constexpr std::int8_t RECSTATE_MODIFIED = net::Define::RECSTATE_MODIFIED;
  static constexpr std::int8_t RECSTATE_NEW = net::Define::RECSTATE_NEW;
  static constexpr std::int8_t RECSTATE_DELETED = net::Define::RECSTATE_DELETED;
  static constexpr std::int8_t RECSTATE_DB_DELETED = net::Define::RECSTATE_DB_DELETED;
  static constexpr std::int8_t RECSTATE_INVALID = net::Define::RECSTATE_INVALID;
  static constexpr std::int8_t RECSTATE_NEW_MODIFIED = net::Define::RECSTATE_NEW_MODIFIED;
  static constexpr const char* kDeleteNew = "Unable able to delete new record";
  static constexpr const char* kInvalid = "Record is invalid.";

  // set is null for the blank record; the view is a back reference kept valid by multiView.
  Record(plat::lang::Ref<net::NetRecord> row, RelationView* view, plat::lang::Ref<RecordSet> set,
         plat::lang::WeakRef<MultiView> multiView);
  // The blank invalid record of a view with no current row.
  static plat::lang::Ref<Record> blank(RelationView* view, plat::lang::WeakRef<MultiView> multiView);

  std::int8_t getState() const { return row_->getState(); }
  std::string getStateString() const;
  static std::string stateText(int state);
  bool isReadable() const;
  bool isWritable() const;
  bool isValid() const { return getState() != RECSTATE_INVALID; }
  std::int32_t getRecordNumber() const { return row_->getRecordNum(); }
  // The view this row belongs to; null once its multi-view is gone.
  plat::lang::Ref<RelationView> getRelationView() const;
  void closeStream() { row_->closeStream(); }

  // Inside the library: a view moving on points its current record at the new row when nobody else holds the
  // record, instead of making one per move. A null set makes it a blank record.
  void rebind(plat::lang::Ref<net::NetRecord> row, plat::lang::Ref<RecordSet> set) {
    row_ = std::move(row);
    set_ = std::move(set);
  }

  // The wire row: typed reads and local sets go through it; valueChanged() then tells the server. A set made on it
  // and not told is sent by the view's next move, save or change test while this is the view's current record.
  net::NetRecord& row() { return *row_; }
  // Sends the row's changed values to the server (nothing for the blank record); a failure keeps them listed.
  void valueChanged();
  // valueChanged() when the row holds changes not sent yet. Only a modified row can hold any: the others are told
  // apart by their state alone, without the row's lock, on every move.
  void sendPendingChanges() {
    const int s = getState();
    if ((s == RECSTATE_MODIFIED || s == RECSTATE_NEW_MODIFIED) && set_ && row_->hasChanges()) valueChanged();
  }
  // 103/104/105 nothing; 102/106 "Unable able to delete new record"; otherwise the server deletes the row.
  void deleteRecord();
  // 102/104/105 nothing; otherwise the server's row replaces this one.
  void undoRecord();
  // A long value of column c through the server's stream; refused on an invalid row ("Record is invalid.").
  std::unique_ptr<plat::io::InputStream> getInputStream(int column);
  // Refused on rows marked for deletion, deleted or invalid; the column becomes not null and the row modified.
  std::unique_ptr<plat::io::OutputStream> getOutputStream(int column);
  // After a long value was written: 102 becomes 106, 100 becomes 101.
  void markModified();

  // Inside the library: the core of every typed read and write. The column is checked first; a value the row
  // holds is read or set there (a set is sent to the server at once), any other goes through the server's stream.
  template <class Held, class Streamed>
  auto read(int column, Held&& held, Streamed&& streamed) {
    auto value = readHeld(column, std::forward<Held>(held));
    if (value) return std::move(*value);
    return streamed(getInputStream(column));
  }
  // held(value) when the row holds the value; nothing when it goes through the server's stream. One lock of the row
  // for the whole read; the access also closes a stream left open.
  template <class Held>
  auto readHeld(int column, Held&& held) {
    checkColumn(column);
    using Value = decltype(held(std::declval<const net::Field&>()));
    return row_->withValue(column, [&](const net::Field& f) -> std::optional<Value> {
      if (!f.storesData()) return std::nullopt;
      return held(f);
    });
  }
  template <class Held, class Streamed>
  void write(int column, Held&& held, Streamed&& streamed) {
    // The notices below may move the view; held here, this record is neither freed nor repointed at the next row
    // before the call ends (the view then makes a new current record).
    const auto self = shared_from_this();
    checkColumn(column);
    closeStream();
    const int before = getState();
    if (row_->storesData(column)) {
      held(*row_);
      valueChanged();
    } else {
      plat::lang::Ref<plat::io::OutputStream> out = getOutputStream(column);
      streamed(out);
      out->close();
    }
    columnChanged(column, before);
  }
  // "Column index is out-of-range: n" outside 1..count.
  void checkColumn(int column) const;
  int columnCount() const;
  // The view's type and scale of a column; "Record is invalid." once the multi-view is gone.
  int columnType(int column) const;
  int columnScale(int column) const;

 protected:
  Record& accessRecord() override { return *this; }
  int columnNumber(const std::string& name) override;

 private:
  const net::Entity& viewColumns(int column) const;
  // Tells the view of the column change and, when the state moved, of the row-state change.
  void columnChanged(int column, int stateBefore);

  plat::lang::Ref<net::NetRecord> row_;  // never null
  RelationView* view_;                   // back reference, valid while multiView_ lives
  plat::lang::Ref<RecordSet> set_;
  plat::lang::WeakRef<MultiView> multiView_;
};

}  // namespace quenlora::zafoli::db::pro
