#include "testkit/middleware/sql/RecordSetSession.h"

#include "testkit/middleware/sql/PMVTMultiView.h"
#include "testkit/middleware/sql/PMVTRelView.h"

namespace testkit::middleware::sql {

RecordSetPath pathFrom(const ArgReader& a, std::size_t at) {
  const std::int32_t levels = a.int32(at);
  if (levels < 1 || static_cast<std::size_t>(levels) * 2 + at + 1 != a.size()) {
    throw ServerFailure(22, kCategoryInvalidArg, "Bad position path");
  }
  RecordSetPath path;
  path.reserve(static_cast<std::size_t>(levels));
  for (std::int32_t i = 0; i < levels; ++i) {
    const std::size_t k = at + 1 + 2 * static_cast<std::size_t>(i);
    path.emplace_back(a.int32(k), a.int32(k + 1));
  }
  return path;
}

void RecordSetSession::checkLogin(const std::string& user, const std::string& password) const {
  if (settings->checkLogin && (user != settings->user || password != settings->password)) {
    throw ServerFailure(TRIVODriver::kLoginFailedId, kCategoryConnectionFailed, "Login failed for user '" + user + "'.",
                        "28000");
  }
}

std::shared_ptr<RecordSetModel> RecordSetSession::makeModel(bool readOnly) const {
  // The connection has no lock of its own, and a model may be dropped by a server object outside any call.
  return std::shared_ptr<RecordSetModel>(new RecordSetModel(db, scope->scriptRef(), readOnly),
                                         [scope = scope](RecordSetModel* model) {
                                           auto hold = scope->lock();
                                           delete model;
                                         });
}

std::vector<Encoded> openView(const std::shared_ptr<RecordSetSession>& session,
                              const std::shared_ptr<RecordSetModel>& model, const std::shared_ptr<RecordSetView>& view,
                              std::int32_t multiViewID) {
  auto relView = std::make_shared<PMVTRelView>(session, model);
  const std::int32_t id = session->scope->add(relView, model.get());
  relView->setID(id);
  model->setViewID(view, id);
  std::vector<Encoded> reply;
  if (multiViewID != 0) reply.push_back(MwEncode::dataInt(multiViewID));
  reply.push_back(MwEncode::dataInt(id));
  reply.push_back(SqlEncode::text("RelView" + std::to_string(id)));
  reply.push_back(SqlEncode::entity(view->columns));
  return reply;
}

std::vector<Encoded> openView(const std::shared_ptr<RecordSetSession>& session,
                              const std::shared_ptr<RecordSetModel>& model, std::int32_t masterID,
                              const std::string& sql, const std::map<int, int>& joins, std::int32_t multiViewID) {
  return openView(session, model, model->addView(masterID, sql, joins), multiViewID);
}

std::vector<Encoded> openRowsView(const std::shared_ptr<RecordSetSession>& session,
                                  const std::function<std::shared_ptr<RecordSetView>(RecordSetModel&)>& make) {
  auto model = session->makeModel(true);
  auto multiView = std::make_shared<PMVTMultiView>(session, model);
  const std::int32_t id = session->scope->add(multiView, model.get());
  return openView(session, model, make(*model), id);
}

}  // namespace testkit::middleware::sql
