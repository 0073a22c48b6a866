// Opens an in-memory SQLite database through the platform's driver manager, fills a table and prints it.
#include <exception>
#include <iostream>

#include "platform/sql/Connection.h"
#include "platform/sql/DriverManager.h"
#include "platform/sql/PreparedStatement.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/Statement.h"
#include "platform/sqlite/SqliteDriver.h"

int main() {
  try {
    plat::sql::sqlite::registerSqliteDriver();
    auto connection = plat::sql::DriverManager::getConnection("jdbc:sqlite::memory:");
    auto statement = connection->createStatement();
    statement->executeUpdate("create table drug (ndc varchar(11), name varchar(40), price decimal(9,2))");

    auto insert = connection->prepareStatement("insert into drug values (?, ?, ?)");
    const struct {
      const char* ndc;
      const char* name;
      double price;
    } rows[] = {{"00002-1433", "Ibuprofen 200 mg", 4.25}, {"00093-7146", "Amoxicillin 500 mg", 12.9}};
    for (const auto& row : rows) {
      insert->setString(1, row.ndc);
      insert->setString(2, row.name);
      insert->setDouble(3, row.price);
      insert->executeUpdate();
    }

    auto result = statement->executeQuery("select ndc, name, price from drug order by ndc");
    while (result->next()) {
      std::cout << result->getString(1) << "  " << result->getString(2) << "  " << result->getDouble(3) << "\n";
    }
    connection->close();
  } catch (const plat::sql::SQLException& e) {
    std::cerr << "sqlite_memory: " << e.getMessage() << " (SQL state " << e.getSQLState() << ")\n";
    return 1;
  } catch (const std::exception& e) {
    std::cerr << "sqlite_memory: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
