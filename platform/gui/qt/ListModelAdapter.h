// Shows a plat::gui::ListModel in a Qt item view: one column, the entries' texts. The model's events reach Qt on
// the GUI thread whatever thread fires them (through the Qt event queue), and the adapter keeps the row count
// the view was last told, so a view never sees rows it was not told of. Create, use and delete it on the GUI
// thread; the listed model may change from any thread that its own rules allow.
#pragma once

#include <QAbstractListModel>
#include <memory>

#include "platform/gui/ListModel.h"
#include "platform/lang/Object.h"

namespace plat::gui::qt {

class ListModelAdapter : public QAbstractListModel {
 public:
  explicit ListModelAdapter(plat::lang::Ref<ListModel> model, QObject* parent = nullptr);
  ~ListModelAdapter() override;
  ListModelAdapter(const ListModelAdapter&) = delete;
  ListModelAdapter& operator=(const ListModelAdapter&) = delete;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  const plat::lang::Ref<ListModel>& model() const { return model_; }

 private:
  class Listener;
  void added(int index0, int index1);
  void removed(int index0, int index1);
  void changed(int index0, int index1);
  void resyncCount();

  plat::lang::Ref<ListModel> model_;
  std::shared_ptr<Listener> listener_;  // registered on model_ while this lives
  int rows_ = 0;                        // the row count the views were last told
};

}  // namespace plat::gui::qt
