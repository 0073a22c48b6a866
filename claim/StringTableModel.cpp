#include "claim/StringTableModel.h"

std::vector<std::string> StringTableModel::split(const std::string& text) {
  std::vector<std::string> cells;
  std::size_t from = 0;
  for (;;) {
    const auto comma = text.find(',', from);
    std::string cell = text.substr(from, comma == std::string::npos ? std::string::npos : comma - from);
    const auto first = cell.find_first_not_of(' ');
    const auto last = cell.find_last_not_of(' ');
    cells.push_back(first == std::string::npos ? std::string() : cell.substr(first, last - first + 1));
    if (comma == std::string::npos) break;
    from = comma + 1;
  }
  return cells;
}

void StringTableModel::setColumnHeaders(const std::string& text) {
  beginResetModel();
  headers_ = split(text);
  for (auto& row : rows_) row.resize(headers_.size());
  endResetModel();
}

void StringTableModel::addRow(const std::string& text) {
  auto cells = split(text);
  cells.resize(headers_.size());
  const int at = static_cast<int>(rows_.size());
  beginInsertRows(QModelIndex(), at, at);
  rows_.push_back(std::move(cells));
  endInsertRows();
}

std::string StringTableModel::getValueAt(int row, int column) const {
  if (row < 0 || row >= rowCount() || column < 0 || column >= colCount()) return {};
  return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void StringTableModel::setValueAt(const std::string& value, int row, int column) {
  if (row < 0 || row >= rowCount() || column < 0 || column >= colCount()) return;
  rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = value;
  const auto at = index(row, column);
  Q_EMIT dataChanged(at, at, {Qt::DisplayRole, Qt::ToolTipRole});
}

int StringTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int StringTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : colCount();
}

QVariant StringTableModel::data(const QModelIndex& index, int role) const {
  // The tool tip repeats the text: a narrow cell may show only its start.
  if ((role != Qt::DisplayRole && role != Qt::ToolTipRole) || !index.isValid()) return {};
  return QString::fromStdString(getValueAt(index.row(), index.column()));
}

QVariant StringTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= colCount()) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  return QString::fromStdString(headers_[static_cast<std::size_t>(section)]);
}

Qt::ItemFlags StringTableModel::flags(const QModelIndex& index) const {
  // The status table is read-only and its rows cannot be selected.
  return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
}
