#include "platform/gui/qt/TableViewBinder.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPointer>
#include <QStyledItemDelegate>
#include <algorithm>

#include "platform/gui/CellEditorListener.h"
#include "platform/gui/ComboBox.h"
#include "platform/gui/InputEvent.h"
#include "platform/gui/MouseEvent.h"
#include "platform/gui/TableHeader.h"
#include "platform/gui/TextComponent.h"
#include "platform/gui/qt/ComboBoxBinder.h"
#include "platform/gui/qt/GuiThread.h"
#include "platform/gui/qt/InputEventFilter.h"
#include "platform/gui/qt/LineEditBinder.h"
#include "platform/lang/Throwable.h"

namespace plat::gui::qt {

class TableViewBinder::SelectionMirror : public ListSelectionListener {
 public:
  explicit SelectionMirror(TableViewBinder* binder) : receiver_(binder), binder_(binder) {}
  void valueChanged(const ListSelectionEvent&) override {
    TableViewBinder* binder = binder_;
    runOnGuiThread(receiver_, [binder] { binder->showSelection(); });
  }

 private:
  const QPointer<QObject> receiver_;
  TableViewBinder* const binder_;  // back reference, used only while receiver_ holds it
};

// Edits a cell in the Qt widget of its headless editor's kind, paired with that editor's component by the
// widget's binder: a combo box lists the combo model's entries, a line edit shows the field's text. The headless
// table edits the cell meanwhile, so that the cell editor decides the value written (a masked field's unmasked
// text, a code for a name chosen) and writes it when it stops: on the combo's choice, on Enter, on focus lost or
// when Qt commits. A stop or cancel on the headless side closes the Qt editor; closing it otherwise (Escape)
// cancels. Check boxes have no editor widget: their cells tick through the check state.
class TableViewBinder::Delegate : public QStyledItemDelegate {
 public:
  Delegate(Table* table, QObject* parent) : QStyledItemDelegate(parent), table_(table) {
    // Connected before any view's own connection, so that it runs before the view takes the focus back from the
    // editor: the editor's focus loss would otherwise stop the edit and write what it holds. A close that reverts
    // (Escape) cancels, whichever way it came.
    connect(this, &QAbstractItemDelegate::closeEditor, this,
            [this](QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
              if (hint == QAbstractItemDelegate::RevertModelCache && editor == open_) cancel();
            });
  }
  ~Delegate() override { stopWatching(); }
  Delegate(const Delegate&) = delete;
  Delegate& operator=(const Delegate&) = delete;

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override {
    const int viewColumn = table_->convertColumnIndexToView(index.column());
    if (viewColumn < 0) return nullptr;
    try {
      if (!table_->editCellAt(index.row(), viewColumn)) return nullptr;
      const auto component =
          std::dynamic_pointer_cast<Component>(table_->getEditorComponent()->weak_from_this().lock());
      QWidget* widget = nullptr;
      if (auto combo = std::dynamic_pointer_cast<ComboBox>(component)) {
        auto* box = new QComboBox(parent);
        new ComboBoxBinder(box, combo);
        widget = box;
      } else if (auto text = std::dynamic_pointer_cast<TextComponent>(component)) {
        auto* line = new QLineEdit(parent);
        new LineEditBinder(line, text);
        widget = line;
      } else {
        table_->getCellEditor()->cancelCellEditing();
        return nullptr;
      }
      watch(widget);
      return widget;
    } catch (const plat::lang::Throwable&) {
      cancel();
      return nullptr;
    }
  }

  // The binder shows the headless editor's state; the model's text would overwrite a masked or formatted one.
  void setEditorData(QWidget*, const QModelIndex&) const override {}

  void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex& index) const override {
    if (!isEditing(index)) return;  // the headless editor has stopped already
    try {
      // Qt closes its editor whatever the answer: a value the editor cannot take yet is dropped.
      if (!table_->getCellEditor()->stopCellEditing()) cancel();
    } catch (const plat::lang::Throwable&) {
      cancel();
    }
  }

  void destroyEditor(QWidget* editor, const QModelIndex& index) const override {
    stopWatching();
    if (isEditing(index)) cancel();
    QStyledItemDelegate::destroyEditor(editor, index);
  }

 private:
  // Closes the Qt editor when the headless one stops or cancels on its own.
  class Closer : public CellEditorListener {
   public:
    Closer(Delegate* delegate, QWidget* editor) : delegate_(delegate), editor_(editor) {}
    void editingStopped(const ChangeEvent&) override { close(); }
    void editingCanceled(const ChangeEvent&) override { close(); }

