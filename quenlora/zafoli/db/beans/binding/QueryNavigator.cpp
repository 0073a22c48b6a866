#include "quenlora/zafoli/db/beans/binding/QueryNavigator.h"

#include <map>
#include <mutex>

#include "platform/beans/Beans.h"
#include "platform/beans/PropertyChangeEvent.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/System.h"
#include "platform/runvale/ClassRegistry.h"
#include "platform/sql/SQLException.h"
#include "platform/text/ParseException.h"
#include "quenlora/zafoli/db/beans/binding/ApplicationTask.h"
#include "quenlora/zafoli/db/beans/binding/ChainTasks.h"
#include "quenlora/zafoli/db/beans/binding/IllegalRelationshipException.h"
#include "quenlora/zafoli/db/beans/binding/MediatorDS.h"
#include "quenlora/zafoli/db/beans/binding/Name.h"
#include "quenlora/zafoli/db/beans/binding/ParentInvalidRecordException.h"
#include "quenlora/zafoli/db/beans/binding/PositionOutOfRangeException.h"
#include "quenlora/zafoli/db/beans/binding/QueryNavigatorTexts.h"
#include "quenlora/zafoli/db/beans/binding/QuerySynchronizer.h"
#include "quenlora/zafoli/db/beans/binding/RelationshipPendingException.h"
#include "quenlora/zafoli/db/beans/binding/taskbus/TaskBus.h"
#include "quenlora/zafoli/db/beans/util/LocalizedValueGenerator.h"

