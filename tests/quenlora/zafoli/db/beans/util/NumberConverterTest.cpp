// The fixed-point text of the value parser.
#include "quenlora/zafoli/db/beans/util/NumberConverter.h"

#include <gtest/gtest.h>

#include <limits>

#include "platform/lang/Exceptions.h"

namespace quenlora::zafoli::db::beans::util {
namespace {

TEST(NumberConverter, FixedAndExponentForms) {
  NumberConverter conv;
  struct Case {
    double value;
    const char* text;
  } cases[] = {
      {1.5, "1.50000000"},
      {-2.25, "-2.25000000"},
      {0.999999999, "1.00000000"},  // the rounding carries into the integer part
      {9.9999999999, "10.00000000"},
      {1e-9, "0.00000000"},
      {9.223372036854775807e18, "9223372036854775807.00000000"},  // saturates at the 64-bit edge
      {1e19, "1.00000000e+019"},
      {9.9999999999e20, "1.00000000e+021"},  // a mantissa of 10 renormalises
      {1e300, "1.00000000e+300"},
  };
  for (const auto& c : cases) EXPECT_EQ(conv.form(c.value), c.text) << c.value;
  EXPECT_THROW(conv.form(std::numeric_limits<double>::quiet_NaN()), plat::lang::IllegalArgumentException);
  EXPECT_THROW(conv.form(std::numeric_limits<double>::infinity()), plat::lang::IllegalArgumentException);
}

TEST(NumberConverter, AtofReadsTheLeadingNumber) {
  struct Case {
    const char* text;
    double value;
  } cases[] = {{"1.5", 1.5}, {"-2e3xyz", -2000}, {"  7.", 7}, {"abc", 0}, {"", 0}, {"+.5", 0.5}, {"3e", 3}};
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(NumberConverter::atof(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::util
