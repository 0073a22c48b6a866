#include "quenlora/zafoli/db/pro/Request.h"

#include "platform/lang/Integer.h"
#include "quenlora/zafoli/db/pro/Session.h"

namespace quenlora::zafoli::db::pro {

Request::Request(plat::lang::Ref<Session> session, plat::lang::Ref<ConnectionInfo> conn)
    : session_(std::move(session)), conn_(std::move(conn)) {}

void Request::setOptimisticConcurrency(const std::string& text) {
  setProperty(kOptConc, text == "All" ? ALL : text == "Unique" ? UNIQUE : UNIQUE_MODIFIED);
}

void Request::setInitialRecordPosition(const std::string& text) {
  setProperty(kRecPosition, text == "First" ? REC_POS_FIRST : text == "New" ? REC_POS_NEW : REC_POS_NOPOS);
}

void Request::setRequestProperties(const Properties& p) {
  setProperty(kOptConc, p.getProperty(kOptConc, UNIQUE_MODIFIED));
  setProperty(kRecPosition, p.getProperty(kRecPosition, REC_POS_NOPOS));
}

int Request::optConcValue() const {
  return plat::lang::Integer::parseInt(getProperty(kOptConc, UNIQUE_MODIFIED));
}

std::string Request::recPositionValue() const {
  return getProperty(kRecPosition, REC_POS_NOPOS);
}

plat::lang::Ref<RelationView> Request::executeRequest() {
  return session_->createView(conn_, sql_, *this);
}

}  // namespace quenlora::zafoli::db::pro
