#include "claim/FormatResponse.h"

#include <algorithm>
#include <cstring>

#include "claim/ASCII.h"

namespace {

using Byte = FormatResponse::Byte;

constexpr std::string_view kDigits = "0123456789";
constexpr std::size_t kFixedMessageAt = 27;
constexpr std::size_t kBlockMessageAt = 60;
constexpr std::size_t kBlockMessageLength = 42;
constexpr std::size_t kBlockFpAt = 102;
constexpr std::size_t kBlockFqAt = 265;

std::string upperCase(std::string_view text) {
  std::string upper(text);
  for (char& ch : upper) {
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  }
  return upper;
}

void append(std::vector<Byte>& out, std::string_view text) {
  out.insert(out.end(), text.begin(), text.end());
}

void append(std::vector<Byte>& out, std::span<const Byte> bytes) {
  out.insert(out.end(), bytes.begin(), bytes.end());
}

// Copies `text` into `out` at `pos`, at most `limit` bytes.
void put(std::vector<Byte>& out, std::size_t pos, std::string_view text, std::size_t limit) {
  const std::size_t n = std::min(text.size(), limit);
  std::memcpy(out.data() + pos, text.data(), n);
}

std::string twoDigits(int n) {
  std::string text(2, '0');
  text[0] = kDigits[static_cast<std::size_t>(n / 10 % 10)];
  text[1] = kDigits[static_cast<std::size_t>(n % 10)];
  return text;
}

// The code without the blanks and control bytes around it.
std::string_view trimmed(std::string_view code) {
  while (!code.empty() && static_cast<unsigned char>(code.front()) <= ' ') code.remove_prefix(1);
  while (!code.empty() && static_cast<unsigned char>(code.back()) <= ' ') code.remove_suffix(1);
  return code;
}

}  // namespace

FormatResponse::FormatResponse() = default;

void FormatResponse::resetCount() {
  count = 0;
  codes.fill(std::string());
}

void FormatResponse::collectRejectCodes(const std::string& code) {
  if (count >= kMaxCodes) return;
  codes[static_cast<std::size_t>(count++)] = code;
}

int FormatResponse::ClaimRejectedResponse(std::span<const Byte> claim, int c, std::string_view message,
                                          std::span<Byte> out, int o) const {
  if (c < 0 || o < 0) return 0;
  const auto start = static_cast<std::size_t>(c);
  auto has = [&](std::size_t bytes) { return start <= claim.size() && claim.size() - start >= bytes; };
  if (!has(kHeaderBytesFixed)) return 0;

  const std::string upper = upperCase(message);
  std::vector<Byte> record;
  if (claim[start + 6] == ASCII::five) {
    if (!has(kHeaderBytes5x)) return 0;
    record = layout5x(claim.subspan(start, kHeaderBytes5x), upper);
  } else if (claim[start + 8] == ASCII::one && claim[start + 9] == ASCII::one) {
    record = layoutFixed(claim.subspan(start, kHeaderBytesFixed), upper);
  } else {
    const int blocks = static_cast<int>(claim[start + 9]) - ASCII::zero;
    if (blocks < 1 || blocks > kMaxBlocks) return 0;
    record = layoutBlocks(claim.subspan(start, kHeaderBytesFixed), upper, blocks);
  }

  const auto at = static_cast<std::size_t>(o);
  if (at > out.size() || out.size() - at < record.size()) return 0;
  std::copy(record.begin(), record.end(), out.begin() + static_cast<std::ptrdiff_t>(at));
  return static_cast<int>(at + record.size());
}

std::vector<Byte> FormatResponse::layout5x(std::span<const Byte> header, const std::string& message) const {
  std::vector<Byte> out;
  append(out, header.subspan(6, 4));
  out.push_back(header[20]);
  out.push_back(ASCII::A);
  append(out, header.subspan(21, 25));

  out.push_back(ASCII::rs);
  out.push_back(ASCII::fs);
  append(out, "AM20");
  out.push_back(ASCII::fs);
  append(out, "F4");
  append(out, message);

  const int groups = std::clamp(static_cast<int>(header[20]) - ASCII::zero, 0, kMaxGroups);
  for (int g = 0; g < groups; ++g) {
    out.push_back(ASCII::gs);
    out.push_back(ASCII::rs);
    out.push_back(ASCII::fs);
    append(out, "AM21");
    out.push_back(ASCII::fs);
    append(out, "ANR");
    out.push_back(ASCII::fs);
    append(out, "FA");
    append(out, twoDigits(count));
    for (int i = 0; i < count; ++i) {
      out.push_back(ASCII::fs);
      append(out, "FB");
      append(out, trimmed(codes[static_cast<std::size_t>(i)]));
    }
  }
  return out;
}

std::vector<Byte> FormatResponse::layoutFixed(std::span<const Byte> header, const std::string& message) const {
  std::vector<Byte> out(kFixedLength);
  setToBlanks(out, 0, out.size());
  std::copy_n(header.begin() + 6, 4, out.begin());
  out[4] = ASCII::R;
  formatErrorCodes(out, 5);
  put(out, kFixedMessageAt, message, kFixedLength - kFixedMessageAt);
  return out;
}

std::vector<Byte> FormatResponse::layoutBlocks(std::span<const Byte> header, const std::string& message,
                                               int blocks) const {
  std::vector<Byte> out(static_cast<std::size_t>(kBlockHeaderLength + kBlockLength * blocks));
  setToBlanks(out, 0, out.size());
  std::copy_n(header.begin() + 6, 4, out.begin());
  out[4] = ASCII::A;
  out[5] = ASCII::fs;
  out[6] = ASCII::F;
  out[7] = ASCII::O;
  for (int b = 0; b < blocks; ++b) {
    const std::size_t base = static_cast<std::size_t>(kBlockLength * b);
    out[base + 16] = ASCII::gs;
    out[base + 17] = ASCII::R;
    formatErrorCodes(out, base + 18);
    put(out, base + kBlockMessageAt, message, kBlockMessageLength);
    out[base + kBlockFpAt] = ASCII::fs;
    out[base + kBlockFpAt + 1] = ASCII::F;
    out[base + kBlockFpAt + 2] = ASCII::P;
    out[base + kBlockFqAt] = ASCII::fs;
    out[base + kBlockFqAt + 1] = ASCII::F;
    out[base + kBlockFqAt + 2] = ASCII::Q;
  }
  return out;
}

void FormatResponse::formatErrorCodes(std::vector<Byte>& out, std::size_t pos) const {
  const std::string n = twoDigits(count);
  out[pos] = static_cast<Byte>(n[0]);
  out[pos + 1] = static_cast<Byte>(n[1]);
  for (int i = 0; i < count; ++i) {
    const std::size_t at = pos + 2 + 2 * static_cast<std::size_t>(i);
    if (at + 2 > out.size()) return;
    put(out, at, codes[static_cast<std::size_t>(i)], 2);
  }
}

void FormatResponse::setToBlanks(std::vector<Byte>& out, std::size_t pos, std::size_t length) {
  const std::size_t end = std::min(out.size(), pos + length);
  for (std::size_t i = pos; i < end; ++i) out[i] = ASCII::space;
}
