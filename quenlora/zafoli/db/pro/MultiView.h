// One server query result with its tree of relation views: owns the views (root and details), the row cache and
// the server object that fetches, saves, undoes, restarts and closes the whole tree. Every view handle the
// application holds shares ownership of the multi-view, which holds its session, so nothing dangles; a multi-view
// nobody holds closes itself without throwing. Thread contract: close is locked; the rest runs on one thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/pro/ConnectionInfo.h"
#include "quenlora/zafoli/db/pro/RecordSet.h"
#include "quenlora/zafoli/db/pro/ServerHandle.h"
#include "quenlora/zafoli/db/pro/ViewDescriptor.h"

namespace quenlora::zafoli::db::pro {

class RelationView;
class Session;

class MultiView : public plat::lang::Object {
 public:
  static constexpr int METHOD_fetchRecords = 0;
  static constexpr int METHOD_OnDataChange = 1;
  static constexpr int METHOD_save = 2;
  static constexpr int METHOD_isDataChanged = 3;
  static constexpr int METHOD_undoChanges = 4;
  static constexpr int METHOD_undoRecord = 5;
  static constexpr int METHOD_deleteRecord = 6;
  static constexpr int METHOD_getNewRecord = 7;
  static constexpr int METHOD_close = 8;
  static constexpr int METHOD_getStream = 9;
  static constexpr int METHOD_restart = 10;
  static constexpr const char* kClassName = "PMVTMultiView";
  static constexpr const char* kClosed = "MultiView has been closed";

  // Builds the multi-view and its root view (level 0), which then takes its initial position.
  static plat::lang::Ref<MultiView> create(plat::lang::Ref<Session> session, std::int32_t multiViewID,
                                           ViewDescriptor root, plat::lang::Ref<ConnectionInfo> conn);
  MultiView(plat::lang::Ref<Session> session, std::int32_t multiViewID, plat::lang::Ref<ConnectionInfo> conn);
  ~MultiView() override;
  MultiView(const MultiView&) = delete;
  MultiView& operator=(const MultiView&) = delete;

  plat::lang::Ref<RelationView> getRootRelView();
  // False when a binder vetoed: then nothing is sent and nothing is dropped. True once the server committed, even
  // when the rows cannot be read again afterwards (the views then stand on no row).
  bool save();
  void undoDataChanges();
  bool isDataChanged();
  void restart();
  void restart(const std::string& newWhereClause);
  // Every step runs (server close, handles disabled, views reset, session list left), then the first failure is
  // rethrown. Twice: nothing.
  void close();
  bool isClosed() const { return closed_; }

  // Inside the library.
  void checkOpen() const;
  std::int32_t nextLevelID() { return nextLevel_++; }
  bool isDesignTime() const;
  std::int32_t objectID() const { return multiViewID_; }
  Session& session() const { return *session_; }
  const plat::lang::Ref<Session>& sessionRef() const { return session_; }
  const std::shared_ptr<ServerHandle>& server() const { return server_; }
  const plat::lang::Ref<ConnectionInfo>& connectionInfo() const { return conn_; }
  // The record set of the view's rows; null when the view has no rows (a master without a usable row, details off).
  plat::lang::Ref<RecordSet> findRecordSet(RelationView& view);
  // Takes ownership of a view and answers the application's handle of it.
  plat::lang::Ref<RelationView> adopt(std::unique_ptr<RelationView> view);
  // A handle of an owned view that shares ownership of this multi-view.
  plat::lang::Ref<RelationView> handle(RelationView* view);

 private:
  void dropCache(bool close);

  plat::lang::Ref<Session> session_;
  std::shared_ptr<ServerHandle> server_;  // null at design time
  std::int32_t multiViewID_;
  plat::lang::Ref<ConnectionInfo> conn_;
  std::atomic<std::int32_t> nextLevel_{0};
  plat::lang::Ref<RecordTree> tree_;
  RelViewPos findPath_;  // findRecordSet's scratch, kept so that a move does not allocate a path
  // The root view's record set and the tree it was found in: a tree keeps its sets until it is freed, and a freed
  // tree is never tree_ again, so while tree_ is rootSetTree_ a root move needs neither path nor lookup. The tree is
  // held, so that a new tree at a freed one's address is not taken for it.
  plat::lang::Ref<RecordTree> rootSetTree_;
  plat::lang::Ref<RecordSet> rootSet_;
  std::vector<std::unique_ptr<RelationView>> views_;  // root first, then details in creation order
  RelationView* root_ = nullptr;                      // in views_
  std::recursive_mutex closeMu_;
  std::atomic<bool> closed_{false};
};

}  // namespace quenlora::zafoli::db::pro
