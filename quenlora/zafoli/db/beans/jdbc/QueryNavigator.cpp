#include "quenlora/zafoli/db/beans/jdbc/QueryNavigator.h"

#include <algorithm>

#include "platform/beans/Beans.h"
#include "platform/gui/Applet.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/System.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/beans/binding/NavigationalDataSource.h"
#include "quenlora/zafoli/db/beans/binding/TriggerUIEvent.h"
#include "quenlora/zafoli/db/beans/binding/event/RecordNavigateEvent.h"
#include "quenlora/zafoli/db/beans/jdbc/DataModel.h"
#include "quenlora/zafoli/db/beans/jdbc/SQLRecordDefinition.h"

namespace quenlora::zafoli::db::beans::jdbc {

using binding::event::RecordNavigateEvent;
using plat::lang::Ref;
using plat::lang::Value;
using Guard = std::lock_guard<plat::thread::Monitor>;

namespace {

// The engine code for a lower-cased product name, or none when no word matches (the code then stays).
std::optional<int> engineOf(const std::optional<std::string>& product) {
  if (!product || product->empty()) return 0;
  auto has = [&](const char* word) { return product->find(word) != std::string::npos; };
  if (has(QueryNavigator::SQLSERVER)) return has(QueryNavigator::ACCESS) ? 2 : 3;
  if (has(QueryNavigator::SYBASE)) return 4;
  if (has(QueryNavigator::ORACLE)) return 5;
  if (has(QueryNavigator::ACCESS)) return 2;
  if (has(QueryNavigator::SQLANYWHERE)) return 1;
  if (has(QueryNavigator::INFORMIX)) return 6;
  if (has(QueryNavigator::POINTBASE)) return 7;
  return std::nullopt;
}

}  // namespace

// What the adapter holds: it passes executions on to the navigator while the navigator lives, so that adapter and
// navigator do not keep each other alive.
class QueryNavigator::AdapterListener : public SQLAdapterEventListener {
 public:
  explicit AdapterListener(QueryNavigator* navigator) : navigator_(navigator) {}
  void detach() {
    std::lock_guard lock(mutex_);
    navigator_ = nullptr;
  }
  void beforeExecute(const SQLAdapterEvent&) override {}
  void afterExecute(const SQLAdapterEvent& event) override {
    std::lock_guard lock(mutex_);
    if (navigator_ != nullptr) navigator_->afterExecute(event);
  }

