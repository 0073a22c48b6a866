// Column attributes: the editor and renderer of every kind, check-box texts, archives that read back or are
// refused whole, and copies that share no component with their original.
#include "quenlora/zafoli/db/beans/javax/swing/ColumnAttributes.h"

#include <gtest/gtest.h>

#include "platform/gui/AbstractTableModel.h"
#include "platform/gui/DefaultCellEditor.h"
#include "platform/gui/Label.h"
#include "platform/gui/Table.h"
#include "platform/serial/ObjectInput.h"
#include "platform/serial/ObjectOutput.h"
#include "platform/serial/ObjectStreamException.h"
#include "quenlora/zafoli/db/beans/javax/swing/ColumnCellEditors.h"
#include "quenlora/zafoli/db/beans/javax/swing/ColumnCellRenderers.h"
#include "quenlora/zafoli/db/beans/javax/swing/DBColumnModel.h"
#include "quenlora/zafoli/db/beans/javax/swing/SwingTableClasses.h"

namespace quenlora::zafoli::db::beans::javax::swing {
namespace {

using plat::gui::Color;
using plat::lang::makeRef;
using plat::lang::Ref;
using plat::lang::Value;

const std::string kSwing = "quenlora.zafoli.db.beans.javax.swing.";

std::string classOf(const auto& object) {
  auto* o = dynamic_cast<const plat::lang::Object*>(object.get());
  return o == nullptr ? "" : o->getClassName();
}

ColumnAttributes::Layout layout() {
  ColumnAttributes::Layout l;
  l.headerValue = "Paid";
  l.identifier = "PAID";
  l.background = Color::yellow;
  return l;
}

struct Kind {
  const char* name;
  std::function<Ref<ColumnAttributes>()> make;
  std::string editor;
  std::string renderer;
};

std::vector<Kind> kinds() {
  return {
      {"text", [] { return makeRef<ColumnAttributes>(layout(), makeRef<plat::gui::TextField>()); },
       kSwing + "CommonTableCellEditor", "javax.swing.table.DefaultTableCellRenderer"},
      {"masked",
       [] { return makeRef<ColumnAttributes>(layout(), makeRef<plat::gui::JMaskedTextField>(), "##-##", true); },
       kSwing + "ColumnAttributes$MaskedEditor", kSwing + "ColumnAttributes$MaskedRenderer"},
      {"currency",
       [] {
         return makeRef<ColumnAttributes>(layout(), makeRef<plat::gui::JCurrencyTextField>(), false, "EUR", U',', 2,
                                          U'.', false, true);
       },
       kSwing + "ColumnAttributes$CurrencyEditor", kSwing + "ColumnAttributes$CurrencyRenderer"},
      {"check box", [] { return makeRef<ColumnAttributes>(layout(), makeRef<plat::gui::CheckBox>(), "", "Y", "N"); },
       kSwing + "ColumnAttributes$CheckBoxEditor", kSwing + "ColumnAttributes$CheckBoxRenderer"},
      {"static combo",
       [] {
         return makeRef<ColumnAttributes>(layout(), makeRef<plat::gui::ComboBox>(), false,
                                          std::vector<std::string>{"open", "closed"});
       },
       kSwing + "CommonTableCellEditor", "javax.swing.table.DefaultTableCellRenderer"},
  };
}

TEST(ColumnAttributes, DefaultsGiveATextEditorOnTwoClicksAndColourNamesMapOrGiveWhite) {
  ColumnAttributes a;
  EXPECT_EQ(a.getWidth(), 100);
  EXPECT_EQ(a.getMinWidth(), 10);
  EXPECT_EQ(a.getMaxWidth(), 2000);
  auto editor = std::dynamic_pointer_cast<plat::gui::DefaultCellEditor>(a.getCellEditor());
  ASSERT_TRUE(editor);
  EXPECT_EQ(editor->getClickCountToStart(), 2);
  EXPECT_EQ(classOf(a.getCellEditorComponent()), "javax.swing.JTextField");

  const std::vector<std::pair<std::string, Color>> colours = {
      {"black", Color::black},         {"blue", Color::blue},       {"cyan", Color::cyan},
      {"darkGray", Color::darkGray},   {"gray", Color::gray},       {"green", Color::green},
      {"lightGray", Color::lightGray}, {"magenta", Color::magenta}, {"orange", Color::orange},
      {"pink", Color::pink},           {"red", Color::red},         {"yellow", Color::yellow},
      {"purple", Color::white},        {"Red", Color::white},       {"", Color::white},
  };
  for (const auto& [name, colour] : colours) EXPECT_EQ(ColumnAttributes::getColorFromString(name), colour) << name;
}

TEST(ColumnAttributes, EveryKindBuildsItsEditorAndRenderer) {
  for (const Kind& kind : kinds()) {
    auto a = kind.make();
    EXPECT_EQ(classOf(a->getCellEditor()), kind.editor) << kind.name;
    EXPECT_EQ(classOf(a->getCellRenderer()), kind.renderer) << kind.name;
    EXPECT_EQ(a->getCellEditorComponent()->getBackground(), Color::yellow) << kind.name;
  }
  // Any other component is replaced by a text field.
  ColumnAttributes other;
  other.setCellEditorComponent(makeRef<plat::gui::Label>());
  EXPECT_EQ(classOf(other.getCellEditorComponent()), "javax.swing.JTextField");
  auto combo = std::dynamic_pointer_cast<plat::gui::ComboBox>(kinds()[4].make()->getCellEditorComponent());
  ASSERT_TRUE(combo);
  EXPECT_EQ(combo->getItemCount(), 2);
  EXPECT_EQ(combo->getMaximumRowCount(), 3);
  EXPECT_FALSE(combo->isEditable());
}

// One row, one column: the cell a check-box column edits.
class OneCell : public plat::gui::AbstractTableModel {
 public:
  int getRowCount() const override { return 1; }
  int getColumnCount() const override { return 1; }
  bool isCellEditable(int, int) const override { return true; }
  Value getValueAt(int, int) const override { return value; }
  void setValueAt(const Value& v, int, int) override { value = v; }
  Value value{"Y"};
};

TEST(ColumnAttributes, ACheckBoxColumnTicksForTheTrueTextAndWritesTheFalseText) {
  auto a = makeRef<ColumnAttributes>(layout(), makeRef<plat::gui::CheckBox>(), "", "Y", "N");
  auto model = makeRef<OneCell>();
  auto table = makeRef<plat::gui::Table>(model);
  table->setColumnModel(makeRef<DBColumnModel>(std::vector<Ref<ColumnAttributes>>{a}));

  plat::gui::Component& shown = table->prepareRenderer(*table->getCellRenderer(0, 0), 0, 0);
  EXPECT_TRUE(dynamic_cast<plat::gui::CheckBox&>(shown).isSelected());
  EXPECT_EQ(dynamic_cast<plat::gui::CheckBox&>(shown).getHorizontalAlignment(), plat::gui::Component::CENTER);

  ASSERT_TRUE(table->editCellAt(0, 0));
  auto* box = dynamic_cast<plat::gui::CheckBox*>(table->getEditorComponent());
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->isSelected());
  box->setSelected(false);
  ASSERT_TRUE(table->getCellEditor()->stopCellEditing());
  EXPECT_EQ(model->value, Value("N"));
}

std::vector<std::uint8_t> saved(const ColumnAttributes& a) {
  plat::serial::ObjectOutput out;
  a.writeObject(out);
  return out.bytes();
}

Ref<ColumnAttributes> restored(const std::vector<std::uint8_t>& bytes) {
  registerSwingTableClasses(plat::runvale::ClassRegistry::instance());
  plat::serial::ObjectInput in(bytes);
  return ColumnAttributes::readObject(in);
}

TEST(ColumnAttributes, ArchivesReadBackToTheSameColumn) {
  for (const Kind& kind : kinds()) {
    auto a = kind.make();
    a->setWidth(321);
    auto back = restored(saved(*a));
    EXPECT_EQ(back->getHeaderValue(), "Paid") << kind.name;
    EXPECT_EQ(back->getIdentifier(), "PAID") << kind.name;
    EXPECT_EQ(back->getWidth(), 321) << kind.name;
    EXPECT_EQ(back->getBackground(), Color::yellow) << kind.name;
    EXPECT_EQ(classOf(back->getCellEditor()), kind.editor) << kind.name;
    EXPECT_EQ(saved(*back), saved(*a)) << kind.name;
  }
  auto masked = restored(saved(*kinds()[1].make()));
  EXPECT_EQ(masked->getMask(), "##-##");
  auto field = std::dynamic_pointer_cast<plat::gui::JMaskedTextField>(masked->getCellEditorComponent());
  ASSERT_TRUE(field);
  EXPECT_EQ(field->getMask(), "##-##");
}

TEST(ColumnAttributes, TruncatedOrForeignArchivesAreRefused) {
  const std::vector<std::uint8_t> bytes = saved(*kinds()[4].make());
  for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
    std::vector<std::uint8_t> partial(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut));
    EXPECT_THROW(restored(partial), plat::serial::ObjectStreamException) << cut;
  }
  plat::serial::ObjectOutput foreign;
  foreign.writeUTF("ColumnAttributes/0");
  EXPECT_THROW(restored(foreign.bytes()), plat::serial::InvalidObjectException);

  // A text past its limit: the header value grown to 5000 bytes.
  auto big = kinds()[0].make();
  big->setHeaderValue(std::string(5000, 'h'));
  EXPECT_THROW(restored(saved(*big)), plat::serial::StreamCorruptedException);
  auto digits = kinds()[2].make();
  digits->setDigitsAfterDecimal(1000000);
  EXPECT_THROW(restored(saved(*digits)), plat::serial::InvalidObjectException);
}

