// The editing and saving half of the query navigator: cell writes, deletion, insertion, undo, the query-by-example
// row, the save passes and the commit of record states.
#include <algorithm>

#include "platform/beans/Beans.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/System.h"
#include "platform/runvale/ClassRegistry.h"
#include "platform/sql/SQLException.h"
#include "platform/text/ParseException.h"
#include "quenlora/zafoli/db/beans/binding/ApplicationTask.h"
#include "quenlora/zafoli/db/beans/binding/ChainTasks.h"
#include "quenlora/zafoli/db/beans/binding/MediatorDS.h"
#include "quenlora/zafoli/db/beans/binding/Name.h"
#include "quenlora/zafoli/db/beans/binding/ParentInvalidRecordException.h"
#include "quenlora/zafoli/db/beans/binding/PositionOutOfRangeException.h"
#include "quenlora/zafoli/db/beans/binding/QueryNavigator.h"
#include "quenlora/zafoli/db/beans/binding/QueryNavigatorTexts.h"
#include "quenlora/zafoli/db/beans/binding/RelationshipPendingException.h"
#include "quenlora/zafoli/db/beans/binding/SaveTransactionChanges.h"
#include "quenlora/zafoli/db/beans/binding/event/RecordSaveException.h"
#include "quenlora/zafoli/db/beans/binding/taskbus/TaskBus.h"
#include "quenlora/zafoli/db/beans/util/LocalizedValueGenerator.h"

