// A small Qt window over the Tethra navigator of DrugRows.h: a table of every drug and a form (a name field) on
// the current one. Picking a row in the table moves the navigator; the form follows; Save writes the edit.
//   tethra_window [--check]   (--check: picks the second row, types into the form, saves, prints and quits;
//                               with QT_QPA_PLATFORM=offscreen it needs no display)
#include <unistd.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <QWidget>
#include <filesystem>
#include <iostream>
#include <string>

#include "DrugRows.h"
#include "platform/gui/Table.h"
#include "platform/gui/TextField.h"
#include "platform/gui/qt/LineEditBinder.h"
#include "platform/gui/qt/QtServices.h"
#include "platform/gui/qt/TableViewBinder.h"
#include "platform/lang/Throwable.h"
#include "platform/sql/ResultSet.h"
#include "quenlora/zafoli/db/beans/javax/swing/BindingModel.h"
#include "quenlora/zafoli/db/beans/javax/swing/TableBindingModel.h"
#include "quenlora/zafoli/db/beans/jdbc/QueryNavigator.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const bool check = argc > 1 && std::string(argv[1]) == "--check";
  const auto file = std::filesystem::temp_directory_path() / ("tethra_window-" + std::to_string(::getpid()) + ".db");
  int status = 0;
  try {
    plat::gui::qt::QtServices services;  // dialogs of the library (save prompts, log-in) as Qt windows
    const std::string url = "jdbc:sqlite:" + file.string();
    auto bean = setUpDrugs(url);
    auto drugs = makeRef<jdbc::QueryNavigator>();
    drugs->setClassName(DrugRow::kClassName);
    drugs->setAliasName("drug");
    drugs->setSortOrder({"NDC"});
    drugs->execute(true);

    namespace swing = quenlora::zafoli::db::beans::javax::swing;
    auto model = plat::lang::makeRef<swing::TableBindingModel>();
    auto table = plat::lang::makeRef<plat::gui::Table>();
    model->setTableBinding("drug@NDC,NAME,PRICE%All");
    model->setTable(table);
    QTableView view;
    new plat::gui::qt::TableViewBinder(&view, table);  // a child of the view

    auto name = makeRef<plat::gui::TextField>();
    auto nameBinding = makeRef<swing::BindingModel>();
    nameBinding->setComponent(name);
    nameBinding->setDataBinding("drug@NAME");
    auto* nameEdit = new QLineEdit;
    new plat::gui::qt::LineEditBinder(nameEdit, name);

    QWidget window;
    window.setWindowTitle("Drugs");
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(&view);
    layout->addWidget(nameEdit);
    auto* save = new QPushButton("Save");
    layout->addWidget(save);
    QObject::connect(save, &QPushButton::clicked, [&] { drugs->save(); });
    window.resize(480, 260);
    window.show();

    if (check) {
      view.selectRow(1);  // as a click on the second row
      QApplication::processEvents();
      std::cout << "Form after picking row 2: " << nameEdit->text().toStdString() << "\n";
      nameEdit->setFocus();
      nameEdit->end(false);
      nameEdit->insert(" caps");  // as the user types
      save->click();
      auto plain = plat::sql::DriverManager::getConnection(url);
      auto saved = plain->createStatement()->executeQuery("select NAME from DRUG where NDC = '00093-7146'");
      saved->next();
      std::cout << "Saved: " << saved->getString(1) << "\n";
      std::cout << "Table rows: " << view.model()->rowCount() << "\n";
      plain->close();
    } else {
      status = app.exec();
    }
    layout->removeWidget(&view);  // the view is not the window's to delete
    view.setParent(nullptr);
    drugs->close();
    bean->setConnectionClosed(true);
  } catch (const plat::lang::Throwable& e) {
    std::cerr << "tethra_window: " << e.getMessage() << "\n";
    status = 1;
  }
  std::filesystem::remove(file);
  return status;
}
