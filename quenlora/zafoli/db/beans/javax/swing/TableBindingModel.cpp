#include "quenlora/zafoli/db/beans/javax/swing/TableBindingModel.h"

#include <exception>

#include "platform/beans/Beans.h"
#include "platform/gui/MouseListener.h"
#include "platform/gui/TableHeader.h"
#include "platform/gui/TableModelEvent.h"
#include "platform/lang/System.h"
#include "platform/lang/Throwable.h"
#include "quenlora/zafoli/db/beans/javax/swing/ColumnCellEditors.h"
#include "quenlora/zafoli/db/beans/javax/swing/DBColumnModel.h"
#include "quenlora/zafoli/db/beans/javax/swing/LookupRows.h"
#include "quenlora/zafoli/db/beans/javax/swing/ShuttleSort.h"

namespace quenlora::zafoli::db::beans::javax::swing {

using plat::lang::makeRef;
using plat::lang::Ref;
using plat::lang::Value;

namespace {

// The column names of a table binding "alias@c1,c2%All": the text between "@" and "%", or to the end of the text
// when there is no "%".
std::vector<std::string> columnNamesOf(const std::string& binding) {
  const std::size_t at = binding.find('@');
  const std::size_t begin = at == std::string::npos ? 0 : at + 1;
  const std::size_t percent = binding.find('%', begin);
  const std::string list = binding.substr(begin, percent == std::string::npos ? std::string::npos : percent - begin);
  std::vector<std::string> names;
  if (list.empty()) return names;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = list.find(',', start);
    names.push_back(list.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return names;
}

}  // namespace

// Sorts on single clicks of a column header; the model clears its back reference when it goes.
class TableBindingModel::HeaderListener : public plat::gui::MouseListener {
 public:
  explicit HeaderListener(TableBindingModel* model) : model_(model) {}
  void mouseClicked(const plat::gui::MouseEvent& e) override {
    if (model_ == nullptr) return;
    auto* header = dynamic_cast<plat::gui::TableHeader*>(e.getSource());
    if (header == nullptr) return;
    model_->headerClicked(header->columnAtPoint(e.getPoint()), e.getClickCount(), e.getModifiers());
  }
  void mousePressed(const plat::gui::MouseEvent&) override {}
  void mouseReleased(const plat::gui::MouseEvent&) override {}
  void mouseEntered(const plat::gui::MouseEvent&) override {}
  void mouseExited(const plat::gui::MouseEvent&) override {}

