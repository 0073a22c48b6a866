#include "testkit/middleware/sql/PMVTRelView.h"

#include "testkit/middleware/sql/PMVTPreparedRelView.h"

namespace testkit::middleware::sql {

namespace {

constexpr int METHOD_getPreparedRelView = 1, METHOD_setName = 3;

}  // namespace

std::vector<Encoded> PMVTRelView::invoke(int method, const std::vector<Arg>& args) {
  return session_->scope->call([&]() -> std::vector<Encoded> {
    const ArgReader a(args, "PMVTRelView." + std::to_string(method));
    switch (method) {
      case METHOD_getPreparedRelView:
        return {MwEncode::dataInt(session_->scope->add(std::make_shared<PMVTPreparedRelView>(session_, model_, id_)))};
      case METHOD_setName:
        name_ = a.text(0);
        return {};
      default:
        noSuchMethod("PMVTRelView", method);
    }
  });
}

}  // namespace testkit::middleware::sql
