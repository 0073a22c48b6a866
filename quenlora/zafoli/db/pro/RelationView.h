// One view of a multi-view: column description and map, a current row (record number 0 = none) with navigation,
// detail views made by AutoDetail requests, and the column, record and record-set binders of user-interface
// consumers. Rows come from the multi-view's cache; a detail's rows are those under its master's current row.
// Owned by its multi-view; the application holds it through handles that keep the multi-view alive. Used on one
// thread at a time; callbacks run inside the call that caused them.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/lang/Value.h"
#include "platform/util/Properties.h"
#include "quenlora/zafoli/db/net/Entity.h"
#include "quenlora/zafoli/db/pro/ConnectionInfo.h"
#include "quenlora/zafoli/db/pro/DataAccess.h"
#include "quenlora/zafoli/db/pro/LinkList.h"
#include "quenlora/zafoli/db/pro/ListLink.h"
#include "quenlora/zafoli/db/pro/ProjBinder.h"
#include "quenlora/zafoli/db/pro/Record.h"
#include "quenlora/zafoli/db/pro/RecordLink.h"
#include "quenlora/zafoli/db/pro/RecordSetLink.h"
#include "quenlora/zafoli/db/pro/RelationViewMetaData.h"
#include "quenlora/zafoli/db/pro/ServerHandle.h"
#include "quenlora/zafoli/db/pro/ViewDescriptor.h"

namespace quenlora::zafoli::db::pro {

class AutoDetail;
class ListBinder;
class MultiView;
class Request;
class Session;

class RelationView : public plat::lang::Object, public DataAccess {
 public:
  static constexpr int METHOD_getPreparedRelView = 1;
  static constexpr int METHOD_setName = 3;
  static constexpr int METHOD_getListProxy = 6;
  static constexpr const char* kClassName = "PMVTRelView";
  static constexpr const char* kColumnNotFound = "Column not found.";

  // Built by the multi-view (root) or an AutoDetail (detail); the view does not move until goInitialPosition.
  RelationView(MultiView& multiView, RelationView* master, std::int32_t levelID, ViewDescriptor descriptor);
  // The root view of a new multi-view made from the request (logon retry), not registered with the session.
  static plat::lang::Ref<RelationView> fromRequest(Request& request);
  ~RelationView() override;
  RelationView(const RelationView&) = delete;
  RelationView& operator=(const RelationView&) = delete;

  // Navigation: false when there is no such row, a binder vetoed, or the view has no rows; the current row stays.
  bool first() { return goTo(1); }
  bool next() { return goTo(currentNumber_ + 1); }
  bool prev();
  bool goTo(std::int32_t n);
  bool goTo(const std::string& n);
  // No current row; details rewound too.
  bool rewind();
  bool getNewRecord();
  void deleteRecord();
  void undoRecord();

  bool saveMultiView();
  void restartMultiView();
  void restartMultiView(const std::string& newWhereClause);
  void closeMultiView();

  plat::lang::Ref<Record> getRecord() const { return current_; }
  std::int32_t getCurrentRecordNumber() const { return currentNumber_; }
  std::string getCurrentRecordNumberString() const { return std::to_string(currentNumber_); }
  int getCurrentRecordState() const { return current_ ? current_->getState() : Record::RECSTATE_INVALID; }
  bool isCurrentRecordReadable() const { return current_ && current_->isReadable(); }
  bool isCurrentRecordWritable() const { return current_ && current_->isWritable(); }

  RelationViewMetaData getMetaData() const { return RelationViewMetaData(descriptor_.columns); }
  plat::lang::Ref<MultiView> getMultiView() const;
  plat::lang::Ref<RelationView> getParentRelationView() const;
  plat::lang::Ref<Session> getSession() const;
  const plat::lang::Ref<ConnectionInfo>& getConnectionInfo() const;
  const std::string& getName() const { return descriptor_.name; }
  // Sent to the server unless design time; the local name changes once the server took it.
  void setName(const std::string& name);
  const std::string& getSelectClause() const { return descriptor_.sql; }
  const std::vector<std::string>& getJoinColumns() const { return descriptor_.joinColumns; }
  // Display names of the view's settings ("First", "Unique Modified", "One To Many" ...).
  std::string getInitialRecordPosition() const;
  std::string getOptimisticConcurrency() const;
  std::string getCardinality() const;
  int getRowsPerFetch() const { return rowsPerFetch_; }
  bool doesProjExist(const std::string& name) const { return columnMap_.contains(name); }
  // The column's number by name or number text; "Column not found." otherwise.
  int findProjByName(const std::string& name) const;

