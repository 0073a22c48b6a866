// Cell text to SQL condition, in both dialects and every variant class. Every character of the expected texts
// counts, blanks included.
#include <gtest/gtest.h>

#include "quenlora/zafoli/db/beans/qbe/QBEtoSQLtranslator_de.h"
#include "quenlora/zafoli/db/beans/qbe/QBEtoSQLtranslator_fr.h"
#include "quenlora/zafoli/db/beans/qbe/QBEtoSQLtranslator_ja.h"
#include "quenlora/zafoli/db/beans/qbe/QBEtoSQLtranslator_us.h"
#include "quenlora/zafoli/db/beans/qbe/TokenMgrError.h"
#include "tests/quenlora/zafoli/db/beans/qbe/QbeTestSupport.h"

namespace quenlora::zafoli::db::beans::qbe {
namespace {

using testing::translate;

struct Case {
  const char* cell;
  const char* condition;
  int engine = QBExlator::eEngSQLAnywhere;
};

// Holds in both dialects: none of these cells has a comma.
const Case kCommonCases[] = {
    {"Smith", "col = 'Smith'"},
    {"'New York'", "col = 'New York'"},
    {"\"New York\"", "col = 'New York'"},
    {"=", "col IS NULL"},
    {">=100", "col >= '100'"},
    {"!='x'", "col <> 'x'"},
    {"!=x", "col <> 'x'"},
    {"<>x", "col <> 'x'"},
    {"<=x", "col <= 'x'"},
    {"Sm*", "col LIKE 'Sm%'"},
    {"?at", "col LIKE '_at'"},
    {"50%", "col LIKE '50%'"},
    {"a_c", "col LIKE 'a_c'"},
    {"'a'..'m'", "col  BETWEEN 'a' AND 'm'"},
    {"'Paris' or 'Rome'", "col = 'Paris' OR col = 'Rome'"},
    {"'Paris' OR 'Rome'", "col = 'Paris' OR col = 'Rome'"},
    {"a&(b|c)", "col = 'a' AND ( col = 'b' OR col = 'c' )"},
    {"!('x'|'y')", " NOT ( col = 'x' OR col = 'y' )"},
    {"!'x' & !'y'", " NOT col = 'x' AND  NOT col = 'y'"},
    {"10\\**", "col LIKE('10\\*%') ESCAPE '\\'"},
    {"10\\**", "col LIKE '10*%'", QBExlator::eEngMSAccess},
    {"50\\%", "col = '50%'"},
    {"5", "col = '5'"},
    {"1/2/99", "col = '1/2/99'"},
    {"10:30", "col = '10:30'"},
    {"1.5", "col = '1.5'"},
    {"> 5", "col > ' 5'"},
    {"= x", "col = ' x'"},
    {"a and b", "col = 'a and b'"},
    {"'a' and 'b'", "col = 'a' AND col = 'b'"},
    {"'a' AnD 'b'", "col = 'a' AND col = 'b'"},
    {"(a) or (b)", "( col = 'a' ) OR ( col = 'b' )"},
    {"a&b", "col = 'a' AND col = 'b'"},
    {"a & b", "col = 'a ' AND col = 'b'"},
    {"!5", "col = '!5'"},
    {"!'5'", " NOT col = '5'"},
    {"/'5'", " NOT col = '5'"},
    {"!<5", " NOT col < '5'"},
    {"5..9", "col = '5..9'"},
    {"a..z", "col = 'a..z'"},
    {" ", "col = ' '"},
    {"   ", "col = '   '"},
    {"a\nb", "col = 'a'"},
    {"a\n,'\"", "col = 'a'"},  // nothing after the first line feed is read
    {"'a'|'b'&'c'", "col = 'a' OR col = 'b' AND col = 'c'"},
    {"((a))", "( ( col = 'a' ) )"},
    {"!(!a)", " NOT ( col = '!a' )"},
    {"x*..y", "col LIKE 'x%..y'"},
    {"=|x", "col IS NULL OR col = 'x'"},
    {">\t5", "col > '5'"},
    {"\ta\r", "col = 'a'"},
    {"''", "col = ''"},
    {"'a=b|c&d'", "col = 'a=b|c&d'"},
    {"'50%'", "col = '50%'"},
    {"\xC3\xA9t\xC3\xA9*", "col LIKE '\xC3\xA9t\xC3\xA9%'"},
    {"\xF0\x9F\x98\x80", "col = '\xF0\x9F\x98\x80'"},  // a character outside the basic plane is text
    // A backslash before a wildcard is dropped in plain values and plain patterns, kept in the ESCAPE form only.
    {"a\\*|b\\?*", "col = 'a*' OR col LIKE('b\\?%') ESCAPE '\\'"},
    {"ESCAPE\\*", "col = 'ESCAPE*'"},
    {"a\\?b*", "col LIKE('a\\?b%') ESCAPE '\\'"},
    {"a\\?b*", "col LIKE 'a?b%'", QBExlator::eEngMSAccess},
    {"'a'..'b'|>\\_x", "col  BETWEEN 'a' AND 'b' OR col > '_x'"},
};

const Case kCommaCases[] = {
    {"1,5", "col = 1.5"},
    {">-2,75e3", "col > -2.75e3"},
    {"=1,5", "col = 1.5"},
    {"<=10,25E+2", "col <= 10.25E+2"},
    {",5", "col = .5"},
    {",5..,7", "col  BETWEEN .5 AND .7"},
    {"-1,5..,5", "col  BETWEEN -1.5 AND .5"},
    {"'1.5'", "col = '1.5'"},
};

TEST(CellTranslation, PeriodDialect) {
  for (const auto& c : kCommonCases)
    EXPECT_EQ(translate(Dialect::kPeriod, c.cell, c.engine), c.condition) << "cell «" << c.cell << "»";
}

TEST(CellTranslation, CommaDialectTranslatesTheSameCells) {
  for (const auto& c : kCommonCases)
    EXPECT_EQ(translate(Dialect::kComma, c.cell, c.engine), c.condition) << "cell «" << c.cell << "»";
}

TEST(CellTranslation, CommaNumbers) {
  for (const auto& c : kCommaCases)
    EXPECT_EQ(translate(Dialect::kComma, c.cell, c.engine), c.condition) << "cell «" << c.cell << "»";
}

TEST(CellTranslation, ColumnGoesInAsGiven) {
  EXPECT_EQ(translate(Dialect::kPeriod, "x", 1, ""), " = 'x'");
  EXPECT_EQ(translate(Dialect::kPeriod, "'a'..'b'", 1, "\"Order Date\""), "\"Order Date\"  BETWEEN 'a' AND 'b'");
  EXPECT_EQ(translate(Dialect::kPeriod, "x", 1, "c\\*"), "c\\* = 'x'");  // the column is not unescaped
}

TEST(CellTranslation, VariantClassesUseTheirDialect) {
  testing::EngineGuard engine(QBExlator::eEngSQLAnywhere);
  QBEtoSQLtranslator_us us;
  QBEtoSQLtranslator_ja ja;
  QBEtoSQLtranslator_de de;
  QBEtoSQLtranslator_fr fr;
  for (const auto& c : kCommonCases) {
    if (c.engine != QBExlator::eEngSQLAnywhere) continue;
    std::string cell = std::string(c.cell) + "\n";
    for (const QBEtoSQLtranslator* variant : std::initializer_list<const QBEtoSQLtranslator*>{&us, &ja, &de, &fr})
      EXPECT_EQ(variant->main(cell, "col"), c.condition) << "cell «" << c.cell << "»";
  }
  EXPECT_EQ(de.main("1,5\n", "col"), "col = 1.5");
  EXPECT_EQ(fr.main("1,5\n", "col"), "col = 1.5");
  EXPECT_THROW(us.main("1,5\n", "col"), TokenMgrError);
  EXPECT_THROW(ja.main("1,5\n", "col"), TokenMgrError);
}

TEST(CellTranslation, VariantsFollowTheProcessEngine) {
  QBEtoSQLtranslator_us us;
  {
    testing::EngineGuard access(QBExlator::eEngMSAccess);
    EXPECT_EQ(us.main("a\\?b*\n", "NAME"), "NAME LIKE 'a?b%'");
  }
  testing::EngineGuard anywhere(QBExlator::eEngNull);
  EXPECT_EQ(us.main("a\\?b*\n", "NAME"), "NAME LIKE('a\\?b%') ESCAPE '\\'");
}

TEST(CellTranslation, DeepButAllowedNesting) {
  std::string cell = std::string(CellParser::kMaxNesting, '(') + "a" + std::string(CellParser::kMaxNesting, ')');
  std::string expected;
  for (int i = 0; i < CellParser::kMaxNesting; ++i) expected += "( ";
  expected += "col = 'a'";
  for (int i = 0; i < CellParser::kMaxNesting; ++i) expected += " )";
  EXPECT_EQ(translate(Dialect::kPeriod, cell), expected);
}

TEST(CellTranslation, LongCellsOfManyTerms) {
  std::string cell = "a";
  std::string expected = "col = 'a'";
  for (int i = 0; i < 5000; ++i) {
    cell += "|'b'";
    expected += " OR col = 'b'";
  }
  EXPECT_EQ(translate(Dialect::kPeriod, cell), expected);
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::qbe
