#include "quenlora/zafoli/db/pro/RelViewPos.h"

#include "quenlora/zafoli/db/net/Param.h"

namespace quenlora::zafoli::db::pro {

RelViewPos RelViewPos::prefix(std::size_t count) const {
  RelViewPos p;
  p.levels_.assign(levels_.begin(), levels_.begin() + static_cast<std::ptrdiff_t>(std::min(count, levels_.size())));
  return p;
}

void RelViewPos::appendTo(ServerHandle::Args& args) const {
  args.push_back(net::Param::ofInt(0, static_cast<std::int32_t>(levels_.size())));
  for (const RelViewInfo& level : levels_) {
    args.push_back(net::Param::ofInt(0, level.proxyID, true));
    args.push_back(net::Param::ofInt(0, level.recordNumber));
  }
}

}  // namespace quenlora::zafoli::db::pro
