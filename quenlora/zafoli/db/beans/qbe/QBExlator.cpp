#include "quenlora/zafoli/db/beans/qbe/QBExlator.h"

#include <atomic>
#include <memory>
#include <mutex>

#include "platform/lang/Exceptions.h"
#include "platform/lang/Integer.h"
#include "platform/lang/System.h"
#include "quenlora/zafoli/db/beans/qbe/ParseException.h"
#include "quenlora/zafoli/db/beans/qbe/QBEResourceLoader.h"
#include "quenlora/zafoli/db/beans/qbe/QBEtoSQLtranslatorFactory.h"
#include "quenlora/zafoli/db/beans/qbe/TokenMgrError.h"
#include "quenlora/zafoli/db/beans/qbe/TypeFixup.h"

namespace quenlora::zafoli::db::beans::qbe {

namespace {

std::atomic<int> engineCode{QBExlator::eEngNull};

// What the class takes once, when it is first used (first construction or a first translation before any): the
// translator of the default locale and, from the same locale at the same moment, the bundle's prefix of syntax
// errors, so that a later change of the default locale changes neither.
struct ClassState {
  std::shared_ptr<QBEtoSQLtranslator> parser;
  std::string syntaxErrorPrefix;
};

const ClassState& classState() {
  static const ClassState state = [] {
    ClassState made;
    QBEtoSQLtranslatorFactory factory;
    made.parser = factory.getQBEtoSQLtranslator();
    auto bundle = QBEResourceLoader::getInstance().getBundle();
    made.syntaxErrorPrefix = QBEResourceLoader::text(bundle.get(), "QBExlator_SYNTAXERROR");
    return made;
  }();
  return state;
}

const std::string& syntaxErrorPrefix() {
  return classState().syntaxErrorPrefix;
}

struct FormEntry {
  std::string column;
  int typeCode;
  std::string cellText;
};

FormEntry split(const std::string& entry) {
  std::size_t first = entry.find(':');
  std::size_t second = first == std::string::npos ? first : entry.find(':', first + 1);
  if (second == std::string::npos)
    throw plat::lang::StringIndexOutOfBoundsException("form entry without column and type code: " + entry);
  return {entry.substr(0, first), plat::lang::Integer::parseInt(entry.substr(first + 1, second - first - 1)),
          entry.substr(second + 1)};
}

}  // namespace

QBExlator::QBExlator() {
  translator();
}

const QBEtoSQLtranslator& QBExlator::translator() {
  return *classState().parser;
}

void QBExlator::setEngine(int code) {
  engineCode.store(code);
}

int QBExlator::getEngine() {
  return engineCode.load();
}

std::string QBExlator::getDateDelim() {
  switch (getEngine()) {
    case eEngNull:
      return "";
    case eEngMSAccess:
      return "#";
    default:
      return "'";
  }
}

plat::text::DecimalFormatSymbols QBExlator::getDecimalFormatSymbols() {
  return plat::text::DecimalFormatSymbols(plat::text::Locale::getDefault());
}

char32_t QBExlator::getDecimalSeparator() {
  return getDecimalFormatSymbols().getDecimalSeparator();
}
char32_t QBExlator::getGroupingSeparator() {
  return getDecimalFormatSymbols().getGroupingSeparator();
}
char32_t QBExlator::getMinusSign() {
  return getDecimalFormatSymbols().getMinusSign();
}

std::string QBExlator::xlatField(const std::string& text, const std::string& column) {
  if (text.empty()) return text;
  try {
    return translator().main(text + "\n", column);
  } catch (const ParseException& e) {
    throw QBExlatException(syntaxErrorPrefix() + e.getMessage());
  } catch (const TokenMgrError& e) {
    throw QBExlatException(e.getMessage());
  }
}

std::string QBExlator::xlatForm(const std::vector<std::string>& entries, bool withWhere) {
  std::string result = withWhere ? "WHERE " : "";
  const std::size_t n = entries.size();
  const int engine = getEngine();
  for (std::size_t i = 0; i < n; ++i) {
    FormEntry entry = split(entries[i]);
    std::string cell = entry.cellText + "\n";
    std::string condition;
    try {
      condition = translator().main(cell, entry.column);
    } catch (const ParseException& e) {
      plat::lang::System::out().println("QBE Parse Error translating form. Entry " + cell + " " + e.getMessage());
      // A partial clause would reach the database as a different query: the row is refused instead.
      throw QBExlatException(syntaxErrorPrefix() + e.getMessage());
    }
    result += i == 0 ? "(" : " AND ";
    if (n > 1) result += "(";
    if (engine == eEngPointbase) condition = applyTypeFixup(condition, entry.typeCode);
    result += condition;
    if (n > 1) result += ")";
  }
  if (n > 0) result += ")";

  long open = 0;
  long close = 0;
  for (char c : result) {
    if (c == '(') ++open;
    if (c == ')') ++close;
  }
  if (open > close) {
    long missing = open - close;
    plat::lang::System::out().println("Fixup performed while parsing form, " + std::to_string(missing) +
                                      " few right Paranthesis");
    result.append(static_cast<std::size_t>(missing), ')');
  } else if (close > open) {
    plat::lang::System::out().println("Ended up with too many right parens while parsing form.");
  }
  return result;
}

}  // namespace quenlora::zafoli::db::beans::qbe
