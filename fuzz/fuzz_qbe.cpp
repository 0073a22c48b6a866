// Arbitrary text as a query-by-example cell, through the facade and through every locale variant: each cell
// either translates or fails with one of the two error kinds of the cell language; nothing else may happen.
// The same text, cut into up to five lines, as a row of form entries through xlatForm (numeric, text and date
// columns; engines 0, 2 and 7): a clause or the translator's errors only, and every literal the engine-7 fix-up
// unquotes (compared with the clause of engine 1) is a plain number.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/runvale/ClassRegistry.h"
#include "quenlora/zafoli/db/beans/qbe/ParseException.h"
#include "quenlora/zafoli/db/beans/qbe/QBEtoSQLtranslator_de.h"
#include "quenlora/zafoli/db/beans/qbe/QBEtoSQLtranslator_fr.h"
#include "quenlora/zafoli/db/beans/qbe/QBEtoSQLtranslator_ja.h"
#include "quenlora/zafoli/db/beans/qbe/QBEtoSQLtranslator_us.h"
#include "quenlora/zafoli/db/beans/qbe/QBExlator.h"
#include "quenlora/zafoli/db/beans/qbe/QbeClasses.h"
#include "quenlora/zafoli/db/beans/qbe/TokenMgrError.h"
#include "quenlora/zafoli/db/beans/qbe/TypeFixup.h"

using namespace quenlora::zafoli::db::beans::qbe;

namespace {

void throughVariant(const QBEtoSQLtranslator& variant, const std::string& cell) {
  try {
    variant.main(cell + "\n", "col");
  } catch (const ParseException&) {
  } catch (const TokenMgrError&) {
  }
}

// The clause, or nothing when the translator refused the row.
bool form(const std::vector<std::string>& entries, int engine, std::string& clause) {
  QBExlator translator;
  translator.setEngine(engine);
  try {
    clause = translator.xlatForm(entries, true);
    return true;
  } catch (const QBExlator::QBExlatException&) {
  } catch (const TokenMgrError&) {
  }
  return false;
}

// Walks the engine-1 clause beside the engine-7 one: where they part, engine 1 has a quoted literal that engine 7
// shows between two blanks, and that literal must be a plain number.
void checkUnquoted(const std::string& quoted, const std::string& fixed) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < quoted.size() && j < fixed.size()) {
    if (quoted[i] == fixed[j]) {
      ++i, ++j;
      continue;
    }
    if (quoted[i] != '\'' || fixed[j] != ' ') return;  // another difference: not the fix-up's, nothing to check
    const std::size_t close = quoted.find('\'', i + 1);
    if (close == std::string::npos) return;
    const std::string literal = quoted.substr(i + 1, close - i - 1);
    if (fixed.compare(j, literal.size() + 2, " " + literal + " ") != 0) return;
    if (!isPlainNumber(literal)) __builtin_trap();
    i = close + 1;
    j += literal.size() + 2;
  }
}

void throughForm(const uint8_t* data, size_t size) {
  static const char* const kTypes[] = {"4", "12", "91", "2", "93"};  // INTEGER, VARCHAR, DATE, NUMERIC, TIMESTAMP
  static const int kEngines[] = {QBExlator::eEngNull, QBExlator::eEngMSAccess, QBExlator::eEngPointbase};
  if (size < 2) return;
  const int engine = kEngines[data[0] % 3];
  std::vector<std::string> entries;
  std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  std::size_t start = 0;
  while (entries.size() < 5 && start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    const unsigned pick = line.empty() ? 0 : static_cast<unsigned char>(line[0]);
    entries.push_back("C" + std::to_string(pick % 3) + ":" + kTypes[pick % 5] + ":" +
                      (line.empty() ? "" : line.substr(1)));
    start = end + 1;
  }
  std::string clause;
  if (!form(entries, engine, clause) || engine != QBExlator::eEngPointbase) return;
  // Date columns gain typed-literal prefixes at engine 7, which the walk below cannot tell from unquoting.
  for (const auto& entry : entries)
    if (entry.find(":91:") != std::string::npos || entry.find(":93:") != std::string::npos) return;
  std::string plain;
  if (form(entries, QBExlator::eEngSQLAnywhere, plain)) checkUnquoted(plain, clause);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool ready = [] {
    registerQbeClasses(plat::runvale::ClassRegistry::instance());
    QBExlator();
    return true;
  }();
  (void)ready;
  static const QBEtoSQLtranslator_us us;
  static const QBEtoSQLtranslator_ja ja;
  static const QBEtoSQLtranslator_de de;
  static const QBEtoSQLtranslator_fr fr;

  std::string cell(reinterpret_cast<const char*>(data), size);
  // The first byte, when there is one, picks the engine code, so the pattern forms of engine 2 are covered too.
  QBExlator().setEngine(size > 0 ? data[0] % 8 : 0);
  try {
    QBExlator::xlatField(cell, "col");
  } catch (const QBExlator::QBExlatException&) {
  }
  const QBEtoSQLtranslator* variants[] = {&us, &ja, &de, &fr};
  for (const QBEtoSQLtranslator* variant : variants) throughVariant(*variant, cell);
  throughForm(data, size);
  return 0;
}