   private:
    void close() {
      if (!delegate_) return;
      // Later: the editor may be inside its own signal (the combo's activated).
      QPointer<Delegate> delegate = delegate_;
      QPointer<QWidget> editor = editor_;
      QMetaObject::invokeMethod(
          delegate_.data(),
          [delegate, editor] {
            // Qt may have closed it meanwhile (its own commit on Enter).
            if (delegate && editor && delegate->open_ == editor) {
              emit delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
            }
          },
          Qt::QueuedConnection);
    }
    QPointer<Delegate> delegate_;
    QPointer<QWidget> editor_;
  };

  bool isEditing(const QModelIndex& index) const {
    return table_->isEditing() && table_->getEditingRow() == index.row() &&
           table_->getEditingColumn() == table_->convertColumnIndexToView(index.column());
  }
  void cancel() const {
    try {
      if (table_->isEditing()) table_->getCellEditor()->cancelCellEditing();
    } catch (const plat::lang::Throwable&) {
      table_->removeEditor();
    }
  }
  void watch(QWidget* editor) const {
    stopWatching();
    watched_ = table_->getCellEditor();
    open_ = editor;
    closer_ = std::make_shared<Closer>(const_cast<Delegate*>(this), editor);
    watched_->addCellEditorListener(closer_);
  }
  void stopWatching() const {
    if (watched_) watched_->removeCellEditorListener(closer_);
    watched_.reset();
    closer_.reset();
    open_.clear();
  }

  Table* table_;                                      // borrowed: the binder holds the table while its view lives
  mutable plat::lang::Ref<TableCellEditor> watched_;  // the editor closer_ listens to, while a Qt editor is open
  mutable std::shared_ptr<Closer> closer_;
  mutable QPointer<QWidget> open_;  // the Qt editor closer_ closes
};

TableViewBinder::TableViewBinder(QTableView* view, plat::lang::Ref<Table> table)
    : QObject(view),
      view_(view),
      table_(std::move(table)),
      adapter_(new TableModelAdapter(table_->getModel(), table_, this)),
      mirror_(std::make_shared<SelectionMirror>(this)) {
  view_->setModel(adapter_);
  view_->setItemDelegate(new Delegate(table_.get(), this));
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setSelectionMode(QAbstractItemView::SingleSelection);
  // Clicks start editing as many as the cell's editor asks for; keys start it as in any view.
  view_->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
  connect(view_, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) { clickedCell(index, 1); });
  connect(view_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) { clickedCell(index, 2); });
  // The table's listeners hear a point of the cell under the mouse, as the headless table lays its cells out.
  InputEventFilter::install(view_, table_, [this](const QPoint& at) { return pointOfCellAt(at); });
  connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { userSelected(); });
  connect(view_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int s) { headerClicked(s); });
  connect(view_->horizontalHeader(), &QHeaderView::sectionResized, this,
          [this](int section, int, int size) { resized(section, size); });
  // While the model changes, the view moves its selection and current cell on its own (a reset hides the open
  // editor, and the focus leaving it makes the first cell current): none of that is the user's.
  const auto changing = [this] { ++modelChanging_; };
  const auto changed = [this] {
    if (modelChanging_ > 0) --modelChanging_;
    showSelection();
  };
  connect(adapter_, &QAbstractItemModel::modelAboutToBeReset, this, changing);
  connect(adapter_, &QAbstractItemModel::rowsAboutToBeInserted, this, changing);
  connect(adapter_, &QAbstractItemModel::rowsInserted, this, changed);
  connect(adapter_, &QAbstractItemModel::rowsAboutToBeRemoved, this, changing);
  connect(adapter_, &QAbstractItemModel::rowsRemoved, this, changed);
  // A reset (every row, or new columns) may come with a new selection model and new columns.
  connect(adapter_, &QAbstractItemModel::modelReset, this, [this, changed] {
    watchSelectionModel();
    applyWidths();
    changed();
  });
  watchSelectionModel();
  applyWidths();
  showSelection();
}

TableViewBinder::~TableViewBinder() {
  if (watched_) watched_->removeListSelectionListener(mirror_);
}

void TableViewBinder::watchSelectionModel() {
  const auto& current = table_->getSelectionModel();
  if (current == watched_) return;
  if (watched_) watched_->removeListSelectionListener(mirror_);
  watched_ = current;
  if (watched_) watched_->addListSelectionListener(mirror_);
}

