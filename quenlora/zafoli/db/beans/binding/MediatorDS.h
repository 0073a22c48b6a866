// The provider side of the data bus for one data source: announces the source's binding name, answers requests
// for any subset of its columns and rows with items built from the source's values, refreshes those items when the
// source triggers it, and writes edits made in the items back into the source. Make it with makeRef. Runs on the
// thread that changes the source or the items; its lists are guarded and walked on copies, and nothing is called
// while a lock is held. The source is a back reference: the source owns its mediator.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/binding/BasicDataSource.h"
#include "quenlora/zafoli/db/beans/binding/Mediator.h"
#include "quenlora/zafoli/db/beans/binding/Name.h"
#include "quenlora/zafoli/db/beans/binding/TriggerUIListener.h"

namespace quenlora::zafoli::db::beans::binding {

class DataItemAddition;

class MediatorDS : public Mediator, public TriggerUIListener {
 public:
  // The descriptors a data source gives its mediator.
  static constexpr const char* SourceSetDescriptor = "setValue(Value,Row,Col)";
  static constexpr const char* SourceGetDescriptor = "getValue(Row,Col)";

  MediatorDS() = default;
  ~MediatorDS() override;

  // The data source: values travel as plain objects, empty means nothing special, and the mediator registers as
  // the source's trigger listener (leaving the source it had before). Null detaches the mediator from its source:
  // it then refreshes and answers nothing.
  void setOutput(const plat::lang::Ref<plat::lang::Object>& dataSource) override;
  // Publishes the source under its full binding name: revokes every earlier item, announces the name and
  // refreshes. Does nothing before an output is set.
  void setDataBinding(const std::string& fullName) override;
  // The full name, or the empty text when there is none.
  std::string getDataBinding() const override;

  // Refreshes every published item from the source.
  void commit() override;
  // FORCEREFRESH refreshes with every mediator forced to react; RECORDNAVIGATION leaves all-rows items alone.
  void commitUI(const TriggerUIEvent& event) override;

  // Withdraws everything under the source's alias and leaves the bus.
  void killAll();
  // Withdraws the alias and each item by name, and leaves the bus.
  void killAll(const std::string& alias);

  // Answers a request for this source's name, reusing a published item of the same shape.
  void requestDataItem(databus::DataBusEvent& event) override;
  // A provider takes no part in the consumers' reactions to announcements.
  void handleDataBusEvent(const databus::DataBusEvent& event) override;
  // Writes an edited item back into the source.
  void notifyDataItemChanged(const databus::DataItemChangedEvent& event) override;
  // The bus is kept without being offered for veto.
  void setDataBus(const plat::lang::Ref<databus::DataBus>& bus) override;

  bool getNotifyOnDS() const { return notifyOnDS_.load(); }
  int getCurrentRow() const { return currentRow_.load(); }
  // The published items, in order of publication, and the source columns each shows.
  std::vector<plat::lang::Ref<databus::DataItem>> getDataInputVector() const;
  std::vector<std::vector<int>> getDataInputCols() const;

  // GridHost.
  bool isProvider() const override { return true; }
  void setNotifyOnDS(bool on) override { notifyOnDS_.store(on); }

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.binding.MediatorDS"; }

 protected:
  plat::lang::Ref<OutputComponent> makeComponent(const plat::lang::Ref<plat::lang::Object>& output) override;
  void configureComponent(OutputComponent& component) override;

 private:
  struct Published {
    plat::lang::Ref<databus::DataItem> item;
    std::vector<int> columns;
    std::string name;
    // What a refresh asks of the item, looked up once when it is published.
    bool allRows = false;               // the item holds every row
    bool single = false;                // a single cell: its size is always one by one
    DataItemAddition* named = nullptr;  // the item's own name and status, when it has them
  };
  using PublishedList = std::shared_ptr<const std::vector<Published>>;

  std::vector<Published> published() const;
  // The current list, shared: a publication replaces it, so a refresh walks it without copying.
  PublishedList publishedList() const;
  // Forgets every item; stops listening to each.
  std::vector<Published> forgetAll();
  // Announces on the bus when there is one; false when there is none.
  bool announce(int type, const std::string& name);
  plat::lang::Ref<BasicDataSource> source() const;
  const plat::lang::Ref<TriggerUIListener>& triggerListener();
  void refresh(bool navigation);

  Name m_DataBinding;  // guarded by mutex_
  // guarded by mutex_; in order of publication; never null
  PublishedList items_ = std::make_shared<const std::vector<Published>>();
  plat::lang::WeakRef<plat::lang::Object> sourceObject_;  // guarded by mutex_; back reference to the source
  plat::lang::Ref<TriggerUIListener> triggerListener_;    // guarded by mutex_; made on first use
  std::atomic<bool> notifyOnDS_{true};
  std::atomic<int> currentRow_{0};
  std::atomic<int> eventType_{0};  // 1 while a navigation refresh runs
};

}  // namespace quenlora::zafoli::db::beans::binding
