// A bound employee form in a real Qt window, offscreen, on the JDBC navigator over SQLite: a QTableView over a
// sortable binding model (text, code/name combo, masked phone, currency salary, check box) and bound line edits for
// the current record's name, phone and salary. Mouse and key events go through QTest; after each edit the test
// reads the navigator's current record and what a Save writes to the database. Run in en_US and de_DE.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>
#include <functional>
#include <string>
#include <vector>

#include "platform/gui/CheckBox.h"
#include "platform/gui/ComboBox.h"
#include "platform/gui/CurrencyEngine.h"
#include "platform/gui/JCurrencyTextField.h"
#include "platform/gui/JMaskedTextField.h"
#include "platform/gui/TextField.h"
#include "platform/gui/qt/ComboBoxBinder.h"
#include "platform/gui/qt/LineEditBinder.h"
#include "platform/gui/qt/TableViewBinder.h"
#include "platform/sql/DriverManager.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/ResultSetMetaData.h"
#include "platform/sql/Statement.h"
#include "quenlora/zafoli/db/beans/javax/swing/BindingModel.h"
#include "quenlora/zafoli/db/beans/javax/swing/ColumnAttributes.h"
#include "quenlora/zafoli/db/beans/javax/swing/TableBindingModel.h"
#include "tests/platform/gui/qt/QtTestSupport.h"
#include "tests/quenlora/zafoli/db/beans/jdbc/NavigatorTestSupport.h"

namespace quenlora::zafoli::db::beans::javax::swing {
namespace {

using plat::lang::makeRef;
using plat::lang::Ref;
namespace gui = plat::gui;
namespace qttest = plat::gui::qt::qttest;

constexpr int kName = 1;
constexpr int kDept = 2;
constexpr int kPhone = 3;
constexpr int kSalary = 4;
constexpr const char* kMask = "(###) ###-####";

bool german() {
  return gui::CurrencyEngine::getDefaultDecimalSeparator() == U',';
}

// The amount as the currency engine shows it by default in this locale: "$4,800.00" or "$4.800,00".
std::string dollars(const char* english) {
  std::string text = std::string("$") + english;
  if (!german()) return text;
  for (char& c : text) c = c == ',' ? '.' : c == '.' ? ',' : c;
  return text;
}

class QtBoundForm : public jdbc::SqliteNavigatorTest {
 protected:
  void SetUp() override {
    open({
        "create table DEPT (CODE varchar(2), NAME varchar(20))",
        "insert into DEPT values ('S', 'Sales'), ('R', 'Research')",
        "create table EMP (ID integer primary key, NAME varchar(20), DEPT varchar(2), PHONE varchar(10), "
        "SALARY decimal(10,2), PAID varchar(1))",
        "insert into EMP values (1, 'Ann', 'S', '5551112222', 4800, 'Y'), (2, 'Bob', 'R', '5553334444', 5200.5, 'N'), "
        "(3, 'Cy Young', 'S', '5559876543', 3900, 'Y')",
    });
    outside_ = plat::sql::DriverManager::getConnection("jdbc:sqlite:" + path_.string());
    depts_ = navigator(dept_, "dept");
    depts_->execute(true);
    emps_ = navigator(emp_, "emp");
    emps_->execute(true);

    table_ = makeRef<gui::Table>();
    tableModel_->setTableBinding("emp@ID,NAME,DEPT,PHONE,SALARY,PAID%All");
    tableModel_->setTable(table_);
    ColumnAttributes::Layout fixed;
    fixed.editable = false;
    const ColumnAttributes::Layout plain;
    tableModel_->setColumnAttributes({
        makeRef<ColumnAttributes>(fixed, makeRef<gui::TextField>()),
        makeRef<ColumnAttributes>(plain, makeRef<gui::TextField>()),
        makeRef<ColumnAttributes>(plain, makeRef<gui::ComboBox>(), false, true, std::string("dept@CODE,NAME")),
        makeRef<ColumnAttributes>(plain, makeRef<gui::JMaskedTextField>(), kMask, false),
        // The default attributes of a currency column: ATM entry, the locale's separators.
        makeRef<ColumnAttributes>(plain, makeRef<gui::JCurrencyTextField>(), true, "$",
                                  gui::CurrencyEngine::getDefaultDecimalSeparator(), 2,
                                  gui::CurrencyEngine::getDefaultGroupingSeparator(), true, true),
        makeRef<ColumnAttributes>(plain, makeRef<gui::CheckBox>(), "", "Y", "N"),
    });
    phone_->setMask(kMask);
    auto deptModel = makeRef<BindingModel>();
    deptModel->setComponent(deptField_);
    deptModel->setLookupBinding("dept@CODE,NAME%All");
    deptModel->setDataBinding("emp@DEPT");
    formModels_.push_back(deptModel);
    bind(name_, "emp@NAME");
    bind(phone_, "emp@PHONE");
    bind(salary_, "emp@SALARY");

    auto* layout = new QVBoxLayout(&window_);
    layout->addWidget(view_);
    for (QLineEdit* edit : {nameEdit_, phoneEdit_, salaryEdit_}) layout->addWidget(edit);
    layout->addWidget(deptBox_);
    binder_ = new gui::qt::TableViewBinder(view_, table_);
    new gui::qt::LineEditBinder(nameEdit_, name_);
    new gui::qt::LineEditBinder(phoneEdit_, phone_);
    new gui::qt::LineEditBinder(salaryEdit_, salary_);
    new gui::qt::ComboBoxBinder(deptBox_, deptField_);
    window_.resize(700, 400);
    window_.show();
    window_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
  }
  void TearDown() override {
    outside_->close();
    SqliteNavigatorTest::TearDown();
  }

