// A connection bean's, a stored-procedure adapter's and the rule adapters' saved settings on arbitrary bytes: a
// damaged or foreign archive is refused with an exception, never read as wrong values; an accepted one saves back to
// the same bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/lang/Throwable.h"
#include "platform/runvale/ClassRegistry.h"
#include "quenlora/zafoli/db/beans/brl/BrlClasses.h"
#include "quenlora/zafoli/db/beans/brl/adapter/CalculationAdapter.h"
#include "quenlora/zafoli/db/beans/brl/adapter/ValidationAdapter.h"
#include "quenlora/zafoli/db/beans/jdbc/JdbcConnection.h"
#include "quenlora/zafoli/db/beans/jdbc/StoredProcedureAdapter.h"

namespace {

void adapter(const std::vector<std::uint8_t>& bytes) {
  using quenlora::zafoli::db::beans::jdbc::StoredProcedureAdapter;
  plat::lang::Ref<StoredProcedureAdapter> restored;
  try {
    restored = StoredProcedureAdapter::restore(bytes);
  } catch (const plat::lang::Throwable&) {
    return;
  }
  if (restored->save() != bytes) __builtin_trap();
}

// Saved rules name their classes; the built-in ones are known, as in a process that loaded the library.
const bool rulesRegistered = [] {
  quenlora::zafoli::db::beans::brl::registerBrlClasses(plat::runvale::ClassRegistry::instance());
  return true;
}();

template <class Adapter>
void ruleAdapter(const std::vector<std::uint8_t>& bytes) {
  plat::lang::Ref<Adapter> restored;
  try {
    restored = Adapter::restore(bytes);
  } catch (const plat::lang::Throwable&) {
    return;
  }
  if (restored->save() != bytes) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using quenlora::zafoli::db::beans::jdbc::JdbcConnection;
  std::vector<std::uint8_t> bytes(data, data + size);
  adapter(bytes);
  ruleAdapter<quenlora::zafoli::db::beans::brl::adapter::CalculationAdapter>(bytes);
  ruleAdapter<quenlora::zafoli::db::beans::brl::adapter::ValidationAdapter>(bytes);
  plat::lang::Ref<JdbcConnection> bean;
  try {
    bean = JdbcConnection::restore(bytes);
  } catch (const plat::lang::Throwable&) {
    return 0;
  }
  if (bean->getMinConnections() < 1 || bean->getMaxConnections() < bean->getMinConnections()) __builtin_trap();
  // A bean that starts by itself connects on its own thread; wait for it before comparing the settings.
  if (!bean->isAutoStart() && bean->save() != bytes) __builtin_trap();
  return 0;
}
