#include "quenlora/zafoli/db/pro/ListBinder.h"

#include <string>

#include "platform/lang/Throwable.h"
#include "quenlora/zafoli/db/net/TextParam.h"
#include "quenlora/zafoli/db/pro/ListProjection.h"
#include "quenlora/zafoli/db/pro/MultiView.h"
#include "quenlora/zafoli/db/pro/RelationView.h"
#include "quenlora/zafoli/db/pro/Session.h"
#include "quenlora/zafoli/db/pro/ViewDescriptor.h"

namespace quenlora::zafoli::db::pro {

using plat::lang::makeRef;
using plat::lang::Ref;

namespace {

// The argument id the server reads each master value under.
constexpr std::uint8_t kValueParam = 1;

}  // namespace

ListBinder::ListBinder(Ref<RelationView> master, std::int32_t listProxyID, std::vector<int> masterColumns,
                       std::shared_ptr<ListLink> link, Ref<Session> session, Ref<ConnectionInfo> conn)
    : master_(std::move(master)),
      masterColumns_(std::move(masterColumns)),
      link_(std::move(link)),
      server_(session->isDesignTime() ? std::make_unique<ServerHandle>()
                                      : std::make_unique<ServerHandle>(session->wire(), kClassName, listProxyID)),
      session_(std::move(session)),
      conn_(std::move(conn)) {}

Ref<ListBinder> ListBinder::create(Ref<RelationView> master, std::int32_t listProxyID, std::vector<int> masterColumns,
                                   std::shared_ptr<ListLink> link, Ref<Session> session, Ref<ConnectionInfo> conn) {
  auto binder = makeRef<ListBinder>(std::move(master), listProxyID, std::move(masterColumns), std::move(link),
                                    std::move(session), std::move(conn));
  for (int column : binder->masterColumns_) {
    auto projection = std::make_shared<ListProjection>(binder);
    binder->projections_.push_back(projection);
    binder->master_->bindProj(column, projection);
    ++binder->boundColumns_;
  }
  binder->requery();
  binder->link_->init(*binder);
  return binder;
}

ListBinder::~ListBinder() {
  // The master's binders hold the projections; they must not outlive the list they feed.
  for (const auto& projection : projections_) master_->unBindObj(*projection);
}

void ListBinder::requery() {
  if (boundColumns_ < masterColumns_.size()) return;
  std::int32_t multiViewID = 0;
  ViewDescriptor root = ViewDescriptor::designTime();
  if (!session_->isDesignTime()) {
    ServerHandle::Args values;
    for (const auto& projection : projections_) {
      // A NULL master value goes as empty text: a text argument has no null.
      values.push_back(makeRef<net::TextParam>(kValueParam, projection->getString().value_or("")));
    }
    const net::Reply reply = server_->invoke(METHOD_getListRelView, values);
    multiViewID = reply.getInt(0);
    root = ViewDescriptor::read(reply, 1);
  }
  auto multiView = MultiView::create(session_, multiViewID, std::move(root), conn_);
  session_->registerMultiView(multiView);
  if (list_) {
    // Best effort: the new list becomes current even when the old one cannot be closed on the server; the old
    // multi-view leaves the session's list either way.
    try {
      list_->closeMultiView();
    } catch (const plat::lang::Exception&) {
    }
  }
  list_ = multiView->getRootRelView();
  link_->notifyListChange(*this);
}

}  // namespace quenlora::zafoli::db::pro