  void bind(const Ref<gui::TextComponent>& field, const char* name) {
    auto model = makeRef<BindingModel>();
    model->setComponent(field);
    model->setDataBinding(name);
    formModels_.push_back(model);
  }

  // The rows as the database holds them, one text a row: name|dept|phone|salary|paid.
  std::vector<std::string> stored() {
    auto statement = outside_->createStatement();
    auto rows = statement->executeQuery(
        "select NAME, DEPT, PHONE, coalesce(printf('%.2f', SALARY), 'NULL'), PAID from EMP order by ID");
    std::vector<std::string> lines;
    while (rows->next()) {
      std::string line;
      for (int c = 1; c <= 5; ++c) line += (c > 1 ? "|" : "") + rows->getString(c);
      lines.push_back(line);
    }
    rows->close();
    statement->close();
    return lines;
  }
  std::vector<std::string> saved() {
    emps_->save();
    return stored();
  }

  QModelIndex index(int row, int column) const { return binder_->adapter()->index(row, column); }
  QPoint centre(int row, int column) const { return view_->visualRect(index(row, column)).center(); }
  template <class W>
  W* cellEditor() const {
    for (W* w : view_->viewport()->findChildren<W*>()) {
      if (w->isVisible()) return w;
    }
    return nullptr;
  }
  // The headless edit has ended and Qt has let its editor go.
  bool closed(const QPointer<QWidget>& editor) {
    return qttest::pumpUntil([&] { return !table_->isEditing() && (editor.isNull() || editor->isHidden()); });
  }
  // Opens the cell's editor as a user does: one click, and a second for a field, whose editor starts on two.
  QWidget* startEditing(int row, int column) {
    const QPoint at = centre(row, column);
    QTest::mouseClick(view_->viewport(), Qt::LeftButton, {}, at);
    if (column != kDept) QTest::mouseDClick(view_->viewport(), Qt::LeftButton, {}, at);
    if (!table_->isEditing()) return nullptr;
    return column == kDept ? static_cast<QWidget*>(cellEditor<QComboBox>()) : cellEditor<QLineEdit>();
  }
  static void typeOver(QWidget* edit, const char* text) {
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
  }
  // The navigator's record and the form fields on it.
  void expectOnRecord(int row, const std::string& name) {
    EXPECT_EQ(emps_->getCurrentRowNumber() + 1, row);
    EXPECT_EQ(nameEdit_->text().toStdString(), name);
    EXPECT_EQ(view_->selectionModel()->currentIndex().row(), row - 1);
    const QModelIndexList selected = view_->selectionModel()->selectedRows();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected.first().row(), row - 1);
  }

