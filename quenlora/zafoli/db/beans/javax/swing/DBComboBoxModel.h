// The model of a data-bound combo box. Its entries come from a lookup item of one column (the texts shown) or two
// (stored values and the texts shown), or from a fixed list; its selection follows a second item, the selection
// item, and the user's choice is written back into it when one of the triggering events occurs. A bus value that
// is no stored value of a two-column lookup leaves the entry shown but puts the model out of step: nothing is
// written until the user picks an entry. Nothing is written while the rows are rebuilt or a selection from the bus
// is applied, and the echo of the model's own write is not applied again. Runs on the GUI thread and on the thread
// that changes the items; make it with makeRef.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/beans/VetoableChangeSupport.h"
#include "platform/gui/AbstractListModel.h"
#include "platform/gui/ComboBox.h"
#include "platform/gui/ComboBoxModel.h"
#include "platform/gui/IndexedComboBoxModel.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataBus.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataItemChangedListener.h"
#include "quenlora/zafoli/db/beans/javax/swing/TriggeringEventHandler.h"
#include "quenlora/zafoli/db/beans/javax/swing/TriggeringEvents.h"

namespace quenlora::zafoli::db::beans::javax::swing {

class DBComboBoxModel : public plat::gui::AbstractListModel,
                        public plat::gui::ComboBoxModel,
                        public plat::gui::IndexedComboBoxModel,
                        public binding::databus::DataBusMember,
                        public binding::databus::DataBusEventListener,
                        public binding::databus::DataItemChangedListener,
                        public TriggeringEvents {
 public:
  static constexpr const char* componentAttribute = "component";
  static constexpr const char* selectionDataBindingAttribute = "selectionDataBinding";
  static constexpr const char* lookupDataBindingAttribute = "lookupDataBinding";
  static constexpr const char* triggeringEventsAttribute = "triggeringEvents";
  static constexpr const char* dataBusAttribute = "dataBus";

  DBComboBoxModel();
  // The entries shown.
  explicit DBComboBoxModel(std::vector<plat::lang::Value> objects);
  // Texts that are shown and also become the static list; the first one is selected.
  explicit DBComboBoxModel(const std::vector<std::string>& texts);
  ~DBComboBoxModel() override;

  plat::lang::Ref<plat::gui::ComboBox> getComboBox() const { return comboBox.lock(); }
  // The previous box gets a plain model; the new one gets this model and the triggering listeners.
  void setComboBox(const plat::lang::Ref<plat::gui::ComboBox>& box);
  std::string getSelectionDataBinding() const;
  void setSelectionDataBinding(const std::string& name);
  std::string getLookupDataBinding() const;
  // A binding of other than one or two columns is an IllegalArgumentException that changes nothing.
  void setLookupDataBinding(const std::string& name);
  std::optional<std::vector<std::string>> getStaticList() const;
  // Nothing: an empty static list and no selection.
  void setStaticList(const std::optional<std::vector<std::string>>& texts);
  bool getEmptyMeansNull() const { return emptyMeansNull.load(); }
  void setEmptyMeansNull(bool on) { emptyMeansNull.store(on); }
  bool getFormatNumbers() const { return formatNumbers.load(); }
  void setFormatNumbers(bool on);
  bool isLocalizationUsed() const { return localizationUsed.load(); }
  void setLocalizationUsed(bool on);
  std::vector<int> getTriggeringEvents() const { return eventHandler->getTriggeringEvents(); }
  void setTriggeringEvents(const std::vector<int>& codes) { eventHandler->setTriggeringEvents(codes); }
  const plat::lang::Ref<TriggeringEventHandler>& getEventHandler() const { return eventHandler; }
  // True while a bus value that is no stored value keeps the model from writing.
  bool isOutOfStep() const;

  void commit() override;

  int getSize() const override;
  plat::lang::Value getElementAt(int index) const override;
  plat::lang::Value getSelectedItem() const override;
  void setSelectedItem(const plat::lang::Value& item) override;
  void setSelectedIndex(int index) override;
  int getSelectedIndex() const override;
  // The stored value of the selection: the code of the entry picked from a two-column lookup, else the selected
  // item (free text too, which has no code).
  plat::lang::Value getSelectedValue() const;
  // Selects the entry of a two-column lookup whose code has value's text; false, changing nothing, for a
  // one-column lookup or a code no entry has.
  bool selectStoredValue(const plat::lang::Value& value);

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

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.javax.swing.DBComboBoxModel"; }

 private:
  class Relay;

  void joinIfNeeded();
  void bindSelection();
  void bindLookup();
  // Takes the entries from the lookup (or the static list) again and announces exactly what changed.
  void rebuild();
  void selectFromBus();
  void write(plat::lang::Value value);
  plat::lang::Value shown(const plat::lang::Value& value) const;
  const plat::lang::Ref<binding::databus::DataItemChangedListener>& relay();
  void stopListening(plat::lang::Ref<binding::databus::DataItem>& item);

  mutable std::recursive_mutex mutex_;
  bool staticlist = false;                          // guarded by mutex_
  std::vector<std::string> staticObjects;           // guarded by mutex_
  std::vector<plat::lang::Value> objects;           // guarded by mutex_; the entries shown
  std::vector<plat::lang::Value> invisibleObjects;  // guarded by mutex_; stored values of a two-column lookup
  plat::lang::Value selectedObject;                 // guarded by mutex_
  int selectedIndex_ = -1;                          // guarded by mutex_; the entry picked, -1 for none or free text
  bool outOfStep_ = false;                          // guarded by mutex_
  std::weak_ptr<plat::gui::ComboBox> comboBox;      // the box holds this model
  plat::lang::Ref<TriggeringEventHandler> eventHandler;
  plat::beans::VetoableChangeSupport vetos;
  plat::lang::Ref<binding::databus::DataBus> dataBus;             // guarded by mutex_
  bool joined_ = false;                                           // guarded by mutex_
  std::string selectionDataBinding;                               // guarded by mutex_
  plat::lang::Ref<binding::databus::DataItem> selectionDataItem;  // guarded by mutex_
  std::string lookupDataBinding;                                  // guarded by mutex_
  plat::lang::Ref<binding::databus::DataItem> lookupDataItem;     // guarded by mutex_
  std::atomic<bool> emptyMeansNull{true};
  std::atomic<bool> formatNumbers{false};
  std::atomic<bool> localizationUsed{false};
  std::atomic<bool> disableSelection{false};
  std::atomic<bool> applyingBus_{false};                              // a selection from the bus is being applied
  std::atomic<bool> writing_{false};                                  // the model writes into the selection item
  int numberOfLookupColumns = 0;                                      // guarded by mutex_
  plat::lang::Ref<binding::databus::DataItemChangedListener> relay_;  // guarded by mutex_; made on first use
};

}  // namespace quenlora::zafoli::db::beans::javax::swing
