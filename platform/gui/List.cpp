#include "platform/gui/List.h"

#include "platform/gui/DefaultComboBoxModel.h"
#include "platform/gui/DefaultListSelectionModel.h"
#include "platform/lang/Exceptions.h"

namespace plat::gui {

class List::ModelWatcher : public ListDataListener {
 public:
  explicit ModelWatcher(List* list) : list_(list) {}
  void intervalAdded(const ListDataEvent& e) override {
    list_->selectionModel_->insertIndexInterval(e.getIndex0(), e.getIndex1() - e.getIndex0() + 1, true);
    list_->repaint();
  }
  void intervalRemoved(const ListDataEvent& e) override {
    list_->selectionModel_->removeIndexInterval(e.getIndex0(), e.getIndex1());
    list_->repaint();
  }
  void contentsChanged(const ListDataEvent&) override { list_->repaint(); }

 private:
  List* list_;  // back reference; the list removes this watcher before it goes
};

List::List()
    : model_(plat::lang::makeRef<DefaultComboBoxModel>()),
      selectionModel_(plat::lang::makeRef<DefaultListSelectionModel>()),
      watcher_(plat::lang::makeRef<ModelWatcher>(this)) {
  model_->addListDataListener(watcher_);
}

List::~List() {
  model_->removeListDataListener(watcher_);
}

void List::setModel(plat::lang::Ref<ListModel> model) {
  if (!model) throw plat::lang::IllegalArgumentException("model must be non null");
  model_->removeListDataListener(watcher_);
  model_ = std::move(model);
  model_->addListDataListener(watcher_);
  selectionModel_->clearSelection();
  repaint();
}

void List::setSelectionModel(plat::lang::Ref<ListSelectionModel> model) {
  if (!model) throw plat::lang::IllegalArgumentException("selectionModel must be non null");
  selectionModel_ = std::move(model);
  repaint();
}

void List::setSelectedIndex(int index) {
  if (index >= model_->getSize()) return;
  selectionModel_->setSelectionInterval(index, index);
}

plat::lang::Value List::getSelectedValue() const {
  const int index = getSelectedIndex();
  return index < 0 ? plat::lang::Value() : model_->getElementAt(index);
}

int List::locationToIndex(Point point) const {
  const int index = point.y / kRowHeight;
  return point.y < 0 || index >= model_->getSize() ? -1 : index;
}

void List::clickRow(int index, int modifiers, int clickCount) {
  click(Point{0, index * kRowHeight + kRowHeight / 2}, clickCount, modifiers);
}

void List::processMouse(const MouseEvent& event) {
  if (event.getID() != MouseEvent::MOUSE_PRESSED) return;
  const int index = locationToIndex(event.getPoint());
  if (index < 0) return;
  const int anchor = selectionModel_->getAnchorSelectionIndex();
  if ((event.getModifiers() & InputEvent::SHIFT_MASK) != 0 && anchor >= 0) {
    selectionModel_->setSelectionInterval(anchor, index);
  } else if ((event.getModifiers() & InputEvent::CTRL_MASK) != 0) {
    if (selectionModel_->isSelectedIndex(index)) {
      selectionModel_->removeSelectionInterval(index, index);
    } else {
      selectionModel_->addSelectionInterval(index, index);
    }
  } else {
    selectionModel_->setSelectionInterval(index, index);
  }
}

}  // namespace plat::gui
