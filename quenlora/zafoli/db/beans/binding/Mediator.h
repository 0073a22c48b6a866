// The consumer side of the data bus: binds the properties of any bean (its output) to one data item found on the
// bus by binding name, writes the item's values into the bean through named set methods, and on commit reads the
// bean back through named get methods into the item. Make it with makeRef (or create()): it hands the bus and its
// item references to itself. A mediator runs on the thread that changes its item or output (in practice the GUI
// event thread); its fields are guarded so another thread never sees a torn value, but its operations are not
// atomic with respect to each other. The class-wide flags are shared by every mediator of the process.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "platform/beans/VetoableChangeSupport.h"
#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/binding/GridHost.h"
#include "quenlora/zafoli/db/beans/binding/GridSize.h"
#include "quenlora/zafoli/db/beans/binding/OutputComponent.h"
#include "quenlora/zafoli/db/beans/binding/TriggerUIEvent.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataBus.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataBusEvent.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataBusEventListener.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataBusMember.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataItem.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataItemChangedEvent.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataItemChangedListener.h"
#include "quenlora/zafoli/db/beans/binding/databus/ImmediateAccess.h"

namespace quenlora::zafoli::db::beans::binding {

class Mediator : public plat::lang::Object,
                 public databus::DataItemChangedListener,
                 public databus::DataBusEventListener,
                 public databus::DataBusMember,
                 public GridHost {
 public:
  static constexpr int Default = 0;
  static constexpr int Null = 1;
  static constexpr int Blank = 2;
  // The name of the constrained property offered in setDataBus().
  static constexpr const char* DataBusProperty = "DataBus";

  Mediator();
  ~Mediator() override;
  Mediator(const Mediator&) = delete;
  Mediator& operator=(const Mediator&) = delete;

  // A mediator given its output and then its binding name.
  static plat::lang::Ref<Mediator> create(const plat::lang::Ref<plat::lang::Object>& output,
                                          const std::string& dataBinding);

  // Stores the output and chooses its output component (projection bean, data source or any other object), then
  // re-applies the binding name and the descriptors given before.
  virtual void setOutput(const plat::lang::Ref<plat::lang::Object>& output);
  // The output; the mediator itself until one is given. Null when the output was discarded.
  plat::lang::Ref<plat::lang::Object> getOutput();
  void setSetMethods(const std::vector<std::string>& descriptors);
  void setGetMethods(const std::vector<std::string>& descriptors);
  std::vector<std::string> getSetMethods() const;
  std::vector<std::string> getGetMethods() const;
  // Stores the name; with an output component, joins the bus if needed and looks the item up.
  virtual void setDataBinding(const std::string& dataBinding);
  virtual std::string getDataBinding() const;
  void setEmptyMeansNull(bool emptyMeansNull);
  bool getEmptyMeansNull() const { return emptyMeansNull_.load(); }
  // True also switches localization on.
  void setFormatNumbers(bool formatNumbers);
  bool getFormatNumbers() const { return formatNumbers_.load(); }
  // False also switches number formatting off.
  void setLocalizationUsed(bool localizationUsed);
  bool getLocalizationUsed() const { return localizationUsed_.load(); }
  bool getNotifyOn() const { return notifyOn_.load(); }
  bool getHasFoundSetMethod() const { return hasFoundSetMethod_.load(); }
  bool getHasFoundGetMethod() const { return hasFoundGetMethod_.load(); }
  plat::lang::Ref<OutputComponent> getComponent() const;

  // Reads the whole output as a grid into the held item, when both descriptor sets resolved.
  virtual void commit();
  virtual void commitUI(const TriggerUIEvent& event);
  // Whether an item is held.
  bool hasFoundDI() const;
  plat::lang::Ref<databus::DataItem> getInput() const;
  // The height of the output size.
  int getNumberOfRows() const;
  GridSize getOutputSize() const;

  // DataBusMember: the change is offered as the vetoable property "DataBus" first; a veto keeps the old bus.
  plat::lang::Ref<databus::DataBus> getDataBus() const override;
  void setDataBus(const plat::lang::Ref<databus::DataBus>& bus) override;
  void addVetoableChangeListener(const plat::lang::Ref<plat::beans::VetoableChangeListener>& listener) override;
  void removeVetoableChangeListener(const plat::lang::Ref<plat::beans::VetoableChangeListener>& listener) override;

  // DataBusEventListener: looks its item up when its alias becomes available and drops an item whose name or alias
  // is revoked, staying on the bus for the alias's next provider; a consumer whose output was discarded leaves at
  // the next announcement. A consumer never answers requests.
  void handleDataBusEvent(const databus::DataBusEvent& event) override;
  void requestDataItem(databus::DataBusEvent& event) override;
  // DataItemChangedListener: rewrites the output from the held item.
  void notifyDataItemChanged(const databus::DataItemChangedEvent& event) override;

  // GridHost.
  bool isProvider() const override { return false; }
  void setNotifyOnDS(bool) override {}
  // Whether this mediator reacts to changes of its item.
  void setNotifyOn(bool on) override { notifyOn_.store(on); }
  void setNotifyOnStatic(bool on) override { notifyOnStatic.store(on); }
  void setNotifySizeOnStatic(bool on) override { notifySizeOnStatic.store(on); }
  int getOffset() const override { return offset_.load(); }
  bool isLocalizationUsed() const override { return localizationUsed_.load(); }
  bool isFormatNumbers() const override { return formatNumbers_.load(); }
  bool isEmptyMeansNull() const override { return emptyMeansNull_.load(); }
  OutputComponent* getOutputComponent() override;

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.binding.Mediator"; }

  // Forces every mediator to react to item changes (during a forced refresh).
  static std::atomic<bool> notifyOnStatic;
  // Whether a size change of an item also rewrites the outputs.
  static std::atomic<bool> notifySizeOnStatic;

 protected:
  // Stop listening to the held item and forget it.
  void dropInput();
  // The lookup: ask the bus for the binding and take the answer.
  void find();
  // Joins the process's bus unless this mediator already belongs to one.
  void joinIfNeeded();
  // Removes itself as a bus listener, leaves the bus and forgets it.
  void leaveBus();
  void setOffset(int offset) { offset_.store(offset); }
  // This mediator as the Ref the bus and the items hold.
  template <class T>
  plat::lang::Ref<T> self() {
    return std::dynamic_pointer_cast<T>(shared_from_this());
  }
  // The listener registered on items in this mediator's place: it holds the mediator weakly, so an item never
  // keeps its mediators alive.
  const plat::lang::Ref<databus::DataItemChangedListener>& itemListener();
  // Chooses the component for an output (the data-source mediator always takes the data-source one).
  virtual plat::lang::Ref<OutputComponent> makeComponent(const plat::lang::Ref<plat::lang::Object>& output);
  // Set by the data-source mediator: its output takes values as plain objects.
  virtual void configureComponent(OutputComponent&) {}
  // Writes the held item into the output.
  void writeInput(bool everyMember);

  mutable std::mutex mutex_;                    // guards the references below; never held while calling out
  plat::lang::Ref<OutputComponent> component_;  // guarded by mutex_
  plat::lang::Ref<databus::DataBus> bus_;       // guarded by mutex_
  bool joined_ = false;                         // guarded by mutex_; in the bus's member list
  std::atomic<bool> hasFoundSetMethod_{false};
  std::atomic<bool> hasFoundGetMethod_{false};
  std::atomic<bool> emptyMeansNull_{true};

 private:
  plat::lang::Ref<databus::DataItem> input_;        // guarded by mutex_; the item held
  databus::ImmediateAccess* inputValue_ = nullptr;  // guarded by mutex_; input_ as a one-value item, if it is one
  std::string dataBinding_;                         // guarded by mutex_
  plat::lang::WeakRef<plat::lang::Object> output_;  // guarded by mutex_; back reference, expired when none
  bool hasOutput_ = false;                          // guarded by mutex_
  std::vector<std::string> setMethods_;             // guarded by mutex_
  std::vector<std::string> getMethods_;             // guarded by mutex_
  plat::lang::Ref<databus::DataItemChangedListener> itemListener_;  // guarded by mutex_; made on first use
  std::atomic<bool> formatNumbers_{false};
  std::atomic<bool> localizationUsed_{false};
  std::atomic<bool> notifyOn_{true};
  std::atomic<int> offset_{0};
  plat::beans::VetoableChangeSupport vetoes_;
};

}  // namespace quenlora::zafoli::db::beans::binding
