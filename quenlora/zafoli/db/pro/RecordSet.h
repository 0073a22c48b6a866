// The cached rows of one view level under one chain of master rows, fetched from the server in batches and kept
// until the cache is dropped; every call names the set's place by the path it was made with. Thread contract: each
// operation but the output stream is serialised on the set; no callback runs under its lock.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/io/InputStream.h"
#include "platform/io/OutputStream.h"
#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/net/NetRecord.h"
#include "quenlora/zafoli/db/pro/RelViewPos.h"
#include "quenlora/zafoli/db/pro/ServerHandle.h"

namespace quenlora::zafoli::db::pro {

class RecordTree;

class RecordSet : public plat::lang::Object {
 public:
  static constexpr int METHOD_fetchRecords = 0;
  static constexpr int METHOD_OnDataChange = 1;
  static constexpr int METHOD_undoRecord = 5;
  static constexpr int METHOD_deleteRecord = 6;
  static constexpr int METHOD_getNewRecord = 7;
  static constexpr int METHOD_getStream = 9;

  // server is null at design time: fetches answer one blank row, nothing is sent.
  RecordSet(std::shared_ptr<ServerHandle> server, RelViewPos path);

  // Row n, fetching as needed; null when there is none. n <= 0 answers null without a call.
  plat::lang::Ref<net::NetRecord> get(std::int32_t n);
  // A new server row, kept under its record number.
  plat::lang::Ref<net::NetRecord> newRow();
  // The row becomes 103 once the server took the delete.
  void deleteRow(net::NetRecord& row);
  // The server's row replaces the local one.
  void undoRow(net::NetRecord& row);
  // Sends the row's changed values; the change list is cleared only once the server took them.
  void rowChanged(net::NetRecord& row);
  // Long values of a row through the server's stream object (method 9); "Invalid Record block." once freed.
  std::unique_ptr<plat::io::InputStream> inputStream(std::int32_t recordNumber, int column);
  std::unique_ptr<plat::io::OutputStream> outputStream(std::int32_t recordNumber, int column);
  // The detail tree under held row n (made on first use); null when the row is not held.
  plat::lang::Ref<RecordTree> tree(std::int32_t n);
  // Every held row becomes 105 in place; the set forgets its rows and path and answers nothing more.
  void free();
  bool isFreed();

 private:
  // A held row and, once a detail asked for it, the node of the sets under it.
  struct Slot {
    plat::lang::Ref<net::NetRecord> row;
    plat::lang::Ref<RecordTree> tree;
  };

  std::int32_t streamID(const RelViewPos& path, std::int32_t recordNumber, int column, bool write);
  // The slot of row n, or null; the caller holds mu_.
  Slot* slot(std::int32_t n);
  // Keeps the row unless its number is held already; the caller holds mu_. By value: a fetched row moves in.
  void store(plat::lang::Ref<net::NetRecord> row);

  std::shared_ptr<ServerHandle> server_;
  std::mutex mu_;
  std::optional<RelViewPos> path_;  // guarded by mu_; empty once freed
  // Guarded by mu_: rows 1..held_.size() without a gap, indexed by number - 1 (a plain array: most sets are read
  // in order), and rows past the first gap (a new row numbered after rows not read yet) by number.
  std::vector<Slot> held_;
  std::map<std::int32_t, Slot> beyond_;
  bool allRead_ = false;  // guarded by mu_
};

// A node of the cache: one row and, per level id, the record set of each detail view under it. Its lookup and
// free are serialised on the node.
class RecordTree : public plat::lang::Object {
 public:
  explicit RecordTree(plat::lang::Ref<net::NetRecord> row = nullptr) : row_(std::move(row)) {}
  plat::lang::Ref<net::NetRecord> row() const;
  // The set of the level, made on first use with the first levels of path (the path is copied only then).
  plat::lang::Ref<RecordSet> recordSet(std::int32_t levelID, const std::shared_ptr<ServerHandle>& server,
                                       const RelViewPos& path, std::size_t levels);
  void free();

 private:
  mutable std::mutex mu_;
  plat::lang::Ref<net::NetRecord> row_;                      // guarded by mu_
  std::map<std::int32_t, plat::lang::Ref<RecordSet>> sets_;  // guarded by mu_
};

}  // namespace quenlora::zafoli::db::pro
