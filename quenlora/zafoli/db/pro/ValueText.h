// The text forms of binary values and the blank-input rule of the text parser of a column. Stateless; any thread
// (the streams are the caller's).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/io/InputStream.h"

namespace quenlora::zafoli::db::pro {

class DataAccess;

class ValueText {
 public:
  ValueText() = delete;

  static constexpr std::size_t kMaxArrayBytes = 255;
  static constexpr std::size_t kAsciiChunk = 4000;

  // "/" and the unsigned decimal value of each byte read, up to limit bytes (0 = no limit); empty for no bytes.
  static std::string binaryStreamtoString(plat::io::InputStream& in, std::size_t limit);
  // The same form for at most the first 255 bytes.
  static std::string binaryArraytoString(const std::vector<std::uint8_t>& bytes);
  // The stream to its end, one character per byte (U+0000..U+00FF).
  static std::string asciiStreamtoString(plat::io::InputStream& in);
  // What blank input becomes for a column of the type in the mode; no text means NULL.
  static std::optional<std::string> processEmptyStringData(const std::string& text, DataAccess& data, int column,
                                                           int sqlType, int mode);
};

}  // namespace quenlora::zafoli::db::pro
