#include "platform/gui/qt/TableModelAdapter.h"

#include <QBrush>
#include <QColor>
#include <QPointer>
#include <algorithm>

#include "platform/gui/AbstractButton.h"
#include "platform/gui/Label.h"
#include "platform/gui/TableModelEvent.h"
#include "platform/gui/TextField.h"
#include "platform/gui/qt/GuiThread.h"
#include "platform/gui/qt/ValueText.h"
#include "platform/lang/Throwable.h"

namespace plat::gui::qt {

namespace {

QColor toQColor(Color c) {
  return QColor(c.getRed(), c.getGreen(), c.getBlue());
}

Qt::Alignment toQtAlignment(int alignment) {
  switch (alignment) {
    case Component::CENTER:
      return Qt::AlignCenter;
    case Component::RIGHT:
    case Component::TRAILING:
      return Qt::AlignRight | Qt::AlignVCenter;
    default:
      return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

int alignmentOf(const Component& component) {
  if (auto* label = dynamic_cast<const Label*>(&component)) return label->getHorizontalAlignment();
  if (auto* button = dynamic_cast<const AbstractButton*>(&component)) return button->getHorizontalAlignment();
  if (auto* field = dynamic_cast<const TextField*>(&component)) return field->getHorizontalAlignment();
  return Component::LEADING;
}

}  // namespace

class TableModelAdapter::Listener : public TableModelListener {
 public:
  explicit Listener(TableModelAdapter* adapter) : receiver_(adapter), adapter_(adapter) {}
  void tableChanged(const TableModelEvent& e) override {
    TableModelAdapter* adapter = adapter_;
    const int type = e.getType();
    const int first = e.getFirstRow();
    const int last = e.getLastRow();
    const int column = e.getColumn();
    runOnGuiThread(receiver_,
                   [adapter, type, first, last, column] { adapter->tableChanged(type, first, last, column); });
  }

 private:
  const QPointer<QObject> receiver_;  // tells the GUI thread whether the adapter still lives
  TableModelAdapter* const adapter_;  // back reference, used only while receiver_ holds it
};

TableModelAdapter::TableModelAdapter(plat::lang::Ref<TableModel> model, plat::lang::Ref<Table> table, QObject* parent)
    : QAbstractTableModel(parent),
      model_(std::move(model)),
      table_(std::move(table)),
      listener_(std::make_shared<Listener>(this)) {
  if (!model_) return;
  rows_ = std::max(model_->getRowCount(), 0);
  columns_ = std::max(model_->getColumnCount(), 0);
  model_->addTableModelListener(listener_);
}

TableModelAdapter::~TableModelAdapter() {
  if (model_) model_->removeTableModelListener(listener_);
}

int TableModelAdapter::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int TableModelAdapter::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : columns_;
}

Component* TableModelAdapter::rendererComponent(int row, int column) const {
  if (!table_) return nullptr;
  const int viewColumn = table_->convertColumnIndexToView(column);
  if (viewColumn < 0) return nullptr;
  auto renderer = table_->getCellRenderer(row, viewColumn);
  if (!renderer) return nullptr;
  return &table_->prepareRenderer(*renderer, row, viewColumn);
}

bool TableModelAdapter::hasOwnRenderer(int column) const {
  if (!table_) return false;
  const int viewColumn = table_->convertColumnIndexToView(column);
  return viewColumn >= 0 && table_->getColumnModel()->getColumn(viewColumn)->getCellRenderer() != nullptr;
}

QVariant TableModelAdapter::data(const QModelIndex& index, int role) const {
  if (!model_ || !index.isValid() || index.row() >= rows_ || index.column() >= columns_) return {};
  const int row = index.row();
  const int column = index.column();
  try {
    switch (role) {
      case Qt::DisplayRole: {
        // A column with a renderer of its own (masked, currency) shows that renderer's text; the plain renderer
        // shows the value's text, read here without drawing the cell.
        if (hasOwnRenderer(column)) {
          Component* component = rendererComponent(row, column);
          if (auto* button = dynamic_cast<AbstractButton*>(component)) return QString::fromStdString(button->getText());
          if (auto* label = dynamic_cast<Label*>(component)) return QString::fromStdString(label->getText());
        }
        return toQString(model_->getValueAt(row, column));
      }
      case Qt::EditRole:
        return toQString(model_->getValueAt(row, column));
      case Qt::BackgroundRole:
      case Qt::ForegroundRole:
      case Qt::ToolTipRole:
      case Qt::CheckStateRole:
      case Qt::TextAlignmentRole: {
        Component* component = rendererComponent(row, column);
        if (component == nullptr) return {};
        if (role == Qt::BackgroundRole) return QBrush(toQColor(component->getBackground()));
        if (role == Qt::ForegroundRole) return QBrush(toQColor(component->getForeground()));
        if (role == Qt::ToolTipRole) {
          const std::string& tip = component->getToolTipText();
          return tip.empty() ? QVariant() : QVariant(QString::fromStdString(tip));
        }
        if (role == Qt::TextAlignmentRole) return QVariant::fromValue(toQtAlignment(alignmentOf(*component)));
        if (auto* button = dynamic_cast<AbstractButton*>(component)) {
          return button->isSelected() ? Qt::Checked : Qt::Unchecked;
        }
        return {};
      }
      default:
        return {};
    }
  } catch (const plat::lang::Throwable&) {
    // A model that fails on one cell shows it empty; Qt must not see the exception.
    return {};
  }
}

bool TableModelAdapter::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!model_ || !index.isValid() || index.row() >= rows_ || index.column() >= columns_) return false;
  const int row = index.row();
  const int column = index.column();
  try {
    if (!model_->isCellEditable(row, column)) return false;
    if (role == Qt::CheckStateRole) {
      // The check box's own editor decides what a tick writes (a Boolean, or the column's true and false texts).
      if (!table_) return false;
      const int viewColumn = table_->convertColumnIndexToView(column);
      auto editor = viewColumn < 0 ? nullptr : table_->getCellEditor(row, viewColumn);
      if (!editor) return false;
      Component& component =
          editor->getTableCellEditorComponent(*table_, model_->getValueAt(row, column), true, row, viewColumn);
      auto* button = dynamic_cast<AbstractButton*>(&component);
      if (button == nullptr) return false;
      button->setSelected(value.toInt() == Qt::Checked);
      model_->setValueAt(editor->getCellEditorValue(), row, column);
      editor->cancelCellEditing();
    } else if (role == Qt::EditRole) {
      model_->setValueAt(plat::lang::Value(value.toString().toStdString()), row, column);
    } else {
      return false;
    }
  } catch (const plat::lang::Throwable&) {
    return false;
  }
  emit dataChanged(index, index, {role, Qt::DisplayRole});
  return true;
}

