// Arbitrary text as a query-by-example cell, through the facade and through every locale variant: each cell
// either translates or fails with one of the two error kinds of the cell language; nothing else may happen.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/runvale/ClassRegistry.h"
#include "quenlora/zafoli/db/beans/qbe/ParseException.h"
#include "quenlora/zafoli/db/beans/qbe/QBEtoSQLtranslator_de.h"
#include "quenlora/zafoli/db/beans/qbe/QBEtoSQLtranslator_fr.h"
#include "quenlora/zafoli/db/beans/qbe/QBEtoSQLtranslator_ja.h"
#include "quenlora/zafoli/db/beans/qbe/QBEtoSQLtranslator_us.h"
#include "quenlora/zafoli/db/beans/qbe/QBExlator.h"
#include "quenlora/zafoli/db/beans/qbe/QbeClasses.h"
#include "quenlora/zafoli/db/beans/qbe/TokenMgrError.h"

using namespace quenlora::zafoli::db::beans::qbe;

namespace {

void throughVariant(const QBEtoSQLtranslator& variant, const std::string& cell) {
  try {
    variant.main(cell + "\n", "col");
  } catch (const ParseException&) {
  } catch (const TokenMgrError&) {
  }
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
  return 0;
}
