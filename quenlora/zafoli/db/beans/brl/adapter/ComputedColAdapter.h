// The base of the rule adapters: ties one rule class to live data. It follows the record, column and save events
// of one query navigator and the named data items of the data bus, fills the rule row's members from them, and
// publishes the rule's output as the computed column alias@outputName. Rules never veto: the adapter's only
// effects are the published value, messages and (validations) events. Make a subclass with makeRef. Properties,
// runs and hooks hold the adapter's re-entrant monitor (a publication may re-enter the adapter); nothing a hook
// does throws into the navigator's event delivery.
#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/lang/Value.h"
#include "platform/runvale/ClassRegistry.h"
#include "platform/thread/Monitor.h"
#include "quenlora/zafoli/db/beans/binding/PersistentObject.h"
#include "quenlora/zafoli/db/beans/binding/event/ColumnDataEvent.h"
#include "quenlora/zafoli/db/beans/binding/event/RecordNavigateEvent.h"
#include "quenlora/zafoli/db/beans/binding/event/RecordSaveEvent.h"
#include "quenlora/zafoli/db/beans/brl/ComputeRow.h"
#include "quenlora/zafoli/db/beans/brl/DataBusItemColMember.h"

namespace quenlora::zafoli::db::beans::binding {
class QueryNavigator;
}

namespace plat::serial {
class ObjectInput;
class ObjectOutput;
}  // namespace plat::serial

namespace quenlora::zafoli::db::beans::brl::adapter {

namespace binding {
class ComputedColumnDataSource;
}
class DataItemsController;

class ComputedColAdapter : public plat::lang::Object {
 public:
  static constexpr int COLUMNCHANGE = 0;
  static constexpr int RECORDCHANGE = 1;
  static constexpr char COLUMNSEPARATOR = ',';

  using InputRef = std::shared_ptr<CompColInputMember>;
  using RecordRef = plat::lang::Ref<beans::binding::PersistentObject>;
  using NavigatorRef = plat::lang::Ref<beans::binding::QueryNavigator>;

  ComputedColAdapter(const ComputedColAdapter&) = delete;
  ComputedColAdapter& operator=(const ComputedColAdapter&) = delete;
  // Stops following the navigator, leaves the data bus and takes the output off it.
  ~ComputedColAdapter() override;

  int getType() const;
  std::optional<plat::runvale::ClassInfo> getVirtualColImplClass() const;
  // RuntimeException "No class name has been specified" for null, "Either Calculation or Validation needs to be
  // implemented" for a class whose own declared interfaces name neither; the property then keeps its value.
  void setVirtualColImplClass(const plat::runvale::ClassInfo* ruleClass);
  std::optional<plat::runvale::ClassInfo> getVirtualColAggrImplClass() const;
  // The same check; null clears the aggregate rule.
  void setVirtualColAggrImplClass(const plat::runvale::ClassInfo* ruleClass);
  std::vector<InputRef> getSourceColumns() const;
  // Replaces the rule row's sources; members no longer used stop being followed.
  void setSourceColumns(std::vector<InputRef> members);
  std::string getOutputName() const;
  void setOutputName(const std::string& name);
  std::string getAliasName() const;
  void setAliasName(const std::string& alias);
  // alias@outputName as published.
  std::string getDataBindingName() const;

  // The rule class's name without its package, the alias counter and "_RuleAlias"; the counter then grows.
  static std::string buildAliasName(const plat::runvale::ClassInfo& ruleClass);
  static std::string getClassNameOnly(const std::string& className);

  // The navigator whose events the adapter follows; null when none.
  NavigatorRef getFollowedNavigator() const;

  // Event hooks, called by the adapter's listeners on the navigator.
  virtual void processBeforeRecordNavigateEvent(const beans::binding::event::RecordNavigateEvent& event) = 0;
  virtual void processAfterRecordNavigateEvent(const beans::binding::event::RecordNavigateEvent& event) = 0;
  virtual void processBorderRecordEvent(const beans::binding::event::RecordNavigateEvent& event) = 0;
  virtual void processBeforeColumnChangeEvent(const beans::binding::event::ColumnDataEvent& event) = 0;
  virtual void processAfterColumnChangeEvent(const beans::binding::event::ColumnDataEvent& event) = 0;
  virtual void processBeforeRecordSaveEvent(const beans::binding::event::RecordSaveEvent& event) = 0;
  virtual void processAfterRecordSaveEvent(const beans::binding::event::RecordSaveEvent& event) = 0;

  // A data item the controller follows changed: members bound to name take value, then the rule runs when
  // every member is set.
  void feedDataItem(const std::string& name, const plat::lang::Value& value);

 protected:
  // markerType: the rule type of the not-performed marker (3 calculations, 4 validations).
  ComputedColAdapter(int type, int markerType);