void TableViewBinder::showSelection() {
  watchSelectionModel();
  if (!watched_) return;
  mirroring_ = true;
  QItemSelection selection;
  for (int row = std::max(watched_->getMinSelectionIndex(), 0); row <= watched_->getMaxSelectionIndex(); ++row) {
    if (row < adapter_->rowCount() && watched_->isSelectedIndex(row)) {
      selection.select(adapter_->index(row, 0), adapter_->index(row, std::max(adapter_->columnCount() - 1, 0)));
    }
  }
  view_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
  // The current cell follows the selected row: a view left without one (after a reset) makes its first cell
  // current as soon as it gets the focus, and selects it with it.
  const int row = watched_->getLeadSelectionIndex();
  if (row >= 0 && row < adapter_->rowCount() && watched_->isSelectedIndex(row) && adapter_->columnCount() > 0) {
    const QModelIndex current = view_->selectionModel()->currentIndex();
    if (current.row() != row) {
      const int column = current.isValid() ? current.column() : 0;
      view_->selectionModel()->setCurrentIndex(adapter_->index(row, column), QItemSelectionModel::NoUpdate);
    }
  }
  mirroring_ = false;
}

void TableViewBinder::userSelected() {
  if (mirroring_ || modelChanging_ > 0) return;
  watchSelectionModel();
  if (!watched_) return;
  const QModelIndexList rows = view_->selectionModel()->selectedRows();
  try {
    if (rows.isEmpty()) {
      watched_->clearSelection();
    } else {
      watched_->setSelectionInterval(rows.first().row(), rows.first().row());
    }
  } catch (const plat::lang::Throwable&) {
    // The model refused the move; the view shows the model's selection again.
    showSelection();
  }
}

void TableViewBinder::clickedCell(const QModelIndex& index, int clickCount) {
  const int viewColumn = table_->convertColumnIndexToView(index.column());
  if (viewColumn < 0 || !table_->isCellEditable(index.row(), viewColumn)) return;
  try {
    const auto editor = table_->getCellEditor(index.row(), viewColumn);
    const MouseEvent click(table_.get(), MouseEvent::MOUSE_CLICKED, 0, table_->pointOfCell(index.row(), viewColumn),
                           clickCount);
    if (editor && editor->isCellEditable(&click)) view_->edit(index);
  } catch (const plat::lang::Throwable&) {
  }
}

Point TableViewBinder::pointOfCellAt(const QPoint& at) const {
  const QModelIndex index = view_->indexAt(at);
  const int viewColumn = index.isValid() ? table_->convertColumnIndexToView(index.column()) : -1;
  // Outside every cell: a point of no row and no column.
  if (viewColumn < 0) return Point{-1, -1};
  return table_->pointOfCell(index.row(), viewColumn);
}

void TableViewBinder::headerClicked(int section) {
  const int viewColumn = table_->convertColumnIndexToView(section);
  if (viewColumn < 0) return;
  int modifiers = 0;
  const Qt::KeyboardModifiers keys = QApplication::keyboardModifiers();
  if (keys.testFlag(Qt::ShiftModifier)) modifiers |= InputEvent::SHIFT_MASK;
  if (keys.testFlag(Qt::ControlModifier)) modifiers |= InputEvent::CTRL_MASK;
  const auto& header = table_->getTableHeader();
  header->click(header->pointOfColumn(viewColumn), 1, modifiers);
}

void TableViewBinder::applyWidths() {
  const auto& columns = table_->getColumnModel();
  for (int section = 0; section < adapter_->columnCount(); ++section) {
    const int viewColumn = table_->convertColumnIndexToView(section);
    if (viewColumn < 0) continue;
    const auto column = columns->getColumn(viewColumn);
    view_->setColumnWidth(section, std::clamp(column->getWidth(), column->getMinWidth(), column->getMaxWidth()));
  }
}

void TableViewBinder::resized(int section, int newSize) {
  const int viewColumn = table_->convertColumnIndexToView(section);
  if (viewColumn < 0) return;
  const auto column = table_->getColumnModel()->getColumn(viewColumn);
  const int clamped =
      std::clamp(newSize, column->getMinWidth(), std::max(column->getMinWidth(), column->getMaxWidth()));
  column->setWidth(clamped);
  if (clamped != newSize) view_->setColumnWidth(section, clamped);
}

}  // namespace plat::gui::qt
