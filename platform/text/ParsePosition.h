// Where a parse starts and stops, in UTF-16 code units of the parsed text, and where it failed (-1 when it did
// not). A plain value owned by one caller.
#pragma once

#include <cstdint>

namespace plat::text {

class ParsePosition {
 public:
  explicit ParsePosition(int32_t index = 0) : index_(index) {}

  int32_t getIndex() const { return index_; }
  void setIndex(int32_t index) { index_ = index; }
  int32_t getErrorIndex() const { return errorIndex_; }
  void setErrorIndex(int32_t index) { errorIndex_ = index; }

 private:
  int32_t index_;
  int32_t errorIndex_ = -1;
};

}  // namespace plat::text
