#include "quenlora/zafoli/db/pro/RelationView.h"

#include <array>
#include <utility>

#include "platform/lang/Integer.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/net/FetchSize.h"
#include "quenlora/zafoli/db/net/TextParam.h"
#include "quenlora/zafoli/db/pro/AutoDetail.h"
#include "quenlora/zafoli/db/pro/Cardinality.h"
#include "quenlora/zafoli/db/pro/InitialRecordPosition.h"
#include "quenlora/zafoli/db/pro/ListBinder.h"
#include "quenlora/zafoli/db/pro/MultiView.h"
#include "quenlora/zafoli/db/pro/OptimisticConcurrency.h"
#include "quenlora/zafoli/db/pro/Session.h"

namespace quenlora::zafoli::db::pro {

using plat::lang::makeRef;
using plat::lang::Ref;

namespace {

constexpr std::array<std::pair<int, const char*>, 21> kTypeNames{
    {{1, "Char"},           {12, "VarChar"}, {-1, "LongVarChar"}, {-7, "Bit"},       {-6, "TinyInt"}, {5, "SmallInt"},
     {4, "Integer"},        {-5, "BigInt"},  {6, "Float"},        {7, "Real"},       {8, "Double"},   {2, "Numeric"},
     {3, "Decimal"},        {91, "Date"},    {92, "Time"},        {93, "Timestamp"}, {-2, "Binary"},  {-3, "VarBinary"},
     {-4, "LongVarBinary"}, {1111, "Other"}, {0, "Null"}}};

}  // namespace

RelationView::RelationView(MultiView& multiView, RelationView* master, std::int32_t levelID, ViewDescriptor descriptor)
    : multiView_(multiView),
      master_(master),
      levelID_(levelID),
      descriptor_(std::move(descriptor)),
      server_(multiView_.isDesignTime()
                  ? std::make_unique<ServerHandle>()
                  : std::make_unique<ServerHandle>(multiView_.session().wire(), kClassName, descriptor_.viewID)) {
  const net::Entity& columns = *descriptor_.columns;
  const int n = columns.getColumnCount();
  std::vector<int> sizes;
  for (int c = 1; c <= n; ++c) {
    // Column by column, the name and then the number text; a later entry wins, so column 1 named "2" yields to
    // column 2's number text.
    columnMap_[columns.getColumnName(c)] = c;
    columnMap_[std::to_string(c)] = c;
    sizes.push_back(columns.getColumnDisplaySize(c));
    bool writable = true;
    try {
      writable = columns.getColumnType(c) != plat::sql::Types::OTHER;
    } catch (const plat::lang::Throwable&) {
      writable = false;
    }
    binders_.push_back(std::make_unique<ProjBinder>(*this, c, bindingNotify_, writable));
  }
  rowsPerFetch_ = net::FetchSize::rowsPerFetch(sizes);
  owner_ = std::static_pointer_cast<MultiView>(multiView_.shared_from_this());
  current_ = Record::blank(this, owner_);
  if (master_) master_->addDetail(this);
}

RelationView::~RelationView() = default;

Ref<MultiView> RelationView::getMultiView() const {
  return std::static_pointer_cast<MultiView>(multiView_.shared_from_this());
}

Ref<RelationView> RelationView::getParentRelationView() const {
  return master_ ? multiView_.handle(master_) : nullptr;
}

Ref<Session> RelationView::getSession() const {
  return multiView_.sessionRef();
}

const Ref<ConnectionInfo>& RelationView::getConnectionInfo() const {
  return multiView_.connectionInfo();
}

std::string RelationView::getInitialRecordPosition() const {
  return InitialRecordPosition::getStringValue(plat::lang::Integer::parseInt(descriptor_.initialPosition));
}

std::string RelationView::getOptimisticConcurrency() const {
  return OptimisticConcurrency::getStringValue(descriptor_.concurrency);
}

std::string RelationView::getCardinality() const {
  return Cardinality::getStringValue(descriptor_.cardinality);
}

Ref<RelationView> RelationView::fromRequest(Request& request) {
  return request.getSession()->createView(request.getConnectionInfo(), request.getSQL(), request, false);
}

int RelationView::findProjByName(const std::string& name) const {
  auto it = columnMap_.find(name);
  if (it == columnMap_.end()) throw plat::sql::SQLException(kColumnNotFound);
  return it->second;
}

void RelationView::setName(const std::string& name) {
  if (!multiView_.isDesignTime()) server_->invoke(METHOD_setName, {makeRef<net::TextParam>(0, name)});
  descriptor_.name = name;
}

bool RelationView::prev() {
  if (currentNumber_ == 0) return false;
  return goTo(currentNumber_ - 1);
}

bool RelationView::goTo(std::int32_t n) {
  return move(n, false);
}

bool RelationView::goTo(const std::string& n) {
  return goTo(plat::lang::Integer::parseInt(n));
}

bool RelationView::getNewRecord() {
  return move(0, true);
}

bool RelationView::move(std::int32_t n, bool newRecord) {
  multiView_.checkOpen();
  if (!setDataPass()) return false;
  current_->closeStream();
  auto set = multiView_.findRecordSet(*this);
  if (!set) {
    clearCurrent();
    notifyRowChange();
    resetDetails();
    return false;
  }
  Ref<net::NetRecord> row = newRecord ? set->newRow() : set->get(n);
  if (row && row->getState() != Record::RECSTATE_INVALID) {
    setCurrent(std::move(row), std::move(set));
    currentNumber_ = newRecord ? current_->getRecordNumber() : n;
    notifyRowChange();
    resetDetails();
    return true;
  }
  if (!newRecord && currentNumber_ == 0) {
    notifyRowChange();
    resetDetails();
  }
  return false;
}

bool RelationView::rewind() {
  multiView_.checkOpen();
  if (!setDataPass()) return false;
  current_->closeStream();
  clearCurrent();
  notifyRowChange();
  // Details are only ever appended: walking the count taken first visits exactly the details there were.
  for (std::size_t i = 0, n = details_.size(); i < n; ++i) details_[i]->rewind();
  return true;
}

void RelationView::deleteRecord() {
  current_->deleteRecord();
}

void RelationView::undoRecord() {
  current_->undoRecord();
  notifyRowChange();
}

bool RelationView::saveMultiView() {
  return multiView_.save();
}
void RelationView::restartMultiView() {
  multiView_.restart();
}
void RelationView::restartMultiView(const std::string& newWhereClause) {
  multiView_.restart(newWhereClause);
}
void RelationView::closeMultiView() {
  multiView_.close();
}

void RelationView::setCurrent(Ref<net::NetRecord> row, Ref<RecordSet> set) {
  // A record the application or a callback still holds stays as it is.
  if (current_.use_count() == 1) {
    current_->rebind(std::move(row), std::move(set));
  } else {
    current_ = makeRef<Record>(std::move(row), this, std::move(set), owner_);
  }
}

void RelationView::clearCurrent() {
  currentNumber_ = 0;
  // The blank row is never written (its state refuses every set), so the view keeps one for all its blank records.
  if (!blankRow_) blankRow_ = makeRef<net::NetRecord>();
  setCurrent(blankRow_, nullptr);
}

void RelationView::goInitialPosition() {
  if (descriptor_.initialPosition == "1") {
    first();
  } else if (descriptor_.initialPosition == "2") {
    getNewRecord();
  } else {
    clearCurrent();
    notifyRowChange();
    resetDetails();
  }
}

void RelationView::reset(bool close) {
  current_->closeStream();
  clearCurrent();
  if (close) {
    for (std::size_t i = 0, n = details_.size(); i < n; ++i) details_[i]->reset(true);
    server_->disable();
  } else {
    goInitialPosition();
  }
  notifyRecordSetChange();
}

void RelationView::standOnNoRow() {
  current_->closeStream();
  clearCurrent();
  notifyRowChange();
  for (std::size_t i = 0, n = details_.size(); i < n; ++i) details_[i]->standOnNoRow();
  notifyRecordSetChange();
}

void RelationView::resetDetails() {
  for (std::size_t i = 0, n = details_.size(); i < n; ++i) details_[i]->reset(false);
}

void RelationView::enableDetailSQL(bool enable) {
  if (enable == detailSQL_) return;
  detailSQL_ = enable;
  resetDetails();
}

void RelationView::enableBindingNotify(bool enable, bool applyToDetails) {
  bindingNotify_ = enable;
  for (auto& binder : binders_) binder->enable(enable);
  if (applyToDetails) {
    for (RelationView* detail : details_) detail->enableBindingNotify(enable, true);
  }
}

bool RelationView::setDataPass() {
  if (multiView_.isDesignTime() || !current_->isValid()) return true;
  for (auto& binder : binders_) {
    if (!binder->setDataPass()) return false;
  }
  // A set made on the wire row and not told yet goes out like a typed set's, so no edit is lost by the move.
  current_->sendPendingChanges();
  for (std::size_t i = 0, n = details_.size(); i < n; ++i) {
    if (!details_[i]->setDataPass()) return false;
  }
  return true;
}

void RelationView::notifyRowChange() {
  if (multiView_.isDesignTime() || !bindingNotify_) return;
  if (!recordLinks_.empty()) {
    const auto record = current_;
    recordLinks_.forEach([&record](RecordLink& link) { link.notifyRecordChange(*record); });
  }
  for (auto& binder : binders_) binder->notifyDataChange();
}

void RelationView::notifyRecordSetChange() {
  if (multiView_.isDesignTime() || !bindingNotify_) return;
  if (recordSetLinks_.empty()) return;
  recordSetLinks_.forEach([this](RecordSetLink& link) { link.notifyRecordSetChange(*this); });
}

void RelationView::recordChanged(Record& record) {
  if (&record == current_.get()) notifyRowChange();
}

void RelationView::columnChanged(Record& record, int column) {
  if (&record != current_.get() || multiView_.isDesignTime()) return;
  if (column >= 1 && static_cast<std::size_t>(column) <= binders_.size()) binders_[column - 1]->notifyDataChange();
}

void RelationView::recordStateChanged(Record& record) {
  if (&record != current_.get() || multiView_.isDesignTime() || !bindingNotify_) return;
  if (recordLinks_.empty()) return;
  recordLinks_.forEach([&record](RecordLink& link) { link.notifyRecordChange(record); });
}

std::shared_ptr<ProjBinder> RelationView::bindProj(int column, const std::shared_ptr<ProjLink>& link) {
  auto owner = getMultiView();
  if (multiView_.isDesignTime()) {
    designBinders_.push_back(std::make_unique<ProjBinder>(*this, column, false, true));
    ProjBinder& fresh = *designBinders_.back();
    link->init(fresh);
    return std::shared_ptr<ProjBinder>(owner, &fresh);
  }
  if (column < 1 || static_cast<std::size_t>(column) > binders_.size()) {
    throw plat::sql::SQLException(kColumnNotFound);
  }
  ProjBinder& binder = *binders_[static_cast<std::size_t>(column) - 1];
  binder.addLink(link);
  link->init(binder);
  if (current_->isValid()) {
    binder.notifyDataChange();
  } else {
    goTo(1);
  }
  return std::shared_ptr<ProjBinder>(owner, &binder);
}

void RelationView::bindCurrentRecord(const std::shared_ptr<RecordLink>& link) {
  link->init();
  if (multiView_.isDesignTime()) return;
  if (bindingNotify_) link->notifyRecordChange(*current_);
  recordLinks_.add(link);
}

void RelationView::bindRecordSet(const std::shared_ptr<RecordSetLink>& link) {
  link->init();
  if (multiView_.isDesignTime()) return;
  if (bindingNotify_) link->notifyRecordSetChange(*this);
  recordSetLinks_.add(link);
}

Ref<ListBinder> RelationView::bindList(const Ref<ConnectionInfo>& conn, const std::string& sql,
                                       const std::shared_ptr<ListLink>& link,
                                       const std::vector<plat::lang::Value>& masterColumns) {
  std::vector<int> numbers;
  for (const auto& column : masterColumns) {
    switch (column.kind()) {
      case plat::lang::Value::Kind::Byte:
      case plat::lang::Value::Kind::Short:
      case plat::lang::Value::Kind::Int:
        numbers.push_back(column.intValue());
        break;
      case plat::lang::Value::Kind::String:
        numbers.push_back(findProjByName(column.getString()));
        break;
      default:
        throw plat::sql::SQLException(kColumnNotFound);
    }
  }
  return bindList(conn, sql, link, numbers);
}

Ref<ListBinder> RelationView::bindList(const Ref<ConnectionInfo>& conn, const std::string& sql,
                                       const std::shared_ptr<ListLink>& link, const std::vector<int>& masterColumns) {
  if (!conn) throw plat::sql::SQLException(Session::kNoConnection);
  auto session = getSession();
  std::int32_t listProxyID = 0;
  if (!multiView_.isDesignTime()) {
    // Checked before the server makes a list proxy that nothing would use.
    for (int column : masterColumns) {
      if (column < 1 || column > columnCount()) throw plat::sql::SQLException(kColumnNotFound);
    }
    const net::Reply reply =
        session->invokeWithLogon(*server_, METHOD_getListProxy, *conn, [&](const ConnectionInfo& c) {
          return ServerHandle::Args{makeRef<net::TextParam>(0, c.getDBString()),
                                    makeRef<net::TextParam>(0, c.getUser()),
                                    makeRef<net::TextParam>(0, c.getPassword()), makeRef<net::TextParam>(0, sql)};
        });
    listProxyID = reply.getInt(0);
  }
  return ListBinder::create(multiView_.handle(this), listProxyID, masterColumns, link, std::move(session), conn);
}

void RelationView::unBindObj(const ProjLink& link) {
  for (auto& binder : binders_) binder->removeLink(&link);
}

void RelationView::unBindProj(int column) {
  if (column >= 1 && static_cast<std::size_t>(column) <= binders_.size()) {
    binders_[static_cast<std::size_t>(column) - 1]->removeAllLinks();
  }
}

Ref<AutoDetail> RelationView::getAutoDetail(const std::string& sql) {
  return getAutoDetail(getConnectionInfo(), sql, nullptr, nullptr);
}

Ref<AutoDetail> RelationView::getAutoDetail(const Ref<ConnectionInfo>& conn, const std::string& sql,
                                            const plat::util::Properties* requestProps,
                                            const plat::util::Properties* detailProps) {
  auto detail = makeRef<AutoDetail>(multiView_.handle(this), conn);
  detail->setSQL(sql);
  detail->setProperty(Request::kOptConc, requestProps ? requestProps->getProperty(Request::kOptConc, "1") : "1");
  detail->setProperty(Request::kRecPosition,
                      requestProps ? requestProps->getProperty(Request::kRecPosition, "3") : "3");
  detail->setProperty(AutoDetail::kCardinality,
                      detailProps ? detailProps->getProperty(AutoDetail::kCardinality, "1") : "1");
  return detail;
}

std::string RelationView::sqlTypeConvert(int type) {
  for (const auto& [code, name] : kTypeNames) {
    if (code == type) return name;
  }
  return "Other";
}

int RelationView::sqlTypeConvert(const std::string& name) {
  for (const auto& [code, text] : kTypeNames) {
    if (name == text) return code;
  }
  return 1111;
}

}  // namespace quenlora::zafoli::db::pro
