// The rows behind one server multi-view: its views (the root query and detail queries joined to master columns),
// one row set per view and chain of master rows, read from the database cursor only as far as asked and numbered
// from 1, and the changes, new rows and deletes the client made, buffered until save writes them in one
// transaction (rows found by primary key) or undo forgets them. Not locked: called under the scope's lock.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/lang/Value.h"
#include "platform/sql/Connection.h"
#include "platform/sql/PreparedStatement.h"
#include "platform/sql/ResultSet.h"
#include "testkit/middleware/MwWire.h"
#include "testkit/middleware/ServerObject.h"
#include "testkit/middleware/sql/SqlScript.h"
#include "testkit/middleware/sql/SqlWire.h"

namespace testkit::middleware::sql {

struct RecordSetView {
  std::int32_t id = 0;        // the PMVTRelView object's id
  std::int32_t masterID = 0;  // 0 for the root view
  std::string sql;
  std::map<int, int> joins;  // parameter index (from 0) -> master column (from 1)
  std::vector<ColumnInfo> columns;
  std::optional<ScriptedReply> scripted;  // a script entry answers instead of the database
  // A statement of sql whose last cursor ended, for the next set of this view: a master moving over its rows opens
  // a detail set per row, and preparing each anew costs more than running it.
  plat::lang::Ref<plat::sql::PreparedStatement> idle;
};

// A position path: per level the view id and the master record number (0 at the last level).
using RecordSetPath = std::vector<std::pair<std::int32_t, std::int32_t>>;

// Not noexcept on purpose: libstdc++ then keeps each node's hash, so walking a bucket of the many sets of a long
// master compares stored hashes instead of hashing again every path it passes (a cache miss each).
struct RecordSetPathHash {
  std::size_t operator()(const RecordSetPath& path) const;
};

class RecordSetModel {
 public:
  static constexpr int kRowModified = 101, kRowNew = 102, kRowDeleted = 103, kRowNewModified = 106;
  // Replies of a row fetch stay below one packet.
  static constexpr std::size_t kMaxReplyBytes = 60000;

  RecordSetModel(plat::lang::Ref<plat::sql::Connection> db, std::shared_ptr<SqlScript> script, bool readOnly)
      : db_(std::move(db)), script_(std::move(script)), readOnly_(readOnly) {}

  // Describes the query's columns (running it once) and keeps the view.
  std::shared_ptr<RecordSetView> addView(std::int32_t masterID, std::string sql, std::map<int, int> joins);
  // A view over rows read whole from a result (catalog queries, the data-source list); long columns as text.
  std::shared_ptr<RecordSetView> addResultView(plat::sql::ResultSet& rows);
  std::shared_ptr<RecordSetView> addRowsView(std::vector<ColumnInfo> columns,
                                             std::vector<std::vector<plat::lang::Value>> rows);
  void setViewID(const std::shared_ptr<RecordSetView>& view, std::int32_t id);
  const std::shared_ptr<RecordSetView>& view(std::int32_t id) const;

  std::vector<Encoded> fetch(const RecordSetPath& path, std::int32_t first, std::int32_t count);
  void change(const RecordSetPath& path, const Arg& row);
  Encoded undoRecord(const RecordSetPath& path, std::int32_t n);
  void deleteRecord(const RecordSetPath& path, std::int32_t n);
  Encoded newRecord(const RecordSetPath& path);
  // The server stream object of a long value; a written stream's value enters the row at the next call.
  std::shared_ptr<ProxyStream> stream(const RecordSetPath& path, std::int32_t n, int column, bool write);
  bool isChanged();
  void undoAll() {
    sets_.clear();
    writes_.clear();
  }
  // Takes the values written through streams into their rows.
  void applyStreams();
  void save();
  void restart(const std::string& where);
  void close();

 private:
  using Value = plat::lang::Value;
  // Rows are many and mostly unchanged, so a row is small: its values live in the set's store and the values a
  // change replaced in the set's originals.
  struct Row {
    std::int32_t number = 0;
    int state = kRowExisting;
    std::uint32_t width = 0;
    Value* at = nullptr;  // width values in the set's store
    std::span<Value> values() { return {at, width}; }
    std::span<const Value> values() const { return {at, width}; }
  };
  // The values of a set's rows, in blocks that never move: reading a row allocates nothing of its own, a value read
  // from the cursor is built where it stays, and letting a long set go frees one block per many rows.
  class ValueStore {
   public:
    ValueStore() = default;
    ValueStore(ValueStore&& other) noexcept;
    ValueStore& operator=(ValueStore&&) = delete;
    ~ValueStore();
    // Room for n values, which the caller makes in place, every one of them, before it asks again or lets go.
    Value* take(std::size_t n);

   private:
    struct Block {
      Value* values;
      std::size_t size;
      std::size_t made;  // of a full block; the last one has made used_
    };
    std::vector<Block> blocks_;
    std::size_t used_ = 0;
    std::size_t capacity_ = 0;
  };
  static constexpr std::size_t kTrimmedRows = 4096;
  struct RowSet {
    std::shared_ptr<RecordSetView> view;
    // Row n at index n - 1. Growing moves rows, so a Row* lasts until the next read; a set under kTrimmedRows rows
    // is trimmed once the cursor ends, because a set is kept for as long as the multi-view lives and most detail sets
    // are short.
    std::vector<Row> rows;
    ValueStore store;
    // Both let go once the cursor ended: a master keeps one set per detail row it showed, so a finished set holds
    // only its rows.
    plat::lang::Ref<plat::sql::PreparedStatement> statement;
    plat::lang::Ref<plat::sql::ResultSet> cursor;
    std::size_t scriptedAt = 0;
    bool ended = false;
    bool plainSql = false;  // the statement runs the view's own text, so the view may keep it when the cursor ends
    // A changed row's values as read, by row number: kept from the first change on, dropped by undo.
    std::unordered_map<std::int32_t, std::vector<Value>> originals;
    std::span<const Value> before(const Row& row) const {
      auto it = originals.find(row.number);
      return it == originals.end() ? row.values() : std::span<const Value>(it->second);
    }
    void keepOriginal(const Row& row) { originals.try_emplace(row.number, row.at, row.at + row.width); }
  };

  RowSet& setFor(const RecordSetPath& path);
  // Reads until row n is held or the cursor ends; the row, or null.
  Row* rowAt(RowSet& set, std::int32_t n);
  void readAll(RowSet& set);
  Row& writableRow(const RecordSetPath& path, std::int32_t n);
  Encoded encode(const RowSet& set, const Row& row) const;
  void saveSet(const RowSet& set);

  plat::lang::Ref<plat::sql::Connection> db_;
  std::shared_ptr<SqlScript> script_;
  bool readOnly_;
  std::string where_;  // the root query's where clause from a restart
  std::map<std::int32_t, std::shared_ptr<RecordSetView>> views_;
  // Hashed: a master that moved through many rows holds a set per row. Save sorts the paths, so masters are written
  // before their details.
  std::unordered_map<RecordSetPath, RowSet, RecordSetPathHash> sets_;
  struct StreamWrite {
    RecordSetPath path;
    std::int32_t row;
    int column;
    std::shared_ptr<ProxyStream> stream;
  };
  std::vector<StreamWrite> writes_;
};

}  // namespace testkit::middleware::sql
