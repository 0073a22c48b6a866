#include "platform/gui/qt/ListViewBinder.h"

#include <QItemSelectionModel>
#include <QPointer>

#include "platform/gui/ListSelectionListener.h"
#include "platform/gui/qt/GuiThread.h"
#include "platform/gui/qt/InputEventFilter.h"
#include "platform/lang/Throwable.h"

namespace plat::gui::qt {

class ListViewBinder::Mirror : public ListSelectionListener {
 public:
  explicit Mirror(ListViewBinder* binder) : receiver_(binder), binder_(binder) {}
  void valueChanged(const ListSelectionEvent&) override {
    ListViewBinder* binder = binder_;
    runOnGuiThread(receiver_, [binder] { binder->showSelection(); });
  }

 private:
  const QPointer<QObject> receiver_;
  ListViewBinder* const binder_;  // back reference, used only while receiver_ holds it
};

ListViewBinder::ListViewBinder(QListView* view, plat::lang::Ref<List> list)
    : QObject(view),
      view_(view),
      list_(std::move(list)),
      selection_(list_->getSelectionModel()),
      adapter_(new ListModelAdapter(list_->getModel(), this)),
      mirror_(std::make_shared<Mirror>(this)) {
  view_->setModel(adapter_);
  view_->setSelectionMode(QAbstractItemView::SingleSelection);
  selection_->addListSelectionListener(mirror_);
  connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { userSelected(); });
  connect(adapter_, &QAbstractItemModel::modelReset, this, [this] { showSelection(); });
  InputEventFilter::install(view_, list_);
  showSelection();
}

ListViewBinder::~ListViewBinder() {
  selection_->removeListSelectionListener(mirror_);
}

void ListViewBinder::showSelection() {
  mirroring_ = true;
  const int index = selection_->getMinSelectionIndex();
  if (index >= 0 && index < adapter_->rowCount()) {
    view_->selectionModel()->select(adapter_->index(index), QItemSelectionModel::ClearAndSelect);
  } else {
    view_->selectionModel()->clearSelection();
  }
  mirroring_ = false;
}

void ListViewBinder::userSelected() {
  if (mirroring_) return;
  const QModelIndexList rows = view_->selectionModel()->selectedRows();
  try {
    if (rows.isEmpty()) {
      selection_->clearSelection();
    } else {
      list_->clickRow(rows.first().row());
    }
  } catch (const plat::lang::Throwable&) {
    showSelection();
  }
}

}  // namespace plat::gui::qt
