#include "testkit/middleware/sql/PMVTClientSession.h"

#include "testkit/middleware/sql/PMVTDatabaseMetaData.h"
#include "testkit/middleware/sql/PMVTMultiView.h"

namespace testkit::middleware::sql {

PMVTClientSession::PMVTClientSession(MiddlewareServer& server, std::shared_ptr<const DriverSettings> settings,
                                     std::shared_ptr<SqlScript> script, std::shared_ptr<RecordSetTerms> terms)
    : session_(std::make_shared<RecordSetSession>()) {
  session_->terms = std::move(terms);
  session_->scope = std::make_shared<ObjectScope>(server, std::move(script));
  session_->settings = std::move(settings);
  session_->db = openScopeConnection(*session_->settings);
}

std::vector<Encoded> PMVTClientSession::invoke(int method, const std::vector<Arg>& args) {
  return session_->scope->call([&]() -> std::vector<Encoded> {
    const ArgReader a(args, "PMVTClientSession." + std::to_string(method));
    switch (method) {
      case METHOD_close:
        session_->db->close();
        return {};
      case METHOD_getMetaData: {
        session_->checkLogin(a.text(1), a.text(2));
        auto object = std::make_shared<PMVTDatabaseMetaData>(session_, session_->db->getMetaData());
        return object->snapshot(session_->scope->add(object));
      }
      case METHOD_inquireDSN:
        return openRowsView(session_, [](RecordSetModel& m) {
          ColumnInfo column;
          column.name = column.label = "DSN";
          column.displaySize = 32;
          return m.addRowsView({column}, {{plat::lang::Value::ofString("main")}});
        });
      case METHOD_createView: {
        session_->checkLogin(a.text(7), a.text(8));
        auto model = session_->makeModel(a.boolean(5));
        auto multiView = std::make_shared<PMVTMultiView>(session_, model);
        const std::int32_t id = session_->scope->add(multiView, model.get());
        return openView(session_, model, 0, a.text(2), {}, id);
      }
      default:
        noSuchMethod("PMVTClientSession", method);
    }
  });
}

}  // namespace testkit::middleware::sql