  plat::lang::Ref<AutoDetail> getAutoDetail(const std::string& sql = "");
  plat::lang::Ref<AutoDetail> getAutoDetail(const plat::lang::Ref<ConnectionInfo>& conn, const std::string& sql,
                                            const plat::util::Properties* requestProps,
                                            const plat::util::Properties* detailProps);

  void enableBindingNotify(bool enable, bool applyToDetails = true);
  bool isBindingNotifyEnabled() const { return bindingNotify_; }
  // A change resets every detail view; while off the details have no rows.
  void enableDetailSQL(bool enable);
  bool isDetailSQLEnabled() const { return detailSQL_; }

  // Binders. Links are held weakly: the caller keeps each link alive as long as it should be told, and a link may
  // hold this view's handle without keeping the multi-view open.
  // The column's binder, as a handle that keeps the multi-view alive.
  std::shared_ptr<ProjBinder> bindProj(int column, const std::shared_ptr<ProjLink>& link);
  void bindCurrentRecord(const std::shared_ptr<RecordLink>& link);
  void bindRecordSet(const std::shared_ptr<RecordSetLink>& link);
  // A lookup list re-queried from the current values of the master columns (numbers, or names and number texts);
  // the server's list proxy is asked for with the logon-retry rule. At design time nothing is sent.
  plat::lang::Ref<ListBinder> bindList(const plat::lang::Ref<ConnectionInfo>& conn, const std::string& sql,
                                       const std::shared_ptr<ListLink>& link,
                                       const std::vector<plat::lang::Value>& masterColumns);
  plat::lang::Ref<ListBinder> bindList(const plat::lang::Ref<ConnectionInfo>& conn, const std::string& sql,
                                       const std::shared_ptr<ListLink>& link, const std::vector<int>& masterColumns);
  void unBindObj(const ProjLink& link);
  void unBindProj(int column);

  static std::string sqlTypeConvert(int type);
  static int sqlTypeConvert(const std::string& name);

  // Inside the library.
  std::int32_t levelID() const { return levelID_; }
  std::int32_t viewID() const { return descriptor_.viewID; }
  int rowsPerFetch() const { return rowsPerFetch_; }
  RelationView* master() const { return master_; }
  MultiView& multiView() const { return multiView_; }
  ServerHandle& server() { return *server_; }
  void addDetail(RelationView* detail) { details_.push_back(detail); }
  void goInitialPosition();
  // Forgets the current row; close: details too and the server handle disabled; else back to the initial position.
  void reset(bool close);
  void resetDetails();
  // No current row here and in every detail, without reading any row; the links are told.
  void standOnNoRow();
  bool setDataPass();
  void recordChanged(Record& record);
  void recordStateChanged(Record& record);
  // A set on a record: that column's binder tells its links when the record is the current one.
  void columnChanged(Record& record, int column);
  int columnCount() const { return descriptor_.columns ? descriptor_.columns->getColumnCount() : 0; }
  // The column description, without the metadata handle's count traffic (hot paths).
  const net::Entity& columns() const { return *descriptor_.columns; }

 protected:
  Record& accessRecord() override { return *current_; }
  int columnNumber(const std::string& name) override { return findProjByName(name); }

 private:
  bool move(std::int32_t n, bool newRecord);
  void setCurrent(plat::lang::Ref<net::NetRecord> row, plat::lang::Ref<RecordSet> set);
  void clearCurrent();
  void notifyRowChange();
  void notifyRecordSetChange();

  MultiView& multiView_;                  // back reference: the multi-view owns this view
  plat::lang::WeakRef<MultiView> owner_;  // the same, for records; usable while the multi-view is being closed
  RelationView* master_;                  // back reference, owned by the same multi-view; null for a root view
  std::int32_t levelID_;
  ViewDescriptor descriptor_;
  std::unique_ptr<ServerHandle> server_;  // an absent handle at design time
  int rowsPerFetch_ = 1;
  std::map<std::string, int> columnMap_;
  std::vector<std::unique_ptr<ProjBinder>> binders_;        // one per column, index = column - 1
  std::vector<std::unique_ptr<ProjBinder>> designBinders_;  // design time: a fresh binder per request
  LinkList<RecordLink> recordLinks_;
  LinkList<RecordSetLink> recordSetLinks_;
  std::vector<RelationView*> details_;  // owned by the multi-view, in creation order
  std::int32_t currentNumber_ = 0;
  plat::lang::Ref<Record> current_;           // the blank record when there is no current row
  plat::lang::Ref<net::NetRecord> blankRow_;  // the row of every blank record of this view, made on first use
  bool bindingNotify_ = true;
  bool detailSQL_ = true;
};

}  // namespace quenlora::zafoli::db::pro
