#include "platform/gui/qt/ListModelAdapter.h"

#include <QPointer>
#include <algorithm>

#include "platform/gui/ListDataListener.h"
#include "platform/gui/qt/GuiThread.h"
#include "platform/gui/qt/ValueText.h"

namespace plat::gui::qt {

class ListModelAdapter::Listener : public ListDataListener {
 public:
  explicit Listener(ListModelAdapter* adapter) : receiver_(adapter), adapter_(adapter) {}
  void intervalAdded(const ListDataEvent& e) override { post(&ListModelAdapter::added, e); }
  void intervalRemoved(const ListDataEvent& e) override { post(&ListModelAdapter::removed, e); }
  void contentsChanged(const ListDataEvent& e) override { post(&ListModelAdapter::changed, e); }

 private:
  void post(void (ListModelAdapter::*apply)(int, int), const ListDataEvent& e) {
    ListModelAdapter* adapter = adapter_;
    const int index0 = e.getIndex0();
    const int index1 = e.getIndex1();
    runOnGuiThread(receiver_, [adapter, apply, index0, index1] { (adapter->*apply)(index0, index1); });
  }
  const QPointer<QObject> receiver_;  // tells the GUI thread whether the adapter still lives
  ListModelAdapter* const adapter_;   // back reference, used only while receiver_ holds it
};

ListModelAdapter::ListModelAdapter(plat::lang::Ref<ListModel> model, QObject* parent)
    : QAbstractListModel(parent), model_(std::move(model)), listener_(std::make_shared<Listener>(this)) {
  rows_ = model_ ? std::max(model_->getSize(), 0) : 0;
  if (model_) model_->addListDataListener(listener_);
}

ListModelAdapter::~ListModelAdapter() {
  if (model_) model_->removeListDataListener(listener_);
}

int ListModelAdapter::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

QVariant ListModelAdapter::data(const QModelIndex& index, int role) const {
  if (!model_ || !index.isValid() || index.row() >= rows_ || index.column() != 0) return {};
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  return toQString(model_->getElementAt(index.row()));
}

void ListModelAdapter::resyncCount() {
  // An event that named less than what changed (or one dropped while no adapter listened) leaves the count
  // behind: the views then start again from the model as it is.
  const int live = model_ ? std::max(model_->getSize(), 0) : 0;
  if (live == rows_) return;
  beginResetModel();
  rows_ = live;
  endResetModel();
}

void ListModelAdapter::added(int index0, int index1) {
  // Told after the fact: the model holds the new entries already; the views learn of them now.
  const int first = std::clamp(index0, 0, rows_);
  beginInsertRows({}, first, first + (index1 - index0));
  rows_ += index1 - index0 + 1;
  endInsertRows();
  resyncCount();
}

void ListModelAdapter::removed(int index0, int index1) {
  const int first = std::max(index0, 0);
  const int last = std::min(index1, rows_ - 1);
  if (first <= last) {
    beginRemoveRows({}, first, last);
    rows_ -= last - first + 1;
    endRemoveRows();
  }
  resyncCount();
}

void ListModelAdapter::changed(int index0, int index1) {
  const int first = std::max(index0, 0);
  const int last = std::min(index1, rows_ - 1);
  if (first <= last) emit dataChanged(index(first), index(last));
  resyncCount();
}

}  // namespace plat::gui::qt
