#include "testkit/middleware/sql/PMVTPreparedRelView.h"

namespace testkit::middleware::sql {

namespace {

constexpr int METHOD_execute = 0, METHOD_join = 2;

}  // namespace

std::vector<Encoded> PMVTPreparedRelView::invoke(int method, const std::vector<Arg>& args) {
  return session_->scope->call([&]() -> std::vector<Encoded> {
    const ArgReader a(args, "PMVTPreparedRelView." + std::to_string(method));
    switch (method) {
      case METHOD_join:
        model_->view(masterID_);
        joins_[a.int32(0)] = a.int32(1);
        return {};
      case METHOD_execute:
        session_->checkLogin(a.text(4), a.text(5));
        return openView(session_, model_, masterID_, a.text(1), joins_, 0);
      default:
        noSuchMethod("PMVTPreparedRelView", method);
    }
  });
}

}  // namespace testkit::middleware::sql
