#include "testkit/middleware/sql/PMVTClientSession.h"

#include "platform/sql/DriverManager.h"
#include "testkit/middleware/sql/SqlWire.h"

namespace testkit::middleware::sql {
namespace {

constexpr int METHOD_fetchRecords = 0, METHOD_OnDataChange = 1, METHOD_save = 2, METHOD_isDataChanged = 3,
              METHOD_undoChanges = 4, METHOD_undoRecord = 5, METHOD_deleteRecord = 6, METHOD_getNewRecord = 7,
              METHOD_mvClose = 8, METHOD_restart = 10;
constexpr int METHOD_getPreparedRelView = 1, METHOD_setName = 3;
constexpr int METHOD_execute = 0, METHOD_join = 2;

// The position path that ends the arguments from index at on.
RecordSetPath pathFrom(const ArgReader& a, std::size_t at) {
  const std::int32_t levels = a.int32(at);
  if (levels < 1 || static_cast<std::size_t>(levels) * 2 + at + 1 != a.size()) {
    throw ServerFailure(22, kCategoryInvalidArg, "Bad position path");
  }
  RecordSetPath path;
  for (std::int32_t i = 0; i < levels; ++i) {
    const std::size_t k = at + 1 + 2 * static_cast<std::size_t>(i);
    path.emplace_back(a.int32(k), a.int32(k + 1));
  }
  return path;
}

}  // namespace

void RecordSetSession::checkLogin(const std::string& user, const std::string& password) const {
  if (settings->checkLogin && (user != settings->user || password != settings->password)) {
    throw ServerFailure(TRIVODriver::kLoginFailedId, kCategoryConnectionFailed, "Login failed for user '" + user + "'.",
                        "28000");
  }
}

namespace {

// The reply of a new view: [multi-view id,] view id, name, column description.
std::vector<Encoded> openView(const std::shared_ptr<RecordSetSession>& session,
                              const std::shared_ptr<RecordSetModel>& model, std::int32_t masterID,
                              const std::string& sql, const std::map<int, int>& joins, std::int32_t multiViewID) {
  auto view = model->addView(masterID, sql, joins);
  auto relView = std::make_shared<PMVTRelView>(session, model);
  const std::int32_t id = session->scope->add(relView);
  relView->setID(id);
  model->setViewID(view, id);
  std::vector<Encoded> reply;
  if (multiViewID != 0) reply.push_back(MwEncode::dataInt(multiViewID));
  reply.push_back(MwEncode::dataInt(id));
  reply.push_back(SqlEncode::text("RelView" + std::to_string(id)));
  reply.push_back(SqlEncode::entity(view->columns));
  return reply;
}

}  // namespace

PMVTClientSession::PMVTClientSession(MiddlewareServer& server, std::shared_ptr<const DriverSettings> settings,
                                     std::shared_ptr<SqlScript> script)
    : session_(std::make_shared<RecordSetSession>()) {
  session_->scope = std::make_shared<ObjectScope>(server, std::move(script));
  session_->settings = std::move(settings);
  session_->db = plat::sql::DriverManager::getConnection(session_->settings->databaseUrl);
}

std::vector<Encoded> PMVTClientSession::invoke(int method, const std::vector<Arg>& args) {
  return session_->scope->call([&]() -> std::vector<Encoded> {
    const ArgReader a(args, "PMVTClientSession." + std::to_string(method));
    switch (method) {
      case METHOD_close:
        session_->db->close();
        return {};
      case METHOD_createView: {
        session_->checkLogin(a.text(7), a.text(8));
        auto model = std::make_shared<RecordSetModel>(session_->db, session_->scope->scriptRef(), a.boolean(5));
        auto multiView = std::make_shared<PMVTMultiView>(session_, model);
        const std::int32_t id = session_->scope->add(multiView);
        return openView(session_, model, 0, a.text(2), {}, id);
      }
      default:
        noSuchMethod("PMVTClientSession", method);
    }
  });
}

std::vector<Encoded> PMVTMultiView::invoke(int method, const std::vector<Arg>& args) {
  return session_->scope->call([&]() -> std::vector<Encoded> {
    const ArgReader a(args, "PMVTMultiView." + std::to_string(method));
    if (closed_) throw ServerFailure(26, kCategoryInvalidArg, "MultiView is closed");
    switch (method) {
      case METHOD_fetchRecords:
        return model_->fetch(pathFrom(a, 2), a.int32(0), a.int32(1));
      case METHOD_OnDataChange:
        if (args.empty() || args[0].kind != 59) throw ServerFailure(27, kCategoryInvalidArg, "No row argument");
        model_->change(pathFrom(a, 1), args[0]);
        return {};
      case METHOD_save:
        model_->save();
        return {};
      case METHOD_isDataChanged:
        return {SqlEncode::boolean(model_->isChanged())};
      case METHOD_undoChanges:
        model_->undoAll();
        return {};
      case METHOD_undoRecord:
        return {model_->undoRecord(pathFrom(a, 1), a.int32(0))};
      case METHOD_deleteRecord:
        model_->deleteRecord(pathFrom(a, 1), a.int32(0));
        return {};
      case METHOD_getNewRecord:
        return {model_->newRecord(pathFrom(a, 0))};
      case METHOD_mvClose:
        closed_ = true;
        model_->close();
        return {};
      case METHOD_restart:
        model_->restart(a.size() > 0 ? a.text(0) : "");
        return {};
      default:
        noSuchMethod("PMVTMultiView", method);
    }
  });
}

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