TEST(ColumnAttributes, ClassNamesOfTheWrongKindOrUnknownGiveTheFallbacks) {
  auto a = kinds()[0].make();
  std::vector<std::uint8_t> bytes = saved(*a);
  // Swap the four class names at the end for names that are not of the slot's kind.
  plat::serial::ObjectOutput tail;
  const std::vector<std::string> names = {"com.quenlora.zafoli.javax.swing.CurrencyEngine", "no.such.Class",
                                          "javax.swing.JCheckBox", "javax.swing.JTextField"};
  std::size_t keep = bytes.size();
  for (std::string name : {classOf(a->getCellEditorComponent()), classOf(a->getCellRendererComponent()),
                           classOf(a->getHeaderRendererComponent()), classOf(a->getHeaderRenderer())}) {
    keep -= 5 + name.size();
  }
  bytes.resize(keep);
  for (const std::string& name : names) tail.writeUTF(name);
  bytes.insert(bytes.end(), tail.bytes().begin() + 4, tail.bytes().end());
  auto back = restored(bytes);
  EXPECT_EQ(classOf(back->getCellEditorComponent()), "javax.swing.JTextField");
  EXPECT_EQ(classOf(back->getCellRendererComponent()), "javax.swing.JLabel");
  EXPECT_EQ(classOf(back->getHeaderRendererComponent()), "javax.swing.JCheckBox");
  EXPECT_EQ(classOf(back->getHeaderRenderer()), "javax.swing.table.DefaultTableCellRenderer");
}

TEST(ColumnAttributes, ACopySharesNoComponentWithItsOriginal) {
  for (const Kind& kind : kinds()) {
    auto a = kind.make();
    auto copy = a->clone();
    EXPECT_NE(copy->getCellEditorComponent(), a->getCellEditorComponent()) << kind.name;
    EXPECT_NE(copy->getCellEditor(), a->getCellEditor()) << kind.name;
    EXPECT_NE(copy->getCellRenderer(), a->getCellRenderer()) << kind.name;
    EXPECT_EQ(classOf(copy->getCellEditor()), kind.editor) << kind.name;
    EXPECT_EQ(saved(*copy), saved(*a)) << kind.name;
    copy->setHeaderValue("other");
    EXPECT_EQ(a->getHeaderValue(), "Paid");
  }
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::javax::swing
