// Builds the NCPDP rejected-claim response that stands in for the clearing house's answer when a claim cannot be
// delivered or is malformed. It copies the claim's own header and picks one of three layouts from it: version 5.x
// (field separated), the fixed 100-byte layout, or the block layout of 16 + 424 n bytes. One object per claim
// file; not for use by several threads at once.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class FormatResponse {
 public:
  using Byte = std::uint8_t;

  static constexpr int kMaxCodes = 20;
  static constexpr int kMaxGroups = 9;  // a 5.x transaction count is one digit
  static constexpr int kFixedLength = 100;
  static constexpr int kBlockHeaderLength = 16;
  static constexpr int kBlockLength = 424;
  static constexpr int kMaxBlocks = 4;
  static constexpr int kHeaderBytes5x = 46;     // claim bytes c .. c+45 read by the 5.x layout
  static constexpr int kHeaderBytesFixed = 10;  // claim bytes c .. c+9 read by the fixed layouts

  FormatResponse();
  FormatResponse(const FormatResponse&) = delete;
  FormatResponse& operator=(const FormatResponse&) = delete;

  // Empties the reject-code list.
  void resetCount();
  // Appends a code while fewer than 20 are held; later codes are ignored.
  void collectRejectCodes(const std::string& code);
  int getCount() const { return count; }

  // Writes the rejected-claim record for the claim starting at `c` into `out` from offset `o` and returns the end
  // of the record (o plus its length), or 0 when no layout fits the claim, when the header bytes it needs lie
  // outside `claim`, or when the record would not fit in `out`. Nothing is written when 0 is returned.
  int ClaimRejectedResponse(std::span<const Byte> claim, int c, std::string_view message, std::span<Byte> out,
                            int o) const;

 private:
  std::vector<Byte> layout5x(std::span<const Byte> header, const std::string& message) const;
  std::vector<Byte> layoutFixed(std::span<const Byte> header, const std::string& message) const;
  std::vector<Byte> layoutBlocks(std::span<const Byte> header, const std::string& message, int blocks) const;
  // The count as two digits, then each code in two bytes, from `pos`.
  void formatErrorCodes(std::vector<Byte>& out, std::size_t pos) const;
  static void setToBlanks(std::vector<Byte>& out, std::size_t pos, std::size_t length);

  std::array<std::string, kMaxCodes> codes;
  int count = 0;  // codes in use, 0..kMaxCodes
};