  QApplication& app_ = qttest::app();  // before any widget
  Ref<plat::sql::Connection> outside_;
  Ref<jdbc::QueryNavigator> depts_;
  Ref<jdbc::QueryNavigator> emps_;
  Ref<gui::Table> table_;
  Ref<TableBindingModel> tableModel_ = makeRef<TableBindingModel>();
  Ref<gui::TextField> name_ = makeRef<gui::TextField>();
  Ref<gui::JMaskedTextField> phone_ = makeRef<gui::JMaskedTextField>();
  Ref<gui::JCurrencyTextField> salary_ = makeRef<gui::JCurrencyTextField>();
  Ref<gui::ComboBox> deptField_ = makeRef<gui::ComboBox>();
  std::vector<Ref<BindingModel>> formModels_;
  QWidget window_;
  QTableView* view_ = new QTableView;
  QLineEdit* nameEdit_ = new QLineEdit;
  QLineEdit* phoneEdit_ = new QLineEdit;
  QLineEdit* salaryEdit_ = new QLineEdit;
  QComboBox* deptBox_ = new QComboBox;
  gui::qt::TableViewBinder* binder_ = nullptr;
};

const std::vector<std::string> kAsLoaded = {"Ann|S|5551112222|4800.00|Y", "Bob|R|5553334444|5200.50|N",
                                            "Cy Young|S|5559876543|3900.00|Y"};

TEST_F(QtBoundForm, FormFieldsKeepTheirValueThroughFocusAndStoreWhatTheMaskAndAmountAccept) {
  expectOnRecord(1, "Ann");
  EXPECT_EQ(phoneEdit_->text().toStdString(), "(555) 111-2222");
  EXPECT_EQ(salaryEdit_->text().toStdString(), dollars("4,800.00"));

  // In and out of the salary field: it edits the number and shows the amount again, and nothing changes.
  QTest::mouseClick(salaryEdit_, Qt::LeftButton);
  EXPECT_TRUE(salary_->hasFocus());
  EXPECT_EQ(salaryEdit_->text().toStdString(), german() ? "4800,00" : "4800.00");
  QTest::keyClick(salaryEdit_, Qt::Key_Tab);
  EXPECT_FALSE(salary_->hasFocus());
  EXPECT_EQ(salaryEdit_->text().toStdString(), dollars("4,800.00"));
  EXPECT_EQ(saved(), kAsLoaded);

  // The phone shows its mask, takes digits only, and stores them without it.
  QTest::mouseClick(phoneEdit_, Qt::LeftButton);
  typeOver(phoneEdit_, "abc555000x1234");
  EXPECT_EQ(phoneEdit_->text().toStdString(), "(555) 000-1234");
  QTest::keyClicks(phoneEdit_, "9");
  EXPECT_EQ(phoneEdit_->text().toStdString(), "(555) 000-1234") << "the mask is full";
  QTest::keyClick(phoneEdit_, Qt::Key_Tab);

  // A new salary, typed with the locale's decimal point.
  QTest::mouseClick(salaryEdit_, Qt::LeftButton);
  typeOver(salaryEdit_, german() ? "1234,5" : "1234.5");
  QTest::keyClick(salaryEdit_, Qt::Key_Tab);
  EXPECT_EQ(salaryEdit_->text().toStdString(), dollars("1,234.50"));

  // The department's list opens on a click and writes the code of the name chosen.
  EXPECT_EQ(deptBox_->currentText().toStdString(), "Sales");
  QTest::mouseClick(deptBox_, Qt::LeftButton);
  ASSERT_TRUE(qttest::pumpUntil([&] { return deptBox_->view()->isVisible(); }));
  QTest::keyClick(deptBox_->view(), Qt::Key_Down);
  QTest::keyClick(deptBox_->view(), Qt::Key_Return);
  EXPECT_EQ(deptBox_->currentText().toStdString(), "Research");

  expectOnRecord(1, "Ann");
  EXPECT_EQ(view_->model()->data(index(0, kPhone)).toString().toStdString(), "(555) 000-1234");
  EXPECT_EQ(saved(), (std::vector<std::string>{"Ann|R|5550001234|1234.50|Y", kAsLoaded[1], kAsLoaded[2]}));
}

TEST_F(QtBoundForm, ACellEditStoresWhatWasTypedAndNeverMovesTheCurrentRecord) {
  // Numbers shown in the locale's format: the currency column draws and edits the amount all the same.
  tableModel_->setFormatNumbers(true);
  EXPECT_EQ(view_->model()->data(index(0, kSalary)).toString().toStdString(), dollars("4,800.00"));
  struct Case {
    const char* name;
    int column;
    std::function<void(QWidget*)> type;  // into the open editor, ending the edit
    const char* shown;                   // the cell afterwards
    const char* stored;                  // Cy Young's row after a Save
  };
  const std::vector<Case> cases = {
      {"text", kName,
       [](QWidget* w) {
         typeOver(w, "Cy Old");
         QTest::keyClick(w, Qt::Key_Return);
       },
       "Cy Old", "Cy Old|S|5559876543|3900.00|Y"},
      {"masked", kPhone,
       [](QWidget* w) {
         EXPECT_EQ(qobject_cast<QLineEdit*>(w)->text().toStdString(), "(555) 987-6543");
         typeOver(w, "5550001234");
         EXPECT_EQ(qobject_cast<QLineEdit*>(w)->text().toStdString(), "(555) 000-1234");
         QTest::keyClick(w, Qt::Key_Return);
       },
       "(555) 000-1234", "Cy Old|S|5550001234|3900.00|Y"},
      {"currency, digits from the right", kSalary,
       [](QWidget* w) {
         EXPECT_EQ(qobject_cast<QLineEdit*>(w)->text().toStdString(), dollars("3,900.00"));
         QTest::keyClick(w, Qt::Key_End);
         QTest::keyClicks(w, "7");
         EXPECT_EQ(qobject_cast<QLineEdit*>(w)->text().toStdString(), dollars("39,000.07"));
         typeOver(w, "12345");
         EXPECT_EQ(qobject_cast<QLineEdit*>(w)->text().toStdString(), dollars("123.45"));
         QTest::keyClick(w, Qt::Key_Return);
       },
       "$123.45", "Cy Old|S|5550001234|123.45|Y"},
      {"combo, its list opened by a click", kDept,
       [](QWidget* w) {
         auto* box = qobject_cast<QComboBox*>(w);
         ASSERT_NE(box, nullptr);
         QTest::mouseClick(box, Qt::LeftButton);
         ASSERT_TRUE(qttest::pumpUntil([&] { return box->view()->isVisible(); }));
         // Where a window system moves the focus into the list with a reason of its own, the combo hears a
         // focus loss: the user is still in it.
         QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
         QApplication::sendEvent(box, &out);
         ASSERT_TRUE(box->view()->isVisible());
         ASSERT_TRUE(box->isVisible()) << "the editor stays open while its list is";
         QTest::keyClick(box->view(), Qt::Key_Down);
         QTest::keyClick(box->view(), Qt::Key_Return);
       },
       "R", "Cy Old|R|5550001234|123.45|Y"},
  };
  const QSignalSpy resets(binder_->adapter(), &QAbstractItemModel::modelReset);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QWidget* editor = startEditing(2, c.column);
    ASSERT_NE(editor, nullptr);
    const QPointer<QWidget> watched(editor);
    expectOnRecord(3, c.column == kName ? "Cy Young" : "Cy Old");
    c.type(editor);
    EXPECT_TRUE(closed(watched));
    const std::string shown = c.column == kSalary ? dollars("123.45") : c.shown;
    EXPECT_EQ(view_->model()->data(index(2, c.column)).toString().toStdString(), shown);
    expectOnRecord(3, "Cy Old");
    EXPECT_EQ(resets.count(), 0) << "a written cell is redrawn alone";
    EXPECT_EQ(saved(), (std::vector<std::string>{kAsLoaded[0], kAsLoaded[1], c.stored}));
    expectOnRecord(3, "Cy Old");
  }
}

TEST_F(QtBoundForm, EscapeCancelsAnEditAndWritesNothing) {
  for (const int column : {kName, kPhone, kSalary}) {
    SCOPED_TRACE(column);
    QWidget* editor = startEditing(1, column);
    ASSERT_NE(editor, nullptr);
    const QPointer<QWidget> watched(editor);
    typeOver(editor, "4242");
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_TRUE(closed(watched));
    EXPECT_FALSE(table_->isEditing());
    expectOnRecord(2, "Bob");
    EXPECT_EQ(emps_->getValue(0, kName).toString(), "Bob");
    EXPECT_EQ(saved(), kAsLoaded);
  }
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::javax::swing
