// Reader of the digit groups and separators of the SQL escape forms; every mismatch throws
// IllegalArgumentException. Internal to plat::time.
#pragma once

#include <string>
#include <utility>

namespace plat::time::detail {

class EscapeParser {
 public:
  // message is the detail of the failure; empty for a failure without one.
  EscapeParser(const std::string& text, std::string message = {}) : text_(text), message_(std::move(message)) {}

  // A run of minDigits..maxDigits ASCII digits.
  int number(int minDigits, int maxDigits);
  // Like number(), but also gives how many digits were read.
  int number(int minDigits, int maxDigits, int& digits);
  void expect(char c);
  bool accept(char c);
  bool atEnd() const { return pos_ == text_.size(); }
  [[noreturn]] void fail() const;

 private:
  const std::string& text_;
  std::string message_;
  std::size_t pos_ = 0;
};

}  // namespace plat::time::detail
