#include "quenlora/zafoli/db/beans/javax/swing/SwingTableClasses.h"

#include "quenlora/zafoli/db/beans/javax/swing/ColumnCellRenderers.h"

namespace quenlora::zafoli::db::beans::javax::swing {
namespace {

template <class T>
void add(plat::runvale::ClassRegistry& registry, std::string superclass) {
  plat::runvale::registerNew<T>(registry, plat::lang::makeRef<T>()->getClassName(), {}, std::move(superclass));
}

}  // namespace

void registerSwingTableClasses(plat::runvale::ClassRegistry& registry) {
  add<ColumnAttributes>(registry, "");
  add<ColumnAttributes::MaskedRenderer>(registry, "javax.swing.table.DefaultTableCellRenderer");
  add<ColumnAttributes::CurrencyRenderer>(registry, "javax.swing.table.DefaultTableCellRenderer");
  add<ColumnAttributes::CheckBoxRenderer>(registry, "javax.swing.JCheckBox");
}

}  // namespace quenlora::zafoli::db::beans::javax::swing
