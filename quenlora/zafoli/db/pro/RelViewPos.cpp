#include "quenlora/zafoli/db/pro/RelViewPos.h"

#include "quenlora/zafoli/db/pro/IntParams.h"

namespace quenlora::zafoli::db::pro {

RelViewPos RelViewPos::prefix(std::size_t count) const {
  RelViewPos p;
  p.levels_.assign(levels_.begin(), levels_.begin() + static_cast<std::ptrdiff_t>(std::min(count, levels_.size())));
  return p;
}

ServerHandle::Args RelViewPos::args(std::initializer_list<plat::lang::Ref<net::ServerObject>> leading) const {
  ServerHandle::Args args;
  args.reserve(leading.size() + 1 + 2 * levels_.size());
  args.insert(args.end(), leading);
  args.push_back(IntParams::of(static_cast<std::int32_t>(levels_.size())));
  for (const RelViewInfo& level : levels_) {
    args.push_back(IntParams::of(level.proxyID, true));
    args.push_back(IntParams::of(level.recordNumber));
  }
  return args;
}

}  // namespace quenlora::zafoli::db::pro
