// Rowlace on a middleware server: a writable view of customers with a field on their names, an edit saved on the
// server, and a lookup list of each customer's orders that follows the current customer. Expects the tables
//   customers (id int, name varchar(40)) and orders (id int, cust_id int, amount double)
//   rowlace_customers orvo://HOST:PORT [USER [PASSWORD]]
#include <exception>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "platform/sql/SQLException.h"
#include "platform/util/Properties.h"
#include "quenlora/zafoli/db/pro/ListBinder.h"
#include "quenlora/zafoli/db/pro/Projection.h"
#include "quenlora/zafoli/db/pro/RelationView.h"
#include "quenlora/zafoli/db/pro/Session.h"

namespace pro = quenlora::zafoli::db::pro;

// What the example's "widgets" show: a line on standard output.
void show(const std::string& text) {
  std::cout << "field: " << text << "\n";
}
void show(const plat::lang::Ref<pro::RelationView>& list) {
  std::cout << "list:";
  for (bool on = list->first(); on; on = list->next()) std::cout << " " << list->getStringValue(1);
  std::cout << "\n";
}

void run(const std::string& url, const std::string& user, const std::string& password) {
  auto session = plat::lang::makeRef<pro::Session>(url, false);  // false: connects now (Session(url) does not)
  auto conn = plat::lang::makeRef<pro::ConnectionInfo>("main", user, password);
  plat::util::Properties request;
  request.setProperty("readOnly", "false");  // views are read-only unless the request says so
  auto customers = session->createView(conn, "select id, name from customers order by id", request);

  struct NameField : pro::Projection {
    void notifyDataChange(pro::ProjBinder& b) override {
      Projection::notifyDataChange(b);
      show(toString());
    }
  };
  auto name = std::make_shared<NameField>();
  auto binder = customers->bindProj(2, name);  // customers: a RelationView; shows row 1's name
  binder->setValueFromString("Ann");           // into the current row, sent to the server
  customers->next();                           // the field shows the next name

  customers->saveMultiView();  // one server transaction for the view and its details

  struct OrdersBox : pro::ListLink {
    void init(pro::ListBinder&) override {}
    void notifyListChange(pro::ListBinder& b) override { show(b.getRelationView()); }  // the new list's rows
  };
  auto box = std::make_shared<OrdersBox>();
  auto list = customers->bindList(conn, "select id, amount from orders where cust_id = ?", box,
                                  std::vector<plat::lang::Value>{"id"});
  customers->next();  // the box shows the next customer's orders

  // What the server holds now, through a second, read-only view.
  auto check = session->createView(conn, "select name from customers where id = 1");
  check->first();
  std::cout << "saved: " << check->getStringValue(1) << "\n";
  list.reset();
  session->close();
}

int main(int argc, char** argv) {
  if (argc < 2 || argc > 4) {
    std::cerr << "usage: rowlace_customers orvo://HOST:PORT [USER [PASSWORD]]\n";
    return 2;
  }
  try {
    run(argv[1], argc > 2 ? argv[2] : "", argc > 3 ? argv[3] : "");
  } catch (const plat::sql::SQLException& e) {
    std::cerr << "rowlace_customers: " << e.getMessage() << "\n";
    return 1;
  } catch (const std::exception& e) {
    std::cerr << "rowlace_customers: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
