#include "platform/gui/qt/TableViewBinder.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <algorithm>

#include "platform/gui/InputEvent.h"
#include "platform/gui/TableHeader.h"
#include "platform/gui/TextComponent.h"
#include "platform/gui/qt/GuiThread.h"
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

// Edits a cell in a line edit and writes through the column's cell editor, so that the editor decides the value
// written (a masked field's unmasked text, a currency field's amount).
class TableViewBinder::Delegate : public QStyledItemDelegate {
 public:
  Delegate(Table* table, QObject* parent) : QStyledItemDelegate(parent), table_(table) {}
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
    auto* line = qobject_cast<QLineEdit*>(editor);
    const int viewColumn = table_->convertColumnIndexToView(index.column());
    auto cellEditor = viewColumn < 0 ? nullptr : table_->getCellEditor(index.row(), viewColumn);
    if (line == nullptr || !cellEditor) {
      QStyledItemDelegate::setModelData(editor, model, index);
      return;
    }
    try {
      Component& component = cellEditor->getTableCellEditorComponent(
          *table_, table_->getModel()->getValueAt(index.row(), index.column()), true, index.row(), viewColumn);
      auto* text = dynamic_cast<TextComponent*>(&component);
      if (text == nullptr) {
        QStyledItemDelegate::setModelData(editor, model, index);
        return;
      }
      text->setText(line->text().toStdString());
      if (!cellEditor->stopCellEditing()) return;
      table_->getModel()->setValueAt(cellEditor->getCellEditorValue(), index.row(), index.column());
    } catch (const plat::lang::Throwable&) {
      // The edit is refused; the cell keeps its value.
    }
  }

 private:
  Table* table_;  // borrowed: the binder holds the table while its view lives
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
  connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { userSelected(); });
  connect(view_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int s) { headerClicked(s); });
  connect(view_->horizontalHeader(), &QHeaderView::sectionResized, this,
          [this](int section, int, int size) { resized(section, size); });
  // A reset (every row, or new columns) may come with a new selection model and new columns.
  connect(adapter_, &QAbstractItemModel::modelReset, this, [this] {
    watchSelectionModel();
    applyWidths();
    showSelection();
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
  mirroring_ = false;
}

void TableViewBinder::userSelected() {
  if (mirroring_) return;
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