  TableBindingModel* model_;  // back reference, cleared by the model's destructor
};

TableBindingModel::TableBindingModel()
    : order_([this](int row, int column) { return rawValueAt(row, column); },
             [this](const std::vector<int>& columns, int rows) { return rawColumns(columns, rows); }),
      sortAlgorithm_(makeRef<ShuttleSort>()) {
  sortAlgorithm_->setTableBindingModel(this);
}

TableBindingModel::~TableBindingModel() {
  if (!headerListener_) return;
  headerListener_->model_ = nullptr;
  if (auto table = getTable()) table->getTableHeader()->removeMouseListener(headerListener_);
}

Ref<plat::gui::Table> TableBindingModel::getTable() const {
  return std::dynamic_pointer_cast<plat::gui::Table>(getComponent());
}

void TableBindingModel::setTable(const Ref<plat::gui::Table>& table) {
  setComponent(table);
  // The header listens from the start, not only once a cell has been read.
  upkeep();
}

Value TableBindingModel::rawValueAt(int modelRow, int column) const {
  Ref<binding::databus::DataItem> lookup = getLookupItem();
  return lookup ? LookupRows::cell(lookup.get(), modelRow, column) : Value();
}

std::vector<std::vector<Value>> TableBindingModel::rawColumns(const std::vector<int>& columns, int rows) const {
  Ref<binding::databus::DataItem> lookup = getLookupItem();
  return LookupRows::columns(lookup.get(), columns, rows);
}

const SortKeys* TableBindingModel::sortKeys() const {
  std::lock_guard lock(orderMutex_);
  return order_.activeKeys();
}

void TableBindingModel::upkeep() const {
  if (plat::beans::Beans::isDesignTime()) return;
  std::lock_guard lock(orderMutex_);
  if (!headerListener_) {
    if (auto table = getTable()) {
      headerListener_ = makeRef<HeaderListener>(const_cast<TableBindingModel*>(this));
      table->getTableHeader()->addMouseListener(headerListener_);
      table->setColumnSelectionAllowed(false);
    }
  }
  order_.update(getRowCount());
}

int TableBindingModel::convertRowIndexToView(int modelRow) const {
  if (plat::beans::Beans::isDesignTime()) return modelRow;
  upkeep();
  std::lock_guard lock(orderMutex_);
  return order_.toView(modelRow);
}

int TableBindingModel::convertRowIndexToModel(int viewRow) const {
  if (plat::beans::Beans::isDesignTime()) return viewRow;
  upkeep();
  std::lock_guard lock(orderMutex_);
  return order_.toModel(viewRow);
}

Value TableBindingModel::getValueAt(int row, int column) const {
  const int modelRow = convertRowIndexToModel(row);
  // A masked or currency column lays its value out itself: a localized text ("4.800" in German) would be read
  // again by its renderer and editor as another value.
  if (ownFormatColumns_.load() && formatsItself(column)) return rawValueAt(modelRow, column);
  return BindingModel::getValueAt(modelRow, column);
}

bool TableBindingModel::formatsItself(int column) const {
  std::lock_guard lock(orderMutex_);
  if (column < 0 || static_cast<std::size_t>(column) >= columnAttributes_.size()) return false;
  const auto& attributes = columnAttributes_[static_cast<std::size_t>(column)];
  if (!attributes) return false;
  const auto editor = attributes->getCellEditor();
  return dynamic_cast<const ColumnAttributes::MaskedEditor*>(editor.get()) != nullptr ||
         dynamic_cast<const ColumnAttributes::CurrencyEditor*>(editor.get()) != nullptr;
}

void TableBindingModel::noteOwnFormatColumns() {
  bool any = false;
  for (std::size_t c = 0; c < columnAttributes_.size() && !any; ++c) any = formatsItself(static_cast<int>(c));
  ownFormatColumns_.store(any);
}

void TableBindingModel::setValueAt(const Value& value, int row, int column) {
  BindingModel::setValueAt(value, convertRowIndexToModel(row), column);
}

bool TableBindingModel::isCellEditable(int, int column) const {
  std::lock_guard lock(orderMutex_);
  if (column < 0 || static_cast<std::size_t>(column) >= columnAttributes_.size()) return true;
  const auto& attributes = columnAttributes_[static_cast<std::size_t>(column)];
  return !attributes || attributes->isEditable();
}

std::vector<Ref<ColumnAttributes>> TableBindingModel::getColumnAttributes() const {
  std::lock_guard lock(orderMutex_);
  return columnAttributes_;
}

Ref<ColumnAttributes> TableBindingModel::getColumnAttributes(int column) const {
  std::lock_guard lock(orderMutex_);
  if (column < 0 || static_cast<std::size_t>(column) >= columnAttributes_.size()) return nullptr;
  return columnAttributes_[static_cast<std::size_t>(column)];
}

void TableBindingModel::setColumnAttributes(std::vector<Ref<ColumnAttributes>> attributes) {
  {
    std::lock_guard lock(orderMutex_);
    columnAttributes_ = attributes;
    noteOwnFormatColumns();
  }
  if (attributes.empty() || plat::beans::Beans::isDesignTime()) return;
  auto table = getTable();
  if (!table) return;
  try {
    table->setAutoCreateColumnsFromModel(false);
    table->setColumnModel(makeRef<DBColumnModel>(std::move(attributes)));
  } catch (const plat::lang::Throwable& e) {
    plat::lang::System::out().println(e.getMessage());
  }
}

void TableBindingModel::setColumnAttributes(int column, Ref<ColumnAttributes> attributes) {
  if (!attributes) return;
  std::lock_guard lock(orderMutex_);
  if (column < 0 || static_cast<std::size_t>(column) >= columnAttributes_.size()) return;
  columnAttributes_[static_cast<std::size_t>(column)] = std::move(attributes);
  noteOwnFormatColumns();
}

void TableBindingModel::addColumnSorter(const Ref<ColumnSorter>& sorter) {
  std::lock_guard lock(orderMutex_);
  order_.addColumnSorter(sorter);
}

void TableBindingModel::setSortAlgorithm(Ref<SortAlgorithm> algorithm) {
  if (!algorithm) algorithm = makeRef<ShuttleSort>();
  algorithm->setTableBindingModel(this);
  std::lock_guard lock(orderMutex_);
  sortAlgorithm_ = std::move(algorithm);
}

int TableBindingModel::compare(int rowA, int rowB) const {
  std::lock_guard lock(orderMutex_);
  return order_.compare(rowA, rowB);
}

std::vector<SortSpec> TableBindingModel::getSortingColumns() const {
  std::lock_guard lock(orderMutex_);
  return order_.sortingColumns();
}

std::vector<int> TableBindingModel::getIndexes() const {
  upkeep();
  std::lock_guard lock(orderMutex_);
  return order_.indexes();
}

void TableBindingModel::headerClicked(int viewColumn, int clickCount, int modifiers) {
  // A click beside every column, or a double click, sorts nothing.
  auto table = getTable();
  if (!table || clickCount != 1 || viewColumn < 0) return;
  const int column = table->convertColumnIndexToModel(viewColumn);
  if (column < 0) return;
  {
    std::lock_guard lock(orderMutex_);
    if (!columnNamesRead_) {
      const std::string binding = getTableBinding();
      if (!binding.empty()) {
        order_.setColumnNames(columnNamesOf(binding));
        columnNamesRead_ = true;
      }
    }
    order_.click(column, (modifiers & plat::gui::InputEvent::SHIFT_MASK) != 0);
  }
  sort();
}

void TableBindingModel::sort() {
  upkeep();
  bool sorted;
  {
    std::lock_guard lock(orderMutex_);
    Ref<SortAlgorithm> algorithm = sortAlgorithm_;
    sorted = order_.sort(*algorithm);
  }
  if (!sorted) return;
  std::vector<Ref<plat::gui::TableModelListener>> listeners;
  {
    std::lock_guard lock(BindingModel::lock());
    listeners = tableListeners();
  }
  const plat::gui::TableModelEvent event(this);
  for (const auto& listener : listeners) {
    try {
      listener->tableChanged(event);
    } catch (const plat::lang::Throwable&) {
    } catch (const std::exception&) {
    }
  }
  selectPosition();
}

}  // namespace quenlora::zafoli::db::beans::javax::swing
