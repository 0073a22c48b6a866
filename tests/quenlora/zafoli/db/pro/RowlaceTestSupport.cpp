#include "tests/quenlora/zafoli/db/pro/RowlaceTestSupport.h"

#include <cstdlib>

#include "platform/sql/SQLException.h"

namespace rowlacetest {

std::string sqlFailure(const std::function<void()>& f) {
  try {
    f();
  } catch (const plat::sql::SQLException& e) {
    return e.getMessage();
  } catch (const std::exception&) {
    return "other";
  }
  return "";
}

void RowlaceTest::SetUp() {
  testkit::middleware::sql::SqlMiddlewareServer::Options options;
  options.checkLogin = true;
  options.user = "clerk";
  options.password = "pw";
  server_ = std::make_unique<testkit::middleware::sql::SqlMiddlewareServer>(options);
  auto& s = *server_;
  s.execute("create table cust (id integer primary key, name varchar(20), city char(8))");
  s.execute("insert into cust values (1, 'Ann', 'Oslo'), (2, 'Bob', 'Rome'), (3, 'Cid', 'Lima')");
  s.execute("create table orders (id integer primary key, cust_id integer, amount double)");
  s.execute("create index orders_cust on orders (cust_id)");
  s.execute("insert into orders values (10, 1, 1.5), (11, 1, 2.5), (20, 2, 7.0)");
  s.execute("create table items (id integer primary key, order_id integer, what varchar(10))");
  s.execute("insert into items values (100, 10, 'pen'), (101, 10, 'ink'), (110, 11, 'pad')");
}

plat::lang::Ref<Session> RowlaceTest::open() {
  auto session = plat::lang::makeRef<Session>(server_->recordSetUrl(), false);
  session->setDefaultConnection(plat::lang::makeRef<quenlora::zafoli::db::pro::ConnectionInfo>("main", "clerk", "pw"));
  return session;
}

plat::util::Properties RowlaceTest::props(std::initializer_list<std::pair<const char*, const char*>> entries) {
  plat::util::Properties p;
  for (const auto& [k, v] : entries) p.setProperty(k, v);
  return p;
}

std::vector<Call> RowlaceTest::calls(int method) const {
  return callsTo(-1, method);
}

std::vector<Call> RowlaceTest::callsTo(std::int32_t object, int method) const {
  std::vector<Call> out;
  for (const auto& r : server_->server().requests()) {
    const auto& w = r.request.words;
    if (w.size() < 4 || w[0] != "proxy" || w[1] != "invoke") continue;
    Call c{std::atoi(w[2].c_str()), std::atoi(w[3].c_str()), r.request.args};
    if ((object < 0 || c.object == object) && c.method == method) out.push_back(std::move(c));
  }
  return out;
}

}  // namespace rowlacetest
