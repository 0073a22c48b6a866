// Module entry of Tethra: registers the classes of the data-binding library that are created by name.
#include "platform/runvale/ModuleInit.h"

#include "platform/gui/GuiClasses.h"
#include "platform/runvale/ClassRegistry.h"
#include "quenlora/zafoli/db/beans/binding/BindingServices.h"
#include "quenlora/zafoli/db/beans/binding/DataSynchronizer.h"
#include "quenlora/zafoli/db/beans/binding/DefaultSaveChangesDialog.h"
#include "quenlora/zafoli/db/beans/binding/SaveChangesWindow.h"
#include "quenlora/zafoli/db/beans/brl/BrlClasses.h"
#include "quenlora/zafoli/db/beans/javax/swing/JSaveChangesWindow.h"
#include "quenlora/zafoli/db/beans/javax/swing/JSaveTransactionChangesWindow.h"
#include "quenlora/zafoli/db/beans/javax/swing/SwingTableClasses.h"
#include "quenlora/zafoli/db/beans/jdbc/JdbcClasses.h"
#include "quenlora/zafoli/db/beans/qbe/QbeClasses.h"

extern "C" void runvale_module_init(plat::runvale::ClassRegistry& registry) {
  quenlora::zafoli::db::beans::qbe::registerQbeClasses(registry);
  quenlora::zafoli::db::beans::binding::registerBindingServices(registry);
  quenlora::zafoli::db::beans::binding::DataSynchronizer::registerClass(registry);
  quenlora::zafoli::db::beans::binding::DefaultSaveChangesDialog::registerClass(registry);
  quenlora::zafoli::db::beans::binding::SaveChangesWindow::registerClass(registry);
  quenlora::zafoli::db::beans::javax::swing::JSaveChangesWindow::registerClass(registry);
  quenlora::zafoli::db::beans::javax::swing::JSaveTransactionChangesWindow::registerClass(registry);
  quenlora::zafoli::db::beans::jdbc::registerJdbcClasses(registry);
  quenlora::zafoli::db::beans::brl::registerBrlClasses(registry);
  // Saved column settings name the toolkit's editor and renderer components by class.
  plat::gui::registerGuiClasses(registry);
  quenlora::zafoli::db::beans::javax::swing::registerSwingTableClasses(registry);
}