Qt::ItemFlags TableModelAdapter::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  try {
    if (model_ && index.row() < rows_ && index.column() < columns_ &&
        model_->isCellEditable(index.row(), index.column())) {
      flags |= Qt::ItemIsEditable;
      if (dynamic_cast<AbstractButton*>(rendererComponent(index.row(), index.column())) != nullptr) {
        flags |= Qt::ItemIsUserCheckable;
      }
    }
  } catch (const plat::lang::Throwable&) {
  }
  return flags;
}

QVariant TableModelAdapter::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || !model_ || section < 0 || section >= columns_) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  try {
    if (table_) {
      const int viewColumn = table_->convertColumnIndexToView(section);
      if (viewColumn >= 0) {
        const plat::lang::Value header = table_->getColumnModel()->getColumn(viewColumn)->getHeaderValue();
        if (!header.isNull()) return toQString(header);
      }
    }
    return QString::fromStdString(model_->getColumnName(section));
  } catch (const plat::lang::Throwable&) {
    return {};
  }
}

void TableModelAdapter::tableChanged(int type, int firstRow, int lastRow, int column) {
  if (firstRow == TableModelEvent::HEADER_ROW) {
    // The structure changed: headers first, then every cell.
    if (columns_ > 0) emit headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
    beginResetModel();
    rows_ = model_ ? std::max(model_->getRowCount(), 0) : 0;
    columns_ = model_ ? std::max(model_->getColumnCount(), 0) : 0;
    endResetModel();
    return;
  }
  if (type == TableModelEvent::INSERT) {
    const int first = std::clamp(firstRow, 0, rows_);
    const int count = lastRow - firstRow + 1;
    if (count > 0 && lastRow != TableModelEvent::LAST_ROW) {
      beginInsertRows({}, first, first + count - 1);
      rows_ += count;
      endInsertRows();
    }
  } else if (type == TableModelEvent::DELETE) {
    const int first = std::max(firstRow, 0);
    const int last = std::min(lastRow, rows_ - 1);
    if (first <= last) {
      beginRemoveRows({}, first, last);
      rows_ -= last - first + 1;
      endRemoveRows();
    }
  } else if (firstRow == 0 && lastRow == TableModelEvent::LAST_ROW) {
    beginResetModel();
    rows_ = model_ ? std::max(model_->getRowCount(), 0) : 0;
    columns_ = model_ ? std::max(model_->getColumnCount(), 0) : 0;
    endResetModel();
    return;
  } else {
    const int first = std::max(firstRow, 0);
    const int last = std::min(lastRow, rows_ - 1);
    if (first <= last && columns_ > 0) {
      const bool all = column == TableModelEvent::ALL_COLUMNS || column < 0 || column >= columns_;
      emit dataChanged(index(first, all ? 0 : column), index(last, all ? columns_ - 1 : column));
    }
  }
  resyncCounts();
}

void TableModelAdapter::resyncCounts() {
  // An event that named less than what changed leaves the counts behind: the views start again from the model.
  const int rows = model_ ? std::max(model_->getRowCount(), 0) : 0;
  const int columns = model_ ? std::max(model_->getColumnCount(), 0) : 0;
  if (rows == rows_ && columns == columns_) return;
  beginResetModel();
  rows_ = rows;
  columns_ = columns;
  endResetModel();
}

}  // namespace plat::gui::qt
