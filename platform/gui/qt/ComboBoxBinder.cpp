#include "platform/gui/qt/ComboBoxBinder.h"

#include <QPointer>
#include <QSignalBlocker>

#include "platform/gui/ListDataListener.h"
#include "platform/gui/qt/GuiThread.h"
#include "platform/gui/qt/InputEventFilter.h"
#include "platform/lang/Throwable.h"

namespace plat::gui::qt {

// A selection change shows as contents changed outside the entries (index -1), as any change does: show it.
class ComboBoxBinder::Mirror : public ListDataListener {
 public:
  explicit Mirror(ComboBoxBinder* binder) : receiver_(binder), binder_(binder) {}
  void intervalAdded(const ListDataEvent&) override { post(); }
  void intervalRemoved(const ListDataEvent&) override { post(); }
  void contentsChanged(const ListDataEvent&) override { post(); }

 private:
  void post() {
    ComboBoxBinder* binder = binder_;
    runOnGuiThread(receiver_, [binder] { binder->showSelection(); });
  }
  const QPointer<QObject> receiver_;
  ComboBoxBinder* const binder_;  // back reference, used only while receiver_ holds it
};

ComboBoxBinder::ComboBoxBinder(QComboBox* box, plat::lang::Ref<ComboBox> component)
    : QObject(box),
      box_(box),
      component_(std::move(component)),
      model_(component_->getModel()),
      adapter_(new ListModelAdapter(model_, this)),
      mirror_(std::make_shared<Mirror>(this)) {
  box_->setModel(adapter_);
  box_->setEditable(false);
  // Registered after the adapter's listener: the rows are in place before the selection is shown.
  model_->addListDataListener(mirror_);
  connect(box_, &QComboBox::activated, this, [this](int index) { userActivated(index); });
  InputEventFilter::install(box_, component_);
  showSelection();
}

ComboBoxBinder::~ComboBoxBinder() {
  model_->removeListDataListener(mirror_);
}

void ComboBoxBinder::showSelection() {
  // Only activated is the user's; the index changes made here raise no activated, and the blocker keeps the
  // other signals from anyone who listens to the box.
  const QSignalBlocker guard(box_);
  box_->setCurrentIndex(component_->getSelectedIndex());
}

void ComboBoxBinder::userActivated(int index) {
  try {
    component_->pick(index);
  } catch (const plat::lang::Throwable&) {
    showSelection();
  }
}

}  // namespace plat::gui::qt
