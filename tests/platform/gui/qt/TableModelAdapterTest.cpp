// The Qt adapters over the toolkit's models, offscreen: every model event reaches the view exactly, a view edits
// the model, the renderers' colours and check boxes show, and a worker thread's change arrives on the GUI thread.
#include "platform/gui/qt/TableModelAdapter.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QListView>
#include <QSignalSpy>
#include <QTableView>
#include <mutex>
#include <thread>

#include "platform/gui/AbstractListModel.h"
#include "platform/gui/AbstractTableModel.h"
#include "platform/gui/CheckBox.h"
#include "platform/gui/DefaultCellEditor.h"
#include "platform/gui/DefaultTableCellRenderer.h"
#include "platform/gui/TableModelEvent.h"
#include "platform/gui/qt/ListModelAdapter.h"
#include "tests/platform/gui/qt/QtTestSupport.h"

namespace plat::gui::qt {
namespace {

using plat::lang::Value;

// Rows of values; changes fire exactly what they did. Reads lock, so a worker may change it while the GUI reads.
class Grid : public AbstractTableModel {
 public:
  explicit Grid(std::vector<std::vector<Value>> rows, int columns) : rows_(std::move(rows)), columns_(columns) {}
  int getRowCount() const override {
    std::lock_guard lock(mutex_);
    return static_cast<int>(rows_.size());
  }
  int getColumnCount() const override { return columns_; }
  bool isCellEditable(int, int column) const override { return column != 0; }
  Value getValueAt(int row, int column) const override {
    std::lock_guard lock(mutex_);
    if (row < 0 || row >= static_cast<int>(rows_.size())) return {};
    return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
  }
  void setValueAt(const Value& value, int row, int column) override {
    {
      std::lock_guard lock(mutex_);
      rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = value;
    }
    fireTableCellUpdated(row, column);
  }
  void insert(int at, std::vector<Value> row) {
    {
      std::lock_guard lock(mutex_);
      rows_.insert(rows_.begin() + at, std::move(row));
    }
    fireTableRowsInserted(at, at);
  }
  void erase(int at) {
    {
      std::lock_guard lock(mutex_);
      rows_.erase(rows_.begin() + at);
    }
    fireTableRowsDeleted(at, at);
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::vector<Value>> rows_;
  int columns_;
};

std::vector<std::vector<Value>> threeRows() {
  return {{Value("a"), Value(1)}, {Value("b"), Value(2)}, {Value("c"), Value()}};
}

QString cell(const QAbstractItemModel& m, int row, int column, int role = Qt::DisplayRole) {
  return m.data(m.index(row, column), role).toString();
}

TEST(TableModelAdapter, EveryModelEventReachesTheViewAsExactlyThatChange) {
  qttest::app();
  auto grid = plat::lang::makeRef<Grid>(threeRows(), 2);
  TableModelAdapter adapter(grid);
  QSignalSpy changed(&adapter, &QAbstractItemModel::dataChanged);
  QSignalSpy inserted(&adapter, &QAbstractItemModel::rowsInserted);
  QSignalSpy removed(&adapter, &QAbstractItemModel::rowsRemoved);
  QSignalSpy reset(&adapter, &QAbstractItemModel::modelReset);
  QSignalSpy headers(&adapter, &QAbstractItemModel::headerDataChanged);

  EXPECT_EQ(adapter.rowCount(), 3);
  EXPECT_EQ(cell(adapter, 0, 0), "a");
  EXPECT_EQ(cell(adapter, 1, 1), "2");
  EXPECT_EQ(cell(adapter, 2, 1), "");  // null shows empty

  grid->setValueAt(Value("x"), 1, 1);
  ASSERT_EQ(changed.count(), 1);
  EXPECT_EQ(changed[0][0].toModelIndex(), adapter.index(1, 1));
  EXPECT_EQ(changed[0][1].toModelIndex(), adapter.index(1, 1));

  grid->insert(1, {Value("n"), Value(9)});
  ASSERT_EQ(inserted.count(), 1);
  EXPECT_EQ(inserted[0][1].toInt(), 1);
  EXPECT_EQ(inserted[0][2].toInt(), 1);
  EXPECT_EQ(adapter.rowCount(), 4);
  EXPECT_EQ(cell(adapter, 1, 0), "n");

  grid->erase(0);
  ASSERT_EQ(removed.count(), 1);
  EXPECT_EQ(removed[0][1].toInt(), 0);
  EXPECT_EQ(adapter.rowCount(), 3);

  grid->fireTableDataChanged();
  EXPECT_EQ(reset.count(), 1);
  grid->fireTableStructureChanged();
  EXPECT_EQ(reset.count(), 2);
  EXPECT_EQ(headers.count(), 1);
  EXPECT_EQ(changed.count(), 1);  // no event was widened into a change of every cell
}

TEST(TableModelAdapter, EditsWriteTheModelOnlyWhereItAllows) {
  qttest::app();
  auto grid = plat::lang::makeRef<Grid>(threeRows(), 2);
  TableModelAdapter adapter(grid);
  EXPECT_FALSE(adapter.flags(adapter.index(0, 0)).testFlag(Qt::ItemIsEditable));
  EXPECT_TRUE(adapter.flags(adapter.index(0, 1)).testFlag(Qt::ItemIsEditable));
  EXPECT_FALSE(adapter.setData(adapter.index(0, 0), "z"));
  EXPECT_EQ(grid->getValueAt(0, 0).toString(), "a");
  EXPECT_TRUE(adapter.setData(adapter.index(0, 1), "z"));
  EXPECT_EQ(grid->getValueAt(0, 1).toString(), "z");
}

TEST(TableModelAdapter, CountsAreNeverNegative) {
  qttest::app();
  class Unbound : public AbstractTableModel {
   public:
    int getRowCount() const override { return 0; }
    int getColumnCount() const override { return -1; }
    Value getValueAt(int, int) const override { return {}; }
  };
  TableModelAdapter adapter(plat::lang::makeRef<Unbound>());
  EXPECT_EQ(adapter.columnCount(), 0);
  QTableView view;
  view.setModel(&adapter);
  EXPECT_EQ(view.horizontalHeader()->count(), 0);
}

TEST(TableModelAdapter, RenderersGiveColoursToolTipsAndCheckStates) {
  qttest::app();
  auto grid = plat::lang::makeRef<Grid>(std::vector<std::vector<Value>>{{Value("a"), Value(true)}}, 2);
  auto table = plat::lang::makeRef<Table>(grid);
  auto red = plat::lang::makeRef<DefaultTableCellRenderer>();
  red->setBackground(Color::red);
  red->setToolTipText("Modified values");
  table->getColumnModel()->getColumn(0)->setCellRenderer(red);
  table->getColumnModel()->getColumn(0)->setHeaderValue(Value("Name"));

  class Ticks : public CheckBox, public TableCellRenderer {
   public:
    Component& getTableCellRendererComponent(Table&, const Value& v, bool, bool, int, int) override {
      setSelected(!v.isNull() && v.toString() == "true");
      return *this;
    }
  };
  table->getColumnModel()->getColumn(1)->setCellRenderer(plat::lang::makeRef<Ticks>());
  table->getColumnModel()->getColumn(1)->setCellEditor(
      plat::lang::makeRef<DefaultCellEditor>(plat::lang::makeRef<CheckBox>()));
  TableModelAdapter adapter(grid, table);

  EXPECT_EQ(adapter.headerData(0, Qt::Horizontal).toString(), "Name");
  EXPECT_EQ(adapter.headerData(1, Qt::Horizontal).toString(), "B");
  EXPECT_EQ(adapter.data(adapter.index(0, 0), Qt::BackgroundRole).value<QBrush>().color(), QColor(Qt::red));
  EXPECT_EQ(cell(adapter, 0, 0, Qt::ToolTipRole), "Modified values");
  EXPECT_EQ(adapter.data(adapter.index(0, 1), Qt::CheckStateRole).toInt(), Qt::Checked);
  EXPECT_TRUE(adapter.flags(adapter.index(0, 1)).testFlag(Qt::ItemIsUserCheckable));
  EXPECT_TRUE(adapter.setData(adapter.index(0, 1), Qt::Unchecked, Qt::CheckStateRole));
  EXPECT_EQ(grid->getValueAt(0, 1), Value(false));
}

TEST(TableModelAdapter, AWorkerThreadsChangeReachesTheViewOnTheGuiThread) {
  qttest::app();
  auto grid = plat::lang::makeRef<Grid>(threeRows(), 2);
  TableModelAdapter adapter(grid);
  QTableView view;
  view.setModel(&adapter);
  std::atomic<bool> onGuiThread{false};
  QObject::connect(&adapter, &QAbstractItemModel::rowsInserted, &adapter,
                   [&] { onGuiThread = QThread::currentThread() == qttest::app().thread(); });
  qttest::Worker worker([&] { grid->insert(3, {Value("w"), Value(5)}); });
  ASSERT_TRUE(worker.pumpUntilFinished());
  ASSERT_TRUE(qttest::pumpUntil([&] { return adapter.rowCount() == 4; }));
  EXPECT_TRUE(onGuiThread);
  EXPECT_EQ(view.model()->index(3, 0).data().toString(), "w");
}

// A list whose size and entries change under the adapter.
class Names : public AbstractListModel {
 public:
  int getSize() const override { return static_cast<int>(names.size()); }
  Value getElementAt(int index) const override {
    return index >= 0 && index < getSize() ? Value(names[static_cast<std::size_t>(index)]) : Value();
  }
  void add(const std::string& name) {
    names.push_back(name);
    fireIntervalAdded(this, getSize() - 1, getSize() - 1);
  }
  void removeFirst() {
    names.erase(names.begin());
    fireIntervalRemoved(this, 0, 0);
  }
  void rename(int index, const std::string& name) {
    names[static_cast<std::size_t>(index)] = name;
    fireContentsChanged(this, index, index);
  }
  std::vector<std::string> names{"ann", "bob"};
};

TEST(ListModelAdapter, IntervalsAndContentsMapToRowsAndChanges) {
  qttest::app();
  auto names = plat::lang::makeRef<Names>();
  ListModelAdapter adapter(names);
  QListView view;
  view.setModel(&adapter);
  QSignalSpy changed(&adapter, &QAbstractItemModel::dataChanged);
  QSignalSpy reset(&adapter, &QAbstractItemModel::modelReset);
  EXPECT_EQ(cell(adapter, 1, 0), "bob");
  names->add("cy");
  EXPECT_EQ(adapter.rowCount(), 3);
  names->rename(2, "cyd");
  ASSERT_EQ(changed.count(), 1);
  EXPECT_EQ(changed[0][0].toModelIndex().row(), 2);
  EXPECT_EQ(cell(adapter, 2, 0), "cyd");
  names->removeFirst();
  EXPECT_EQ(adapter.rowCount(), 2);
  EXPECT_EQ(cell(adapter, 0, 0), "bob");
  // An event that says less than what changed: the adapter starts again from the model.
  names->names.push_back("dan");
  names->rename(0, "bo");
  EXPECT_EQ(adapter.rowCount(), 3);
  EXPECT_EQ(reset.count(), 1);
}

}  // namespace
}  // namespace plat::gui::qt
