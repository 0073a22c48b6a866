#include "quenlora/zafoli/db/pro/Record.h"

#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/NetErrors.h"
#include "quenlora/zafoli/db/pro/MultiView.h"
#include "quenlora/zafoli/db/pro/RelationView.h"

namespace quenlora::zafoli::db::pro {

using plat::lang::makeRef;
using plat::lang::Ref;

Record::Record(Ref<net::NetRecord> row, RelationView* view, Ref<RecordSet> set,
               plat::lang::WeakRef<MultiView> multiView)
    : row_(std::move(row)), view_(view), set_(std::move(set)), multiView_(std::move(multiView)) {}

Ref<Record> Record::blank(RelationView* view, plat::lang::WeakRef<MultiView> multiView) {
  return makeRef<Record>(makeRef<net::NetRecord>(), view, nullptr, std::move(multiView));
}

std::string Record::stateText(int state) {
  switch (state) {
    case RECSTATE_EXISTING:
      return "Existing";
    case RECSTATE_MODIFIED:
      return "Modified";
    case RECSTATE_NEW:
      return "New";
    case RECSTATE_DELETED:
      return "Marked for Deletion";
    case RECSTATE_DB_DELETED:
      return "Deleted";
    case RECSTATE_NEW_MODIFIED:
      return "New Modified";
    default:
      return "Invalid";
  }
}

std::string Record::getStateString() const {
  return stateText(getState());
}

bool Record::isReadable() const {
  const int s = getState();
  return s >= RECSTATE_EXISTING && s <= RECSTATE_NEW_MODIFIED && s != RECSTATE_INVALID;
}

bool Record::isWritable() const {
  const int s = getState();
  return s == RECSTATE_EXISTING || s == RECSTATE_MODIFIED || s == RECSTATE_NEW || s == RECSTATE_NEW_MODIFIED;
}

Ref<RelationView> Record::getRelationView() const {
  auto multiView = multiView_.lock();
  return multiView ? multiView->handle(view_) : nullptr;
}

void Record::valueChanged() {
  if (set_) set_->rowChanged(*row_);
}

void Record::deleteRecord() {
  const int before = getState();
  if (before == RECSTATE_DELETED || before == RECSTATE_DB_DELETED || before == RECSTATE_INVALID) return;
  if (before == RECSTATE_NEW || before == RECSTATE_NEW_MODIFIED) throw plat::sql::SQLException(kDeleteNew);
  if (!set_) return;
  closeStream();
  set_->deleteRow(*row_);
  auto multiView = multiView_.lock();
  if (!multiView) return;
  if (getState() != before) view_->recordStateChanged(*this);
  view_->resetDetails();
}

void Record::undoRecord() {
  const int before = getState();
  if (before == RECSTATE_NEW || before == RECSTATE_DB_DELETED || before == RECSTATE_INVALID || !set_) return;
  closeStream();
  set_->undoRow(*row_);
  auto multiView = multiView_.lock();
  if (multiView && getState() != before) view_->recordChanged(*this);
}

std::unique_ptr<plat::io::InputStream> Record::getInputStream(int column) {
  closeStream();
  if (getState() == RECSTATE_INVALID || !set_) throw plat::sql::SQLException(kInvalid);
  return set_->inputStream(getRecordNumber(), column);
}

std::unique_ptr<plat::io::OutputStream> Record::getOutputStream(int column) {
  closeStream();
  const int s = getState();
  if (s == RECSTATE_DELETED) throw plat::sql::SQLException("Record has been marked for deletion.");
  if (s == RECSTATE_DB_DELETED) throw plat::sql::SQLException("Record has been deleted.");
  if (s == RECSTATE_INVALID || !set_) throw plat::sql::SQLException(kInvalid);
  row_->setNotNull(column);
  auto out = set_->outputStream(getRecordNumber(), column);
  // The server holds the value the stream writes; the row counts as changed from here on.
  markModified();
  return out;
}

void Record::checkColumn(int column) const {
  if (column < 1 || column > columnCount()) {
    throw plat::sql::SQLException(net::NetErrors::COLUMN_OUT_OF_RANGE_PREFIX + std::to_string(column));
  }
}

int Record::columnCount() const {
  // The blank record has no values, but its columns are the view's. A record is used on its view's thread, so a
  // multi-view alive here stays alive for the call: no lock (and no count traffic) on every column access.
  return view_ && !multiView_.expired() ? view_->columnCount() : row_->getColumnCount();
}

const net::Entity& Record::viewColumns(int column) const {
  // The description is the view's: once the multi-view is gone the record has none left to convert with.
  if (!view_ || multiView_.expired()) throw plat::sql::SQLException(kInvalid);
  checkColumn(column);
  return view_->columns();
}

int Record::columnType(int column) const {
  return viewColumns(column).getColumnType(column);
}

int Record::columnScale(int column) const {
  return viewColumns(column).getScale(column);
}

int Record::columnNumber(const std::string& name) {
  if (!view_ || !multiView_.lock()) throw plat::sql::SQLException(RelationView::kColumnNotFound);
  return view_->findProjByName(name);
}

void Record::columnChanged(int column, int stateBefore) {
  auto multiView = multiView_.lock();
  if (!multiView || !view_) return;
  view_->columnChanged(*this, column);
  if (getState() != stateBefore) view_->recordStateChanged(*this);
}

void Record::markModified() {
  const int s = getState();
  if (s == RECSTATE_NEW) row_->setState(RECSTATE_NEW_MODIFIED);
  if (s == RECSTATE_EXISTING) row_->setState(RECSTATE_MODIFIED);
}

}  // namespace quenlora::zafoli::db::pro