  // The saved settings of the base, in order: type, rule class, aggregate rule class (by name, empty for none),
  // sources, output name, alias.
  struct SavedRule {
    int type = 0;
    std::optional<plat::runvale::ClassInfo> ruleClass;
    std::optional<plat::runvale::ClassInfo> aggrClass;
    std::vector<InputRef> sources;
    std::string outputName;
    std::string aliasName;
  };
  void writeRule(plat::serial::ObjectOutput& out) const;
  static SavedRule readRule(plat::serial::ObjectInput& in);
  // Sets the saved rule classes, sources and output name; InvalidObjectException for a class that is no rule. The
  // alias is the caller's to set last, since it publishes the output.
  void applyRule(const SavedRule& saved);

  virtual ComputeRow& computeRow() = 0;
  virtual std::string getOutputNameNotAvailMsg() const = 0;
  // Runs the rule on what the members hold; called with the monitor held.
  virtual void runRule() = 0;
  // The inputs beyond the sources (a validation's targets).
  virtual std::vector<InputRef> extraInputs() const { return {}; }

  // Publishes the output once: the data source, the output name (a dialog when empty), the alias (generated when
  // empty).
  void prepareOutput();
  // Members read from records back to uninitialized (members fed by data items keep their value); the
  // not-performed marker published.
  void reset();
  void publish(const plat::lang::Value& value);
  // Every source and extra member has a value; a bus-fed member without one takes its item's current value.
  bool allSet();
  // Each participating member takes its column of record (the modified value of a dirty record); false when the
  // record is null or does not know a member's column.
  bool readFromRecord(const RecordRef& record);
  // A participating member and the column it reads.
  struct Participant {
    DataBusItemColMember* member;  // owned by the source or extra list
    std::string column;
  };
  // The members that read the followed navigator's records, for walks over many records.
  std::vector<Participant> participants() const;
  bool readFromRecord(const RecordRef& record, const std::vector<Participant>& list);
  // The changed column takes the event's value, the others the navigator's current record; false as above.
  bool readFromColumnChange(const beans::binding::event::ColumnDataEvent& event);
  // Whether column (0-based) of the navigator's current record is the column of a participating member.
  bool isInputColumn(int column);
  // The column indexes of record that participating members read.
  std::vector<int> inputColumns(const RecordRef& record);
  RecordRef currentRecord() const;
  // The rule (aggregate: false) or aggregate (true) object, created on first need; null when it cannot be made.
  plat::lang::Ref<plat::lang::Object> ruleObject(bool aggregate);
  // Hands a member to the navigator or the controller (members of a replaced list are first forgotten).
  void initializeMember(const InputRef& member);
  void refollow();
  // Sets member's value and moves its status on; an UnKnownColValue resets instead (false).
  bool takeValue(DataBusItemColMember& member, const plat::lang::Value& value);

  mutable plat::thread::Monitor monitor_;
  int type_;  // guarded by monitor_
  const int markerType_;
  std::vector<InputRef> sourceColumns_;                            // guarded by monitor_
  std::optional<plat::runvale::ClassInfo> implClass_;              // guarded by monitor_
  std::optional<plat::runvale::ClassInfo> aggrImplClass_;          // guarded by monitor_
  std::string outputName_;                                         // guarded by monitor_
  std::string aliasName_;                                          // guarded by monitor_
  bool initialized_ = false;                                       // guarded by monitor_; the output is prepared
  bool queryNavRegistered_ = false;                                // guarded by monitor_
  plat::lang::Ref<binding::ComputedColumnDataSource> dataSource_;  // guarded by monitor_
  plat::lang::Ref<plat::lang::Object> rule_;                       // guarded by monitor_
  plat::lang::Ref<plat::lang::Object> aggrRule_;                   // guarded by monitor_
  NavigatorRef currQueryNav_;                                      // guarded by monitor_

 private:
  class Listeners;
  void follow(const NavigatorRef& navigator);
  void unfollow();
  plat::lang::Ref<DataItemsController> controller();
  // Whether member reads a column of the followed navigator's records.
  bool participates(const DataBusItemColMember& member) const;
  // A bus-fed member takes the current value of its item when the item has one.
  bool fillFromItem(DataBusItemColMember& member);
  void setRuleClass(const plat::runvale::ClassInfo* ruleClass, bool aggregate);

  plat::lang::Ref<Listeners> listeners_;             // guarded by monitor_
  plat::lang::Ref<DataItemsController> controller_;  // guarded by monitor_
  std::string followedAlias_;                        // guarded by monitor_; the followed navigator's alias
  static std::atomic<int> aliasCounter_;
};

}  // namespace quenlora::zafoli::db::beans::brl::adapter
