#include "testkit/middleware/sql/PMVTRelView.h"

#include "testkit/middleware/sql/PMVTPreparedRelView.h"
#include "testkit/middleware/sql/ProxyListView.h"

namespace testkit::middleware::sql {

namespace {

constexpr int METHOD_getPreparedRelView = 1, METHOD_setName = 3, METHOD_getListProxy = 6;

}  // namespace

std::vector<Encoded> PMVTRelView::invoke(int method, const std::vector<Arg>& args) {
  return session_->scope->call([&]() -> std::vector<Encoded> {
    const ArgReader a(args, "PMVTRelView." + std::to_string(method));
    switch (method) {
      case METHOD_getPreparedRelView:
        return {MwEncode::dataInt(
            session_->scope->add(std::make_shared<PMVTPreparedRelView>(session_, model_, id_), model_.get()))};
      case METHOD_getListProxy:
        session_->checkLogin(a.text(1), a.text(2));
        return {MwEncode::dataInt(
            session_->scope->add(std::make_shared<ProxyListView>(session_, a.text(3)), model_.get()))};
      case METHOD_setName:
        name_ = a.text(0);
        return {};
      default:
        noSuchMethod("PMVTRelView", method);
    }
  });
}

}  // namespace testkit::middleware::sql
