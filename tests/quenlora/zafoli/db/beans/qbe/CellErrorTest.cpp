// Lexical and syntax errors of the cell language: which cells fail, and the exact frames of their messages.
#include <gtest/gtest.h>

#include "platform/text/Utf16.h"
#include "quenlora/zafoli/db/beans/qbe/ParseException.h"
#include "quenlora/zafoli/db/beans/qbe/QBEResource.h"
#include "quenlora/zafoli/db/beans/qbe/TokenMgrError.h"
#include "tests/quenlora/zafoli/db/beans/qbe/QbeTestSupport.h"

namespace quenlora::zafoli::db::beans::qbe {
namespace {

using testing::translate;

enum class Failure { kLexical, kSyntax };

struct ErrorCase {
  Dialect dialect;
  const char* cell;
  Failure failure;
};

const ErrorCase kErrorCases[] = {
    {Dialect::kPeriod, "x=", Failure::kSyntax},
    {Dialect::kPeriod, "a|", Failure::kSyntax},
    {Dialect::kPeriod, "()", Failure::kSyntax},
    {Dialect::kPeriod, "'a' 'b'", Failure::kSyntax},
    {Dialect::kPeriod, "'it''s'", Failure::kSyntax},
    {Dialect::kPeriod, "> 'x'", Failure::kSyntax},
    {Dialect::kPeriod, "!=", Failure::kSyntax},
    {Dialect::kPeriod, "\\", Failure::kSyntax},
    {Dialect::kPeriod, "\nabc", Failure::kSyntax},
    {Dialect::kPeriod, "=*", Failure::kSyntax},
    {Dialect::kPeriod, "'a'andb", Failure::kSyntax},
    {Dialect::kPeriod, "'a' and b", Failure::kSyntax},  // " and b" is one text run
    {Dialect::kPeriod, "a\tb", Failure::kSyntax},
    {Dialect::kPeriod, "or", Failure::kSyntax},
    {Dialect::kPeriod, "'a'..", Failure::kSyntax},
    {Dialect::kPeriod, "'a'..=", Failure::kSyntax},
    {Dialect::kPeriod, "'a'..b*", Failure::kSyntax},  // "..b*" is one pattern
    {Dialect::kPeriod, "(a", Failure::kSyntax},
    {Dialect::kPeriod, "a)", Failure::kSyntax},
    {Dialect::kPeriod, "!", Failure::kSyntax},
    {Dialect::kPeriod, "'abc\"", Failure::kLexical},
    {Dialect::kPeriod, "'abc", Failure::kLexical},
    {Dialect::kPeriod, "1,5", Failure::kLexical},
    {Dialect::kPeriod, ",", Failure::kLexical},
    {Dialect::kPeriod, "'1,5'", Failure::kLexical},
    {Dialect::kPeriod, "'a\tb'", Failure::kLexical},
    {Dialect::kPeriod, "'a\rb'", Failure::kLexical},
    {Dialect::kPeriod, "a\x01", Failure::kLexical},
    {Dialect::kPeriod, "\xC2\x80", Failure::kLexical},      // U+0080
    {Dialect::kPeriod, "\xC2\xA0", Failure::kLexical},      // U+00A0
    {Dialect::kPeriod, "\xEF\xBF\xAF", Failure::kLexical},  // U+FFEF
    {Dialect::kComma, "1,5..2,5", Failure::kSyntax},        // "..2" is a text run
    {Dialect::kComma, "= 1,5", Failure::kSyntax},           // " 1" is a text run before ",5"
    {Dialect::kComma, "1,5 ", Failure::kSyntax},
    {Dialect::kComma, "1,5e", Failure::kSyntax},
    {Dialect::kComma, "1,5..'a'", Failure::kSyntax},
    {Dialect::kComma, "'1,5'", Failure::kLexical},
    {Dialect::kComma, ",x", Failure::kLexical},
    {Dialect::kComma, "1,", Failure::kLexical},
};

TEST(CellErrors, FailingCellsAndTheirKind) {
  for (const auto& c : kErrorCases) {
    SCOPED_TRACE(std::string("cell «") + c.cell + "»");
    if (c.failure == Failure::kSyntax)
      EXPECT_THROW(translate(c.dialect, c.cell), ParseException);
    else
      EXPECT_THROW(translate(c.dialect, c.cell), TokenMgrError);
  }
}

std::string lexicalMessage(Dialect dialect, const std::string& cell) {
  try {
    translate(dialect, cell);
  } catch (const TokenMgrError& e) {
    return e.getMessage();
  }
  return "(no lexical error)";
}

std::string syntaxMessage(Dialect dialect, const std::string& cell) {
  try {
    translate(dialect, cell);
  } catch (const ParseException& e) {
    return e.getMessage();
  }
  return "(no syntax error)";
}

TEST(CellErrors, LexicalMessages) {
  struct Case {
    Dialect dialect;
    const char* cell;
    const char* message;
  } cases[] = {
      {Dialect::kPeriod, "'abc\"",
       "Lexical error at line 1, column 5.  Encountered: \"\\\"\" (34), after : \"\\'abc\""},
      {Dialect::kPeriod, "'abc", "Lexical error at line 1, column 5.  Encountered: \"\\n\" (10), after : \"\\'abc\""},
      {Dialect::kPeriod, "1,5", "Lexical error at line 1, column 2.  Encountered: \",\" (44), after : \"\""},
      {Dialect::kPeriod, "'\xC3\xA9\t'",
       "Lexical error at line 1, column 3.  Encountered: \"\\t\" (9), after : \"\\'\\u00e9\""},
      {Dialect::kPeriod, "ab\x01", "Lexical error at line 1, column 3.  Encountered: \"\\u0001\" (1), after : \"\""},
      {Dialect::kPeriod, "a\r\xC2\xA0",
       "Lexical error at line 2, column 1.  Encountered: \"\\u00a0\" (160), after : \"\""},
      {Dialect::kComma, ",x", "Lexical error at line 1, column 2.  Encountered: \"x\" (120), after : \",\""},
  };
  for (const auto& c : cases) EXPECT_EQ(lexicalMessage(c.dialect, c.cell), c.message) << c.cell;
}

TEST(CellErrors, LexicalMessageAtTheEndOfInput) {
  // Only a caller that leaves out the line feed can end the input inside a quoted value.
  std::u16string units = u"'ab";
  CellParser parser(units, "col", Dialect::kPeriod, 1, nullptr);
  try {
    parser.parseInput();
    FAIL() << "no exception";
  } catch (const TokenMgrError& e) {
    EXPECT_EQ(e.getMessage(), "Lexical error at line 1, column 4.  Encountered: <EOF> after : \"\\'ab\"");
  }
}

TEST(CellErrors, SyntaxMessages) {
  struct Case {
    Dialect dialect;
    const char* cell;
    const char* message;
  } cases[] = {
      {Dialect::kPeriod, "x=",
       "Encountered \"=\" at line 1, column 2.\n"
       "Was expecting one of:\n"
       "    \"..\" ...\n"
       "    <AND> ...\n"
       "    <OR> ...\n"
       "    \"\\n\" \n"
       "    "},
      {Dialect::kPeriod, "a|",
       "Encountered \"\\n\" at line 1, column 3.\n"
       "Was expecting one of:\n"
       "    <RELOP> ...\n"
       "    \"=\" ...\n"
       "    <NOT> ...\n"
       "    <STRINGCONST> ...\n"
       "    <LIKESPEC> ...\n"
       "    \"(\" ...\n"
       "    "},
      {Dialect::kComma, "a|",
       "Encountered \"\\n\" at line 1, column 3.\n"
       "Was expecting one of:\n"
       "    <RELOP> ...\n"
       "    \"=\" ...\n"
       "    <NOT> ...\n"
       "    <STRINGCONST> ...\n"
       "    <LIKESPEC> ...\n"
       "    <NUMBER> ...\n"
       "    \"(\" ...\n"
       "    "},
      {Dialect::kPeriod, "> 'x'",
       "Encountered \"\\'x\\'\" at line 1, column 3.\n"
       "Was expecting one of:\n"
       "    <AND> ...\n"
       "    <OR> ...\n"
       "    \"\\n\" \n"
       "    "},
      {Dialect::kPeriod, "!=",
       "Encountered \"\\n\" at line 1, column 3.\n"
       "Was expecting:\n"
       "    <STRINGCONST> ...\n"
       "    "},
      {Dialect::kComma, "!=",
       "Encountered \"\\n\" at line 1, column 3.\n"
       "Was expecting one of:\n"
       "    <STRINGCONST> ...\n"
       "    <NUMBER> ...\n"
       "    "},
      {Dialect::kPeriod, "'a'..=",
       "Encountered \"=\" at line 1, column 6.\n"
       "Was expecting:\n"
       "    <STRINGCONST> ...\n"
       "    "},
      {Dialect::kPeriod, "(a",
       "Encountered \"\\n\" at line 1, column 3.\n"
       "Was expecting one of:\n"
       "    \"..\" ...\n"
       "    <AND> ...\n"
       "    <OR> ...\n"
       "    \")\" ...\n"
       "    "},
      {Dialect::kPeriod, "\\",
       "Encountered \"\\\\\" at line 1, column 1.\n"
       "Was expecting one of:\n"
       "    <RELOP> ...\n"
       "    \"=\" ...\n"
       "    <NOT> ...\n"
       "    <STRINGCONST> ...\n"
       "    <LIKESPEC> ...\n"
       "    \"(\" ...\n"
       "    "},
  };
  for (const auto& c : cases) EXPECT_EQ(syntaxMessage(c.dialect, c.cell), c.message) << c.cell;
}

TEST(CellErrors, EndOfInputTokenShowsItsImage) {
  std::u16string units = u"a|";
  CellParser parser(units, "col", Dialect::kPeriod, 1, nullptr);
  try {
    parser.parseInput();
    FAIL() << "no exception";
  } catch (const ParseException& e) {
    EXPECT_EQ(e.getMessage().rfind("Encountered \"<EOF>\" at line 1, column 3.\n", 0), 0u) << e.getMessage();
  }
}

TEST(CellErrors, NestingDeeperThanTheLimitIsASyntaxError) {
  std::string cell =
      std::string(CellParser::kMaxNesting + 1, '(') + "a" + std::string(CellParser::kMaxNesting + 1, ')');
  std::string message = syntaxMessage(Dialect::kPeriod, cell);
  EXPECT_EQ(
      message.rfind("Encountered \"(\" at line 1, column " + std::to_string(CellParser::kMaxNesting + 1) + ".", 0), 0u)
      << message;
  // Far deeper input fails the same way instead of exhausting the stack.
  EXPECT_THROW(translate(Dialect::kPeriod, std::string(1000000, '(')), ParseException);
}

TEST(CellErrors, MessagesInTheLanguageOfTheBundle) {
  QBEResource_ja japanese;
  QBEResource_de german;
  std::u16string units = plat::text::utf16::fromUtf8("'a'..=\n");
  CellParser japaneseParser(units, "col", Dialect::kPeriod, 1, &japanese);
  try {
    japaneseParser.parseInput();
    FAIL() << "no exception";
  } catch (const ParseException& e) {
    EXPECT_EQ(e.getMessage(), japanese.getString("ParseException_getMessage1") + "\"=\"" +
                                  japanese.getString("ParseException_getMessage2") + "1" +
                                  japanese.getString("ParseException_getMessage3") + "6.\n" +
                                  japanese.getString("ParseException_getMessage4") + "\n    <STRINGCONST> ...\n    ");
  }
  std::u16string bad = u"'x\"\n";
  CellParser germanParser(bad, "col", Dialect::kComma, 1, &german);
  try {
    germanParser.parseInput();
    FAIL() << "no exception";
  } catch (const TokenMgrError& e) {
    EXPECT_EQ(e.getMessage(), german.getString("TokenError_LexicalError1") + "1" +
                                  german.getString("TokenError_LexicalError2") + "3" +
                                  german.getString("TokenError_LexicalError3") + "\"\\\"\" (34), " +
                                  german.getString("TokenError_LexicalError5") + "\"\\'x\"");
  }
}

TEST(CellErrors, EscapesOfMessageText) {
  std::u16string text = u"\b\t\n\f\r\"'\\a~\u007f\u00e9";
  text += u'\0';
  text += u"\U0001F600";
  EXPECT_EQ(addEscapes(text), "\\b\\t\\n\\f\\r\\\"\\'\\\\a~\\u007f\\u00e9\\ud83d\\ude00");
}

TEST(CellErrors, TokenImages) {
  EXPECT_EQ(tokenImage(TokenKind::kEof, Dialect::kPeriod), "<EOF>");
  EXPECT_EQ(tokenImage(TokenKind::kEqual, Dialect::kPeriod), "\"=\"");
  EXPECT_EQ(tokenImage(TokenKind::kRange, Dialect::kPeriod), "\"..\"");
  EXPECT_EQ(tokenImage(TokenKind::kEscape, Dialect::kPeriod), "\"\\\"");
  EXPECT_EQ(tokenImage(TokenKind::kLineFeed, Dialect::kPeriod), "\"\\n\"");
  EXPECT_EQ(tokenImage(TokenKind::kDecimalSep, Dialect::kPeriod), "\".\"");
  EXPECT_EQ(tokenImage(TokenKind::kDecimalSep, Dialect::kComma), "\",\"");
  EXPECT_EQ(tokenImage(26, Dialect::kComma), "\" \"");
  EXPECT_EQ(tokenImage(TokenKind::kNumber, Dialect::kComma), "<NUMBER>");
  EXPECT_EQ(tokenImage(TokenKind::kRightParen, Dialect::kComma), "\")\"");
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::qbe
