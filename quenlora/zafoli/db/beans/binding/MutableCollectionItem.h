// The library's collection item: an ordered list of member items (the cells of one row or column, or the rows of a
// grid) with a status flag. A change in a member that the collection listens to becomes a value change of the
// collection; the change record is cleaned up once the last listener has seen it. Make it with makeRef: it
// listens to its members through a weak reference to itself. All operations may be called from any thread;
// listeners and members are called outside every lock.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "quenlora/zafoli/db/beans/binding/DataItemAddition.h"
#include "quenlora/zafoli/db/beans/binding/DataItemList.h"
#include "quenlora/zafoli/db/beans/binding/DataItemListeners.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataItemChangedListener.h"
#include "quenlora/zafoli/db/beans/binding/databus/MutableCollectionAccess.h"

namespace quenlora::zafoli::db::beans::binding {

class MutableCollectionItem : public databus::MutableCollectionAccess,
                              public databus::DataItemChangedListener,
                              public DataItemAddition {
 public:
  MutableCollectionItem() = default;
  explicit MutableCollectionItem(std::string name) : m_Name(std::move(name)) {}
  MutableCollectionItem(const MutableCollectionItem&) = delete;
  MutableCollectionItem& operator=(const MutableCollectionItem&) = delete;

  // A cursor at position 0 over the live member list.
  std::unique_ptr<databus::DataCursor> getCursor() override;

  // Appends without listening to the member (whoever builds the item does that); sends a size change.
  void addDataItem(const plat::lang::Ref<databus::DataItem>& item) override;
  // Insert next to the cursor's current member and listen to the new one; when that member is not in this
  // collection nothing is inserted. A size change is sent either way.
  void insertAfterCursor(const databus::DataCursor& cursor, const plat::lang::Ref<databus::DataItem>& item) override;
  void insertBeforeCursor(const databus::DataCursor& cursor, const plat::lang::Ref<databus::DataItem>& item) override;
  // Remove a member (its first entry) and send a size change; the collection keeps listening to it.
  void removeAtCursor(const databus::DataCursor& cursor) override;
  void removeDataItem(const plat::lang::Ref<databus::DataItem>& item) override;

  void addDataItemChangedListener(const plat::lang::Ref<databus::DataItemChangedListener>& listener) override {
    m_DIChangedListeners.add(listener);
  }
  void removeDataItemChangedListener(const plat::lang::Ref<databus::DataItemChangedListener>& listener) override {
    m_DIChangedListeners.remove(listener);
  }

  // From a member: takes the member's status, sends DATA_VALUE_CHANGE to the listeners, then cleans up.
  void notifyDataItemChanged(const databus::DataItemChangedEvent& event) override;
  // Sends DATA_SIZE_CHANGE to the listeners.
  void notifySizeChanged();

  // Follow or stop following a member's changes.
  void listenTo(const plat::lang::Ref<databus::DataItem>& member);
  void stopListeningTo(const plat::lang::Ref<databus::DataItem>& member);

  int getItemCount() const { return m_dataItems->size(); }
  // The member at index without copying the list; null outside it.
  plat::lang::Ref<databus::DataItem> getDataItem(int index) const { return m_dataItems->at(index); }
  std::vector<plat::lang::Ref<databus::DataItem>> getDataItems() const { return m_dataItems->snapshot(); }
  // The live member list, for bulk reads under its lock.
  const DataItemList& members() const { return *m_dataItems; }

  // Only while the last listener is being told of a change (or with one listener or none): every member that is
  // not EXISTING is cleaned up, then the collection itself. Earlier listeners leave the record for later ones.
  void cleanUp() override;
  std::string getName() const override;
  void setName(const std::string& name) override;
  int getStatusFlag() const override { return m_StatusFlag.load(); }
  void setStatusFlag(int status) override { m_StatusFlag.store(status); }

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.binding.MutableCollectionItem"; }

 private:
  void fire(int changeType);
  const plat::lang::Ref<databus::DataItemChangedListener>& memberListener();

  mutable std::mutex mutex_;
  std::string m_Name;                                                                  // guarded by mutex_
  const std::shared_ptr<DataItemList> m_dataItems = std::make_shared<DataItemList>();  // shared with cursors
  DataItemListeners m_DIChangedListeners;
  std::atomic<int> m_StatusFlag{EXISTING};
  std::atomic<int> posit{0};                                          // index of the listener being told of a change
  plat::lang::Ref<databus::DataItemChangedListener> memberListener_;  // guarded by mutex_; made on first use
};

}  // namespace quenlora::zafoli::db::beans::binding