 private:
  std::recursive_mutex mutex_;  // held while the navigator takes the rows, so it is not discarded underneath
  QueryNavigator* navigator_;   // back reference; null once the navigator is gone
};

QueryNavigator::QueryNavigator()
    : m_JoinValues(plat::lang::makeRef<jdbc::JoinRecordList>()),
      adapterListener_(std::make_shared<AdapterListener>(this)) {}

QueryNavigator::~QueryNavigator() {
  adapterListener_->detach();
  try {
    if (m_SQLAdapter) m_SQLAdapter->removeSQLAdapterEventListener(adapterListener_);
    closePreviousRows();
  } catch (...) {
  }
}

// --- properties ----------------------------------------------------------------------------------------------

std::optional<std::string> QueryNavigator::getWhereClause() {
  std::optional<std::string> fixed;
  {
    Guard guard(lock_);
    fixed = m_WhereClause;
  }
  if (plat::beans::Beans::isDesignTime()) return fixed;
  std::string translation;
  if (RecordRef qbe = getQBEObject()) {
    std::vector<std::string> entries;
    qbe->getQBEObjectValues(entries);
    if (!entries.empty()) translation = m_Xlator.xlatForm(entries, false);
  }
  const bool hasFixed = fixed && !fixed->empty();
  std::optional<std::string> where = fixed;
  if (!hasFixed && !translation.empty()) where = translation;
  if (hasFixed && !translation.empty()) where = "(" + *fixed + ")" + " AND " + "(" + translation + ")";
  if (auto applet = std::dynamic_pointer_cast<plat::gui::Applet>(getApplet()))
    applet->showStatus(kWhereStatus + where.value_or(""));
  return where;
}

void QueryNavigator::setWhereClause(std::optional<std::string> where) {
  Guard guard(lock_);
  m_WhereClause = std::move(where);
}

std::vector<std::string> QueryNavigator::getSortOrder() {
  Guard guard(lock_);
  return m_SortOrder;
}

void QueryNavigator::setSortOrder(std::vector<std::string> sortOrder) {
  Guard guard(lock_);
  m_SortOrder = std::move(sortOrder);
}

void QueryNavigator::addSortOrderItem(const std::string& item) {
  Guard guard(lock_);
  m_SortOrder.push_back(item);
}

std::vector<std::string> QueryNavigator::getJoin() {
  std::vector<std::string> texts;
  for (const auto& record : getJoinValues()->records()) texts.push_back(record->toStringUI());
  return texts;
}

void QueryNavigator::setJoin(const std::vector<std::string>& joins) {
  auto list = plat::lang::makeRef<jdbc::JoinRecordList>();
  for (const auto& text : joins) list->addJoinRecord(jdbc::JoinRecord::parse(text));
  Guard guard(lock_);
  m_JoinValues = list;
}

void QueryNavigator::addJoin(const std::string& join) {
  auto record = jdbc::JoinRecord::parse(join);
  Guard guard(lock_);
  m_JoinValues->addJoinRecord(record);
}

Ref<jdbc::JoinRecordList> QueryNavigator::getJoinValues() {
  Guard guard(lock_);
  return m_JoinValues;
}

Ref<SQLAdapter> QueryNavigator::getSQLAdapter() {
  Guard guard(lock_);
  return m_SQLAdapter;
}

void QueryNavigator::setSQLAdapter(const Ref<SQLAdapter>& adapter) {
  Ref<SQLAdapter> previous;
  {
    Guard guard(lock_);
    previous = std::exchange(m_SQLAdapter, adapter);
  }
  if (previous == adapter) return;
  if (previous) previous->removeSQLAdapterEventListener(adapterListener_);
  if (adapter) adapter->addSQLAdapterEventListener(adapterListener_);
}

// --- queries -------------------------------------------------------------------------------------------------

void QueryNavigator::executeQuery(binding::Synchronizable* master) {
  if (!m_Live.load()) {
    m_Live.store(true);
    startQueryByExample();
  }
  if (master == nullptr) {
    executeQueryByExample();
    return;
  }
  if (master->isEmpty()) {
    // An empty master leaves its details nothing to show.
    try {
      saveAll(4);
    } catch (const plat::sql::SQLException&) {
    }
    return;
  }
  executeQueryBase(std::dynamic_pointer_cast<binding::PersistentObject>(master->getCurrentObject()));
  moveDataToUI(0, binding::TriggerUIEvent::RECORDSETCHANGED);
}

void QueryNavigator::executeQueryByExample() {
  binding::QueryNavigator::executeQueryByExample();
  executeQueryBase(nullptr);
  moveDataToUI(0, binding::TriggerUIEvent::RECORDSETCHANGED);
}

void QueryNavigator::closePreviousRows() {
  Ref<binding::PersistentObject::RecordEnumeration> previous;
  {
    Guard guard(lock_);
    previous = std::exchange(lastRows_, nullptr);
  }
  // Its statement goes with it: a row class's next query must not close the rows another navigator still reads.
  if (auto rows = std::dynamic_pointer_cast<ResultSetEnumeration>(previous)) rows->closeResultSet();
}

void QueryNavigator::showNewSet(const Ref<binding::PersistentObject::RecordEnumeration>& rows) {
  {
    Guard guard(lock_);
    lastRows_ = rows;
  }
  installEnumeration(rows, true);
  announceRecordNavigateOnAfterNavigate(RecordNavigateEvent(this, RecordNavigateEvent::RECORD_NAVIGATION_RESTART));
  navigate(binding::NavigationalDataSource::FIRST, std::nullopt);
}

void QueryNavigator::failQuery(const plat::lang::Throwable& failure) {
  // The former rows are gone: the navigator shows its query-by-example row, which is also the row the next query
  // runs through, so that the query succeeds once it is mended.
  try {
    startQueryByExample();
  } catch (const plat::lang::Exception&) {
  }
  announceException(
      binding::ExceptionEvent(binding::ExceptionEvent::EXCEPTION_SQL, failure.getMessage(), this, failure.clone()));
  throw plat::lang::RuntimeException(failure.getMessage());
}

void QueryNavigator::executeQueryBase(const RecordRef& masterRow) {
  const Ref<SQLAdapter> adapter = getSQLAdapter();
  const RecordRef row =
      adapter ? getQBEObject() : std::dynamic_pointer_cast<binding::PersistentObject>(getCurrentObject());
  announceRecordNavigateOnBeforeNavigate(RecordNavigateEvent(this, RecordNavigateEvent::RECORD_NAVIGATION_RESTART));
  if (!row) {
    plat::lang::System::out().println(kNoExample);
    return;
  }
  try {
    installEnumeration(nullptr, false);
    closePreviousRows();
    if (adapter) {
      // The rows arrive with the adapter's after-execute event.
      auto sqlRow = std::dynamic_pointer_cast<SQLRecordDefinition>(row);
      if (!sqlRow) throw plat::lang::ClassCastException(SQLRecordDefinition::kClassName);
      sqlRow->executeSQLAdapter();
      return;
    }
    const std::string where = getWhereClause().value_or("");
    const std::vector<std::string> order = getSortOrder();
    Ref<binding::PersistentObject::RecordEnumeration> rows;
    if (!masterRow) {
      rows = row->querySimilarObjects(where, order);
    } else {
      Ref<jdbc::JoinRecordList> joins = getJoinValues();
      joins->setMasterAndDetailData(*masterRow, *row);
      rows = row->querySimilarObjects(where, joins, order);
    }
    showNewSet(rows);
  } catch (const plat::lang::Exception& e) {
    failQuery(e);
  }
}

void QueryNavigator::afterExecute(const SQLAdapterEvent& event) {
  if (event.getType() != SQLAdapterEvent::SQL_EXECUTED) return;
  try {
    announceRecordNavigateOnBeforeNavigate(RecordNavigateEvent(this, RecordNavigateEvent::RECORD_NAVIGATION_RESTART));
    Ref<binding::PersistentObject::RecordEnumeration> rows;
    if (event.isResultSetCreated()) {
      auto qbe = std::dynamic_pointer_cast<SQLRecordDefinition>(getQBEObject());
      if (!qbe) {
        plat::lang::System::out().println(kNoExample);
        return;
      }
      closePreviousRows();
      rows = qbe->getSQLAdapterResultSet();
    }
    showNewSet(rows);
    moveDataToUI(0, binding::TriggerUIEvent::RECORDSETCHANGED);
  } catch (const plat::lang::Exception& e) {
    failQuery(e);
  }
}

// --- the query-by-example row and the engine -------------------------------------------------------------------

void QueryNavigator::createQueryByExampleRow() {
  binding::QueryNavigator::createQueryByExampleRow();
  try {
    setDatabaseEngineType();
  } catch (const plat::lang::Exception&) {
    // The translator keeps the engine it has.
  }
}

void QueryNavigator::setDatabaseEngineType() {
  RecordRef qbe = getQBEObject();
  if (!qbe) return;
  std::optional<std::string> product;
  if (auto model = std::dynamic_pointer_cast<DataModel>(qbe->getDataModel())) {
    product = model->getDatabaseProductName();
    std::transform(product->begin(), product->end(), product->begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  }
  if (std::optional<int> code = engineOf(product)) {
    m_Xlator.setEngine(*code);
    dbEngineType.store(*code);
  }
}

// --- rows ----------------------------------------------------------------------------------------------------

void QueryNavigator::initPO(const RecordRef& record) {
  if (Ref<SQLAdapter> adapter = getSQLAdapter()) record->setSQLAdapter(adapter);
  binding::QueryNavigator::initPO(record);
}

void QueryNavigator::insertIntern() {
  binding::QueryNavigator::insertIntern();
  auto record = std::dynamic_pointer_cast<binding::PersistentObject>(getCurrentObject());
  if (!record || !record->getMarkedAsNew()) return;
  for (const auto& join : getJoinValues()->records()) {
    if (join->getOperator() != jdbc::JoinRecord::EQUAL_OPERATOR || join->getDetailColumnNumber() < 0) continue;
    // Row 0 is the current row, the new one.
    setValue(join->getMasterCurrentValue(), 0, join->getDetailColumnNumber());
  }
  moveDataToUI(getCurrentRowNumber(), binding::TriggerUIEvent::RECORDCHANGED);
}

void QueryNavigator::setDisplaced(int column, const Value& newValue, const RecordRef& record) {
  if (!record) return;
  Ref<jdbc::JoinRecord> join = getJoinValues()->getJoinRecord(column);
  if (!join) return;
  try {
    if (join->isDisplaced(newValue)) {
      record->setMarkedAsDisplaced(true);
    } else if (record->getMarkedAsMisplaced()) {
      // Set back to a value that satisfies the join: the row belongs to this master again.
      record->setMarkedAsDisplaced(false);
    }
  } catch (const plat::lang::Exception&) {
    // A row whose state refuses the mark stays as it is.
  }
}

}  // namespace quenlora::zafoli::db::beans::jdbc
