// The parts of the toolkit's model layer that carry logic of their own: selection intervals and their shifts,
// documents counted in 16-bit units, masks, currency texts and the headless components' event order.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/gui/AbstractTableModel.h"
#include "platform/gui/BadLocationException.h"
#include "platform/gui/CheckBox.h"
#include "platform/gui/ComboBox.h"
#include "platform/gui/CurrencyEngine.h"
#include "platform/gui/DefaultListSelectionModel.h"
#include "platform/gui/JCurrencyTextField.h"
#include "platform/gui/JMaskedTextField.h"
#include "platform/gui/PlainDocument.h"
#include "platform/gui/Table.h"
#include "platform/lang/Exceptions.h"
#include "platform/text/Locale.h"

namespace plat::gui {
namespace {

using plat::lang::makeRef;
using plat::lang::Value;

std::vector<int> selectedOf(const DefaultListSelectionModel& m) {
  std::vector<int> out;
  for (int i = 0; i <= m.getMaxSelectionIndex(); ++i) {
    if (m.isSelectedIndex(i)) out.push_back(i);
  }
  return out;
}

struct SelectionLog : ListSelectionListener {
  std::vector<std::pair<int, int>> spans;
  void valueChanged(const ListSelectionEvent& e) override { spans.emplace_back(e.getFirstIndex(), e.getLastIndex()); }
};

TEST(ListSelection, IntervalsAndShifts) {
  struct Case {
    const char* what;
    std::function<void(DefaultListSelectionModel&)> act;
    std::vector<int> selected;
    int lead;
  };
  const std::vector<Case> cases = {
      {"set", [](auto& m) { m.setSelectionInterval(4, 2); }, {2, 3, 4}, 2},
      {"add",
       [](auto& m) {
         m.setSelectionInterval(1, 1);
         m.addSelectionInterval(3, 4);
       },
       {1, 3, 4},
       4},
      {"remove middle",
       [](auto& m) {
         m.setSelectionInterval(1, 5);
         m.removeSelectionInterval(3, 3);
       },
       {1, 2, 4, 5},
       3},
      {"insert before",
       [](auto& m) {
         m.setSelectionInterval(2, 3);
         m.insertIndexInterval(0, 2, true);
       },
       {4, 5},
       5},
      {"insert inside",
       [](auto& m) {
         m.setSelectionInterval(2, 3);
         m.insertIndexInterval(2, 1, false);
       },
       {2, 3, 4},
       4},
      {"remove rows",
       [](auto& m) {
         m.setSelectionInterval(2, 5);
         m.removeIndexInterval(0, 2);
       },
       {0, 1, 2},
       2},
      {"single",
       [](auto& m) {
         m.setSelectionMode(ListSelectionModel::SINGLE_SELECTION);
         m.setSelectionInterval(1, 3);
       },
       {3},
       3},
      {"negative ignored",
       [](auto& m) {
         m.setSelectionInterval(1, 1);
         m.setSelectionInterval(-1, 2);
       },
       {1},
       1},
  };
  for (const auto& c : cases) {
    DefaultListSelectionModel m;
    c.act(m);
    EXPECT_EQ(selectedOf(m), c.selected) << c.what;
    EXPECT_EQ(m.getLeadSelectionIndex(), c.lead) << c.what;
  }
}

TEST(ListSelection, OneEventNamesTheSpanThatChangedAndNoneForNoChange) {
  DefaultListSelectionModel m;
  auto log = makeRef<SelectionLog>();
  m.addListSelectionListener(log);
  m.setSelectionInterval(2, 4);
  m.setSelectionInterval(2, 4);
  m.setSelectionInterval(3, 6);
  ASSERT_EQ(log->spans.size(), 2u);
  EXPECT_EQ(log->spans[0], std::make_pair(2, 4));
  EXPECT_EQ(log->spans[1], std::make_pair(2, 6));
}

TEST(PlainDocumentTest, OffsetsCountSixteenBitUnits) {
  PlainDocument doc;
  doc.insertString(0, "a😀ü");
  EXPECT_EQ(doc.getLength(), 4);
  EXPECT_EQ(doc.getText(1, 2), "😀");
  doc.remove(3, 1);
  EXPECT_EQ(doc.getText(), "a😀");
  EXPECT_THROW(doc.insertString(4, "x"), BadLocationException);
  EXPECT_THROW(doc.remove(2, 2), BadLocationException);
  EXPECT_THROW(doc.getText(-1, 1), BadLocationException);
}

TEST(MaskedField, TypingFillsPlacesAndShowingNeverCuts) {
  struct Case {
    const char* mask;
    const char* typed;
    const char* shown;
    const char* unmasked;
  };
  for (const Case& c :
       {Case{"(###) ###-####", "5551234567", "(555) 123-4567", "5551234567"}, Case{"##-AA", "12ab3", "12-ab", "12ab"},
        Case{"##-AA", "1x2", "12", "12"}, Case{"?\?/?", "a/bc", "a//b", "a/b"}}) {
    auto field = makeRef<JMaskedTextField>();
    field->setMask(c.mask);
    field->type(c.typed);
    EXPECT_EQ(field->getText(), c.shown) << c.mask << " " << c.typed;
    EXPECT_EQ(field->getUnmaskedText(), c.unmasked) << c.mask << " " << c.typed;
  }
  auto field = makeRef<JMaskedTextField>();
  field->setMask("##-##");
  field->setMaskedText("12x45678");
  EXPECT_EQ(field->getText(), "12-x45678");
  EXPECT_EQ(field->getUnmaskedText(), "12x45678") << "a value that does not fit is shown whole";
  field->setMaskedText("12-34");
  EXPECT_EQ(field->getUnmaskedText(), "1234");

  // The unmasked text is read place by place, whether the text carries the literals or not, and typing goes to
  // the place at the caret, over the places selected.
  auto phone = makeRef<JMaskedTextField>();
  phone->setMask("(###) ###-####");
  phone->setMaskedText("555123456");
  phone->type("7");
  EXPECT_EQ(phone->getText(), "(555) 123-4567");
  EXPECT_EQ(phone->getUnmaskedText(), "5551234567");
  phone->setText("5559876543");
  EXPECT_EQ(phone->getUnmaskedText(), "5559876543") << "bare text put into the document keeps every digit";
  phone->setMaskedText("5559876543");
  phone->select(6, 9);
  phone->type("12");
  EXPECT_EQ(phone->getText(), "(555) 126-543") << "two typed over three selected places";
  phone->select(0, phone->getDocument()->getLength());
  phone->type("555000x1234");
  EXPECT_EQ(phone->getUnmaskedText(), "5550001234") << "a letter has no place among digits";
  phone->setCaretPosition(10);
  phone->backspace();
  EXPECT_EQ(phone->getText(), "(555) 001-234") << "Backspace steps over the literal";
}

TEST(Currency, TextsInTwoLocales) {
  struct Case {
    const char* language;
    const char* country;
    const char* symbol;
    bool leading;
    const char* amount;
    const char* formatted;
  };
  const plat::text::Locale saved = plat::text::Locale::getDefault();
  for (const Case& c :
       {Case{"en", "US", "$", true, "-1234567.555", "-$1,234,567.56"},
        Case{"de", "DE", "€", false, "1234.5", "1.234,50 €"}, Case{"de", "DE", "€", false, "0.004", "0,00 €"}}) {
    plat::text::Locale::setDefault(plat::text::Locale(c.language, c.country));
    CurrencyEngine engine;
    engine.setCurrencySymbol(c.symbol);
    engine.setCurrencyLeading(c.leading);
    EXPECT_EQ(engine.format(plat::math::Decimal(c.amount)), c.formatted);
    EXPECT_EQ(engine.parse(c.formatted)->toPlainString(), engine.round(plat::math::Decimal(c.amount)).toPlainString());
  }
  plat::text::Locale::setDefault(plat::text::Locale("de", "DE"));
  JCurrencyTextField field;
  field.setCurrencySymbol("€");
  field.setFormattedText("1234.5");
  EXPECT_EQ(field.getValue(), "1234.50") << "data comes in machine form whatever the locale";
  field.setFormattedText("zwölf");
  EXPECT_EQ(field.getValue(), "");
  plat::text::Locale::setDefault(saved);
}

TEST(Currency, AtmModeEntersDigitsFromTheRightAndFocusReformats) {
  auto field = makeRef<JCurrencyTextField>();
  field->setDecimalPoint(U'.');
  field->setSeparator(U',');
  field->setATMmode(true);
  field->type("1234");
  EXPECT_EQ(field->getText(), "$12.34");
  field->backspace();
  EXPECT_EQ(field->getValue(), "1.23");

  auto plain = makeRef<JCurrencyTextField>();
  plain->setDecimalPoint(U'.');
  plain->setSeparator(U',');
  plain->setFormattedText("1000");
  plain->requestFocus();
  EXPECT_EQ(plain->getText(), "1000.00") << "editing shows the plain number";
  plain->type("5");
  Component::clearFocus();
  EXPECT_EQ(plain->getText(), "$1,000.01") << "1000.005 rounded half up";
}

struct Events : ActionListener, ItemListener {
  std::vector<std::string> log;
  void actionPerformed(const ActionEvent& e) override { log.push_back("action:" + e.getActionCommand()); }
  void itemStateChanged(const ItemEvent& e) override {
    log.push_back(std::string(e.getStateChange() == ItemEvent::SELECTED ? "selected:" : "deselected:") +
                  e.getItem().toString());
  }
};

TEST(ComboBoxTest, UserChoicesFireItemsThenActionAndModelChangesFireNothing) {
  ComboBox box;
  box.addItem(Value("a"));
  box.addItem(Value("b"));
  auto events = makeRef<Events>();
  box.addActionListener(events);
  box.addItemListener(events);
  box.getModel()->setSelectedItem(Value("b"));
  EXPECT_TRUE(events->log.empty());
  box.pick(0);
  EXPECT_EQ(events->log, (std::vector<std::string>{"deselected:b", "selected:a", "action:comboBoxChanged"}));
  EXPECT_THROW(box.enterText("c"), plat::lang::IllegalStateException);
}

TEST(CheckBoxTest, AClickFlipsTheSelectionThenActs) {
  CheckBox box("Active");
  auto events = makeRef<Events>();
  box.addActionListener(events);
  box.addItemListener(events);
  box.click();
  EXPECT_TRUE(box.isSelected());
  EXPECT_EQ(events->log, (std::vector<std::string>{"selected:Active", "action:Active"}));
}

class Grid : public AbstractTableModel {
 public:
  int rows = 3;
  std::vector<Value> written;
  int getRowCount() const override { return rows; }
  int getColumnCount() const override { return 2; }
  Value getValueAt(int row, int column) const override { return Value(row * 10 + column); }
  bool isCellEditable(int, int column) const override { return column == 1; }
  void setValueAt(const Value& value, int, int) override { written.push_back(value); }
};

TEST(TableTest, ClicksSelectEditAndHeadersFindColumns) {
  auto grid = makeRef<Grid>();
  auto table = makeRef<Table>(grid);
  ASSERT_EQ(table->getColumnCount(), 2);
  EXPECT_EQ(table->getColumnName(1), "B");
  table->clickCell(2, 1);
  EXPECT_EQ(table->getSelectedRow(), 2);
  EXPECT_FALSE(table->isEditing()) << "a text editor starts on two clicks";
  table->clickCell(2, 1, 2);
  ASSERT_TRUE(table->isEditing());
  auto& field = static_cast<TextField&>(*table->getEditorComponent());
  EXPECT_EQ(field.getText(), "21");
  field.type("5\n");
  EXPECT_FALSE(table->isEditing());
  EXPECT_EQ(grid->written, (std::vector<Value>{Value("215")}));

  grid->fireTableRowsInserted(0, 1);
  EXPECT_EQ(table->getSelectedRow(), 4) << "the selection stays on its row";
  grid->fireTableDataChanged();
  EXPECT_EQ(table->getSelectedRow(), -1);

  auto header = table->getTableHeader();
  EXPECT_EQ(header->columnAtPoint(header->pointOfColumn(1)), 1);
  EXPECT_EQ(header->columnAtPoint(Point{10000, 0}), -1);
  auto column = table->getColumnModel()->getColumn(0);
  column->setHeaderValue(Value("Amount"));
  column->sizeWidthToFit();
  EXPECT_EQ(column->getWidth(), 6 * TableHeader::kCharWidth + TableHeader::kTextPadding);
}

}  // namespace
}  // namespace plat::gui
