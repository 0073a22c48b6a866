// A headless master/detail form with Rowlace: text fields (projections) on every column of a master query, and a
// lookup list re-queried from one master column each time the master row moves. Walks the master rows and prints
// each row's fields and its list.
//   rowlace_form orvo://host:port "select ..." "select ... where c = ?" COLUMN [USER [PASSWORD]]
#include <exception>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/pro/ListBinder.h"
#include "quenlora/zafoli/db/pro/Projection.h"
#include "quenlora/zafoli/db/pro/RelationView.h"
#include "quenlora/zafoli/db/pro/Session.h"

namespace pro = quenlora::zafoli::db::pro;

namespace {

// A text field: shows the column's display text whenever its value may have changed.
class TextField : public pro::Projection {
 public:
  void notifyDataChange(pro::ProjBinder& binder) override {
    Projection::notifyDataChange(binder);
    text = binder.isReadable() ? binder.getStringValue() : "";
  }
  std::string text;
};

// A list box: keeps the first column of the list's rows after every re-query.
class ListBox : public pro::ListLink {
 public:
  void init(pro::ListBinder&) override {}
  void notifyListChange(pro::ListBinder& binder) override {
    items.clear();
    auto list = binder.getRelationView();
    for (bool on = list->first(); on; on = list->next()) items.push_back(list->getStringValue(1));
  }
  std::vector<std::string> items;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5 || argc > 7) {
    std::cerr << "usage: rowlace_form orvo://HOST:PORT MASTER_QUERY LIST_QUERY COLUMN [USER [PASSWORD]]\n";
    return 2;
  }
  const std::string url = argv[1];
  const std::string masterQuery = argv[2];
  const std::string listQuery = argv[3];
  const std::string column = argv[4];
  const std::string user = argc > 5 ? argv[5] : "";
  const std::string password = argc > 6 ? argv[6] : "";
  try {
    auto session = plat::lang::makeRef<pro::Session>(url, false);
    auto conn = plat::lang::makeRef<pro::ConnectionInfo>("main", user, password);
    auto master = session->createView(conn, masterQuery);

    std::vector<std::shared_ptr<TextField>> fields;
    const auto meta = master->getMetaData();
    for (int c = 1; c <= meta.getColumnCount(); ++c) {
      fields.push_back(std::make_shared<TextField>());
      master->bindProj(c, fields.back());  // the first bind moves the view to its first row
    }
    auto box = std::make_shared<ListBox>();
    auto list = master->bindList(conn, listQuery, box, std::vector<plat::lang::Value>{column});

    int rows = 0;
    for (bool on = master->getCurrentRecordNumber() == 1; on; on = master->next()) {
      for (std::size_t i = 0; i < fields.size(); ++i) std::cout << (i ? "\t" : "") << fields[i]->text;
      std::cout << "\n";
      for (const auto& item : box->items) std::cout << "  - " << item << "\n";
      ++rows;
    }
    std::cout << "(" << rows << (rows == 1 ? " row)" : " rows)") << "\n";
    list.reset();
    session->close();
  } catch (const plat::sql::SQLException& e) {
    std::cerr << "rowlace_form: " << e.getMessage() << "\n";
    return 1;
  } catch (const std::exception& e) {
    std::cerr << "rowlace_form: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