namespace quenlora::zafoli::db::beans::binding {

using event::RecordNavigateEvent;
using plat::lang::Ref;
using plat::lang::Value;
using taskbus::TaskBusEvent;
using Guard = std::lock_guard<plat::thread::Monitor>;

namespace {

constexpr const char* kPersistentObject = "quenlora.zafoli.db.beans.binding.PersistentObject";
constexpr const char* kEasyWayOut = "Easy way out";

struct AliasRegistry {
  std::mutex mutex;
  std::map<std::string, plat::lang::WeakRef<QueryNavigator>> navigators;  // guarded by mutex
};

AliasRegistry& registry() {
  static AliasRegistry* instance = new AliasRegistry();  // lives until the process ends
  return *instance;
}

std::string rowText(int row) {
  return std::to_string(row);
}

}  // namespace

std::atomic<bool> QueryNavigator::showSaveWindow{true};

// The navigator's own exception and record-save-exception listener, registered in its lists when it is made.
class QueryNavigator::SelfListener : public plat::lang::Object,
                                     public ExceptionEventListener,
                                     public event::RecordSaveEventExceptionListener {
 public:
  explicit SelfListener(QueryNavigator* navigator) : navigator_(navigator) {}
  void handleExceptionEvent(const ExceptionEvent& event) override { navigator_->handleExceptionEvent(event); }
  void onRecordSaveException(const event::RecordSaveEvent& event) override { navigator_->onRecordSaveException(event); }

 private:
  QueryNavigator* navigator_;  // back reference; the navigator owns this listener
};

// The navigator's member of the task bus: it listens without reacting and gives the navigator the bus.
class QueryNavigator::TaskAction : public plat::lang::Object,
                                   public taskbus::TaskBusMember,
                                   public taskbus::TaskBusEventListener {
 public:
  Ref<taskbus::TaskBus> getTaskBus() const override {
    std::lock_guard lock(mutex_);
    return bus_;
  }
  void setTaskBus(const Ref<taskbus::TaskBus>& bus) override {
    {
      std::lock_guard lock(mutex_);
      bus_ = bus;
    }
    if (bus) bus->addTaskBusEventListener(std::dynamic_pointer_cast<TaskAction>(shared_from_this()));
  }
  void handleTaskBusEvent(const TaskBusEvent&) override {}

 private:
  mutable std::mutex mutex_;
  Ref<taskbus::TaskBus> bus_;  // guarded by mutex_
};

QueryNavigator::QueryNavigator() : propertySupport_(this) {
  if (plat::beans::Beans::isDesignTime()) return;
  m_QBECursor = std::make_unique<Cursor>("QBE", this);
  m_NavigationCursor = std::make_unique<Cursor>("navigation", this);
  m_CurrentCursor = m_NavigationCursor.get();
  // The provider mediator needs the navigator as a shared object: it is made on first need (getMediatorDS).
  self_ = plat::lang::makeRef<SelfListener>(this);
  exceptionListeners_.addExceptionEventListener(self_);
  selfSaveListener_ = self_;
  saveExceptionListeners_.addRecordSaveEventExceptionListener(selfSaveListener_);
  taskAction_ = plat::lang::makeRef<TaskAction>();
  taskbus::TaskBus::joinTaskBus(taskAction_);
}

QueryNavigator::~QueryNavigator() {
  try {
    auto& reg = registry();
    std::lock_guard lock(reg.mutex);
    auto it = reg.navigators.find(m_AliasName);
    if (it != reg.navigators.end() && it->second.expired()) reg.navigators.erase(it);
  } catch (...) {
  }
}

// ---- properties -------------------------------------------------------------------------------------------------

std::string QueryNavigator::getAliasName() {
  Guard guard(lock_);
  return m_AliasName;
}

void QueryNavigator::setAliasName(const std::string& alias) {
  if (setAliasNameIntern(alias)) joinTree();
}

void QueryNavigator::joinTree() {
  // Outside the navigator's lock: the synchroniser's class-wide lock comes before any navigator's.
  try {
    QuerySynchronizer::addSynchronizable(this);
  } catch (const IllegalRelationshipException& e) {
    // The alias stays registered; only the tree refused the navigator.
    announceApplication(e);
  }
}

bool QueryNavigator::setAliasNameIntern(const std::string& alias) {
  Guard guard(lock_);
  if (plat::beans::Beans::isDesignTime()) {
    m_AliasName = alias;
    return false;
  }
  if (!m_AliasName.empty() && !alias.empty()) {
    // Setting the alias the navigator already holds leaves it as it is.
    if (alias != m_AliasName) announceApplication(QueryNavigatorTexts::get().warnAlias);
    return false;
  }
  if (!alias.empty()) {
    registerAlias(alias);
    return true;
  }
  if (!m_AliasName.empty()) {
    auto& reg = registry();
    std::lock_guard lock(reg.mutex);
    auto it = reg.navigators.find(m_AliasName);
    if (it != reg.navigators.end() && it->second.lock().get() == this) reg.navigators.erase(it);
  }
  return false;
}

void QueryNavigator::registerAlias(const std::string& alias) {
  Ref<QueryNavigator> previous;
  {
    auto& reg = registry();
    std::lock_guard lock(reg.mutex);
    auto it = reg.navigators.find(alias);
    if (it != reg.navigators.end()) {
      previous = it->second.lock();
      reg.navigators.erase(it);
    }
  }
  if (previous && previous.get() != this) previous->close();
  m_AliasName = alias;
  auto& reg = registry();
  std::lock_guard lock(reg.mutex);
  reg.navigators[alias] = std::dynamic_pointer_cast<QueryNavigator>(shared_from_this());
}

std::string QueryNavigator::getMasterAliasName() {
  Guard guard(lock_);
  return m_MasterAliasName;
}

void QueryNavigator::setMasterAliasName(const std::string& master) {
  Guard guard(lock_);
  if (!plat::beans::Beans::isDesignTime() && !m_MasterAliasName.empty() && !master.empty() &&
      master != m_MasterAliasName) {
    announceApplication(QueryNavigatorTexts::get().warnMaster);
    return;
  }
  if (plat::beans::Beans::isDesignTime() || m_MasterAliasName.empty()) m_MasterAliasName = master;
}

std::string QueryNavigator::getRecordClassName() {
  Guard guard(lock_);
  return m_POClassName;
}

void QueryNavigator::setClassName(const std::string& name) {
  Guard guard(lock_);
  m_POClassName = name;
  classResolved_ = false;
  if (plat::beans::Beans::isDesignTime()) return;
  try {
    auto& classes = plat::runvale::ClassRegistry::instance();
    classes.forName(name);
    if (!classes.isAssignableTo(name, kPersistentObject)) throw plat::lang::ClassCastException(name);
    classResolved_ = true;
  } catch (const plat::lang::Exception& e) {
    announceApplication(e);
  }
}

void QueryNavigator::execute(bool live) {
  if (live == m_Live.load()) return;
  m_Live.store(live);
  if (!live || plat::beans::Beans::isDesignTime() || isClosed()) return;
  announceTask(TaskBusEvent::START_TASK, ChainTasks::applLoad(), ApplicationTask::connectingDB(), "");
  startQueryByExample();
  {
    Guard guard(lock_);
    if (!hasDirtySaveMessage_) {
      std::string table;
      if (auto record = currentRecord()) {
        const std::string dataName = record->getDataName(",");
        const auto at = dataName.find('@');
        table = at == std::string::npos ? m_POClassName : dataName.substr(0, at);
      }
      m_DirtySaveMessage = QueryNavigatorTexts::get().dirtySave + table;
      hasDirtySaveMessage_ = true;
    }
  }
  restart();
  announceTask(TaskBusEvent::END_TASK, ChainTasks::applLoad(), ApplicationTask::connectingDB(), "");
}

std::string QueryNavigator::getName() {
  Guard guard(lock_);
  return name_;
}

void QueryNavigator::setName(const std::string& name) {
  Guard guard(lock_);
  name_ = name;
}

std::string QueryNavigator::getDirtySaveMessage() {
  Guard guard(lock_);
  return m_DirtySaveMessage;
}

void QueryNavigator::setDirtySaveMessage(const std::string& message) {
  Guard guard(lock_);
  m_DirtySaveMessage = message;
  hasDirtySaveMessage_ = true;
}

std::string QueryNavigator::getSaveChangesWindowClass() {
  Guard guard(lock_);
  return m_SaveChangesWindowClass;
}

void QueryNavigator::setSaveChangesWindowClass(const std::string& className) {
  Guard guard(lock_);
  m_SaveChangesWindowClass = className;
}

void QueryNavigator::setApplet(const Ref<plat::lang::Object>& owner) {
  Guard guard(lock_);
  applet_ = owner;
}

Ref<plat::lang::Object> QueryNavigator::getApplet() {
  Guard guard(lock_);
  return applet_;
}

std::string QueryNavigator::toString() const {
  return m_AliasName;
}

// ---- cache and cursors ------------------------------------------------------------------------------------------

bool QueryNavigator::reach(int index) {
  while (static_cast<int>(m_ObjectVector.size()) <= index && m_ObjectEnumeration &&
         m_ObjectEnumeration->hasMoreElements()) {
    hasCache_ = true;
    m_ObjectVector.push_back(m_ObjectEnumeration->nextElement());
  }
  return static_cast<int>(m_ObjectVector.size()) > index;
}

Ref<plat::lang::Object> QueryNavigator::getElementAt(int index) {
  if (index < 0) throw PositionOutOfRangeException();
  Guard guard(lock_);
  if (reach(index)) return std::dynamic_pointer_cast<plat::lang::Object>(m_ObjectVector[index]);
  throw PositionOutOfRangeException();
}

QueryNavigator::RecordRef QueryNavigator::fetch(int index) {
  if (index < 0) return nullptr;
  // Straight from the cache: the records are the row set's elements, no cast needed.
  Guard guard(lock_);
  return reach(index) ? m_ObjectVector[index] : nullptr;
}

void QueryNavigator::fetchAll() {
  constexpr int kBatch = 256;
  for (int index = 0;;) {
    Guard guard(lock_);
    for (const int end = index + kBatch; index < end; ++index) {
      if (!reach(index) || !m_ObjectVector[index]) return;
    }
  }
}

int QueryNavigator::cacheSize() {
  Guard guard(lock_);
  return static_cast<int>(m_ObjectVector.size());
}

void QueryNavigator::installEnumeration(const Ref<PersistentObject::RecordEnumeration>& records, bool isNewSet) {
  Guard guard(lock_);
  m_ObjectEnumeration = records;
  m_ObjectVector.clear();
  touched_.clear();
  hasCache_ = false;
  if (m_NavigationCursor) {
    m_NavigationCursor->setPosition(-1);
    m_NavigationCursor->setFocus(nullptr);
  }
  dataChanged.store(false);
  newSet.store(isNewSet);
}

bool QueryNavigator::isExpandable() {
  Guard guard(lock_);
  return m_ObjectEnumeration && m_ObjectEnumeration->hasMoreElements();
}

QueryNavigator::RecordRef QueryNavigator::currentRecord() {
  Cursor* cursor = m_CurrentCursor.load();
  return cursor ? std::dynamic_pointer_cast<PersistentObject>(cursor->getFocus()) : nullptr;
}

int QueryNavigator::currentPosition() {
  Cursor* cursor = m_CurrentCursor.load();
  return cursor ? cursor->getPosition() : -1;
}

int QueryNavigator::navigationPosition() {
  return m_NavigationCursor ? m_NavigationCursor->getPosition() : -1;
}

bool QueryNavigator::onQBERow() {
  return m_QBECursor && m_CurrentCursor.load() == m_QBECursor.get();
}

bool QueryNavigator::isQBERow() {
  return onQBERow();
}

void QueryNavigator::makeNavigationCurrent() {
  m_CurrentCursor.store(m_NavigationCursor.get());
}

Ref<plat::lang::Object> QueryNavigator::getCurrentObject() {
  return std::dynamic_pointer_cast<plat::lang::Object>(currentRecord());
}

int QueryNavigator::getCurrentRowNumber() {
  return onQBERow() ? 0 : currentPosition();
}

int QueryNavigator::getTotalNumberOfRows() {
  if (newSet.load()) {
    fetchAll();
    newSet.store(false);
    announceRecordNavigateOnBoundary(RecordNavigateEvent(this, RecordNavigateEvent::RECORD_BOUNDARY_LAST_REACHED));
  }
  if (onQBERow()) return 1;
  Guard guard(lock_);
  return hasCache_ ? static_cast<int>(m_ObjectVector.size()) : 0;
}

bool QueryNavigator::isBOF() {
  return getCurrentRowNumber() == 0;
}

bool QueryNavigator::isEOF() {
  return !newSet.load() && currentPosition() + 1 == cacheSize();
}

bool QueryNavigator::isEmpty() {
  auto record = currentRecord();
  return !record || onQBERow();
}

std::string QueryNavigator::getRowState() {
  return getRowState(currentRecord());
}

std::string QueryNavigator::getRowState(const RecordRef& record) {
  const auto& texts = QueryNavigatorTexts::get();
  if (!record) return texts.noRows;
  if (record->getMarkedAsDeleted()) return texts.markAsDeleted;
  if (record->getMarkedAsNew()) return texts.markAsNew;
  if (record->getMarkedAsModified()) return texts.markAsModified;
  if (record->getMarkedAsQBE()) return texts.markAsQBE;
  return texts.markAsExisting;
}

// ---- cells ------------------------------------------------------------------------------------------------------

int QueryNavigator::bindingColumns() {
  return numberOfColumns_.load();
}

Value QueryNavigator::getValue(int row, int column) {
  const int columns = bindingColumns();
  const int v = columns > 0 ? column - columns + numberOfSpecialFeatures : -1;
  if (v == 3) return Value::ofObject(shared_from_this());
  if (!m_NavigationCursor) return {};
  if (currentPosition() == -1 && row > 0) return {};
  const bool qbe = onQBERow();
  RecordRef record;
  if (qbe) {
    record = std::dynamic_pointer_cast<PersistentObject>(m_QBECursor->getFocus());
  } else {
    record = fetch(navigationPosition() + row);
  }
  switch (v) {
    case 0:
      return qbe ? Value(0) : Value(getCurrentRowNumber() + BASE_FOR_ROW_NUMBER + row);
    case 1:
      if (qbe) return Value(0);
      return Value(record ? getRowState(record) : std::string());
    case 2:
      return Value(getTotalNumberOfRows());
    default:
      break;
  }
  if (!record || v > 3) return {};
  try {
    return record->getValueAsObject(column, PersistentObject::MODIFIED_VALUE);
  } catch (const plat::lang::Exception&) {
    return {};
  }
}

Value QueryNavigator::getValueFromFirst(int row, int column) {
  auto record = fetch(row);
  if (!record) return Value("");
  try {
    return record->getValueAsObject(column, PersistentObject::MODIFIED_VALUE);
  } catch (const plat::lang::Exception&) {
    return Value("");
  }
}

std::optional<std::map<std::string, Value>> QueryNavigator::findRecord(int column, const Value& value) {
  if (column < 0) return std::nullopt;
  try {
    const std::string wanted = value.toString();
    for (int i = 0;; ++i) {
      auto record = fetch(i);
      if (!record) return std::nullopt;
      if (record->getValueAsString(column, PersistentObject::ORIGINAL_VALUE) == wanted) return record->toHashtable();
    }
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::optional<std::map<std::string, Value>> QueryNavigator::findRecord(const std::string& columnName,
                                                                       const Value& value) {
  try {
    auto qbe = getQBEObject();
    return qbe ? findRecord(qbe->getColumnIndex(columnName), value) : std::nullopt;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::string QueryNavigator::columnName(const RecordRef& record, int column) {
  auto model = record->getDataModel();
  if (!model) return std::to_string(column);
  if (column < 0 || column >= model->getMemberCount())
    throw plat::lang::ArrayIndexOutOfBoundsException(std::to_string(column));
  return model->getMemberModel(column)->getName();
}

// ---- navigation -------------------------------------------------------------------------------------------------

bool QueryNavigator::handToLink(int code, std::optional<int> row) {
  auto link = getLink();
  if (!link) return true;
  try {
    link->navigate(code, row);
    return true;
  } catch (const ParentInvalidRecordException& e) {
    announceException(ExceptionEvent(ExceptionEvent::EXCEPTION_PARENT_INVALID_RECORD, e.getMessage(), this));
  } catch (const RelationshipPendingException& e) {
    if (e.getMessage() != kEasyWayOut)
      announceException(ExceptionEvent(ExceptionEvent::EXCEPTION_RELATIONSHIP_PENDING, e.getMessage(), this));
  } catch (const plat::lang::Exception& e) {
    // Failures the tree does not name are the application's.
    announceApplication(e);
  }
  return false;
}

void QueryNavigator::first() {
  if (isClosed()) return;
  handToLink(FIRST, std::nullopt);
}

void QueryNavigator::next() {
  if (isClosed()) return;
  announceTask(TaskBusEvent::START_TASK, ChainTasks::applNext(), ApplicationTask::nextTask(), "");
  if (!handToLink(NEXT, std::nullopt)) return;
  announceTask(TaskBusEvent::END_TASK, ChainTasks::applNext(), ApplicationTask::nextTask(),
               QueryNavigatorTexts::get().gotoRow + rowText(getCurrentRowNumber() + BASE_FOR_ROW_NUMBER));
}

void QueryNavigator::previous() {
  if (isClosed()) return;
  announceTask(TaskBusEvent::START_TASK, ChainTasks::applPrevious(), ApplicationTask::previousTask(), "");
  if (!handToLink(PREVIOUS, std::nullopt)) return;
  announceTask(TaskBusEvent::END_TASK, ChainTasks::applPrevious(), ApplicationTask::previousTask(),
               QueryNavigatorTexts::get().gotoRow + rowText(getCurrentRowNumber() + BASE_FOR_ROW_NUMBER));
}

void QueryNavigator::go_to(int row) {
  if (isClosed()) return;
  announceTask(TaskBusEvent::START_TASK, ChainTasks::applGoto(), ApplicationTask::gotoTask(), "");
  if (!handToLink(GOTO, row)) return;
  const auto& texts = QueryNavigatorTexts::get();
  const std::string& prefix = row == getTotalNumberOfRows() ? texts.lastRow : texts.gotoRow;
  announceTask(TaskBusEvent::END_TASK, ChainTasks::applGoto(), ApplicationTask::gotoTask(),
               prefix + rowText(getCurrentRowNumber() + BASE_FOR_ROW_NUMBER));
}

void QueryNavigator::last() {
  go_to(getTotalNumberOfRows());
}

void QueryNavigator::restart() {
  if (isClosed()) return;
  announceTask(TaskBusEvent::START_TASK, ChainTasks::applLoad(), ApplicationTask::connectingDB(), "");
  handToLink(RESTART, std::nullopt);
  announceTask(TaskBusEvent::END_TASK, ChainTasks::applLoad(), ApplicationTask::connectingDB(), "");
}

void QueryNavigator::insert() {
  if (isClosed()) return;
  announceTask(TaskBusEvent::START_TASK, ChainTasks::applNew(), ApplicationTask::newTask(), "");
  handToLink(INSERT, std::nullopt);
  announceTask(TaskBusEvent::END_TASK, ChainTasks::applNew(), ApplicationTask::newTask(),
               QueryNavigatorTexts::get().insert + rowText(getCurrentRowNumber() + BASE_FOR_ROW_NUMBER));
}

void QueryNavigator::startQBE() {
  if (isClosed()) return;
  try {
    if (plat::runvale::ClassRegistry::instance().isAssignableTo(getRecordClassName(), SQL_RECORD_DEFINITION)) {
      const auto& texts = QueryNavigatorTexts::get();
      throw plat::sql::SQLException(texts.startQBE1 + "startQBE" + texts.startQBE2);
    }
    if (!getLink()) return;
    announceRecordNavigateOnBeforeNavigate(RecordNavigateEvent(this, RecordNavigateEvent::RECORD_NAVIGATION_QBE));
    handToLink(QBE, std::nullopt);
    announceRecordNavigateOnAfterNavigate(RecordNavigateEvent(this, RecordNavigateEvent::RECORD_NAVIGATION_QBE));
  } catch (const plat::lang::Exception& e) {
    announceApplication(e);
  }
}

void QueryNavigator::executeQuery(Synchronizable*) {}

void QueryNavigator::navigate(int code, std::optional<int> row) {
  Guard guard(lock_);
  if (isClosed() || !m_NavigationCursor) return;
  try {
    switch (code) {
      case QBE:
        startQueryByExample();
        break;
      case FIRST:
        firstStep();
        break;
      case PREVIOUS:
        previousStep();
        break;
      case NEXT:
        nextStep(true);
        break;
      case GOTO:
        gotoStep(row);
        break;
      case RESTART:
        restartStep();
        break;
      case INSERT:
        insertIntern();
        break;
      default:
        throw plat::lang::IllegalArgumentException(QueryNavigatorTexts::get().navigate1);
    }
  } catch (const std::exception&) {
    // The dispatch ends quietly; the steps announced what they could.
  }
}

void QueryNavigator::firstStep() {
  announceTask(TaskBusEvent::START_TASK, ChainTasks::applFirst(), ApplicationTask::nextTask(), "");
  try {
    auto first = fetch(0);
    if (!first) {
      startQueryByExample();
      announceRecordNavigateOnBoundary(RecordNavigateEvent(this, RecordNavigateEvent::RECORD_BOUNDARY_NORECORDS, 0));
      announceException(ExceptionEvent(ExceptionEvent::EXCEPTION_NOROWS, "NO ROWS", this,
                                       std::make_shared<PositionOutOfRangeException>()));
      moveDataToUI(0, TriggerUIEvent::RECORDNAVIGATION);
      return;
    }
    const bool wasQBE = onQBERow();
    if (!wasQBE)
      announceRecordNavigateOnBeforeNavigate(
          RecordNavigateEvent(this, RecordNavigateEvent::RECORD_NAVIGATION_FIRST, 0, currentRecord(), nullptr));
    m_NavigationCursor->setPosition(0);
    makeNavigationCurrent();
    if (wasQBE)
      announceRecordNavigateOnBeforeNavigate(
          RecordNavigateEvent(this, RecordNavigateEvent::RECORD_NAVIGATION_FIRST, 0, currentRecord(), nullptr));
    moveDataToUI(getCurrentRowNumber(), TriggerUIEvent::RECORDNAVIGATION);
    announceRecordNavigateOnBoundary(RecordNavigateEvent(this, RecordNavigateEvent::RECORD_BOUNDARY_FIRST, 0));
    if (!fetch(1)) {
      getTotalNumberOfRows();
      announceRecordNavigateOnBoundary(RecordNavigateEvent(this, RecordNavigateEvent::RECORD_BOUNDARY_LAST, 0));
    }
    announceRecordNavigateOnAfterNavigate(RecordNavigateEvent(this, RecordNavigateEvent::RECORD_NAVIGATION_FIRST, 0,
                                                              nullptr, first, first->isDirty(), isDirty()));
    announceTask(TaskBusEvent::END_TASK, ChainTasks::applFirst(), ApplicationTask::nextTask(),
                 QueryNavigatorTexts::get().gotoRow + rowText(getCurrentRowNumber() + BASE_FOR_ROW_NUMBER));
  } catch (const plat::lang::Exception& e) {
    announceApplication(e);
  }
}

void QueryNavigator::nextStep(bool stopAtLast) {
  if (stopAtLast && isEOF()) return;
  const int n = currentPosition() + 1;
  const auto old = currentRecord();
  announceRecordNavigateOnBeforeNavigate(
      RecordNavigateEvent(this, RecordNavigateEvent::RECORD_NAVIGATION_NEXT, n, old, nullptr));
  auto found = fetch(n);
  bool lastReached = !found;
  if (found) {
    m_NavigationCursor->setPosition(n);
    makeNavigationCurrent();
    moveDataToUI(getCurrentRowNumber(), TriggerUIEvent::RECORDNAVIGATION);
    const bool ahead = static_cast<bool>(fetch(n + 1));
    if (ahead && n == 0)
      announceRecordNavigateOnBoundary(RecordNavigateEvent(this, RecordNavigateEvent::RECORD_BOUNDARY_FIRST, n));
    lastReached = !ahead;
  }
  if (lastReached) {
    getTotalNumberOfRows();
    announceRecordNavigateOnBoundary(RecordNavigateEvent(this, RecordNavigateEvent::RECORD_BOUNDARY_LAST, n));
  }
  if (found)
    announceRecordNavigateOnAfterNavigate(RecordNavigateEvent(this, RecordNavigateEvent::RECORD_NAVIGATION_NEXT, n, old,
                                                              found, found->isDirty(), isDirty()));
}

void QueryNavigator::previousStep() {
  try {
    const int n = currentPosition() - 1;
    auto found = fetch(n);
    const auto old = currentRecord();
    if (!found) {
      announceRecordNavigateOnBoundary(RecordNavigateEvent(this, RecordNavigateEvent::RECORD_BOUNDARY_FIRST, 0, nullptr,
                                                           nullptr, old && old->isDirty(), isDirty()));
      return;
    }
    announceRecordNavigateOnBeforeNavigate(
        RecordNavigateEvent(this, RecordNavigateEvent::RECORD_NAVIGATION_PREV, n, old, nullptr));
    m_NavigationCursor->setPosition(n);
    makeNavigationCurrent();
    moveDataToUI(getCurrentRowNumber(), TriggerUIEvent::RECORDNAVIGATION);
    const bool dirtyRecord = found->isDirty();
    const bool dirtySet = isDirty();
    announceRecordNavigateOnAfterNavigate(
        RecordNavigateEvent(this, RecordNavigateEvent::RECORD_NAVIGATION_PREV, n, old, found, dirtyRecord, dirtySet));
    if (!fetch(n - 1))
      announceRecordNavigateOnBoundary(RecordNavigateEvent(this, RecordNavigateEvent::RECORD_BOUNDARY_FIRST, 0, nullptr,
                                                           nullptr, dirtyRecord, dirtySet));
  } catch (const plat::lang::Exception& e) {
    announceApplication(e);
  }
}

void QueryNavigator::gotoStep(std::optional<int> row) {
  const int n = row.value_or(0);
  if (n <= 0) return;
  auto found = fetch(n - 1);
  if (!found) {
    announceApplication("Request for invalid row ignored.");
    return;
  }
  const auto old = currentRecord();
  announceRecordNavigateOnBeforeNavigate(
      RecordNavigateEvent(this, RecordNavigateEvent::RECORD_NAVIGATION_GOTO, n, old, nullptr));
  m_NavigationCursor->setPosition(n - 1);
  makeNavigationCurrent();
  moveDataToUI(getCurrentRowNumber(), TriggerUIEvent::RECORDNAVIGATION);
  RecordNavigateEvent after(this, RecordNavigateEvent::RECORD_NAVIGATION_GOTO, n, old, found, found->isDirty(),
                            isDirty());
  announceRecordNavigateOnAfterNavigate(after);
  if (isBOF()) {
    after.setEventType(RecordNavigateEvent::RECORD_BOUNDARY_FIRST);
    announceRecordNavigateOnBoundary(after);
  } else if (isEOF()) {
    after.setEventType(RecordNavigateEvent::RECORD_BOUNDARY_LAST);
    announceRecordNavigateOnBoundary(after);
  }
}

void QueryNavigator::restartStep() {
  announceTask(TaskBusEvent::START_TASK, ChainTasks::applRestart(), ApplicationTask::restartTask(), "");
  executeQueryByExample();
  newSet.store(false);
  announceTask(TaskBusEvent::END_TASK, ChainTasks::applRestart(), ApplicationTask::restartTask(), "");
}

void QueryNavigator::moveDataToUI(int row, int type) {
  const TriggerUIEvent event(this, row, type);
  for (const auto& listener : triggerListeners_.snapshot()) listener->commitUI(event);
}

// ---- listeners and announcements --------------------------------------------------------------------------------

void QueryNavigator::addTriggerUIListener(const Ref<TriggerUIListener>& listener) {
  triggerListeners_.add(listener);
}
void QueryNavigator::removeTriggerUIListener(const Ref<TriggerUIListener>& listener) {
  triggerListeners_.remove(listener);
}
void QueryNavigator::addColumnDataEventListener(const Ref<event::ColumnDataEventListener>& listener) {
  columnListeners_.addColumnDataEventListener(listener);
}
void QueryNavigator::removeColumnDataEventListener(const Ref<event::ColumnDataEventListener>& listener) {
  columnListeners_.removeColumnDataEventListener(listener);
}
void QueryNavigator::addExceptionEventListener(const Ref<ExceptionEventListener>& listener) {
  exceptionListeners_.addExceptionEventListener(listener);
}
void QueryNavigator::removeExceptionEventListener(const Ref<ExceptionEventListener>& listener) {
  exceptionListeners_.removeExceptionEventListener(listener);
}
void QueryNavigator::addRecordNavigateEventListener(const Ref<event::RecordNavigateEventListener>& listener) {
  navigateListeners_.addRecordNavigateEventListener(listener);
}
void QueryNavigator::removeRecordNavigateEventListener(const Ref<event::RecordNavigateEventListener>& listener) {
  navigateListeners_.removeRecordNavigateEventListener(listener);
}
void QueryNavigator::addRecordSaveEventListener(const Ref<event::RecordSaveEventListener>& listener) {
  saveListeners_.addRecordSaveEventListener(listener);
}
void QueryNavigator::removeRecordSaveEventListener(const Ref<event::RecordSaveEventListener>& listener) {
  saveListeners_.removeRecordSaveEventListener(listener);
}
void QueryNavigator::addRecordSaveEventExceptionListener(const Ref<event::RecordSaveEventExceptionListener>& listener) {
  saveExceptionListeners_.addRecordSaveEventExceptionListener(listener);
}
void QueryNavigator::removeRecordSaveEventExceptionListener(
    const Ref<event::RecordSaveEventExceptionListener>& listener) {
  saveExceptionListeners_.removeRecordSaveEventExceptionListener(listener);
}
void QueryNavigator::addPropertyChangeListener(const Ref<plat::beans::PropertyChangeListener>& listener) {
  propertySupport_.addPropertyChangeListener(listener);
}
void QueryNavigator::removePropertyChangeListener(const Ref<plat::beans::PropertyChangeListener>& listener) {
  propertySupport_.removePropertyChangeListener(listener);
}

void QueryNavigator::addExceptionListener(const Ref<ExceptionEventListener>& listener, const std::string& alias) {
  if (auto navigator = getQueryNavigatorObject(alias)) navigator->addExceptionEventListener(listener);
}

void QueryNavigator::removeExceptionListener(const Ref<ExceptionEventListener>& listener, const std::string& alias) {
  if (auto navigator = getQueryNavigatorObject(alias)) navigator->removeExceptionEventListener(listener);
}

Ref<QueryNavigator> QueryNavigator::getQueryNavigatorObject(const std::string& alias) {
  auto& reg = registry();
  std::lock_guard lock(reg.mutex);
  auto it = reg.navigators.find(alias);
  return it == reg.navigators.end() ? nullptr : it->second.lock();
}

void QueryNavigator::announceException(const ExceptionEvent& event) {
  exceptionsAnnounced_.fetch_add(1);
  try {
    exceptionListeners_.fireExceptionEvent(event);
  } catch (const plat::lang::Exception&) {
    // A failing exception listener must not turn a reported failure into a thrown one.
  } catch (const std::bad_alloc&) {
    throw;
  }
}

void QueryNavigator::announceApplication(const std::string& message) {
  announceException(ExceptionEvent(ExceptionEvent::EXCEPTION_APPLICATION, message, this));
}

void QueryNavigator::announceApplication(const plat::lang::Throwable& failure) {
  announceException(ExceptionEvent(ExceptionEvent::EXCEPTION_APPLICATION, failure.getMessage(), this, failure.clone()));
}

void QueryNavigator::announceOnBeforeColumnDataChange(const event::ColumnDataEvent& event) {
  columnListeners_.fireBeforeColumnDataChange(event);
}
void QueryNavigator::announceOnAfterColumnDataChange(const event::ColumnDataEvent& event) {
  columnListeners_.fireAfterColumnDataChange(event);
}
void QueryNavigator::announceOnBeforeRecordSave(const event::RecordSaveEvent& event) {
  saveListeners_.fireBeforeRecordSave(event);
}
void QueryNavigator::announceOnAfterRecordSave(const event::RecordSaveEvent& event) {
  saveListeners_.fireAfterRecordSave(event);
}
void QueryNavigator::announceRecordNavigateOnBeforeNavigate(const RecordNavigateEvent& event) {
  navigateListeners_.fireBeforeRecordNavigate(event);
}
void QueryNavigator::announceRecordNavigateOnAfterNavigate(const RecordNavigateEvent& event) {
  navigateListeners_.fireAfterRecordNavigate(event);
}
void QueryNavigator::announceRecordNavigateOnBoundary(const RecordNavigateEvent& event) {
  navigateListeners_.fireBoundaryRecord(event);
}

void QueryNavigator::announceTask(int type, const Ref<ChainTasks>& chain, const Ref<ApplicationTask>& task,
                                  const std::string& message) {
  auto bus = taskAction_ ? taskAction_->getTaskBus() : nullptr;
  if (bus) bus->announceData(TaskBusEvent(type, chain, task, this, message));
}

void QueryNavigator::handleExceptionEvent(const ExceptionEvent& event) {
  plat::lang::System::out().println(event.getExceptionName());
}

// ---- link, mediator, close --------------------------------------------------------------------------------------

Ref<SynchronizerLink> QueryNavigator::getLink() {
  Guard guard(lock_);
  return m_SynchronizerLink;
}

void QueryNavigator::setLink(const Ref<SynchronizerLink>& link) {
  Ref<SynchronizerLink> old;
  {
    Guard guard(lock_);
    old = m_SynchronizerLink;
    m_SynchronizerLink = link;
  }
  auto self = std::dynamic_pointer_cast<plat::beans::PropertyChangeListener>(shared_from_this());
  if (old && old != link) old->removePropertyChangeListener(self);
  if (link && link != old) link->addPropertyChangeListener(self);
}

Ref<MediatorDS> QueryNavigator::getMediatorDS() {
  Guard guard(lock_);
  if (!mediatords_ && m_NavigationCursor && !isClosed()) {
    mediatords_ = plat::lang::makeRef<MediatorDS>();
    mediatords_->setOutput(shared_from_this());
    mediatords_->setGetMethods({MediatorDS::SourceGetDescriptor});
    mediatords_->setSetMethods({MediatorDS::SourceSetDescriptor});
  }
  return mediatords_;
}

void QueryNavigator::close() {
  if (!closeIntern()) return;
  // Announced outside the navigator's lock: the link leaves its tree under the synchroniser's lock.
  propertySupport_.firePropertyChange("close", Value(false), Value(true));
  if (auto link = getLink())
    link->removePropertyChangeListener(
        std::dynamic_pointer_cast<plat::beans::PropertyChangeListener>(shared_from_this()));
}

bool QueryNavigator::closeIntern() {
  Guard guard(lock_);
  if (plat::beans::Beans::isDesignTime() || closed_.exchange(true)) return false;
  for (const auto& record : m_ObjectVector) {
    try {
      record->close();
    } catch (const plat::lang::Exception&) {
    }
  }
  {
    auto& reg = registry();
    std::lock_guard lock(reg.mutex);
    auto it = reg.navigators.find(m_AliasName);
    if (it != reg.navigators.end() && it->second.lock().get() == this) reg.navigators.erase(it);
  }
  if (mediatords_) {
    try {
      mediatords_->killAll();
    } catch (const plat::lang::Exception& e) {
      announceException(ExceptionEvent(ExceptionEvent::EXCEPTION_APPLICATION, QueryNavigatorTexts::get().closeException,
                                       this, e.clone()));
    }
  }
  return true;
}

void QueryNavigator::propertyChange(const plat::beans::PropertyChangeEvent& event) {
  if (event.getPropertyName() == "close") close();
}

}  // namespace quenlora::zafoli::db::beans::binding
