#include "quenlora/zafoli/db/pro/AutoDetail.h"

#include "platform/lang/Integer.h"
#include "quenlora/zafoli/db/net/Param.h"
#include "quenlora/zafoli/db/net/TextParam.h"
#include "quenlora/zafoli/db/pro/MultiView.h"
#include "quenlora/zafoli/db/pro/RelationView.h"
#include "quenlora/zafoli/db/pro/Session.h"

namespace quenlora::zafoli::db::pro {

using plat::lang::makeRef;
using plat::lang::Ref;

AutoDetail::AutoDetail(Ref<RelationView> master, Ref<ConnectionInfo> conn)
    : Request(master->multiView().sessionRef(), std::move(conn)), master_(std::move(master)) {}

ServerHandle& AutoDetail::prepared() {
  if (!prepared_) {
    MultiView& multiView = master_->multiView();
    if (multiView.isDesignTime()) {
      prepared_ = std::make_unique<ServerHandle>();
    } else {
      const std::int32_t id =
          master_->server()
              .invoke(RelationView::METHOD_getPreparedRelView, {makeRef<net::TextParam>(0, "RelView")})
              .getInt(0);
      prepared_ = std::make_unique<ServerHandle>(multiView.session().wire(), kClassName, id);
    }
  }
  return *prepared_;
}

void AutoDetail::join(int paramIndex, int masterColumn) {
  if (!master_->multiView().isDesignTime()) {
    prepared().invoke(METHOD_join, {net::Param::ofInt(0, paramIndex), net::Param::ofInt(0, masterColumn)});
    joinColumns_.push_back(master_->getMetaData().getColumnName(masterColumn));
  }
  nextParam_ = paramIndex + 1;
}

void AutoDetail::join(int paramIndex, const std::string& masterColumnName) {
  if (master_->multiView().isDesignTime()) {
    joinColumns_.push_back(masterColumnName);
    nextParam_ = paramIndex + 1;
    return;
  }
  join(paramIndex, master_->findProjByName(masterColumnName));
}

void AutoDetail::join(const std::string& masterColumnName) {
  join(nextParam_, masterColumnName);
}

void AutoDetail::setCardinality(const std::string& text) {
  setProperty(kCardinality, text == "One To One"     ? ONE_TO_ONE
                            : text == "One To Many"  ? ONE_TO_MANY
                            : text == "Many To Many" ? MANY_TO_MANY
                                                     : MANY_TO_ONE);
}

Ref<RelationView> AutoDetail::executeRequest() {
  MultiView& multiView = master_->multiView();
  multiView.checkOpen();
  const int concurrency = optConcValue();
  const int cardinality = plat::lang::Integer::parseInt(getProperty(kCardinality, "1"));
  ViewDescriptor descriptor = ViewDescriptor::designTime();
  if (!multiView.isDesignTime()) {
    ConnectionInfo& conn = *getConnectionInfo();
    const net::Reply reply =
        multiView.session().invokeWithLogon(prepared(), METHOD_execute, conn, [&](const ConnectionInfo& c) {
          return ServerHandle::Args{
              makeRef<net::TextParam>(1, c.getDBString()), makeRef<net::TextParam>(1, getSQL()),
              net::Param::ofInt(1, concurrency),           net::Param::ofInt(1, kMaxRecords),
              makeRef<net::TextParam>(1, c.getUser()),     makeRef<net::TextParam>(1, c.getPassword()),
              net::Param::ofInt(1, cardinality),           net::Param::ofBoolean(0, c.getAutoDisconnect())};
        });
    descriptor = ViewDescriptor::read(reply, 0);
  }
  descriptor.initialPosition = recPositionValue();
  descriptor.concurrency = concurrency;
  descriptor.cardinality = cardinality;
  descriptor.sql = getSQL();
  descriptor.joinColumns = joinColumns_;
  const std::int32_t level = multiView.nextLevelID();
  auto view = std::make_unique<RelationView>(multiView, master_.get(), level, std::move(descriptor));
  RelationView* raw = view.get();
  auto handle = multiView.adopt(std::move(view));
  raw->goInitialPosition();
  return handle;
}

}  // namespace quenlora::zafoli::db::pro
