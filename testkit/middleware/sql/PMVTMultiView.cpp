#include "testkit/middleware/sql/PMVTMultiView.h"

namespace testkit::middleware::sql {

namespace {

constexpr int METHOD_fetchRecords = 0, METHOD_OnDataChange = 1, METHOD_save = 2, METHOD_isDataChanged = 3,
              METHOD_undoChanges = 4, METHOD_undoRecord = 5, METHOD_deleteRecord = 6, METHOD_getNewRecord = 7,
              METHOD_mvClose = 8, METHOD_getStream = 9, METHOD_restart = 10;

}  // namespace

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
        // The multi-view, its views, detail requests, list proxies and streams go with it, as on the real server.
        session_->scope->dropGroup(model_.get());
        return {};
      case METHOD_getStream: {
        auto stream = model_->stream(pathFrom(a, 3), a.int32(0), a.int32(1), a.boolean(2));
        return {MwEncode::dataInt(session_->scope->add(stream, model_.get()))};
      }
      case METHOD_restart:
        model_->restart(a.size() > 0 ? a.text(0) : "");
        return {};
      default:
        noSuchMethod("PMVTMultiView", method);
    }
  });
}

}  // namespace testkit::middleware::sql
