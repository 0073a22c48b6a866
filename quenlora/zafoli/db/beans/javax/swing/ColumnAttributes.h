// The settings of one column of a sortable data-bound table: header, identifier, widths, editability, colours and
// the kind of cell editor (text, masked text, currency, check box, combo box with fixed texts or rows from the data
// bus), which the attributes turn into a matching editor and renderer. Saved and restored through a plat::serial
// archive; clone() gives an independent copy. GUI thread only, except clone() and the getters, which lock.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/gui/CheckBox.h"
#include "platform/gui/Color.h"
#include "platform/gui/ComboBox.h"
#include "platform/gui/Component.h"
#include "platform/gui/JCurrencyTextField.h"
#include "platform/gui/JMaskedTextField.h"
#include "platform/gui/TableCellEditor.h"
#include "platform/gui/TableCellRenderer.h"
#include "platform/gui/TextField.h"
#include "platform/lang/Object.h"

namespace plat::serial {
class ObjectInput;
class ObjectOutput;
}  // namespace plat::serial

namespace quenlora::zafoli::db::beans::javax::swing {

class BindingModel;

class ColumnAttributes : public plat::lang::Object {
 public:
  class MaskedEditor;
  class MaskedRenderer;
  class CurrencyEditor;
  class CurrencyRenderer;
  class CheckBoxEditor;
  class CheckBoxRenderer;

  using Color = plat::gui::Color;
  template <class T>
  using Ref = plat::lang::Ref<T>;

  // The common leading arguments of the kind constructors.
  struct Layout {
    std::string headerValue;
    std::string identifier;
    bool resizable = true;
    int maxWidth = 2000;
    int minWidth = 10;
    int width = 100;
    Color background = Color::white;
    Color foreground = Color::black;
    bool editable = true;
  };

  ColumnAttributes();
  ColumnAttributes(const Layout& layout, Ref<plat::gui::TextField> field);
  ColumnAttributes(const Layout& layout, Ref<plat::gui::JMaskedTextField> field, const std::string& mask,
                   bool enforceDataCompleteness);
  ColumnAttributes(const Layout& layout, Ref<plat::gui::JCurrencyTextField> field, bool atmMode,
                   const std::string& currencySymbol, char32_t decimalPoint, int digitsAfterDecimal, char32_t separator,
                   bool currencyLeading, bool separatorEnabled);
  ColumnAttributes(const Layout& layout, Ref<plat::gui::CheckBox> box, const std::string& label,
                   const std::string& trueValue, const std::string& falseValue);
  ColumnAttributes(const Layout& layout, Ref<plat::gui::ComboBox> box, bool editableCombo,
                   std::vector<std::string> staticList);
  ColumnAttributes(const Layout& layout, Ref<plat::gui::ComboBox> box, bool editableCombo, bool editorDataBound,
                   const std::string& lookup);
  ColumnAttributes(Ref<plat::gui::TableCellEditor> editor, Ref<plat::gui::TableCellRenderer> renderer,
                   Ref<plat::gui::TableCellRenderer> headerRenderer, const std::string& headerValue,
                   const std::string& identifier, bool resizable, int maxWidth, int minWidth, int width,
                   int modelIndex);
  ~ColumnAttributes() override;
  ColumnAttributes(const ColumnAttributes&) = delete;
  ColumnAttributes& operator=(const ColumnAttributes&) = delete;

  // "black", "blue", "cyan", "darkGray", "gray", "green", "lightGray", "magenta", "orange", "pink", "red",
  // "yellow"; any other text gives white.
  static Color getColorFromString(const std::string& name);

  // Gives the component the colours, then builds the editor and renderer of its kind: masked field, currency
  // field, check box, combo box, else a text field (another kind of component is replaced by a new text field).
  // Null is ignored.
  void setCellEditorComponent(Ref<plat::gui::Component> component);

  // Every setting copied into a new object, with editor and renderer components of its own.
  Ref<ColumnAttributes> clone() const;

  // The archive form: a version text, the default fields in declared order, then header value, identifier and the
  // class names of the editor component, renderer component, header-renderer component and header renderer.
  void writeObject(plat::serial::ObjectOutput& out) const;
  // plat::serial::StreamCorruptedException or InvalidObjectException for a truncated, foreign or out-of-range
  // archive, before anything is built.
  static Ref<ColumnAttributes> readObject(plat::serial::ObjectInput& in);

