// The failure of a number or date parse: the message and the offset (in UTF-16 code units) where it failed.
#pragma once

#include <cstdint>
#include <string>

#include "platform/lang/Throwable.h"

namespace plat::text {

class ParseException : public plat::lang::Exception {
 public:
  ParseException(std::string message, int32_t errorOffset)
      : plat::lang::Exception(std::move(message)), errorOffset_(errorOffset) {}

  int32_t getErrorOffset() const { return errorOffset_; }

  PLAT_THROWABLE_MEMBERS(ParseException, "java.text.ParseException")

 private:
  int32_t errorOffset_;
};

}  // namespace plat::text