namespace quenlora::zafoli::db::beans::binding {

using event::ColumnDataEvent;
using event::RecordNavigateEvent;
using event::RecordSaveEvent;
using event::RecordSaveException;
using plat::lang::Ref;
using plat::lang::Value;
using taskbus::TaskBusEvent;
using Guard = std::lock_guard<plat::thread::Monitor>;

namespace {

constexpr const char* kEasyWayOut = "Easy way out";
constexpr int kIntegerType = 4;  // the JDBC type code of INTEGER

}  // namespace

// ---- cell writes ------------------------------------------------------------------------------------------------

void QueryNavigator::setValue(const Value& value, int row, int column) {
  if (isClosed() || !m_NavigationCursor) return;
  const int columns = bindingColumns();
  const int v = columns > 0 ? column - columns + numberOfSpecialFeatures : -1;
  if (v >= 0) {
    // A write of RowNumber is a move: it goes to the synchroniser, which takes its own lock before this monitor,
    // so the monitor must not be held here (see QuerySynchronizer.h).
    if (v != 0 || onQBERow()) return;
    Value target;
    try {
      target = util::LocalizedValueGenerator::parseNumberValue(value.toString(), kIntegerType);
    } catch (const plat::text::ParseException& e) {
      plat::lang::System::out().println(e.getMessage());
      throw PositionOutOfRangeException();
    }
    go_to(target.intValue());
    return;
  }
  Guard guard(lock_);
  if (isClosed()) return;
  const auto& texts = QueryNavigatorTexts::get();
  announceTask(TaskBusEvent::START_TASK, ChainTasks::applUpdate(), ApplicationTask::updateTask(), "");
  std::string name;
  try {
    const bool qbe = row == 0 && onQBERow();
    RecordRef record = row == 0 ? currentRecord() : fetch(navigationPosition() + row);
    if (!record) return;
    name = columnName(record, column);
    const Value old = record->getValueAsObject(column, PersistentObject::MODIFIED_VALUE);
    if (qbe) {
      announceOnBeforeColumnDataChange(
          ColumnDataEvent(this, QBE_ROW_NUMBER, column, old, value, ColumnDataEvent::COLUMN_CHANGED));
      record->setValueAsQBE(column, value, false);
      announceOnAfterColumnDataChange(ColumnDataEvent(
          this, QBE_ROW_NUMBER, column, old, record->getValueAsObject(column, PersistentObject::MODIFIED_VALUE),
          ColumnDataEvent::COLUMN_CHANGED));
    } else {
      const int current = getCurrentRowNumber();
      announceOnBeforeColumnDataChange(
          ColumnDataEvent(this, current, column, old, value, ColumnDataEvent::COLUMN_CHANGED));
      record->setValueAsObject(column, value);
      const Value now = record->getValueAsObject(column, PersistentObject::MODIFIED_VALUE);
      setDisplaced(column, now, record);
      touch(record);
      dataChanged.store(true);
      announceOnAfterColumnDataChange(
          ColumnDataEvent(this, current, column, old, now, ColumnDataEvent::COLUMN_CHANGED));
    }
    moveDataToUI(getCurrentRowNumber(), TriggerUIEvent::RECORDCHANGED);
    announceTask(TaskBusEvent::END_TASK, ChainTasks::applUpdate(), ApplicationTask::updateTask(),
                 texts.setValue3 + name + texts.setValue2 + value.toString());
  } catch (const plat::lang::NumberFormatException& e) {
    moveDataToUI(getCurrentRowNumber(), TriggerUIEvent::FORCEREFRESH);
    announceException(
        ExceptionEvent(ExceptionEvent::EXCEPTION_CAST, e.getMessage() + texts.setValue1 + name, this, e.clone()));
  } catch (const plat::lang::Exception& e) {
    // Index, fetch and record-state failures, and every other failure, are the application's.
    announceApplication(e);
  }
}

void QueryNavigator::setValueAsQBE(const Value& value, int column) {
  if (!m_QBECursor) return;
  Guard guard(lock_);
  getQBEObject();
  Cursor* previous = m_CurrentCursor.exchange(m_QBECursor.get());
  try {
    setValue(value, 0, column);
  } catch (...) {
    m_CurrentCursor.store(previous);
    throw;
  }
  m_CurrentCursor.store(previous);
}

void QueryNavigator::setValueFromFirst(const Value& value, int row, int column) {
  Guard guard(lock_);
  auto record = fetch(row);
  if (!record) {
    announceApplication(PositionOutOfRangeException());
    return;
  }
  try {
    const int current = getCurrentRowNumber();
    announceOnBeforeColumnDataChange(ColumnDataEvent(this, current, column,
                                                     record->getValueAsObject(column, PersistentObject::MODIFIED_VALUE),
                                                     value, ColumnDataEvent::COLUMN_CHANGED));
    record->setValueAsObject(column, value);
    const Value now = record->getValueAsObject(column, PersistentObject::MODIFIED_VALUE);
    setDisplaced(column, now, record);
    touch(record);
    dataChanged.store(true);
    announceOnAfterColumnDataChange(ColumnDataEvent(
        this, current, column, now, value,
        record->getMarkedAsModified() ? ColumnDataEvent::COLUMN_CHANGED : ColumnDataEvent::COLUMN_UNDO));
    moveDataToUI(current, TriggerUIEvent::RECORDCHANGED);
  } catch (const plat::lang::Exception& e) {
    announceApplication(e);
  }
}

void QueryNavigator::setDisplaced(int, const Value&, const RecordRef&) {}

// ---- delete, insert, undo ---------------------------------------------------------------------------------------

void QueryNavigator::deleteRecord() {
  Guard guard(lock_);
  // The query-by-example row is no data, and without a current record there is nothing to mark.
  if (isClosed() || onQBERow() || !currentRecord()) return;
  announceTask(TaskBusEvent::START_TASK, ChainTasks::applDelete(), ApplicationTask::deleteTask(), "");
  const ColumnDataEvent event(this, getCurrentRowNumber(), 0, Value(), Value(), ColumnDataEvent::COLUMN_DELETED);
  announceOnBeforeColumnDataChange(event);
  setMarkedAsDeleted();
  dataChanged.store(true);
  moveDataToUI(getCurrentRowNumber(), TriggerUIEvent::RECORDDELETED);
  announceOnAfterColumnDataChange(event);
  announceTask(TaskBusEvent::END_TASK, ChainTasks::applDelete(), ApplicationTask::deleteTask(),
               QueryNavigatorTexts::get().deleteRow + std::to_string(navigationPosition() + BASE_FOR_ROW_NUMBER));
}

void QueryNavigator::setMarkedAsDeleted() {
  Guard guard(lock_);
  if (onQBERow()) return;
  try {
    if (auto record = currentRecord()) {
      record->setMarkedAsDeleted(true);
      touch(record);
      dataChanged.store(true);
    }
  } catch (const plat::lang::Exception& e) {
    announceApplication(e);
  }
}

QueryNavigator::RecordRef QueryNavigator::newRecord() {
  std::string className;
  {
    Guard guard(lock_);
    className = m_POClassName;
  }
  auto object = plat::runvale::ClassRegistry::instance().newInstance(className);
  auto record = std::dynamic_pointer_cast<PersistentObject>(object);
  if (!record) throw plat::lang::ClassCastException(className);
  return record;
}

void QueryNavigator::initPO(const RecordRef& record) {
  Guard guard(lock_);
  record->initDataStorage();
}

void QueryNavigator::insertIntern() {
  if (!m_Live.load() || onQBERow()) restart();
  announceRecordNavigateOnBeforeNavigate(RecordNavigateEvent(this, RecordNavigateEvent::RECORD_NAVIGATION_NEW));
  RecordRef record;
  try {
    record = newRecord();
    initPO(record);
  } catch (const plat::lang::Exception& e) {
    announceApplication(e);
    return;
  }
  record->setMarkedAsNew(true);
  Guard guard(lock_);
  hasCache_ = true;
  const int size = static_cast<int>(m_ObjectVector.size());
  const int p = std::min(std::max(navigationPosition(), 0), size);
  m_ObjectVector.insert(m_ObjectVector.begin() + p, record);
  m_NavigationCursor->setPosition(p);
  makeNavigationCurrent();
  announceRecordNavigateOnAfterNavigate(
      RecordNavigateEvent(this, RecordNavigateEvent::RECORD_NAVIGATION_NEW, p, nullptr, record));
}

void QueryNavigator::undoChanges() {
  if (isClosed()) return;
  announceTask(TaskBusEvent::START_TASK, ChainTasks::applClear(), ApplicationTask::clearTask(), "");
  try {
    if (auto record = currentRecord()) {
      const ColumnDataEvent event(this, onQBERow() ? QBE_ROW_NUMBER : getCurrentRowNumber(), 0, Value(), Value(),
                                  ColumnDataEvent::COLUMN_UNDO);
      announceOnBeforeColumnDataChange(event);
      for (int column : record->getModifiedColumns())
        setValue(record->getValueAsObject(column, PersistentObject::ORIGINAL_VALUE), 0, column);
      if (!record->getMarkedAsNew()) record->resetState();
      if (!record->getMarkedAsModified()) announceOnAfterColumnDataChange(event);
      moveDataToUI(getCurrentRowNumber(), TriggerUIEvent::RECORDCHANGED);
    }
  } catch (const plat::lang::Exception& e) {
    announceApplication(e);
  }
  announceTask(TaskBusEvent::END_TASK, ChainTasks::applClear(), ApplicationTask::clearTask(), "");
}

void QueryNavigator::undoColumnChanges(int column) {
  if (isClosed()) return;
  try {
    auto record = currentRecord();
    if (!record) return;
    const ColumnDataEvent event(this, onQBERow() ? QBE_ROW_NUMBER : getCurrentRowNumber(), 0, Value(), Value(),
                                ColumnDataEvent::COLUMN_UNDO);
    announceOnBeforeColumnDataChange(event);
    record->undoColumnChanges(column);
    if (!record->getMarkedAsModified()) announceOnAfterColumnDataChange(event);
    moveDataToUI(getCurrentRowNumber(), TriggerUIEvent::RECORDCHANGED);
  } catch (const plat::lang::Exception& e) {
    announceApplication(e);
  }
}

// ---- the query-by-example row -----------------------------------------------------------------------------------

void QueryNavigator::createQueryByExampleRow() {
  Guard guard(lock_);
  if (!m_QBECursor) return;
  RecordRef record;
  try {
    record = newRecord();
    initPO(record);
    record->setMarkedAsQBE(true);
  } catch (const plat::lang::Exception& e) {
    plat::lang::System::out().println(e.getMessage());
    return;
  }
  try {
    m_QBECursor->setFocus(std::dynamic_pointer_cast<plat::lang::Object>(record));
    m_CurrentCursor.store(m_QBECursor.get());
    const std::string dataName = record->getDataName(",");
    const auto at = dataName.find('@');
    const std::string columns =
        (at == std::string::npos ? dataName : dataName.substr(at + 1)) + Name::VirtualColumnsSuffix;
    numberOfColumns_.store(Name::getNumberOfCols(columns));
    if (!m_AliasName.empty()) {
      getMediatorDS();
      const std::string fullName = Name(m_AliasName, columns).getFullName();
      for (const auto& listener : triggerListeners_.snapshot()) listener->setDataBinding(fullName);
    }
    moveDataToUI(0, TriggerUIEvent::FORCEREFRESH);
  } catch (const plat::lang::Exception& e) {
    announceApplication(e);
    throw plat::lang::RuntimeException(e.getMessage());
  }
}

QueryNavigator::RecordRef QueryNavigator::getQBEObject() {
  if (!m_QBECursor) return nullptr;
  Guard guard(lock_);
  if (!m_QBECursor->getFocus()) createQueryByExampleRow();
  return std::dynamic_pointer_cast<PersistentObject>(m_QBECursor->getFocus());
}

void QueryNavigator::startQueryByExample() {
  Guard guard(lock_);
  if (isClosed() || !m_QBECursor) return;
  announceTask(TaskBusEvent::START_TASK, ChainTasks::applQbe(), ApplicationTask::qbeTask(), "");
  getQBEObject();
  m_CurrentCursor.store(m_QBECursor.get());
  moveDataToUI(0, TriggerUIEvent::RECORDSETCHANGED);
  announceTask(TaskBusEvent::END_TASK, ChainTasks::applQbe(), nullptr, "");
}

void QueryNavigator::executeQueryByExample() {
  Guard guard(lock_);
  if (!m_QBECursor) return;
  auto qbe = std::dynamic_pointer_cast<PersistentObject>(m_QBECursor->getFocus());
  if (!qbe || !qbe->isDirty()) return;
  try {
    qbe->checkQBEValues();
  } catch (const plat::lang::Throwable& e) {
    const auto& texts = QueryNavigatorTexts::get();
    const std::string message = e.getMessage() + texts.invalidQBE1;
    announceException(ExceptionEvent(ExceptionEvent::EXCEPTION_CAST, message, this,
                                     std::make_shared<plat::lang::Exception>(message)));
    throw plat::lang::RuntimeException(texts.invalidQBE2);
  }
}

Ref<Connection> QueryNavigator::getConnection() {
  auto qbe = getQBEObject();
  return qbe ? qbe->getConnection() : nullptr;
}

// ---- dirtiness --------------------------------------------------------------------------------------------------

void QueryNavigator::touch(const RecordRef& record) {
  Guard guard(lock_);
  if (std::find(touched_.begin(), touched_.end(), record) == touched_.end()) touched_.push_back(record);
}

bool QueryNavigator::isDirty() {
  if (!dataChanged.load()) return false;
  Guard guard(lock_);
  if (!hasCache_) return false;
  return std::any_of(touched_.begin(), touched_.end(), [](const RecordRef& r) { return r->isDirty(); });
}

int QueryNavigator::getDirtyRowsNumber() {
  Guard guard(lock_);
  return static_cast<int>(std::count_if(m_ObjectVector.begin(), m_ObjectVector.end(), [](const RecordRef& r) {
    return r->getOperation() != PersistentObject::NOTHING_OPERATION;
  }));
}

// ---- saving from the application --------------------------------------------------------------------------------

namespace {

// Runs a hand-over to the link, reporting its failures as the navigation does.
template <class Call>
void reportLinkFailures(QueryNavigator& navigator, Call call) {
  try {
    call();
  } catch (const ParentInvalidRecordException& e) {
    navigator.announceException(
        ExceptionEvent(ExceptionEvent::EXCEPTION_PARENT_INVALID_RECORD, e.getMessage(), &navigator));
  } catch (const RelationshipPendingException& e) {
    if (e.getMessage() != kEasyWayOut)
      navigator.announceException(
          ExceptionEvent(ExceptionEvent::EXCEPTION_RELATIONSHIP_PENDING, e.getMessage(), &navigator));
  } catch (const plat::lang::Exception& e) {
    navigator.announceException(
        ExceptionEvent(ExceptionEvent::EXCEPTION_APPLICATION, e.getMessage(), &navigator, e.clone()));
  }
}

}  // namespace

void QueryNavigator::save() {
  // The link is called without the navigator's lock: the synchroniser is taken before any navigator.
  auto link = getLink();
  if (!link || isClosed()) return;
  reportLinkFailures(*this, [&] {
    if (dbEngineType.load() == 7)
      link->saveAll();
    else
      link->save();
  });
}

int QueryNavigator::saveAll() {
  auto link = getLink();
  if (link && !isClosed()) reportLinkFailures(*this, [&] { link->saveAll(); });
  return 0;
}

int QueryNavigator::saveAllLevels() {
  auto link = getLink();
  if (link && !isClosed()) reportLinkFailures(*this, [&] { link->saveAllLevels(); });
  return 0;
}

// ---- save passes ------------------------------------------------------------------------------------------------

int QueryNavigator::saveTypeOf(const RecordRef& record) {
  if (record->getMarkedAsNew()) return RecordSaveEvent::RECORDSAVETYPE_INSERT;
  if (record->getMarkedAsModified()) return RecordSaveEvent::RECORDSAVETYPE_UPDATE;
  if (record->getMarkedAsDeleted()) return RecordSaveEvent::RECORDSAVETYPE_DELETE;
  return RecordSaveEvent::RECORDSAVETYPE_UNKNOWN;
}

std::string QueryNavigator::operationText(int operation) {
  const auto& texts = QueryNavigatorTexts::get();
  switch (operation) {
    case PersistentObject::NOTHING_OPERATION:
      return texts.saveNothing;
    case PersistentObject::INSERTED_OPERATION:
      return texts.saveInserted;
    case PersistentObject::MODIFIED_OPERATION:
      return texts.saveUpdated;
    case PersistentObject::DELETED_OPERATION:
      return texts.saveDeleted;
    default:
      throw plat::lang::IllegalArgumentException("Invalid try to call getOperation in QueryNavigator");
  }
}

void QueryNavigator::listWritten(const RecordRef& record) {
  if (std::find(m_UpdatedRecordsVector.begin(), m_UpdatedRecordsVector.end(), record) == m_UpdatedRecordsVector.end())
    m_UpdatedRecordsVector.push_back(record);
}

void QueryNavigator::listRemoved(const RecordRef& record) {
  if (std::find(m_DeletedRecordsVector.begin(), m_DeletedRecordsVector.end(), record) == m_DeletedRecordsVector.end())
    m_DeletedRecordsVector.push_back(record);
}

int QueryNavigator::saveAll(int mode) {
  try {
    if (mode == SAVE_DELETED_DIRTY_DATA) {
      {
        Guard guard(lock_);
        m_UpdatedRecordsVector.clear();
        m_DeletedRecordsVector.clear();
        rowsSaved = 0;
      }
      announceOnBeforeRecordSave(RecordSaveEvent(this, RecordSaveEvent::RECORD_SAVE_ALL, getDirtyRowsNumber(),
                                                 RecordSaveEvent::RECORDSAVETYPE_UNKNOWN, nullptr));
    }
    int result = 0;
    switch (mode) {
      case SAVE_ALL_DIRTY_DATA:
      case SAVE_DELETED_DIRTY_DATA:
        result = recordPass(mode);
        break;
      case SAVE_CURRENT_RECORD:
        result = saveIntern();
        break;
      case CLEAR_ALL_DATA:
        clearAll();
        break;
      default:
        throw plat::lang::IllegalArgumentException(QueryNavigatorTexts::get().saveAll1);
    }
    if (mode == SAVE_ALL_DIRTY_DATA) {
      int rows = 0;
      {
        Guard guard(lock_);
        rows = rowsSaved;
      }
      announceOnAfterRecordSave(RecordSaveEvent(this, RecordSaveEvent::RECORD_SAVE_ALL, rows,
                                                RecordSaveEvent::RECORDSAVETYPE_UNKNOWN, nullptr));
    }
    return result;
  } catch (const RelationshipPendingException& e) {
    if (e.getMessage() != kEasyWayOut)
      announceException(ExceptionEvent(ExceptionEvent::EXCEPTION_RELATIONSHIP_PENDING, e.getMessage(), this));
    return 0;
  }
}

void QueryNavigator::clearAll() {
  Guard guard(lock_);
  m_ObjectVector.clear();
  hasCache_ = false;
  m_ObjectEnumeration.reset();
  touched_.clear();
  if (m_NavigationCursor) {
    m_NavigationCursor->setPosition(-1);
    m_NavigationCursor->setFocus(nullptr);
  }
  dataChanged.store(false);
  announceRecordNavigateOnBeforeNavigate(RecordNavigateEvent(this, RecordNavigateEvent::RECORD_NAVIGATION_QBE));
  startQueryByExample();
  announceRecordNavigateOnAfterNavigate(RecordNavigateEvent(this, RecordNavigateEvent::RECORD_NAVIGATION_QBE));
}

int QueryNavigator::recordPass(int mode) {
  std::vector<RecordRef> records;
  {
    Guard guard(lock_);
    if (!hasCache_) return rowsSaved;
  }
  announceTask(TaskBusEvent::START_TASK, ChainTasks::applSaveAll(), ApplicationTask::saveAllTask(), "");
  {
    Guard guard(lock_);
    if (m_ObjectVector.empty()) return rowsSaved;
    if (plat::runvale::ClassRegistry::instance().isAssignableTo(m_POClassName, RECORD_DEFINITION)) {
      try {
        m_ObjectVector.front()->getConnection();
      } catch (const plat::lang::Exception& e) {
        announceApplication(e);
        throw plat::lang::RuntimeException(e.getMessage());
      }
    }
    records = m_ObjectVector;
  }
  showSaveWindow.store(true);
  int inserted = 0, updated = 0, deleted = 0;
  int i = 0;
  for (const auto& record : records) {
    ++i;
    try {
      // The record's state and its write are read under the monitor, as edits on other threads write them; the
      // listeners and the failure prompt run outside it.
      bool markedDeleted = false;
      int operation = PersistentObject::NOTHING_OPERATION;
      int saveType = 0;
      {
        Guard guard(lock_);
        markedDeleted = record->getMarkedAsDeleted();
        if (mode == SAVE_ALL_DIRTY_DATA ? markedDeleted : !markedDeleted) continue;
        operation = record->getOperation();
        saveType = saveTypeOf(record);
      }
      int rows = 0;
      if (operation != PersistentObject::NOTHING_OPERATION) {
        announceOnBeforeRecordSave(RecordSaveEvent(this, RecordSaveEvent::RECORD_SAVE_ONE, 1, saveType, record));
        std::shared_ptr<plat::lang::Throwable> failure;
        std::string statement;
        {
          Guard guard(lock_);
          try {
            rows = record->save();
          } catch (const plat::lang::Exception& e) {
            failure = e.clone();
            statement = record->getStatement();
          }
        }
        if (failure) {
          announceApplication(*failure);
          // The failed record keeps its state and stays off the lists, whatever the handling decides.
          announceRecordSaveException(RecordSaveEvent(
              this,
              mode == SAVE_ALL_DIRTY_DATA ? RecordSaveEvent::RECORD_SAVE_ONE : RecordSaveEvent::RECORDSAVE_EXCEPTION, 1,
              mode == SAVE_ALL_DIRTY_DATA ? saveType : RecordSaveEvent::RECORDSAVETYPE_DELETE, record, failure,
              statement));
          continue;
        }
      }
      {
        Guard guard(lock_);
        rowsSaved += rows;
        if (mode == SAVE_ALL_DIRTY_DATA) {
          if (record->getMarkedAsMisplaced()) listRemoved(record);
          listWritten(record);
        } else {
          listRemoved(record);
        }
      }
      if (operation == PersistentObject::INSERTED_OPERATION) ++inserted;
      if (operation == PersistentObject::MODIFIED_OPERATION) ++updated;
      if (mode == SAVE_DELETED_DIRTY_DATA && operation != PersistentObject::NOTHING_OPERATION) ++deleted;
      if (rows >= 1)
        announceOnAfterRecordSave(RecordSaveEvent(this, RecordSaveEvent::RECORD_SAVE_ONE, 1, saveType, record));
    } catch (const plat::lang::Exception& e) {
      const auto& texts = QueryNavigatorTexts::get();
      const std::string message = texts.saIntern1 + std::to_string(i) + texts.saIntern2 + e.getMessage();
      announceException(ExceptionEvent(ExceptionEvent::EXCEPTION_APPLICATION, message, this, e.clone()));
      throw plat::sql::SQLException(e.getMessage());
    }
  }
  int total = 0;
  {
    Guard guard(lock_);
    total = rowsSaved;
  }
  if (total > 0) {
    try {
      const auto& texts = QueryNavigatorTexts::get();
      const std::pair<int, int> counts[] = {{PersistentObject::INSERTED_OPERATION, inserted},
                                            {PersistentObject::MODIFIED_OPERATION, updated},
                                            {PersistentObject::DELETED_OPERATION, deleted}};
      for (const auto& [operation, count] : counts)
        if (count > 0)
          announceTask(TaskBusEvent::END_TASK, ChainTasks::applSaveAll(), ApplicationTask::saveAllTask(),
                       operationText(operation) + std::to_string(count) + " " + texts.saIntern3);
    } catch (const plat::lang::Exception& e) {
      plat::lang::System::out().println("EXCEPTION" + e.getMessage());
    }
  }
  return total;
}

int QueryNavigator::saveIntern() {
  Guard guard(lock_);
  m_UpdatedRecordsVector.clear();
  m_DeletedRecordsVector.clear();
  const auto& texts = QueryNavigatorTexts::get();
  announceTask(TaskBusEvent::START_TASK, ChainTasks::applSave(), ApplicationTask::saveTask(),
               texts.saveIntern + std::to_string(navigationPosition() + BASE_FOR_ROW_NUMBER));
  if (isEmpty()) return 0;
  auto record = currentRecord();
  const int saveType = saveTypeOf(record);
  const bool markedDeleted = record->getMarkedAsDeleted();
  const bool misplaced = record->getMarkedAsMisplaced();
  const int operation = record->getOperation();
  try {
    const std::string text = operationText(operation);
    if (operation != PersistentObject::NOTHING_OPERATION)
      announceOnBeforeRecordSave(RecordSaveEvent(this, RecordSaveEvent::RECORD_SAVE_ONE, 1, saveType, record));
    const int rows = record->save();
    if (!markedDeleted && !misplaced)
      listWritten(record);
    else
      listRemoved(record);
    announceOnAfterRecordSave(RecordSaveEvent(this, RecordSaveEvent::RECORD_SAVE_ONE, rows, saveType, record));
    moveDataToUI(getCurrentRowNumber(), TriggerUIEvent::RECORDCHANGED);
    announceTask(TaskBusEvent::END_TASK, ChainTasks::applSave(), ApplicationTask::saveTask(),
                 text + std::to_string(rows) + " " + texts.saIntern4);
    return rows;
  } catch (const plat::lang::Exception& e) {
    announceApplication(e);
    throw plat::sql::SQLException(e.getMessage());
  }
}

// ---- record-save exceptions -------------------------------------------------------------------------------------

void QueryNavigator::announceRecordSaveException(const RecordSaveEvent& event) {
  const auto listeners = saveExceptionListeners_.getListeners();
  if (listeners.empty()) {
    const auto& failure = event.getException();
    throw RecordSaveException(failure ? failure->getMessage() : std::string(), event);
  }
  const Ref<event::RecordSaveEventExceptionListener> own = selfSaveListener_;
  bool ownListed = false;
  for (const auto& listener : listeners) {
    if (listener == own) {
      ownListed = true;
      continue;
    }
    listener->onRecordSaveException(event);
  }
  if (ownListed) own->onRecordSaveException(event);
}

void QueryNavigator::onRecordSaveException(const RecordSaveEvent& event) {
  const std::string windowClass = getSaveChangesWindowClass();
  const bool swing = windowClass == SAVE_DEFAULT_JFC11_WINDOW;
  if (windowClass != SAVE_DEFAULT_JFC_WINDOW && !swing) throw RecordSaveException("", event);
  if (!showSaveWindow.load()) return;
  int answer = SaveTransactionChanges::DISCARD;
  try {
    const auto& texts = QueryNavigatorTexts::get();
    const auto& record = event.getRecord();
    auto model = record->getDataModel();
    const int count = model ? model->getMemberCount() : 0;
    std::vector<std::string> headers{texts.recordSave1};
    std::vector<std::vector<Value>> values{{Value(texts.recordSave2)}, {Value(texts.recordSave3)}};
    std::vector<std::string> changed;
    for (int c = 0; c < count; ++c) {
      const std::string name = model->getMemberModel(c)->getName();
      headers.push_back(name);
      const Value modified = record->getValueAsObject(c, PersistentObject::MODIFIED_VALUE);
      const Value original = record->getValueAsObject(c, PersistentObject::ORIGINAL_VALUE);
      values[0].push_back(modified);
      values[1].push_back(original);
      if (!modified.equals(original)) changed.push_back(name);
    }
    auto prompt = std::dynamic_pointer_cast<SaveTransactionChanges>(
        plat::runvale::ClassRegistry::instance().newInstance(swing ? JFC_TRANSACTION_WINDOW : TRANSACTION_WINDOW));
    if (!prompt) return;
    Ref<plat::lang::Object> owner;
    {
      Guard guard(lock_);
      owner = applet_;
    }
    const auto& failure = event.getException();
    answer = prompt->show(headers, values, changed, failure ? failure->getMessage() : std::string(),
                          event.getStatement(), owner);
  } catch (const plat::lang::Exception&) {
    // A prompt that cannot be made or shown skips the record.
    return;
  }
  switch (answer) {
    case SaveTransactionChanges::DISCARD:
      return;
    case SaveTransactionChanges::CANCEL:
      throw RecordSaveException("", event);
    case SaveTransactionChanges::DISCARD_ALL:
      showSaveWindow.store(false);
      return;
    default:
      throw plat::lang::IllegalArgumentException(QueryNavigatorTexts::get().illegalSaveAll);
  }
}

// ---- commit -----------------------------------------------------------------------------------------------------

void QueryNavigator::commitState() {
  Guard guard(lock_);
  const int p = navigationPosition();
  for (const auto& record : m_UpdatedRecordsVector) record->resetState();
  if (!m_DeletedRecordsVector.empty() && m_NavigationCursor) {
    int before = 0;
    std::vector<RecordRef> kept;
    kept.reserve(m_ObjectVector.size());
    for (int i = 0; i < static_cast<int>(m_ObjectVector.size()); ++i) {
      const auto& record = m_ObjectVector[i];
      const bool removed = std::find(m_DeletedRecordsVector.begin(), m_DeletedRecordsVector.end(), record) !=
                           m_DeletedRecordsVector.end();
      if (!removed) {
        kept.push_back(record);
      } else if (i < p) {
        ++before;
      }
    }
    const bool changed = kept.size() != m_ObjectVector.size();
    m_ObjectVector = std::move(kept);
    if (changed && p >= 0) {
      // The current record keeps its place; a removed one gives way to the next, or to the new last.
      const int size = static_cast<int>(m_ObjectVector.size());
      if (size == 0 && !(m_ObjectEnumeration && m_ObjectEnumeration->hasMoreElements())) {
        m_NavigationCursor->setPosition(-1);
        m_NavigationCursor->setFocus(nullptr);
      } else {
        int target = p - before;
        try {
          m_NavigationCursor->setPosition(target);
        } catch (const PositionOutOfRangeException&) {
          const int last = static_cast<int>(m_ObjectVector.size()) - 1;
          if (last >= 0) {
            m_NavigationCursor->setPosition(last);
          } else {
            m_NavigationCursor->setPosition(-1);
            m_NavigationCursor->setFocus(nullptr);
          }
        }
      }
    }
  }
  // Records committed clean, or gone from the cache, need no more looking at.
  std::erase_if(touched_, [&](const RecordRef& r) {
    return !r->isDirty() ||
           std::find(m_DeletedRecordsVector.begin(), m_DeletedRecordsVector.end(), r) != m_DeletedRecordsVector.end();
  });
  moveDataToUI(getCurrentRowNumber(), TriggerUIEvent::RECORDCHANGED);
  m_UpdatedRecordsVector.clear();
  m_DeletedRecordsVector.clear();
}

}  // namespace quenlora::zafoli::db::beans::binding
