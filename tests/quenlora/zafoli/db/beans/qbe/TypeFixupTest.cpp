#include "quenlora/zafoli/db/beans/qbe/TypeFixup.h"

#include <gtest/gtest.h>

namespace quenlora::zafoli::db::beans::qbe {
namespace {

TEST(TypeFixup, PlainNumbers) {
  struct Case {
    const char* text;
    bool plain;
  } cases[] = {
      {"30", true},    {" 5", true},   {"-1.5e3", true}, {"+.5", true},    {"5.", true},      {"1E+10", true},
      {"", false},     {" ", false},   {".", false},     {"1e", false},    {"1;DROP", false}, {"1 OR 1", false},
      {"0x1F", false}, {"1,5", false}, {"--1", false},   {"1.2.3", false}, {"e5", false},     {" 7 ", true},
  };
  for (const auto& c : cases) EXPECT_EQ(isPlainNumber(c.text), c.plain) << "«" << c.text << "»";
}

TEST(TypeFixup, ByTypeCode) {
  struct Case {
    const char* condition;
    int type;
    const char* result;
  } cases[] = {
      {"AGE > '30'", 4, "AGE >  30 "},
      {"AGE > '30'", 12, "AGE > '30'"},
      {"AGE = 'x' OR AGE = '2'", 2, "AGE = 'x' OR AGE =  2 "},
      {"D = '2001-01-01'", 91, "D =  date '2001-01-01'"},
      {"T = '10:30' OR T IS NULL", 92, "T =  time '10:30' OR T IS NULL"},
      {"S = '2001-01-01 00:00:00'", 93, "S =  timestamp '2001-01-01 00:00:00'"},
      {"D = 'a' AND D = 'b", 91, "D =  date 'a' AND D = 'b"},  // the unpaired apostrophe is copied
      {"N IS NULL", 4, "N IS NULL"},
      {"N = ''", 4, "N = ''"},
      {"N = '1'", -7, "N =  1 "},
      {"N = '1'", -5, "N =  1 "},
      {"N = '1'", 1, "N = '1'"},
  };
  for (const auto& c : cases) EXPECT_EQ(applyTypeFixup(c.condition, c.type), c.result) << c.condition;
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::qbe
