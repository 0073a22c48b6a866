// The facade: field and form translation, engine codes, the form's fix-ups and its lines on standard output.
#include "quenlora/zafoli/db/beans/qbe/QBExlator.h"

#include <gtest/gtest.h>

#include <thread>

#include "platform/lang/Exceptions.h"
#include "platform/lang/System.h"
#include "quenlora/zafoli/db/beans/qbe/ParseException.h"
#include "quenlora/zafoli/db/beans/qbe/QBEResourceLoader.h"
#include "quenlora/zafoli/db/beans/qbe/TokenMgrError.h"
#include "tests/quenlora/zafoli/db/beans/qbe/QbeTestSupport.h"

namespace quenlora::zafoli::db::beans::qbe {
namespace {

using plat::lang::ConsoleCapture;

// The syntax error prefix in the language of the process's bundle.
std::string syntaxPrefix() {
  return QBEResourceLoader::text(QBEResourceLoader::getInstance().getBundle().get(), "QBExlator_SYNTAXERROR");
}

// The message the process's translator gives for a cell with a syntax error.
std::string parseMessage(const std::string& cell) {
  try {
    QBExlator::xlatField(cell, "col");
  } catch (const QBExlatException& e) {
    return e.getMessage().substr(syntaxPrefix().size());
  }
  return "(no error)";
}

struct FormCase {
  std::vector<std::string> entries;
  int engine;
  const char* clause;
};

TEST(QBExlatorForm, WorkedExamples) {
  const FormCase cases[] = {
      {{"NAME:12:Smith*"}, 0, "(NAME LIKE 'Smith%')"},
      {{"NAME:12:Smith*", "AGE:4:>30"}, 0, "((NAME LIKE 'Smith%') AND (AGE > '30'))"},
      {{"NAME:12:Smith*", "AGE:4:>30"}, 7, "((NAME LIKE 'Smith%') AND (AGE >  30 ))"},
      {{"HIRED:91:'2001-01-01'..'2001-12-31'"}, 7, "(HIRED  BETWEEN  date '2001-01-01' AND  date '2001-12-31')"},
      {{"CITY:12:'Paris'|'Rome'", "QTY:5:="}, 0, "((CITY = 'Paris' OR CITY = 'Rome') AND (QTY IS NULL))"},
      {{"CITY:12:!(Paris|Rome)"}, 2, "( NOT ( CITY = 'Paris' OR CITY = 'Rome' ))"},
      {{"NAME:12:a\\?b*"}, 0, "(NAME LIKE('a\\?b%') ESCAPE '\\')"},
      {{"NAME:12:a\\?b*"}, 2, "(NAME LIKE 'a?b%')"},
      // Further cases of the same rules.
      {{"T:12:10:30"}, 0, "(T = '10:30')"},
      {{"A:12:x", "B:12:y", "C:12:z"}, 1, "((A = 'x') AND (B = 'y') AND (C = 'z'))"},
      {{"T:92:'10:30'"}, 7, "(T =  time '10:30')"},
      {{"S:93:>'2001-01-01 10:00:00'"}, 7, "(S >  timestamp '2001-01-01 10:00:00')"},
      {{"Q:4:'1'..'9'"}, 7, "(Q  BETWEEN  1  AND  9 )"},
      {{"X:8:>-1.5e3"}, 7, "(X >  -1.5e3 )"},
      {{"N:12:5"}, 7, "(N = '5')"},
      {{"N:-7:1"}, 7, "(N =  1 )"},
      {{"N:4:5"}, 6, "(N = '5')"},
      // Only plain numbers lose their quotes: text typed into a numeric column stays a literal.
      {{"AGE:4:1; DROP TABLE T"}, 7, "(AGE = '1; DROP TABLE T')"},
      {{"AGE:4:1 OR 1"}, 7, "(AGE = '1 OR 1')"},
      {{"AGE:4:'5'|x"}, 7, "(AGE =  5  OR AGE = 'x')"},
  };
  for (const auto& c : cases) {
    testing::EngineGuard engine(c.engine);
    ConsoleCapture out(ConsoleCapture::Target::kOut);
    EXPECT_EQ(QBExlator().xlatForm(c.entries, false), c.clause) << c.entries.front() << " engine " << c.engine;
    EXPECT_EQ(out.text(), "");
  }
}

TEST(QBExlatorForm, EmptyFormAndWhere) {
  QBExlator xlator;
  EXPECT_EQ(xlator.xlatForm({}, false), "");
  EXPECT_EQ(xlator.xlatForm({}, true), "WHERE ");
  testing::EngineGuard engine(0);
  EXPECT_EQ(xlator.xlatForm({"NAME:12:Smith*"}, true), "WHERE (NAME LIKE 'Smith%')");
}

TEST(QBExlatorForm, ParenthesesOfColumnNamesAreBalanced) {
  testing::EngineGuard engine(0);
  QBExlator xlator;
  {
    ConsoleCapture out(ConsoleCapture::Target::kOut);
    EXPECT_EQ(xlator.xlatForm({"f((x:12:a"}, false), "(f((x = 'a')))");
    EXPECT_EQ(out.text(), "Fixup performed while parsing form, 2 few right Paranthesis\n");
  }
  {
    ConsoleCapture out(ConsoleCapture::Target::kOut);
    EXPECT_EQ(xlator.xlatForm({"f)x:12:a"}, false), "(f)x = 'a')");
    EXPECT_EQ(out.text(), "Ended up with too many right parens while parsing form.\n");
  }
}

TEST(QBExlatorForm, SyntaxErrorPrintsALineAndRefusesTheForm) {
  testing::EngineGuard engine(0);
  std::string message = parseMessage("x=");
  ConsoleCapture out(ConsoleCapture::Target::kOut);
  try {
    QBExlator().xlatForm({"NAME:12:Smith*", "AGE:4:x="}, true);
    FAIL() << "no exception";
  } catch (const QBExlatException& e) {
    EXPECT_EQ(e.getMessage(), syntaxPrefix() + message);
  }
  EXPECT_EQ(out.text(), "QBE Parse Error translating form. Entry x=\n " + message + "\n");
}

TEST(QBExlatorForm, LexicalErrorPassesThrough) {
  ConsoleCapture out(ConsoleCapture::Target::kOut);
  EXPECT_THROW(QBExlator().xlatForm({"A:12:ok", "B:12:'abc"}, false), TokenMgrError);
  EXPECT_EQ(out.text(), "");
}

TEST(QBExlatorForm, MalformedEntriesAreTheCallersError) {
  QBExlator xlator;
  EXPECT_THROW(xlator.xlatForm({"NAME"}, false), plat::lang::StringIndexOutOfBoundsException);
  EXPECT_THROW(xlator.xlatForm({"NAME:12"}, false), plat::lang::StringIndexOutOfBoundsException);
  EXPECT_THROW(xlator.xlatForm({"NAME:x:1"}, false), plat::lang::NumberFormatException);
  EXPECT_THROW(xlator.xlatForm({"NAME::1"}, false), plat::lang::NumberFormatException);
}

TEST(QBExlatorField, EmptyAndSimpleCells) {
  testing::EngineGuard engine(1);
  EXPECT_EQ(QBExlator::xlatField("", "col"), "");
  EXPECT_EQ(QBExlator::xlatField("", ""), "");
  EXPECT_EQ(QBExlator::xlatField("x", ""), " = 'x'");
  EXPECT_EQ(QBExlator::xlatField("a\nb", "col"), "col = 'a'");
  EXPECT_EQ(QBExlator::xlatField("Sm*", "NAME"), "NAME LIKE 'Sm%'");
}

TEST(QBExlatorField, ErrorsBecomeQBExlatException) {
  try {
    QBExlator::xlatField("x=", "col");
    FAIL() << "no exception";
  } catch (const QBExlatException& e) {
    EXPECT_EQ(e.getMessage().rfind(syntaxPrefix(), 0), 0u);
    EXPECT_NE(e.getMessage().find("\"=\""), std::string::npos);
    EXPECT_EQ(e.getClassName(), "quenlora.zafoli.db.beans.qbe.QBExlator$QBExlatException");
  }
  try {
    QBExlator::xlatField("'abc\"", "col");
    FAIL() << "no exception";
  } catch (const QBExlatException& e) {
    EXPECT_EQ(e.getMessage().rfind(syntaxPrefix(), 0), std::string::npos);  // the lexical message alone
    EXPECT_NE(e.getMessage().find("(34), "), std::string::npos);
  }
  // Unchecked: an Error, not an Exception.
  EXPECT_THROW(QBExlator::xlatField("()", "col"), plat::lang::Error);
}

TEST(QBExlatorField, EngineCodeIsProcessWide) {
  testing::EngineGuard restore(0);
  QBExlator first;
  QBExlator second;
  first.setEngine(QBExlator::eEngMSAccess);
  EXPECT_EQ(QBExlator::getEngine(), 2);
  EXPECT_EQ(QBExlator::xlatField("a\\?b*", "N"), "N LIKE 'a?b%'");
  second.setEngine(QBExlator::eEngNull);
  EXPECT_EQ(QBExlator::xlatField("a\\?b*", "N"), "N LIKE('a\\?b%') ESCAPE '\\'");
}

TEST(QBExlatorField, DateDelimiters) {
  struct Case {
    int engine;
    const char* delimiter;
  } cases[] = {{0, ""}, {1, "'"}, {2, "#"}, {3, "'"}, {4, "'"}, {5, "'"}, {6, "'"}, {7, "'"}, {8, "'"}, {-1, "'"}};
  for (const auto& c : cases) {
    testing::EngineGuard engine(c.engine);
    EXPECT_EQ(QBExlator::getDateDelim(), c.delimiter) << c.engine;
  }
}

TEST(QBExlatorField, DecimalSymbolsFollowTheDefaultLocale) {
  {
    testing::LocaleGuard german(plat::text::Locale::GERMANY);
    EXPECT_EQ(QBExlator::getDecimalSeparator(), U',');
    EXPECT_EQ(QBExlator::getGroupingSeparator(), U'.');
    EXPECT_EQ(QBExlator::getMinusSign(), U'-');
  }
  testing::LocaleGuard us(plat::text::Locale::US);
  EXPECT_EQ(QBExlator::getDecimalSeparator(), U'.');
  EXPECT_EQ(QBExlator::getGroupingSeparator(), U',');
}

TEST(QBExlatorField, ConcurrentTranslationsShareNothing) {
  testing::EngineGuard engine(1);
  const std::pair<const char*, const char*> cells[] = {
      {"Smith", "col = 'Smith'"},
      {"'a'..'m'", "col  BETWEEN 'a' AND 'm'"},
      {"a&(b|c)", "col = 'a' AND ( col = 'b' OR col = 'c' )"},
      {"10\\**", "col LIKE('10\\*%') ESCAPE '\\'"},
  };
  std::atomic<int> wrong{0};
  std::atomic<int> failed{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 500; ++i) {
        const auto& [cell, condition] = cells[(i + t) % 4];
        if (QBExlator::xlatField(cell, "col") != condition) ++wrong;
        try {
          QBExlator::xlatField("x=", "col");
        } catch (const QBExlatException&) {
          ++failed;
        }
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(wrong.load(), 0);
  EXPECT_EQ(failed.load(), 8 * 500);
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::qbe
