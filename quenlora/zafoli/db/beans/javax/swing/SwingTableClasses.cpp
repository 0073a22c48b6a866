#include "quenlora/zafoli/db/beans/javax/swing/SwingTableClasses.h"

#include "quenlora/zafoli/db/beans/javax/swing/ColumnCellRenderers.h"

namespace quenlora::zafoli::db::beans::javax::swing {
namespace {

template <class T>
void add(plat::runvale::ClassRegistry& registry, std::string superclass) {
  plat::runvale::ClassInfo info;
  info.name = plat::lang::makeRef<T>()->getClassName();
  info.factory = [] { return plat::lang::Ref<plat::lang::Object>(plat::lang::makeRef<T>()); };
  info.superclass = std::move(superclass);
  registry.registerClass(std::move(info));
}

}  // namespace

void registerSwingTableClasses(plat::runvale::ClassRegistry& registry) {
  add<ColumnAttributes>(registry, "");
  add<ColumnAttributes::MaskedRenderer>(registry, "javax.swing.table.DefaultTableCellRenderer");
  add<ColumnAttributes::CurrencyRenderer>(registry, "javax.swing.table.DefaultTableCellRenderer");
  add<ColumnAttributes::CheckBoxRenderer>(registry, "javax.swing.JCheckBox");
}

}  // namespace quenlora::zafoli::db::beans::javax::swing
