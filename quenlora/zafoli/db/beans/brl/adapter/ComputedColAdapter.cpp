#include "quenlora/zafoli/db/beans/brl/adapter/ComputedColAdapter.h"

#include <algorithm>

#include "platform/beans/Beans.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/System.h"
#include "platform/serial/ObjectInput.h"
#include "platform/serial/ObjectOutput.h"
#include "platform/serial/ObjectStreamException.h"
#include "quenlora/zafoli/db/beans/binding/Name.h"
#include "quenlora/zafoli/db/beans/binding/QueryNavigator.h"
#include "quenlora/zafoli/db/beans/binding/event/ColumnDataEventListener.h"
#include "quenlora/zafoli/db/beans/binding/event/RecordNavigateEventListener.h"
#include "quenlora/zafoli/db/beans/binding/event/RecordSaveEventListener.h"
#include "quenlora/zafoli/db/beans/brl/UnKnownColValue.h"
#include "quenlora/zafoli/db/beans/brl/adapter/BRLAdapterResourceLoader.h"
#include "quenlora/zafoli/db/beans/brl/adapter/ComputedColAdapterConstants.h"
#include "quenlora/zafoli/db/beans/brl/adapter/ComputedColAdapterUIHelper.h"
#include "quenlora/zafoli/db/beans/brl/adapter/DataItemsController.h"
#include "quenlora/zafoli/db/beans/brl/adapter/RuleAdapterArchive.h"
#include "quenlora/zafoli/db/beans/brl/adapter/binding/ComputedColumnDataSource.h"

