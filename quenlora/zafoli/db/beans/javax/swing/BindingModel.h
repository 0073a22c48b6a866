// One model object that a component uses as whatever model it needs (document, list and selection model, button
// model, table model; a combo box is handed to a DBComboBoxModel), bound by name to a data item (the one value
// shown and edited) and a lookup item (the rows a list or table shows). It shows every change of those items and
// writes the user's edits back on the chosen triggering event. While the model itself writes (notify off) the echo
// is ignored and nothing is committed. Runs on the GUI thread and on the thread that changes the items; listener
// lists are copied before each notification. Make it with makeRef.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/beans/VetoableChangeSupport.h"
#include "platform/gui/ButtonModel.h"
#include "platform/gui/ComboBoxModel.h"
#include "platform/gui/Component.h"
#include "platform/gui/ListSelectionModel.h"
#include "platform/gui/ListenerList.h"
#include "platform/gui/PlainDocument.h"
#include "platform/gui/TableModel.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataBus.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataItemChangedListener.h"
#include "quenlora/zafoli/db/beans/javax/swing/DBComboBoxModel.h"

namespace quenlora::zafoli::db::beans::javax::swing {

class BindingModel : public plat::gui::PlainDocument,
                     public plat::gui::ComboBoxModel,
                     public plat::gui::TableModel,
                     public plat::gui::DocumentListener,
                     public plat::gui::ListSelectionModel,
                     public plat::gui::ButtonModel,
                     public plat::gui::ListSelectionListener,
                     public binding::databus::DataBusMember,
                     public binding::databus::DataBusEventListener,
                     public binding::databus::DataItemChangedListener {
 public:
  static constexpr const char* PROP_DATA_BINDING = "dataBinding";
  static constexpr const char* PROP_DYNAMIC_LIST = "lookupBinding";
  static constexpr const char* PROP_BOOLEAN_FALSE_STRING = "booleanFalseString";
  static constexpr const char* PROP_BOOLEAN_TRUE_STRING = "booleanTrueString";
  static constexpr const char* PROP_EMPTY_MEANS_NULL = "emptyMeansNull";
  static constexpr const char* PROP_COMPONENT = "component";
  static constexpr const char* PROP_TRIGGERING_EVENT = "triggeringEvent";
  static constexpr const char* PROP_STATIC_LIST = "staticList";
  static constexpr const char* PROP_FORMAT_NUMBERS = "formatNumbers";
  static constexpr const char* PROP_LOCALIZATION_USED = "localizationUsed";
  static constexpr const char* SEP_STRING = "^";
  static constexpr const char* NULL_STRING = " ";
  static constexpr const char* ROWSTATE = "RowState";
  static constexpr const char* ROWNUMBER = "RowNumber";
  static constexpr int SHOW_NOTHING_AT_DESIGN_TIME = 0;
  static constexpr int SHOW_FIELDNAME_AT_DESIGN_TIME = 1;
  static constexpr int SHOW_DATA_AT_DESIGN_TIME = 2;

  static constexpr int defaultEvent = -1;
  static constexpr int actionPerformed = 0;
  static constexpr int focusGained = 1;
  static constexpr int focusLost = 2;
  static constexpr int itemStateChanged = 3;
  static constexpr int mouseClicked = 4;
  static constexpr int mouseEntered = 5;
  static constexpr int mouseExited = 6;
  static constexpr int mousePressed = 7;
  static constexpr int mouseReleased = 8;
  static constexpr int keyPressed = 9;
  static constexpr int keyReleased = 10;
  static constexpr int keyTyped = 11;

  // Texts of the binding message bundle, taken when first asked for.
  static const std::string& ROW_NUMBER();
  static const std::string& NOT_DATABOUND();
  static const std::string& BINARY_DATA();
  static const std::string& EXISTING_ROW();

  // Listens to the component's events and commits the model when the model's triggering event is the one heard.
  class EventHandler : public plat::lang::Object,
                       public plat::gui::ActionListener,
                       public plat::gui::FocusListener,
                       public plat::gui::ItemListener,
                       public plat::gui::MouseListener,
                       public plat::gui::KeyListener {
   public:
    explicit EventHandler(BindingModel* model) : model_(model) {}
    void actionPerformed(const plat::gui::ActionEvent&) override { on(BindingModel::actionPerformed); }
    void focusGained(const plat::gui::FocusEvent&) override { on(BindingModel::focusGained); }
    void focusLost(const plat::gui::FocusEvent&) override { on(BindingModel::focusLost); }
    void itemStateChanged(const plat::gui::ItemEvent&) override { on(BindingModel::itemStateChanged); }
    void mouseClicked(const plat::gui::MouseEvent&) override { on(BindingModel::mouseClicked); }
    void mouseEntered(const plat::gui::MouseEvent&) override { on(BindingModel::mouseEntered); }
    void mouseExited(const plat::gui::MouseEvent&) override { on(BindingModel::mouseExited); }
    void mousePressed(const plat::gui::MouseEvent&) override { on(BindingModel::mousePressed); }
    void mouseReleased(const plat::gui::MouseEvent&) override { on(BindingModel::mouseReleased); }
    void keyPressed(const plat::gui::KeyEvent&) override { on(BindingModel::keyPressed); }
    void keyReleased(const plat::gui::KeyEvent&) override { on(BindingModel::keyReleased); }
    void keyTyped(const plat::gui::KeyEvent&) override { on(BindingModel::keyTyped); }
    std::string getClassName() const override {
      return "quenlora.zafoli.db.beans.javax.swing.BindingModel$EventHandler";
    }

   private:
    void on(int code) {
      if (model_->getTriggeringEvent() == code) model_->commit();
    }
    BindingModel* model_;  // back reference: the model owns this handler
  };

  BindingModel();
  ~BindingModel() override;
  BindingModel(const BindingModel&) = delete;
  BindingModel& operator=(const BindingModel&) = delete;

  // Properties.
  plat::lang::Ref<plat::gui::Component> getComponent() const { return Component_.lock(); }
  void setComponent(const plat::lang::Ref<plat::gui::Component>& component);
  std::string getDataBinding() const;
  void setDataBinding(const std::string& name);
  std::string getLookupBinding() const;
  void setLookupBinding(const std::string& name);
  int getTriggeringEvent() const { return TriggeringEvent.load(); }
  // A code outside -1..11 is an IllegalArgumentException that changes nothing.
  void setTriggeringEvent(int code);
  std::string getBooleanTrueString() const;
  void setBooleanTrueString(const std::string& text);
  std::string getBooleanFalseString() const;
  void setBooleanFalseString(const std::string& text);
  bool getEmptyMeansNull() const { return emptyMeansNull.load(); }
  void setEmptyMeansNull(bool on);
  bool getFormatNumbers() const { return formatNumbers.load(); }
  void setFormatNumbers(bool on);
  bool isLocalizationUsed() const { return localizationUsed.load(); }
  void setLocalizationUsed(bool on);
  std::optional<std::vector<std::string>> getStaticList() const;
  void setStaticList(const std::optional<std::vector<std::string>>& texts);
  bool enableGridNavigation() const { return gridNavigation.load(); }
  const plat::lang::Ref<DBComboBoxModel>& getDBComboBoxModel() const { return dbComboBoxModel; }
  plat::lang::Ref<binding::databus::DataItem> getDataItem() const;
  plat::lang::Ref<binding::databus::DataItem> getLookupItem() const;

  // Commits by the component's kind.
  void commit();
  void commitText();
  void commitList();
  void commitCombo();
  void commitButton();
  void commitTable() {}
  // Shows the bound value again.
  void updateComponent();

  // Document: every change commits the text with the default event.
  void insertUpdate(const plat::gui::DocumentEvent& event) override;
  void removeUpdate(const plat::gui::DocumentEvent& event) override;
  void changedUpdate(const plat::gui::DocumentEvent& event) override;

  // List and combo box.
  int getSize() const override;
  plat::lang::Value getElementAt(int index) const override;
  void addListDataListener(const plat::lang::Ref<plat::gui::ListDataListener>& l) override;
  void removeListDataListener(const plat::lang::Ref<plat::gui::ListDataListener>& l) override;
  void setSelectedItem(const plat::lang::Value& item) override;
  plat::lang::Value getSelectedItem() const override;

  // Table.
  int getRowCount() const override;
  int getColumnCount() const override;
  std::string getColumnName(int column) const override;
  std::string getColumnClass(int) const override { return "java.lang.Object"; }
  bool isCellEditable(int, int) const override { return true; }
  plat::lang::Value getValueAt(int row, int column) const override;
  void setValueAt(const plat::lang::Value& value, int row, int column) override;
  void addTableModelListener(const plat::lang::Ref<plat::gui::TableModelListener>& l) override;
  void removeTableModelListener(const plat::lang::Ref<plat::gui::TableModelListener>& l) override;

  // List selection: setSelectionInterval commits the list with the default event; the rest forwards.
  void setSelectionInterval(int index0, int index1) override;
  void addSelectionInterval(int index0, int index1) override { listSelection()->addSelectionInterval(index0, index1); }
  void removeSelectionInterval(int index0, int index1) override {
    listSelection()->removeSelectionInterval(index0, index1);
  }
  void clearSelection() override { listSelection()->clearSelection(); }
  int getMinSelectionIndex() const override { return listSelection()->getMinSelectionIndex(); }
  int getMaxSelectionIndex() const override { return listSelection()->getMaxSelectionIndex(); }
  int getAnchorSelectionIndex() const override { return listSelection()->getAnchorSelectionIndex(); }
  int getLeadSelectionIndex() const override { return listSelection()->getLeadSelectionIndex(); }
  void setAnchorSelectionIndex(int index) override { listSelection()->setAnchorSelectionIndex(index); }
  void setLeadSelectionIndex(int index) override { listSelection()->setLeadSelectionIndex(index); }
  bool isSelectedIndex(int index) const override { return listSelection()->isSelectedIndex(index); }
  bool isSelectionEmpty() const override { return listSelection()->isSelectionEmpty(); }
  void insertIndexInterval(int index, int length, bool before) override {
    listSelection()->insertIndexInterval(index, length, before);
  }
  void removeIndexInterval(int index0, int index1) override { listSelection()->removeIndexInterval(index0, index1); }
  void setValueIsAdjusting(bool adjusting) override { listSelection()->setValueIsAdjusting(adjusting); }
  bool getValueIsAdjusting() const override { return listSelection()->getValueIsAdjusting(); }
  void setSelectionMode(int mode) override { listSelection()->setSelectionMode(mode); }
  int getSelectionMode() const override { return listSelection()->getSelectionMode(); }
  void addListSelectionListener(const plat::lang::Ref<plat::gui::ListSelectionListener>& l) override {
    listSelection()->addListSelectionListener(l);
  }
  void removeListSelectionListener(const plat::lang::Ref<plat::gui::ListSelectionListener>& l) override {
    listSelection()->removeListSelectionListener(l);
  }
  // The table's selection changed: with the position link, the navigator follows.
  void valueChanged(const plat::gui::ListSelectionEvent& event) override;

  // Button: setSelected commits the button with the default event; setPressed(true) toggles the selection.
  bool isArmed() const override { return button()->isArmed(); }
  bool isSelected() const override { return button()->isSelected(); }
  bool isEnabled() const override { return button()->isEnabled(); }
  bool isPressed() const override { return button()->isPressed(); }
  bool isRollover() const override { return button()->isRollover(); }
  void setArmed(bool armed) override { button()->setArmed(armed); }
  void setSelected(bool selected) override;
  void setEnabled(bool enabled) override { button()->setEnabled(enabled); }
  void setPressed(bool pressed) override;
  void setRollover(bool rollover) override { button()->setRollover(rollover); }
  void setActionCommand(const std::string& command) override { button()->setActionCommand(command); }
  std::string getActionCommand() const override { return button()->getActionCommand(); }
  void addActionListener(const plat::lang::Ref<plat::gui::ActionListener>& l) override {
    button()->addActionListener(l);
  }
  void removeActionListener(const plat::lang::Ref<plat::gui::ActionListener>& l) override {
    button()->removeActionListener(l);
  }
  void addItemListener(const plat::lang::Ref<plat::gui::ItemListener>& l) override { button()->addItemListener(l); }
  void removeItemListener(const plat::lang::Ref<plat::gui::ItemListener>& l) override {
    button()->removeItemListener(l);
  }
  void addChangeListener(const plat::lang::Ref<plat::gui::ChangeListener>& l) override {
    button()->addChangeListener(l);
  }
  void removeChangeListener(const plat::lang::Ref<plat::gui::ChangeListener>& l) override {
    button()->removeChangeListener(l);
  }

  // Data bus.
  plat::lang::Ref<binding::databus::DataBus> getDataBus() const override;
  void setDataBus(const plat::lang::Ref<binding::databus::DataBus>& bus) override;
  void addVetoableChangeListener(const plat::lang::Ref<plat::beans::VetoableChangeListener>& l) override {
    vetos.addVetoableChangeListener(l);
  }
  void removeVetoableChangeListener(const plat::lang::Ref<plat::beans::VetoableChangeListener>& l) override {
    vetos.removeVetoableChangeListener(l);
  }
  void handleDataBusEvent(const binding::databus::DataBusEvent& event) override;
  void requestDataItem(binding::databus::DataBusEvent&) override {}
  void notifyDataItemChanged(const binding::databus::DataItemChangedEvent& event) override;

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.javax.swing.BindingModel"; }

 protected:
  // The row a table shows for a model row and back; a sorting model maps them.
  virtual int convertRowIndexToView(int modelRow) const { return modelRow; }
  virtual int convertRowIndexToModel(int viewRow) const { return viewRow; }
  // The model's own lock, under which the listener lists are copied.
  std::recursive_mutex& lock() const { return mutex_; }
  void fireInsertUpdate(const plat::gui::DocumentEvent& event) override;
  void fireRemoveUpdate(const plat::gui::DocumentEvent& event) override;
  void fireChangedUpdate(const plat::gui::DocumentEvent& event) override;
  // The table-model listeners, for a subclass that announces its own changes.
  std::vector<plat::lang::Ref<plat::gui::TableModelListener>> tableListeners() const {
    return tableModelListeners.snapshot();
  }
  const plat::lang::Ref<binding::databus::DataItem>& positionItem() const { return positionInput; }
  // Selects the table row of the position item's value (row 0 without grid navigation).
  void selectPosition();

 private:
  class Relay;
  class PositionWatcher;

  void setUpDocument();
  void markDocumentSet();
  // The component is between the removal and the insertion of one setText.
  bool halfReplaced() const;
  // Whether writing value would leave the bound item's value as it is.
  bool sameAsBound(const plat::lang::Value& value) const;
  void setValue(plat::lang::Value value);
  void joinIfNeeded();
  void bindData();
  // True when the lookup was bound.
  bool bindLookup();
  void linkPosition();
  void buildColumnNames();
  void installListener(int code, bool add);
  void handOverCombo(const plat::lang::Ref<plat::gui::ComboBox>& box);
  void selectValue(const plat::lang::Value& value);
  plat::lang::Value display(const plat::lang::Value& value) const;
  plat::lang::Value cellValue(int row, int column) const;
  const plat::lang::Ref<binding::databus::DataItemChangedListener>& relay();
  plat::gui::ListSelectionModel* listSelection() const;
  plat::gui::ButtonModel* button() const;
  void fireContents(int index0, int index1);
  void fireTable(const plat::gui::TableModelEvent& event);
  // Tells the table listeners what a change of the lookup item changed.
  void fireLookupChange(binding::databus::DataItem* lookup, int changeType);

  mutable std::recursive_mutex mutex_;
  std::weak_ptr<plat::gui::Component> Component_;             // the component holds this model
  plat::lang::Ref<binding::databus::DataBus> dBus;            // guarded by mutex_
  bool joined_ = false;                                       // guarded by mutex_
  plat::lang::Ref<binding::databus::DataItem> input;          // guarded by mutex_
  plat::lang::Ref<binding::databus::DataItem> lookupInput;    // guarded by mutex_
  plat::lang::Ref<binding::databus::DataItem> positionInput;  // guarded by mutex_
  plat::beans::VetoableChangeSupport vetos;
  plat::gui::ListenerList<plat::gui::ListDataListener> listDataListeners;
  plat::gui::ListenerList<plat::gui::TableModelListener> tableModelListeners;
  std::string dataBinding;               // guarded by mutex_
  std::string lookupBinding;             // guarded by mutex_
  std::vector<std::string> ColumnNames;  // guarded by mutex_
  int selected = -1;                     // guarded by mutex_
  std::string currentSelectedValue;      // guarded by mutex_
  std::atomic<bool> notify{true};
  bool documentSet = false;  // guarded by mutex_
  std::atomic<int> numberOfLookupColumns{0};
  std::atomic<int> TriggeringEvent{defaultEvent};
  mutable plat::lang::Ref<plat::gui::ListSelectionModel> listSelectionModel;  // made on first need
  mutable plat::lang::Ref<plat::gui::ButtonModel> buttonModel;                // made on first need
  plat::lang::Ref<plat::gui::ListSelectionModel> tableSelectionModel;         // guarded by mutex_; the table's
  std::string BooleanTrueString = "true";                                     // guarded by mutex_
  std::string BooleanFalseString = "false";                                   // guarded by mutex_
  std::atomic<bool> UseAString{false};
  std::atomic<bool> emptyMeansNull{true};
  std::atomic<bool> formatNumbers{false};
  std::atomic<bool> localizationUsed{false};
  plat::lang::Ref<DBComboBoxModel> dbComboBoxModel;
  std::atomic<bool> followPos{true};
  std::atomic<bool> gridNavigation{true};
  std::optional<std::vector<std::string>> staticList;  // guarded by mutex_
  std::atomic<bool> hasButtonModel_{false};            // the component is a button
  enum class FieldKind { Plain, Masked, Currency };
  std::atomic<FieldKind> fieldKind_{FieldKind::Plain};  // what kind of text field the component is
  plat::lang::Ref<EventHandler> handler_;
  int installedEvent_ = defaultEvent;  // guarded by mutex_; the code whose listener is on the component
  plat::lang::Ref<binding::databus::DataItemChangedListener> relay_;   // guarded by mutex_
  plat::lang::Ref<plat::gui::ListSelectionListener> positionWatcher_;  // guarded by mutex_
};

}  // namespace quenlora::zafoli::db::beans::javax::swing
