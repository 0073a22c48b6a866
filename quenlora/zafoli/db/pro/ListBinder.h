// A lookup list kept in step with chosen columns of a master view: one ListProjection per master column, and a
// server list (ProxyListView) re-queried with those columns' current values whenever one of them may have changed.
// Each re-query makes a new registered multi-view, closes the previous one best-effort, and tells the ListLink.
// Held by the application; dropping it unbinds its projections. It holds its ListLink (which must therefore not
// hold this binder's handle) and its master's handle. Used on the master view's thread.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/pro/ConnectionInfo.h"
#include "quenlora/zafoli/db/pro/ListLink.h"
#include "quenlora/zafoli/db/pro/ServerHandle.h"

namespace quenlora::zafoli::db::pro {

class ListProjection;
class RelationView;
class Session;

class ListBinder : public plat::lang::Object {
 public:
  static constexpr int METHOD_getListRelView = 0;
  static constexpr const char* kClassName = "ProxyListView";

  // Binds one projection per master column (in order), queries the list once and calls the link's init.
  // listProxyID is 0 at design time.
  static plat::lang::Ref<ListBinder> create(plat::lang::Ref<RelationView> master, std::int32_t listProxyID,
                                            std::vector<int> masterColumns, std::shared_ptr<ListLink> link,
                                            plat::lang::Ref<Session> session, plat::lang::Ref<ConnectionInfo> conn);
  ListBinder(plat::lang::Ref<RelationView> master, std::int32_t listProxyID, std::vector<int> masterColumns,
             std::shared_ptr<ListLink> link, plat::lang::Ref<Session> session, plat::lang::Ref<ConnectionInfo> conn);
  ~ListBinder() override;
  ListBinder(const ListBinder&) = delete;
  ListBinder& operator=(const ListBinder&) = delete;

  // The current list view; null before the first query.
  const plat::lang::Ref<RelationView>& getRelationView() const { return list_; }

  // Inside the library. Does nothing until every master column is bound.
  void requery();

 private:
  plat::lang::Ref<RelationView> master_;
  std::vector<int> masterColumns_;
  std::vector<std::shared_ptr<ListProjection>> projections_;  // one per master column, in the same order
  std::size_t boundColumns_ = 0;
  plat::lang::Ref<RelationView> list_;  // keeps the list's multi-view open
  std::shared_ptr<ListLink> link_;
  std::unique_ptr<ServerHandle> server_;  // an absent handle at design time
  plat::lang::Ref<Session> session_;
  plat::lang::Ref<ConnectionInfo> conn_;
};

}  // namespace quenlora::zafoli::db::pro