namespace quenlora::zafoli::db::beans::brl::adapter {

using beans::binding::PersistentObject;
using beans::binding::QueryNavigator;
using plat::lang::Ref;
using plat::lang::Value;
using plat::thread::Synchronized;
namespace ev = beans::binding::event;

std::atomic<int> ComputedColAdapter::aliasCounter_{1};

namespace {

bool isSpecialFeature(const std::string& column) {
  return column == QueryNavigator::RowNumber || column == QueryNavigator::RowState ||
         column == QueryNavigator::NumberOfRows;
}

// Whether member reads a data item of the bus (its own kind, or a navigator's special-feature column) rather than
// the navigator's records.
bool isBusFed(const DataBusItemColMember& member) {
  if (member.getSourceType() != DataBoundColMember::kNavigatorSource) return true;
  const std::optional<std::string> column = member.getColumnName();
  return column && isSpecialFeature(*column);
}

// A hook that threw would break the navigator's delivery to the listeners after the adapter.
template <class F>
void guarded(F&& hook) {
  try {
    hook();
  } catch (const plat::lang::Throwable& e) {
    ComputedColAdapterUIHelper::displayMsgToLog(e.getClassName(), e.getMessage());
  } catch (const std::exception& e) {
    ComputedColAdapterUIHelper::displayMsgToLog("Exception", e.what());
  }
}

}  // namespace

// The adapter's record-navigate, column-data and record-save listener on its navigator. The adapter is a weak back
// reference: a navigator outliving the adapter calls nothing.
class ComputedColAdapter::Listeners : public plat::lang::Object,
                                      public ev::RecordNavigateEventListener,
                                      public ev::ColumnDataEventListener,
                                      public ev::RecordSaveEventListener {
 public:
  explicit Listeners(plat::lang::WeakRef<plat::lang::Object> adapter) : adapter_(std::move(adapter)) {}

  void onBeforeRecordNavigate(const ev::RecordNavigateEvent& e) override {
    with([&](ComputedColAdapter& a) { a.processBeforeRecordNavigateEvent(e); });
  }
  void onAfterRecordNavigate(const ev::RecordNavigateEvent& e) override {
    with([&](ComputedColAdapter& a) { a.processAfterRecordNavigateEvent(e); });
  }
  void onBoundaryRecord(const ev::RecordNavigateEvent& e) override {
    with([&](ComputedColAdapter& a) { a.processBorderRecordEvent(e); });
  }
  void onBeforeColumnDataChange(const ev::ColumnDataEvent& e) override {
    if (e.getEventType() == ev::ColumnDataEvent::COLUMN_DELETED) return;
    with([&](ComputedColAdapter& a) { a.processBeforeColumnChangeEvent(e); });
  }
  void onAfterColumnDataChange(const ev::ColumnDataEvent& e) override {
    if (e.getEventType() == ev::ColumnDataEvent::COLUMN_DELETED) return;
    with([&](ComputedColAdapter& a) { a.processAfterColumnChangeEvent(e); });
  }
  void onBeforeRecordSave(const ev::RecordSaveEvent& e) override {
    if (e.getEventType() == ev::RecordSaveEvent::RECORD_SAVE_UNKNOWN) return;
    with([&](ComputedColAdapter& a) { a.processBeforeRecordSaveEvent(e); }, false);
  }
  void onAfterRecordSave(const ev::RecordSaveEvent& e) override {
    if (e.getEventType() == ev::RecordSaveEvent::RECORD_SAVE_UNKNOWN) return;
    with([&](ComputedColAdapter& a) { a.processAfterRecordSaveEvent(e); }, false);
  }

 private:
  template <class F>
  void with(F&& hook, bool prepare = true) {
    auto adapter = std::static_pointer_cast<ComputedColAdapter>(adapter_.lock());
    if (!adapter) return;
    guarded([&] {
      Synchronized lock(adapter->monitor_);
      if (prepare) adapter->prepareOutput();
      hook(*adapter);
    });
  }

  plat::lang::WeakRef<plat::lang::Object> adapter_;
};

ComputedColAdapter::ComputedColAdapter(int type, int markerType) : type_(type), markerType_(markerType) {}

ComputedColAdapter::~ComputedColAdapter() {
  try {
    unfollow();
    if (controller_) controller_->shutDown();
    // The bus's registry of names holds the output: left there, a consumer would show a value nobody updates,
    // and every adapter ever made would stay in memory.
    if (dataSource_) dataSource_->withdraw();
  } catch (...) {
    // A destructor never throws.
  }
}

int ComputedColAdapter::getType() const {
  Synchronized lock(monitor_);
  return type_;
}

std::optional<plat::runvale::ClassInfo> ComputedColAdapter::getVirtualColImplClass() const {
  Synchronized lock(monitor_);
  return implClass_;
}

std::optional<plat::runvale::ClassInfo> ComputedColAdapter::getVirtualColAggrImplClass() const {
  Synchronized lock(monitor_);
  return aggrImplClass_;
}

void ComputedColAdapter::setVirtualColImplClass(const plat::runvale::ClassInfo* ruleClass) {
  setRuleClass(ruleClass, false);
}

void ComputedColAdapter::setVirtualColAggrImplClass(const plat::runvale::ClassInfo* ruleClass) {
  if (ruleClass == nullptr) {
    Synchronized lock(monitor_);
    aggrImplClass_.reset();
    aggrRule_.reset();
    return;
  }
  setRuleClass(ruleClass, true);
}

void ComputedColAdapter::setRuleClass(const plat::runvale::ClassInfo* ruleClass, bool aggregate) {
  if (ruleClass == nullptr) {
    throw plat::lang::RuntimeException(BRLAdapterResourceLoader::text("No class name has been specified"));
  }
  // Only the class's own declarations count, not what a superclass implements.
  const auto& own = ruleClass->interfaces;
  const bool isRule =
      std::find(own.begin(), own.end(), ComputedColAdapterConstants::DERIVATION_IFACENAME) != own.end() ||
      std::find(own.begin(), own.end(), ComputedColAdapterConstants::VALIDATION_IFACENAME) != own.end();
  if (!isRule) {
    throw plat::lang::RuntimeException(
        BRLAdapterResourceLoader::text("Either Calculation or Validation needs to be implemented"));
  }
  Synchronized lock(monitor_);
  if (aggregate) {
    aggrImplClass_ = *ruleClass;
    aggrRule_.reset();
  } else {
    implClass_ = *ruleClass;
    rule_.reset();
  }
}

std::vector<ComputedColAdapter::InputRef> ComputedColAdapter::getSourceColumns() const {
  Synchronized lock(monitor_);
  return sourceColumns_;
}

void ComputedColAdapter::setSourceColumns(std::vector<InputRef> members) {
  Synchronized lock(monitor_);
  sourceColumns_ = std::move(members);
  if (plat::beans::Beans::isDesignTime()) return;
  ComputeRow& row = computeRow();
  row.removeAllSourceColumnMembers();
  for (const auto& member : sourceColumns_) row.addSourceColumnMember(member);
  refollow();
  if (sourceColumns_.empty()) {
    ruleObject(false);
    ruleObject(true);
  }
}

std::string ComputedColAdapter::getOutputName() const {
  Synchronized lock(monitor_);
  return outputName_;
}

void ComputedColAdapter::setOutputName(const std::string& name) {
  Synchronized lock(monitor_);
  outputName_ = name;
  if (dataSource_) dataSource_->setComputedColBindName(name);
}

std::string ComputedColAdapter::getAliasName() const {
  Synchronized lock(monitor_);
  return aliasName_;
}

void ComputedColAdapter::setAliasName(const std::string& alias) {
  Synchronized lock(monitor_);
  aliasName_ = alias;
  if (plat::beans::Beans::isDesignTime()) return;
  if (dataSource_) {
    dataSource_->setAliasName(alias);
  } else if (!outputName_.empty() && !aliasName_.empty()) {
    prepareOutput();
  }
}

std::string ComputedColAdapter::getDataBindingName() const {
  Synchronized lock(monitor_);
  return beans::binding::Name(aliasName_, outputName_).getFullName();
}

std::string ComputedColAdapter::getClassNameOnly(const std::string& className) {
  const std::size_t dot = className.rfind('.');
  return dot == std::string::npos ? className : className.substr(dot + 1);
}

std::string ComputedColAdapter::buildAliasName(const plat::runvale::ClassInfo& ruleClass) {
  const int number = aliasCounter_.fetch_add(1);
  return getClassNameOnly(ruleClass.name) + std::to_string(number) + "_RuleAlias";
}

ComputedColAdapter::NavigatorRef ComputedColAdapter::getFollowedNavigator() const {
  Synchronized lock(monitor_);
  return currQueryNav_;
}

void ComputedColAdapter::prepareOutput() {
  Synchronized lock(monitor_);
  if (initialized_) return;
  initialized_ = true;
  dataSource_ = plat::lang::makeRef<binding::ComputedColumnDataSource>();
  if (outputName_.empty()) ComputedColAdapterUIHelper::displayMsgDialog(getOutputNameNotAvailMsg());
  dataSource_->setComputedColBindName(outputName_);
  if (aliasName_.empty() && implClass_) aliasName_ = buildAliasName(*implClass_);
  dataSource_->setAliasName(aliasName_);
}

void ComputedColAdapter::publish(const Value& value) {
  Synchronized lock(monitor_);
  prepareOutput();
  dataSource_->setComputedValue(value);
  dataSource_->triggerUI();
}

void ComputedColAdapter::reset() {
  Synchronized lock(monitor_);
  // Only what records fed goes: a data-bus item keeps its value when the user leaves a record, and a member fed by
  // it would otherwise wait for a change of the item that may never come.
  const auto uninitialize = [](const InputRef& member) {
    auto* bound = dynamic_cast<DataBusItemColMember*>(member.get());
    if (bound != nullptr && !isBusFed(*bound)) bound->setStatus(CompColInputMember::UNINITIALIZED);
  };
  for (const auto& member : sourceColumns_) uninitialize(member);
  for (const auto& member : extraInputs()) uninitialize(member);
  publish(Value(plat::lang::makeRef<UnKnownColValue>(markerType_)));
}

bool ComputedColAdapter::allSet() {
  const auto set = [this](const InputRef& member) {
    if (member->getStatus() != CompColInputMember::UNINITIALIZED) return true;
    auto* bound = dynamic_cast<DataBusItemColMember*>(member.get());
    return bound != nullptr && fillFromItem(*bound);
  };
  const std::vector<InputRef> extra = extraInputs();
  return std::all_of(sourceColumns_.begin(), sourceColumns_.end(), set) && std::all_of(extra.begin(), extra.end(), set);
}

bool ComputedColAdapter::fillFromItem(DataBusItemColMember& member) {
  if (!controller_ || !isBusFed(member) || !member.getBindName()) return false;
  // An item published before the controller listened, or a member emptied by its item's marker: the item's value
  // now is the member's. A fresh computed column holds the empty text, which is no value yet.
  const Value value = controller_->currentValue(*member.getBindName());
  const bool noValue =
      value.isNull() || UnKnownColValue::isIn(value) || (value.is(Value::Kind::String) && value.getString().empty());
  return !noValue && takeValue(member, value);
}

bool ComputedColAdapter::participates(const DataBusItemColMember& member) const {
  if (member.getSourceType() != DataBoundColMember::kNavigatorSource || !currQueryNav_) return false;
  const std::optional<std::string> alias = member.getAliasName();
  const std::optional<std::string> column = member.getColumnName();
  return alias && column && *alias == followedAlias_ && !isSpecialFeature(*column);
}

bool ComputedColAdapter::takeValue(DataBusItemColMember& member, const Value& value) {
  if (UnKnownColValue::isIn(value)) return false;
  member.setValue(value);
  member.setStatus(member.getStatus() == CompColInputMember::UNINITIALIZED ? CompColInputMember::INITIALIZED
                                                                           : CompColInputMember::MODIFIED);
  return true;
}

std::vector<ComputedColAdapter::Participant> ComputedColAdapter::participants() const {
  std::vector<Participant> list;
  const auto add = [&](const InputRef& input) {
    auto* member = dynamic_cast<DataBusItemColMember*>(input.get());
    if (member != nullptr && participates(*member)) list.push_back({member, *member->getColumnName()});
  };
  for (const auto& member : sourceColumns_) add(member);
  for (const auto& member : extraInputs()) add(member);
  return list;
}

bool ComputedColAdapter::readFromRecord(const RecordRef& record) {
  return readFromRecord(record, participants());
}

bool ComputedColAdapter::readFromRecord(const RecordRef& record, const std::vector<Participant>& list) {
  if (!record) return false;
  const int which = record->isDirty() ? PersistentObject::MODIFIED_VALUE : PersistentObject::ORIGINAL_VALUE;
  for (const Participant& p : list) {
    const int column = record->getColumnIndex(p.column);
    if (column < 0 || !takeValue(*p.member, record->getValueAsObject(column, which))) return false;
  }
  return true;
}

ComputedColAdapter::RecordRef ComputedColAdapter::currentRecord() const {
  if (!currQueryNav_) return nullptr;
  return std::dynamic_pointer_cast<PersistentObject>(currQueryNav_->getCurrentObject());
}

bool ComputedColAdapter::readFromColumnChange(const ev::ColumnDataEvent& event) {
  const RecordRef record = currentRecord();
  if (!record) return false;
  const bool dirty = record->isDirty();
  const auto read = [&](const InputRef& input) {
    auto* member = dynamic_cast<DataBusItemColMember*>(input.get());
    if (member == nullptr || !participates(*member)) return true;
    const int column = record->getColumnIndex(*member->getColumnName());
    if (column < 0) return false;
    if (column == event.getColumnNumber()) return takeValue(*member, event.getNewValue());
    return takeValue(*member, record->getValueAsObject(
                                  column, dirty ? PersistentObject::MODIFIED_VALUE : PersistentObject::ORIGINAL_VALUE));
  };
  for (const auto& member : sourceColumns_) {
    if (!read(member)) return false;
  }
  for (const auto& member : extraInputs()) {
    if (!read(member)) return false;
  }
  return true;
}

std::vector<int> ComputedColAdapter::inputColumns(const RecordRef& record) {
  std::vector<int> columns;
  if (!record) return columns;
  const auto add = [&](const InputRef& input) {
    auto* member = dynamic_cast<DataBusItemColMember*>(input.get());
    if (member != nullptr && participates(*member)) columns.push_back(record->getColumnIndex(*member->getColumnName()));
  };
  for (const auto& member : sourceColumns_) add(member);
  for (const auto& member : extraInputs()) add(member);
  return columns;
}

bool ComputedColAdapter::isInputColumn(int column) {
  const std::vector<int> columns = inputColumns(currentRecord());
  return std::find(columns.begin(), columns.end(), column) != columns.end();
}

void ComputedColAdapter::feedDataItem(const std::string& name, const Value& value) {
  Synchronized lock(monitor_);
  prepareOutput();
  bool fed = false;
  const auto feed = [&](const InputRef& input) {
    auto* member = dynamic_cast<DataBusItemColMember*>(input.get());
    if (member == nullptr || member->getBindName() != name) return true;
    if (!isBusFed(*member)) return true;
    fed = true;
    if (takeValue(*member, value)) return true;
    // The item itself has no result now: the member waits for its next value.
    member->setStatus(CompColInputMember::UNINITIALIZED);
    return false;
  };
  bool taken = true;
  for (const auto& member : sourceColumns_) taken = feed(member) && taken;
  for (const auto& member : extraInputs()) taken = feed(member) && taken;
  if (!taken) return reset();
  if (fed && allSet()) runRule();
}

Ref<plat::lang::Object> ComputedColAdapter::ruleObject(bool aggregate) {
  Synchronized lock(monitor_);
  Ref<plat::lang::Object>& object = aggregate ? aggrRule_ : rule_;
  const std::optional<plat::runvale::ClassInfo>& cls = aggregate ? aggrImplClass_ : implClass_;
  if (object || !cls) return object;
  try {
    if (!cls->factory) throw plat::lang::InstantiationException(cls->name);
    object = cls->factory();
  } catch (const plat::lang::IllegalAccessException& e) {
    plat::lang::System::out().println("Illegal access exception:" + e.getMessage());
  } catch (const plat::lang::Exception& e) {
    plat::lang::System::out().println("Instantiation exception:" + e.getMessage());
  }
  return object;
}

Ref<DataItemsController> ComputedColAdapter::controller() {
  if (!controller_) {
    controller_ =
        plat::lang::makeRef<DataItemsController>(std::static_pointer_cast<ComputedColAdapter>(shared_from_this()));
    controller_->start();
  }
  return controller_;
}

void ComputedColAdapter::follow(const NavigatorRef& navigator) {
  if (!listeners_) listeners_ = plat::lang::makeRef<Listeners>(weak_from_this());
  currQueryNav_ = navigator;
  followedAlias_ = navigator->getAliasName();
  queryNavRegistered_ = true;
  navigator->addRecordNavigateEventListener(listeners_);
  navigator->addColumnDataEventListener(listeners_);
  navigator->addRecordSaveEventListener(listeners_);
}

void ComputedColAdapter::unfollow() {
  if (!currQueryNav_ || !listeners_) return;
  currQueryNav_->removeRecordNavigateEventListener(listeners_);
  currQueryNav_->removeColumnDataEventListener(listeners_);
  currQueryNav_->removeRecordSaveEventListener(listeners_);
  currQueryNav_.reset();
  followedAlias_.clear();
  queryNavRegistered_ = false;
}

void ComputedColAdapter::initializeMember(const InputRef& input) {
  auto* member = dynamic_cast<DataBoundColMember*>(input.get());
  if (member == nullptr) return;
  const std::optional<std::string> bindName = member->getBindName();
  if (!bindName) return;
  const std::optional<std::string> column = member->getColumnName();
  if (member->getSourceType() != DataBoundColMember::kNavigatorSource || (column && isSpecialFeature(*column))) {
    controller()->addProducer(*bindName);
    return;
  }
  NavigatorRef navigator = member->getQueryNavObj();
  if (!navigator) return;
  if (!currQueryNav_) {
    follow(navigator);
  } else if (currQueryNav_ != navigator) {
    ComputedColAdapterUIHelper::displayMsgDialog(BRLAdapterResourceLoader::text(
        "CalculationAdapter/ValidationAdapter can respond to only one Query Navigator record/column events"));
  }
}

void ComputedColAdapter::refollow() {
  // A replaced list's members must stop feeding the rule: the navigator and the producers are chosen afresh.
  NavigatorRef previous = currQueryNav_;
  unfollow();
  std::vector<std::string> producers;
  std::vector<InputRef> inputs = sourceColumns_;
  for (const auto& member : extraInputs()) inputs.push_back(member);
  // The navigator followed before keeps its place when a member still reads it.
  for (const auto& input : inputs) {
    auto* member = dynamic_cast<DataBoundColMember*>(input.get());
    if (member == nullptr || member->getSourceType() != DataBoundColMember::kNavigatorSource) continue;
    const std::optional<std::string> column = member->getColumnName();
    if (column && isSpecialFeature(*column)) continue;
    if (previous && member->getQueryNavObj() == previous) {
      follow(previous);
      break;
    }
  }
  for (const auto& input : inputs) {
    auto* member = dynamic_cast<DataBoundColMember*>(input.get());
    if (member == nullptr || !member->getBindName()) continue;
    const std::optional<std::string> column = member->getColumnName();
    if (member->getSourceType() != DataBoundColMember::kNavigatorSource || (column && isSpecialFeature(*column))) {
      producers.push_back(*member->getBindName());
    }
  }
  if (controller_) controller_->retainProducers(producers);
  for (const auto& input : inputs) initializeMember(input);
}

void ComputedColAdapter::writeRule(plat::serial::ObjectOutput& out) const {
  Synchronized lock(monitor_);
  out.writeInt(type_);
  RuleAdapterArchive::writeRuleClass(out, implClass_);
  RuleAdapterArchive::writeRuleClass(out, aggrImplClass_);
  RuleAdapterArchive::writeMembers(out, sourceColumns_);
  out.writeUTF(outputName_);
  out.writeUTF(aliasName_);
}

ComputedColAdapter::SavedRule ComputedColAdapter::readRule(plat::serial::ObjectInput& in) {
  SavedRule saved;
  saved.type = in.readInt();
  saved.ruleClass = RuleAdapterArchive::readRuleClass(in);
  saved.aggrClass = RuleAdapterArchive::readRuleClass(in);
  saved.sources = RuleAdapterArchive::readMembers(in);
  saved.outputName = in.readUTF(RuleAdapterArchive::kMaxTextBytes);
  saved.aliasName = in.readUTF(RuleAdapterArchive::kMaxTextBytes);
  return saved;
}

void ComputedColAdapter::applyRule(const SavedRule& saved) {
  try {
    if (saved.ruleClass) setVirtualColImplClass(&*saved.ruleClass);
    setVirtualColAggrImplClass(saved.aggrClass ? &*saved.aggrClass : nullptr);
  } catch (const plat::lang::RuntimeException& e) {
    throw plat::serial::InvalidObjectException("Saved rule class is refused: " + e.getMessage());
  }
  setOutputName(saved.outputName);
  setSourceColumns(saved.sources);
}

}  // namespace quenlora::zafoli::db::beans::brl::adapter
