// A Tethra navigator over an SQLite file with the row class of DrugRows.h: walks the rows, narrows
// them by example, edits one through a bound text field, saves it and reads the saved value back with plain SQL.
//   tethra_navigator [DATABASE_FILE]   (default: a new file in the temporary folder, removed at the end)
#include <unistd.h>

#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

#include "DrugRows.h"
#include "platform/gui/TextField.h"
#include "platform/lang/Throwable.h"
#include "platform/sql/ResultSet.h"
#include "quenlora/zafoli/db/beans/javax/swing/BindingModel.h"
#include "quenlora/zafoli/db/beans/jdbc/QueryNavigator.h"

namespace {

// Each row of the navigator as "NDC NAME PRICE", fetching them all.
void printRows(jdbc::QueryNavigator& drugs, const std::string& title) {
  drugs.last();
  std::cout << title << ":\n";
  for (int row = 0; row < drugs.getTotalNumberOfRows(); ++row) {
    std::cout << "  " << drugs.getValueFromFirst(row, 0).toString() << "  "
              << drugs.getValueFromFirst(row, 1).toString() << "  " << drugs.getValueFromFirst(row, 2).toString()
              << "\n";
  }
}

}  // namespace

int main(int argc, char** argv) {
  const bool own = argc < 2;
  const std::filesystem::path file =
      own ? std::filesystem::temp_directory_path() / ("tethra_navigator-" + std::to_string(::getpid()) + ".db")
          : std::filesystem::path(argv[1]);
  try {
    const std::string url = "jdbc:sqlite:" + file.string();
    auto bean = setUpDrugs(url);
    // The navigator publishes its rows on the data bus under its alias "drug".
    auto drugs = makeRef<jdbc::QueryNavigator>();
    drugs->setClassName(DrugRow::kClassName);
    drugs->setAliasName("drug");
    drugs->setSortOrder({"NDC"});
    drugs->execute(true);
    printRows(*drugs, "All drugs");

    // A text field bound to the NAME of the navigator's current row.
    auto name = makeRef<plat::gui::TextField>();
    auto nameBinding = makeRef<beans::javax::swing::BindingModel>();
    nameBinding->setComponent(name);
    nameBinding->setDataBinding("drug@NAME");
    drugs->first();
    std::cout << "First row's name field: " << name->getText() << "\n";
    drugs->next();
    std::cout << "After next: " << name->getText() << "\n";

    // Query by example: a pattern in the NAME cell of the example row.
    drugs->startQBE();
    drugs->setValueAsQBE(plat::lang::Value("Ibu*"), 1);
    drugs->executeQueryByExample();
    printRows(*drugs, "Drugs named Ibu*");

    // Typing into the field edits the current row; save writes it.
    drugs->first();
    name->requestFocus();
    name->type(" tablets");
    drugs->save();
    auto plain = plat::sql::DriverManager::getConnection(url);
    auto saved = plain->createStatement()->executeQuery("select NAME from DRUG where NDC = '00002-1433'");
    saved->next();
    std::cout << "Saved: " << saved->getString(1) << "\n";

    drugs->close();
    plain->close();
    bean->setConnectionClosed(true);
  } catch (const plat::lang::Throwable& e) {
    std::cerr << "tethra_navigator: " << e.getMessage() << "\n";
    return 1;
  } catch (const std::exception& e) {
    std::cerr << "tethra_navigator: " << e.what() << "\n";
    return 1;
  }
  if (own) std::filesystem::remove(file);
  return 0;
}
