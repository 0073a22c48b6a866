// Sizing of row fetches: as many rows as fit an optimal packet when each column takes its display size plus an
// allowance for its framing. Stateless; any thread.
#pragma once

#include <span>

namespace quenlora::zafoli::db::net {

class FetchSize {
 public:
  FetchSize() = delete;

  // OPTIMAL_PACKET_LENGTH / sum(display size + APPX_FIELD_SIZE), at least 1. A negative display size counts as 0;
  // no columns at all also gives 1.
  static int rowsPerFetch(std::span<const int> displaySizes);
};

}  // namespace quenlora::zafoli::db::net
