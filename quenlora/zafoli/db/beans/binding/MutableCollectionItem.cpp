#include "quenlora/zafoli/db/beans/binding/MutableCollectionItem.h"

#include "platform/lang/System.h"
#include "quenlora/zafoli/db/beans/binding/DataItemCursor.h"
#include "quenlora/zafoli/db/beans/binding/databus/InvalidType.h"

namespace quenlora::zafoli::db::beans::binding {

namespace {

using databus::DataItem;
using databus::DataItemChangedEvent;
using plat::lang::Ref;

// Passes a member's changes on to its collection without keeping the collection alive: the collection owns its
// members, which hold this listener.
class MemberForwarder : public databus::DataItemChangedListener {
 public:
  explicit MemberForwarder(plat::lang::WeakRef<plat::lang::Object> collection) : collection_(std::move(collection)) {}

  void notifyDataItemChanged(const DataItemChangedEvent& event) override {
    if (auto collection = std::static_pointer_cast<MutableCollectionItem>(collection_.lock())) {
      collection->notifyDataItemChanged(event);
    }
  }

 private:
  plat::lang::WeakRef<plat::lang::Object> collection_;
};

}  // namespace

std::unique_ptr<databus::DataCursor> MutableCollectionItem::getCursor() {
  return std::make_unique<DataItemCursor>(m_dataItems, 0);
}

void MutableCollectionItem::addDataItem(const Ref<DataItem>& item) {
  if (item) m_dataItems->append(item);
  notifySizeChanged();
}

void MutableCollectionItem::insertAfterCursor(const databus::DataCursor& cursor, const Ref<DataItem>& item) {
  Ref<DataItem> current = cursor.getCurrentItem();
  int index = current ? m_dataItems->indexOf(current.get()) : -1;
  if (index >= 0 && item && m_dataItems->insert(index + 1, item)) listenTo(item);
  notifySizeChanged();
}

void MutableCollectionItem::insertBeforeCursor(const databus::DataCursor& cursor, const Ref<DataItem>& item) {
  Ref<DataItem> current = cursor.getCurrentItem();
  int index = current ? m_dataItems->indexOf(current.get()) : -1;
  if (index >= 0 && item && m_dataItems->insert(index, item)) listenTo(item);
  notifySizeChanged();
}

void MutableCollectionItem::removeAtCursor(const databus::DataCursor& cursor) {
  Ref<DataItem> current = cursor.getCurrentItem();
  if (current) m_dataItems->remove(current.get());
  notifySizeChanged();
}

void MutableCollectionItem::removeDataItem(const Ref<DataItem>& item) {
  if (item) m_dataItems->remove(item.get());
  notifySizeChanged();
}

void MutableCollectionItem::notifyDataItemChanged(const DataItemChangedEvent& event) {
  if (auto* member = dynamic_cast<DataItemAddition*>(event.getSource())) setStatusFlag(member->getStatusFlag());
  fire(DataItemChangedEvent::DATA_VALUE_CHANGE);
  cleanUp();
}

void MutableCollectionItem::notifySizeChanged() {
  fire(DataItemChangedEvent::DATA_SIZE_CHANGE);
}

void MutableCollectionItem::fire(int changeType) {
  try {
    m_DIChangedListeners.fire(DataItemChangedEvent(changeType, this), [this](int index) { posit.store(index); });
  } catch (const databus::InvalidType&) {
    plat::lang::System::out().println("invalidtype");
  }
}

const Ref<databus::DataItemChangedListener>& MutableCollectionItem::memberListener() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!memberListener_) memberListener_ = std::make_shared<MemberForwarder>(weak_from_this());
  return memberListener_;
}

void MutableCollectionItem::listenTo(const Ref<DataItem>& member) {
  if (member) member->addDataItemChangedListener(memberListener());
}

void MutableCollectionItem::stopListeningTo(const Ref<DataItem>& member) {
  if (member) member->removeDataItemChangedListener(memberListener());
}

void MutableCollectionItem::cleanUp() {
  int listeners = m_DIChangedListeners.size();
  if (listeners > 1 && posit.load() != listeners - 1) return;
  for (const Ref<DataItem>& member : m_dataItems->snapshot()) {
    auto* addition = dynamic_cast<DataItemAddition*>(member.get());
    if (addition && addition->getStatusFlag() != EXISTING) addition->cleanUp();
  }
  setStatusFlag(EXISTING);
}

std::string MutableCollectionItem::getName() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return m_Name;
}

void MutableCollectionItem::setName(const std::string& name) {
  std::lock_guard<std::mutex> lock(mutex_);
  m_Name = name;
}

}  // namespace quenlora::zafoli::db::beans::binding
