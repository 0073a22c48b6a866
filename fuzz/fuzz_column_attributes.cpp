// A table column's saved attributes on arbitrary bytes: a truncated, foreign or out-of-range archive is refused
// with an exception and builds nothing; an accepted one saves to an archive that reads back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/lang/Throwable.h"
#include "platform/serial/ObjectInput.h"
#include "platform/serial/ObjectOutput.h"
#include "quenlora/zafoli/db/beans/javax/swing/ColumnAttributes.h"
#include "quenlora/zafoli/db/beans/javax/swing/SwingTableClasses.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using quenlora::zafoli::db::beans::javax::swing::ColumnAttributes;
  static const bool registered = [] {
    quenlora::zafoli::db::beans::javax::swing::registerSwingTableClasses(plat::runvale::ClassRegistry::instance());
    return true;
  }();
  (void)registered;
  std::vector<std::uint8_t> bytes(data, data + size);
  plat::lang::Ref<ColumnAttributes> attributes;
  try {
    plat::serial::ObjectInput in(bytes);
    attributes = ColumnAttributes::readObject(in);
  } catch (const plat::lang::Throwable&) {
    return 0;
  }
  if (!attributes || !attributes->getCellEditor() || !attributes->getCellRenderer()) __builtin_trap();
  // Class names that are not registered came back as their fallbacks, so compare the second saving with the first.
  plat::serial::ObjectOutput first;
  attributes->writeObject(first);
  plat::serial::ObjectInput again(first.bytes());
  plat::serial::ObjectOutput second;
  ColumnAttributes::readObject(again)->writeObject(second);
  if (second.bytes() != first.bytes()) __builtin_trap();
  return 0;
}
