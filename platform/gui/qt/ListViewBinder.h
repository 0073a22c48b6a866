// Pairs a QListView with a headless list: the entries come from its model through a ListModelAdapter, the user's
// row choice is the list's click on that row, and a selection the model makes is shown under a guard, never echoed
// back as the user's; its focus, mouse and key events reach the list's listeners. The list's model is the one it
// had when the binder was made. Create and delete it on the GUI thread; it lives as a child of the view.
#pragma once

#include <QListView>
#include <QObject>
#include <memory>

#include "platform/gui/List.h"
#include "platform/gui/qt/ListModelAdapter.h"

namespace plat::gui::qt {

class ListViewBinder : public QObject {
 public:
  ListViewBinder(QListView* view, plat::lang::Ref<List> list);
  ~ListViewBinder() override;
  ListViewBinder(const ListViewBinder&) = delete;
  ListViewBinder& operator=(const ListViewBinder&) = delete;

 private:
  class Mirror;
  void showSelection();
  void userSelected();

  QListView* view_;  // the parent of this binder
  plat::lang::Ref<List> list_;
  plat::lang::Ref<ListSelectionModel> selection_;  // the selection model mirror_ listens to
  ListModelAdapter* adapter_;                      // child of this binder
  std::shared_ptr<Mirror> mirror_;
  bool mirroring_ = false;  // true while the view is set from the model
};

}  // namespace plat::gui::qt
