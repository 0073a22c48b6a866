#include "quenlora/zafoli/db/net/FetchSize.h"

#include <algorithm>
#include <cstdint>

#include "quenlora/zafoli/db/net/Define.h"

namespace quenlora::zafoli::db::net {

int FetchSize::rowsPerFetch(std::span<const int> displaySizes) {
  if (displaySizes.empty()) return 1;
  std::int64_t perRow = 0;  // 64 bits: display sizes of long columns come close to 2^31 each
  for (int size : displaySizes) perRow += std::int64_t{std::max(size, 0)} + Define::APPX_FIELD_SIZE;
  return static_cast<int>(std::max<std::int64_t>(1, Define::OPTIMAL_PACKET_LENGTH / perRow));
}

}  // namespace quenlora::zafoli::db::net
