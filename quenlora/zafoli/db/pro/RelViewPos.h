// A row's place in the multi-view's tree of views: the levels from the root down, each with its level id, the
// record number of its master row (0 at the last level), its server view's id and its rows per fetch. Appended to
// every row call of the multi-view as a level count and, per level, an object reference and a record number.
// A value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "quenlora/zafoli/db/pro/ServerHandle.h"

namespace quenlora::zafoli::db::pro {

struct RelViewInfo {
  std::int32_t levelID = 0;
  std::int32_t recordNumber = 0;
  std::int32_t proxyID = 0;
  int rowsPerFetch = 1;
};

class RelViewPos {
 public:
  void addFront(const RelViewInfo& level) { levels_.insert(levels_.begin(), level); }
  // No levels; the storage stays for the next path.
  void clear() { levels_.clear(); }
  const std::vector<RelViewInfo>& levels() const { return levels_; }
  // The first count levels.
  RelViewPos prefix(std::size_t count) const;
  // The last level's rows per fetch; 1 for an empty path.
  int rowsToRequest() const { return levels_.empty() ? 1 : levels_.back().rowsPerFetch; }
  // The arguments of a row call: leading, then the path, in one allocation.
  ServerHandle::Args args(std::initializer_list<plat::lang::Ref<net::ServerObject>> leading = {}) const;

 private:
  std::vector<RelViewInfo> levels_;
};

}  // namespace quenlora::zafoli::db::pro