  // --- properties ----------------------------------------------------------------------------------------------
  std::string getHeaderValue() const;
  void setHeaderValue(const std::string& v);
  std::string getIdentifier() const;
  void setIdentifier(const std::string& v);
  bool getIsResizable() const;
  void setIsResizable(bool v);
  int getMaxWidth() const;
  void setMaxWidth(int v);
  int getMinWidth() const;
  void setMinWidth(int v);
  int getModelIndex() const;
  void setModelIndex(int v);
  int getWidth() const;
  void setWidth(int v);
  bool getSizeWidthToFit() const;
  void setSizeWidthToFit(bool v);
  int getClickCountToStart() const;
  void setClickCountToStart(int v);
  bool getShouldSelectCell() const;
  void setShouldSelectCell(bool v);
  bool isEditable() const;
  void setEditable(bool v);
  Color getBackground() const;
  void setBackground(Color v);
  Color getForeground() const;
  void setForeground(Color v);
  std::string getTrueValue() const;
  void setTrueValue(const std::string& v);
  std::string getFalseValue() const;
  void setFalseValue(const std::string& v);
  std::string getLabel() const;
  void setLabel(const std::string& v);
  bool isEditableCombo() const;
  void setEditableCombo(bool v);
  bool isEditorDataBound() const;
  void setEditorDataBound(bool v);
  std::string getLookup() const;
  void setLookup(const std::string& v);
  std::optional<std::vector<std::string>> getStaticList() const;
  void setStaticList(std::optional<std::vector<std::string>> v);
  std::string getMask() const;
  void setMask(const std::string& v);
  bool isEnforceDataCompleteness() const;
  void setEnforceDataCompleteness(bool v);
  bool isATMMode() const;
  void setATMMode(bool v);
  std::string getCurrencySymbol() const;
  void setCurrencySymbol(const std::string& v);
  char32_t getDecimalPoint() const;
  void setDecimalPoint(char32_t v);
  char32_t getSeparator() const;
  void setSeparator(char32_t v);
  int getDigitsAfterDecimal() const;
  void setDigitsAfterDecimal(int v);
  bool isCurrencyLeading() const;
  void setCurrencyLeading(bool v);
  bool isSeparatorEnabled() const;
  void setSeparatorEnabled(bool v);

  Ref<plat::gui::Component> getCellEditorComponent() const;
  Ref<plat::gui::Component> getCellRendererComponent() const;
  void setCellRendererComponent(Ref<plat::gui::Component> v);
  Ref<plat::gui::Component> getHeaderRendererComponent() const;
  void setHeaderRendererComponent(Ref<plat::gui::Component> v);
  Ref<plat::gui::TableCellEditor> getCellEditor() const;
  void setCellEditor(Ref<plat::gui::TableCellEditor> v);
  Ref<plat::gui::TableCellRenderer> getCellRenderer() const;
  void setCellRenderer(Ref<plat::gui::TableCellRenderer> v);
  Ref<plat::gui::TableCellRenderer> getHeaderRenderer() const;
  void setHeaderRenderer(Ref<plat::gui::TableCellRenderer> v);
  // The lookup model of a data-bound combo editor; null otherwise.
  Ref<BindingModel> getLookupModel() const;

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.javax.swing.ColumnAttributes"; }

 private:
  // The settings that are copied and saved; components, editors and renderers are rebuilt from them.
  struct Settings {
    std::string headerValue;
    std::string identifier;
    bool isResizable = true;
    int maxWidth = 2000;
    int minWidth = 10;
    int modelIndex = 0;
    int width = 100;
    bool sizeWidthToFit = false;
    int clickCountToStart = 2;
    bool shouldSelectCell = true;
    bool editable = true;
    Color background = Color::white;
    Color foreground = Color::black;
    std::string trueValue = "true";
    std::string falseValue = "false";
    std::string label;
    bool editableCombo = true;
    bool editorDataBound = false;
    std::string lookup;
    std::optional<std::vector<std::string>> staticList;
    std::string mask;
    bool enforceDataCompleteness = false;
    bool ATMMode = true;
    std::string currencySymbol = "$";
    char32_t decimalPoint;
    char32_t separator;
    int digitsAfterDecimal = 2;
    bool currencyLeading = true;
    bool separatorEnabled = true;
    Settings();
  };

  void applyLayout(const Layout& layout);
  void installLocked(Ref<plat::gui::Component> component);

  mutable std::recursive_mutex mutex_;
  Settings s_;  // guarded by mutex_
  Ref<plat::gui::Component> cellEditorComponent_;
  Ref<plat::gui::Component> cellRendererComponent_;
  Ref<plat::gui::Component> headerRendererComponent_;
  Ref<plat::gui::TableCellEditor> cellEditor_;
  Ref<plat::gui::TableCellRenderer> cellRenderer_;
  Ref<plat::gui::TableCellRenderer> headerRenderer_;
  Ref<BindingModel> lookupModel_;  // bound to the combo editor while it is data-bound
};

}  // namespace quenlora::zafoli::db::beans::javax::swing
