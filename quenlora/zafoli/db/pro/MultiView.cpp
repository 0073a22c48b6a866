#include "quenlora/zafoli/db/pro/MultiView.h"

#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/BestEffort.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/TextParam.h"
#include "quenlora/zafoli/db/pro/RelationView.h"
#include "quenlora/zafoli/db/pro/Session.h"

namespace quenlora::zafoli::db::pro {

using plat::lang::makeRef;
using plat::lang::Ref;

Ref<MultiView> MultiView::create(Ref<Session> session, std::int32_t multiViewID, ViewDescriptor root,
                                 Ref<ConnectionInfo> conn) {
  auto multiView = makeRef<MultiView>(std::move(session), multiViewID, std::move(conn));
  const std::int32_t level = multiView->nextLevelID();
  auto view = std::make_unique<RelationView>(*multiView, nullptr, level, std::move(root));
  RelationView* raw = view.get();
  multiView->root_ = raw;
  multiView->adopt(std::move(view));
  raw->goInitialPosition();
  return multiView;
}

MultiView::MultiView(Ref<Session> session, std::int32_t multiViewID, Ref<ConnectionInfo> conn)
    : session_(std::move(session)), multiViewID_(multiViewID), conn_(std::move(conn)), tree_(makeRef<RecordTree>()) {
  if (!session_->isDesignTime()) server_ = std::make_shared<ServerHandle>(session_->wire(), kClassName, multiViewID_);
}

MultiView::~MultiView() {
  try {
    close();
  } catch (...) {
  }
}

bool MultiView::isDesignTime() const {
  return session_->isDesignTime();
}

void MultiView::checkOpen() const {
  if (closed_) throw plat::sql::SQLException(kClosed);
}

Ref<RelationView> MultiView::adopt(std::unique_ptr<RelationView> view) {
  RelationView* raw = view.get();
  views_.push_back(std::move(view));
  return handle(raw);
}

Ref<RelationView> MultiView::handle(RelationView* view) {
  return Ref<RelationView>(std::static_pointer_cast<MultiView>(shared_from_this()), view);
}

Ref<RelationView> MultiView::getRootRelView() {
  checkOpen();
  return handle(root_);
}

Ref<RecordSet> MultiView::findRecordSet(RelationView& view) {
  if (&view == root_) {
    checkOpen();
    if (rootSetTree_ != tree_) {
      Ref<RecordTree> tree = tree_;
      RelViewPos& path = findPath_;
      path.clear();
      path.addFront({view.levelID(), 0, view.viewID(), view.rowsPerFetch()});
      rootSet_ = tree->recordSet(view.levelID(), server_, path, 1);
      rootSetTree_ = std::move(tree);
    }
    return rootSet_;
  }
  RelViewPos& path = findPath_;
  path.clear();
  path.addFront({view.levelID(), 0, view.viewID(), view.rowsPerFetch()});
  for (RelationView* master = view.master(); master; master = master->master()) {
    const int state = master->getCurrentRecordState();
    if (master->getCurrentRecordNumber() == 0 || state == net::Define::RECSTATE_DELETED ||
        state == net::Define::RECSTATE_DB_DELETED || !master->isDetailSQLEnabled()) {
      return nullptr;
    }
    path.addFront({master->levelID(), master->getCurrentRecordNumber(), master->viewID(), master->rowsPerFetch()});
  }
  checkOpen();
  Ref<RecordTree> tree = tree_;
  const auto& levels = path.levels();
  for (std::size_t i = 0;; ++i) {
    auto set = tree->recordSet(levels[i].levelID, server_, path, i + 1);
    if (i + 1 == levels.size()) return set;
    auto row = set->get(levels[i].recordNumber);
    // A master row that is no longer a valid cached row leaves its details without rows.
    if (!row || row->getState() == net::Define::RECSTATE_INVALID) return nullptr;
    tree = set->tree(levels[i].recordNumber);
    if (!tree) return nullptr;
  }
}

void MultiView::dropCache(bool close) {
  auto old = tree_;
  tree_ = makeRef<RecordTree>();
  old->free();
  root_->reset(close);
}

bool MultiView::save() {
  checkOpen();
  if (!isDesignTime()) {
    if (!root_->setDataPass()) return false;
    server_->invoke(METHOD_save);
    try {
      dropCache(false);
    } catch (const plat::sql::SQLException&) {
      // The server committed: that is the answer. The rows could not be read again, so every view stands on no
      // row, and the next navigation fetches again and reports what fails then.
      root_->standOnNoRow();
    }
    return true;
  }
  dropCache(false);
  return true;
}

void MultiView::undoDataChanges() {
  checkOpen();
  if (!isDesignTime()) server_->invoke(METHOD_undoChanges);
  dropCache(false);
}

bool MultiView::isDataChanged() {
  checkOpen();
  if (!root_->setDataPass()) return true;
  if (isDesignTime()) return false;
  return server_->invoke(METHOD_isDataChanged).getBoolean(0);
}

void MultiView::restart() {
  checkOpen();
  if (!isDesignTime()) server_->invoke(METHOD_restart);
  dropCache(false);
}

void MultiView::restart(const std::string& newWhereClause) {
  checkOpen();
  if (!isDesignTime()) server_->invoke(METHOD_restart, {makeRef<net::TextParam>(0, newWhereClause)});
  dropCache(false);
}

void MultiView::close() {
  std::lock_guard lock(closeMu_);
  if (closed_) return;
  net::BestEffort steps;
  if (server_) {
    steps.run([&] { server_->invoke(METHOD_close); });
    server_->disable();
  }
  closed_ = true;
  steps.run([&] {
    auto old = tree_;
    tree_ = makeRef<RecordTree>();
    old->free();
    if (root_) root_->reset(true);
  });
  session_->forgetMultiView(this);
  steps.rethrow();
}

}  // namespace quenlora::zafoli::db::pro
