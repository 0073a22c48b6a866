// NCPDP claim samples and claim files for the worker tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace claimtest {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t kStx = 0x02;
constexpr std::uint8_t kEtx = 0x03;

// A claim of `length` bytes (at least 46): BIN, version/release and transaction code, processor control number,
// transaction count, provider ID qualifier and ID, date of service, then segment filler.
inline Bytes claimOf(int length, const std::string& versionAndCode = "51B1", char count = '1') {
  std::string text =
      "610020" + versionAndCode + "PCN0000001" + std::string(1, count) + "01" + "PHARMACY0000012" + "20261209";
  while (static_cast<int>(text.size()) < length) text += static_cast<char>('a' + text.size() % 26);
  text.resize(static_cast<std::size_t>(length));
  return Bytes(text.begin(), text.end());
}

inline Bytes cat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

inline Bytes one(std::uint8_t b) {
  return Bytes{b};
}

// STX, the bytes between STX and the claim, the claim, ETX, then a trailer.
inline Bytes framedFile(const Bytes& claim, const Bytes& lead = {}, const Bytes& trailer = {}) {
  return cat({one(kStx), lead, claim, one(kEtx), trailer});
}

inline std::uint8_t lrcOf(const Bytes& payload) {
  std::uint8_t x = kEtx;
  for (auto b : payload) x ^= b;
  return x;
}

}  // namespace claimtest
