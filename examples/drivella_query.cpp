// Connects with Drivella to a middleware server, runs one query and prints its rows, one line each, with the
// column labels first.
//   drivella_query jdbc:orvo://host:port/engine[/server[/database]] "select ..." [user [password]]
#include <exception>
#include <iostream>
#include <string>

#include "platform/sql/Connection.h"
#include "platform/sql/DriverManager.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/ResultSetMetaData.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/Statement.h"
#include "quenlora/zafoli/db/jdbc/Driver.h"

int main(int argc, char** argv) {
  if (argc < 3 || argc > 5) {
    std::cerr << "usage: drivella_query URL QUERY [USER [PASSWORD]]\n";
    return 2;
  }
  const std::string url = argv[1];
  const std::string query = argv[2];
  const std::string user = argc > 3 ? argv[3] : "";
  const std::string password = argc > 4 ? argv[4] : "";
  try {
    quenlora::zafoli::db::jdbc::registerDriver();
    auto connection = plat::sql::DriverManager::getConnection(url, user, password);
    auto statement = connection->createStatement();
    auto result = statement->executeQuery(query);
    auto meta = result->getMetaData();
    const int columns = meta->getColumnCount();
    for (int c = 1; c <= columns; ++c) std::cout << (c > 1 ? "\t" : "") << meta->getColumnLabel(c);
    std::cout << "\n";
    int rows = 0;
    while (result->next()) {
      for (int c = 1; c <= columns; ++c) {
        std::string text = result->getString(c);
        std::cout << (c > 1 ? "\t" : "") << (result->wasNull() ? "NULL" : text);
      }
      std::cout << "\n";
      ++rows;
    }
    std::cout << "(" << rows << (rows == 1 ? " row)" : " rows)") << "\n";
    connection->close();
  } catch (const plat::sql::SQLException& e) {
    std::cerr << "drivella_query: " << e.getMessage() << " (SQL state " << e.getSQLState() << ")\n";
    return 1;
  } catch (const std::exception& e) {
    std::cerr << "drivella_query: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
