#include "quenlora/zafoli/db/pro/RecordSet.h"

#include <algorithm>
#include <utility>

#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/Param.h"
#include "quenlora/zafoli/db/net/SessionErrors.h"
#include "quenlora/zafoli/db/pro/IntParams.h"
#include "quenlora/zafoli/db/pro/ValueStreams.h"

namespace quenlora::zafoli::db::pro {

using plat::lang::makeRef;
using plat::lang::Ref;

namespace {
constexpr const char* kInvalidBlock = "Invalid Record block.";
}  // namespace

RecordSet::RecordSet(std::shared_ptr<ServerHandle> server, RelViewPos path)
    : server_(std::move(server)), path_(std::move(path)) {}

RecordSet::Slot* RecordSet::slot(std::int32_t n) {
  if (n >= 1 && static_cast<std::size_t>(n) <= held_.size()) return &held_[static_cast<std::size_t>(n) - 1];
  auto it = beyond_.find(n);
  return it == beyond_.end() ? nullptr : &it->second;
}

void RecordSet::store(Ref<net::NetRecord> row) {
  const std::int32_t n = row->getRecordNum();
  if (static_cast<std::int64_t>(n) == static_cast<std::int64_t>(held_.size()) + 1) {
    held_.push_back({std::move(row), nullptr});
    // Rows kept past the gap this row closed join the array.
    if (beyond_.empty()) return;
    for (auto it = beyond_.find(static_cast<std::int32_t>(held_.size()) + 1); it != beyond_.end();
         it = beyond_.find(static_cast<std::int32_t>(held_.size()) + 1)) {
      held_.push_back(std::move(it->second));
      beyond_.erase(it);
    }
    return;
  }
  if (!slot(n)) beyond_.try_emplace(n, Slot{std::move(row), nullptr});
}

Ref<net::NetRecord> RecordSet::get(std::int32_t n) {
  std::lock_guard lock(mu_);
  if (!path_ || n <= 0) return nullptr;
  for (;;) {
    if (const Slot* s = slot(n)) return s->row;
    if (allRead_) return nullptr;
    if (!server_) {
      // Design time: the one blank row ends the set.
      allRead_ = true;
      return nullptr;
    }
    // Ask from the first gap, so rows held further on (a new row) never make rows before them be skipped.
    const auto held = static_cast<std::int32_t>(held_.size());
    const std::int32_t count = std::max<std::int32_t>(path_->rowsToRequest(), n - held);
    const ServerHandle::Args args = path_->args({IntParams::of(held + 1), IntParams::of(count)});
    const net::Reply reply = server_->invoke(METHOD_fetchRecords, args);
    // A small set (a detail's rows) mostly arrives in its first batch: sized once.
    if (held_.empty()) held_.reserve(reply.size());
    for (std::size_t i = 0; i < reply.size(); ++i) {
      // Only a row says it is a row: the type check spares a second dynamic cast per row.
      const auto& element = reply.at(i);
      auto row = element->getType() == net::Define::SERVER_RECORD ? std::static_pointer_cast<net::NetRecord>(element)
                                                                  : reply.as<net::NetRecord>(i);
      if (row->getState() == net::Define::RECSTATE_INVALID) {
        allRead_ = true;
        continue;
      }
      store(std::move(row));
    }
    // A batch that adds nothing at the first missing number can never reach row n.
    if (static_cast<std::int32_t>(held_.size()) == held) allRead_ = true;
  }
}

Ref<net::NetRecord> RecordSet::newRow() {
  std::lock_guard lock(mu_);
  if (!path_ || !server_) return makeRef<net::NetRecord>();
  const ServerHandle::Args args = path_->args();
  const net::Reply reply = server_->invoke(METHOD_getNewRecord, args);
  auto row = reply.as<net::NetRecord>(0);
  if (row->getState() == net::Define::RECSTATE_INVALID) return row;
  store(row);
  return slot(row->getRecordNum())->row;
}

void RecordSet::deleteRow(net::NetRecord& row) {
  std::lock_guard lock(mu_);
  if (path_ && server_) {
    const ServerHandle::Args args = path_->args({net::Param::ofInt(0, row.getRecordNum())});
    server_->invoke(METHOD_deleteRecord, args);
  }
  row.setState(net::Define::RECSTATE_DELETED);
}

void RecordSet::undoRow(net::NetRecord& row) {
  std::lock_guard lock(mu_);
  if (!path_ || !server_) return;
  const ServerHandle::Args args = path_->args({net::Param::ofInt(0, row.getRecordNum())});
  const net::Reply reply = server_->invoke(METHOD_undoRecord, args);
  row.copy(*reply.as<net::NetRecord>(0));
}

void RecordSet::rowChanged(net::NetRecord& row) {
  std::lock_guard lock(mu_);
  if (!path_ || !server_) return;
  // The row itself is the argument; its changed values go out and stay listed until the server took them.
  const ServerHandle::Args args =
      path_->args({Ref<net::ServerObject>(Ref<net::NetRecord>(Ref<net::NetRecord>(), &row))});
  server_->invoke(METHOD_OnDataChange, args);
  row.clearChanges();
}

std::int32_t RecordSet::streamID(const RelViewPos& path, std::int32_t recordNumber, int column, bool write) {
  if (!server_) throw plat::sql::SQLException(net::SessionErrors::REMOTE_OBJECT_CLOSED);
  const ServerHandle::Args args =
      path.args({net::Param::ofInt(0, recordNumber), net::Param::ofInt(0, column), net::Param::ofBoolean(0, write)});
  return server_->invoke(METHOD_getStream, args).getInt(0);
}

std::unique_ptr<plat::io::InputStream> RecordSet::inputStream(std::int32_t recordNumber, int column) {
  std::lock_guard lock(mu_);
  if (!path_) throw plat::sql::SQLException(kInvalidBlock);
  const std::int32_t id = streamID(*path_, recordNumber, column, false);
  return std::make_unique<ValueInputStream>(server_->session(), id);
}

std::unique_ptr<plat::io::OutputStream> RecordSet::outputStream(std::int32_t recordNumber, int column) {
  std::optional<RelViewPos> path;
  {
    std::lock_guard lock(mu_);
    path = path_;
  }
  if (!path) throw plat::sql::SQLException(kInvalidBlock);
  const std::int32_t id = streamID(*path, recordNumber, column, true);
  return std::make_unique<ValueOutputStream>(server_->session(), id);
}

Ref<RecordTree> RecordSet::tree(std::int32_t n) {
  std::lock_guard lock(mu_);
  Slot* s = slot(n);
  if (!s) return nullptr;
  // Most rows never have a detail: their node is made on first use only.
  if (!s->tree) s->tree = makeRef<RecordTree>(s->row);
  return s->tree;
}

namespace {

void freeSlot(const Ref<net::NetRecord>& row, const Ref<RecordTree>& tree) {
  if (tree) {
    tree->free();
  } else if (row->getState() != net::Define::RECSTATE_INVALID) {
    row->setState(net::Define::RECSTATE_INVALID);
  }
}

}  // namespace

void RecordSet::free() {
  std::vector<Slot> held;
  std::map<std::int32_t, Slot> beyond;
  {
    std::lock_guard lock(mu_);
    held.swap(held_);
    beyond.swap(beyond_);
    path_.reset();
    allRead_ = false;
  }
  // A row is let go in the pass that marks it, while it is still in the cache: a long set is mostly out of it.
  for (Slot& s : held) {
    freeSlot(s.row, s.tree);
    s = Slot{};
  }
  for (const auto& [n, s] : beyond) freeSlot(s.row, s.tree);
}

bool RecordSet::isFreed() {
  std::lock_guard lock(mu_);
  return !path_;
}

Ref<RecordSet> RecordTree::recordSet(std::int32_t levelID, const std::shared_ptr<ServerHandle>& server,
                                     const RelViewPos& path, std::size_t levels) {
  std::lock_guard lock(mu_);
  auto& set = sets_[levelID];
  if (!set) set = makeRef<RecordSet>(server, path.prefix(levels));
  return set;
}

Ref<net::NetRecord> RecordTree::row() const {
  std::lock_guard lock(mu_);
  return row_;
}

void RecordTree::free() {
  std::map<std::int32_t, Ref<RecordSet>> sets;
  {
    std::lock_guard lock(mu_);
    if (row_ && row_->getState() != net::Define::RECSTATE_INVALID) row_->setState(net::Define::RECSTATE_INVALID);
    row_.reset();
    sets.swap(sets_);
  }
  for (auto& [id, set] : sets) set->free();
}

}  // namespace quenlora::zafoli::db::pro
