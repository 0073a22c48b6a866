#include "testkit/middleware/sql/ProxyListView.h"

namespace testkit::middleware::sql {

std::vector<Encoded> ProxyListView::invoke(int method, const std::vector<Arg>& args) {
  return session_->scope->call([&]() -> std::vector<Encoded> {
    if (method != METHOD_getListRelView) noSuchMethod("ProxyListView", method);
    for (const Arg& arg : args) {
      if (arg.kind != 58 || arg.id != kValueArgId) {
        throw ServerFailure(28, kCategoryInvalidArg, "List values must be text arguments with id 1");
      }
    }
    auto statement = session_->db->prepareStatement(sql_);
    for (std::size_t i = 0; i < args.size(); ++i) statement->setString(static_cast<int>(i + 1), args[i].text);
    auto rows = statement->executeQuery();
    auto reply = openRowsView(session_, [&](RecordSetModel& m) { return m.addResultView(*rows); });
    statement->close();
    return reply;
  });
}

}  // namespace testkit::middleware::sql
