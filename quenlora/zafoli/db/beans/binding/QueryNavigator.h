// The data source bean of the binding library: the records one query of a record class returns, fetched lazily
// into a row cache, a current record and a query-by-example row, all published on the data bus under the
// navigator's alias. Navigation and saving pass through the navigator's master/detail link; without a link nothing
// moves. Make it with makeRef. The serialised operations (navigate, setValue, close, commitState, saveIntern, the
// query-by-example row, the setters) hold the navigator's re-entrant monitor; listener lists are copied and called
// in registration order. The alias registry is process-wide.
#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/beans/PropertyChangeListener.h"
#include "platform/beans/PropertyChangeSupport.h"
#include "platform/lang/Object.h"
#include "platform/lang/Value.h"
#include "platform/thread/Monitor.h"
#include "quenlora/zafoli/db/beans/binding/Cursor.h"
#include "quenlora/zafoli/db/beans/binding/ExceptionEvent.h"
#include "quenlora/zafoli/db/beans/binding/ExceptionEventSupport.h"
#include "quenlora/zafoli/db/beans/binding/ExpandableSet.h"
#include "quenlora/zafoli/db/beans/binding/PersistentObject.h"
#include "quenlora/zafoli/db/beans/binding/Synchronizable.h"
#include "quenlora/zafoli/db/beans/binding/SynchronizerLink.h"
#include "quenlora/zafoli/db/beans/binding/event/ColumnDataEventSupport.h"
#include "quenlora/zafoli/db/beans/binding/event/ListenerList.h"
#include "quenlora/zafoli/db/beans/binding/event/RecordNavigateEventSupport.h"
#include "quenlora/zafoli/db/beans/binding/event/RecordSaveEventExceptionSupport.h"
#include "quenlora/zafoli/db/beans/binding/event/RecordSaveEventSupport.h"
#include "quenlora/zafoli/db/beans/qbe/QBExlator.h"

namespace quenlora::zafoli::db::beans::binding {

class ApplicationTask;
class ChainTasks;
class MediatorDS;

class QueryNavigator : public plat::lang::Object,
                       public Synchronizable,
                       public ExpandableSet,
                       public plat::beans::PropertyChangeListener {
 public:
  using RecordRef = plat::lang::Ref<PersistentObject>;

  static constexpr int BASE_FOR_ROW_NUMBER = 1;
  static constexpr int QBE_ROW_NUMBER = -1;
  static constexpr const char* RowNumber = "RowNumber";
  static constexpr const char* RowState = "RowState";
  static constexpr const char* NumberOfRows = "NumberOfRows";
  static constexpr const char* CurrentDataSource = "CurrentDataSource";
  static constexpr const char* PROP_EXECUTE = "execute";
  static constexpr int numberOfSpecialFeatures = 4;
  static constexpr const char* SAVE_DEFAULT_AWT_WINDOW = "quenlora.zafoli.db.beans.binding.SaveChangesWindow";
  static constexpr const char* SAVE_DEFAULT_JFC_WINDOW = "quenlora.zafoli.db.beans.binding.JSaveChangesWindow";
  static constexpr const char* SAVE_DEFAULT_JFC11_WINDOW = "quenlora.zafoli.db.beans.javax.swing.JSaveChangesWindow";
  static constexpr const char* TRANSACTION_WINDOW = "quenlora.zafoli.db.beans.binding.SaveTransactionChangesWindow";
  static constexpr const char* JFC_TRANSACTION_WINDOW =
      "quenlora.zafoli.db.beans.javax.swing.JSaveTransactionChangesWindow";
  // The class names of the record classes whose rows are adapters or JDBC rows, tested by name.
  static constexpr const char* SQL_RECORD_DEFINITION = "quenlora.zafoli.db.beans.jdbc.SQLRecordDefinition";
  static constexpr const char* RECORD_DEFINITION = "quenlora.zafoli.db.beans.jdbc.RecordDefinition";

  QueryNavigator();
  ~QueryNavigator() override;

  // Bean properties. An empty alias stands for an absent one.
  std::string getAliasName() override;
  void setAliasName(const std::string& alias);
  std::string getMasterAliasName() override;
  void setMasterAliasName(const std::string& master);
  void setMasterName(const std::string& master) { setMasterAliasName(master); }
  std::string getClassName() const override { return "quenlora.zafoli.db.beans.binding.QueryNavigator"; }
  // The record class (named className in the bean's properties).
  std::string getRecordClassName();
  void setClassName(const std::string& name);
  std::string getDataName() { return getRecordClassName(); }
  bool getExecute() const { return m_Live.load(); }
  void execute(bool live);
  bool getAutoStart() const { return autoStart_.load(); }
  void setAutoStart(bool autoStart) { autoStart_.store(autoStart); }
  std::string getName();
  void setName(const std::string& name);
  std::string getDirtySaveMessage() override;
  void setDirtySaveMessage(const std::string& message);
  std::string getSaveChangesWindowClass() override;
  void setSaveChangesWindowClass(const std::string& className);
  void setApplet(const plat::lang::Ref<plat::lang::Object>& owner);

  // Cell access.
  plat::lang::Value getValue(int row, int column) override;
  void setValue(const plat::lang::Value& value, int row, int column) final;
  plat::lang::Value getValueFromFirst(int row, int column);
  void setValueFromFirst(const plat::lang::Value& value, int row, int column);
  void setValueAsQBE(const plat::lang::Value& value, int column);
  int getCurrentRowNumber() override;
  int getTotalNumberOfRows() override;
  plat::lang::Ref<plat::lang::Object> getCurrentObject() override;
  plat::lang::Ref<plat::lang::Object> getElementAt(int index) override;
  bool isExpandable();
  // BOF and EOF of the bean (EOF is a macro of the C library).
  bool isBOF();
  bool isEOF();
  std::string getRowState();
  static std::string getRowState(const RecordRef& record);
  std::optional<std::map<std::string, plat::lang::Value>> findRecord(int column, const plat::lang::Value& value);
  std::optional<std::map<std::string, plat::lang::Value>> findRecord(const std::string& columnName,
                                                                     const plat::lang::Value& value);

  // Navigation through the link.
  void first() override;
  void next() override;
  void previous() override;
  void go_to(int row);
  void last();
  void restart();
  void insert() override;
  void startQBE();
  void startQueryByExample() override;
  // The dispatch the link calls back.
  void navigate(int code, std::optional<int> row) override;
  void executeQuery(Synchronizable* master) override;

  // Editing.
  // Marks the current record deleted (the bean operation named delete).
  void deleteRecord();
  void undoChanges() override;
  void undoColumnChanges(int column);
  void setMarkedAsDeleted() override;

  // Saving.
  void save() override;
  int saveAll() override;
  int saveAllLevels();
  int saveAll(int mode) override;
  int saveIntern();
  void commitState() override;
  bool isDirty() override;
  int getDirtyRowsNumber();
  bool isEmpty() override;
  bool isQBERow();
  plat::lang::Ref<Connection> getConnection() override;
  void onRecordSaveException(const event::RecordSaveEvent& event);

  // The query-by-example row.
  RecordRef getQBEObject();
  virtual void createQueryByExampleRow();
  virtual void executeQueryByExample();

  // Listeners.
  void addTriggerUIListener(const plat::lang::Ref<TriggerUIListener>& listener) override;
  void removeTriggerUIListener(const plat::lang::Ref<TriggerUIListener>& listener) override;
  void addColumnDataEventListener(const plat::lang::Ref<event::ColumnDataEventListener>& listener);
  void removeColumnDataEventListener(const plat::lang::Ref<event::ColumnDataEventListener>& listener);
  void addExceptionEventListener(const plat::lang::Ref<ExceptionEventListener>& listener);
  void removeExceptionEventListener(const plat::lang::Ref<ExceptionEventListener>& listener);
  void addRecordNavigateEventListener(const plat::lang::Ref<event::RecordNavigateEventListener>& listener);
  void removeRecordNavigateEventListener(const plat::lang::Ref<event::RecordNavigateEventListener>& listener);
  void addRecordSaveEventListener(const plat::lang::Ref<event::RecordSaveEventListener>& listener);
  void removeRecordSaveEventListener(const plat::lang::Ref<event::RecordSaveEventListener>& listener);
  void addRecordSaveEventExceptionListener(const plat::lang::Ref<event::RecordSaveEventExceptionListener>& listener);
  void removeRecordSaveEventExceptionListener(const plat::lang::Ref<event::RecordSaveEventExceptionListener>& listener);
  void addPropertyChangeListener(const plat::lang::Ref<plat::beans::PropertyChangeListener>& listener) override;
  void removePropertyChangeListener(const plat::lang::Ref<plat::beans::PropertyChangeListener>& listener) override;
  // Do nothing when no navigator holds the alias.
  static void addExceptionListener(const plat::lang::Ref<ExceptionEventListener>& listener, const std::string& alias);
  static void removeExceptionListener(const plat::lang::Ref<ExceptionEventListener>& listener,
                                      const std::string& alias);
  static plat::lang::Ref<QueryNavigator> getQueryNavigatorObject(const std::string& alias);

  // Announcements.
  void announceException(const ExceptionEvent& event);
  // How many exception events the navigator has announced so far: whoever catches a failure of one of its
  // operations tells by it whether the navigator reported that failure already.
  long getAnnouncedExceptionCount() const { return exceptionsAnnounced_.load(); }
  void announceOnBeforeColumnDataChange(const event::ColumnDataEvent& event);
  void announceOnAfterColumnDataChange(const event::ColumnDataEvent& event);
  void announceOnBeforeRecordSave(const event::RecordSaveEvent& event);
  void announceOnAfterRecordSave(const event::RecordSaveEvent& event);
  void announceRecordNavigateOnBeforeNavigate(const event::RecordNavigateEvent& event);
  void announceRecordNavigateOnAfterNavigate(const event::RecordNavigateEvent& event);
  void announceRecordNavigateOnBoundary(const event::RecordNavigateEvent& event);
  void announceRecordSaveException(const event::RecordSaveEvent& event);

  // Other.
  void close();
  void propertyChange(const plat::beans::PropertyChangeEvent& event) override;
  // Prints the event's name on standard output.
  void handleExceptionEvent(const ExceptionEvent& event);
  plat::lang::Ref<SynchronizerLink> getLink() override;
  void setLink(const plat::lang::Ref<SynchronizerLink>& link) override;
  plat::lang::Ref<MediatorDS> getMediatorDS();
  std::string toString() const override;

 protected:
  // Hooks of subclasses.
  virtual void initPO(const RecordRef& record);
  virtual void insertIntern();
  // Called after every value set on a data row.
  virtual void setDisplaced(int column, const plat::lang::Value& newValue, const RecordRef& record);
  // Tells every trigger listener to refresh the row with that type.
  virtual void moveDataToUI(int row, int type);

  // A new record of the record class; null when no class is resolved. Throws what the factory throws.
  RecordRef newRecord();
  // Installs the enumeration the cache is filled from; the cache starts empty. newSet says the size is unknown.
  void installEnumeration(const plat::lang::Ref<PersistentObject::RecordEnumeration>& records, bool isNewSet);
  // The record at an absolute position, fetching as needed; null when there is none.
  RecordRef fetch(int index);
  // Grows the cache until it holds index or the enumeration ends; the caller holds lock_. True when it holds it.
  bool reach(int index);
  // Fetches until the enumeration ends or yields no record, as fetch(0), fetch(1), ... would, a batch of records
  // per hold of lock_ so that other threads still get their turn in between.
  void fetchAll();
  int cacheSize();
  bool isClosed() const { return closed_.load(); }
  // The owner component given with setApplet; null when none.
  plat::lang::Ref<plat::lang::Object> getApplet();

  plat::thread::Monitor lock_;  // the navigator's monitor; re-entrant
  qbe::QBExlator m_Xlator;
  std::atomic<bool> newSet{false};
  std::atomic<bool> m_Live{false};
  std::atomic<int> dbEngineType{0};

 private:
  class SelfListener;
  class TaskAction;

  void firstStep();
  void nextStep(bool stopAtLast);
  void previousStep();
  void gotoStep(std::optional<int> row);
  void restartStep();
  void clearAll();
  // Hands code to the link with the start and end announcements; the end message is computed after the move.
  // False when the link refused or failed (already announced).
  bool handToLink(int code, std::optional<int> row);
  void registerAlias(const std::string& alias);
  // True when the alias was registered and the navigator is to join its master/detail tree.
  bool setAliasNameIntern(const std::string& alias);
  void joinTree();
  // True when this call closed the navigator.
  bool closeIntern();
  void announceTask(int type, const plat::lang::Ref<ChainTasks>& chain, const plat::lang::Ref<ApplicationTask>& task,
                    const std::string& message);
  void announceApplication(const std::string& message);
  void announceApplication(const plat::lang::Throwable& failure);
  RecordRef currentRecord();
  int currentPosition();
  int navigationPosition();
  bool onQBERow();
  void makeNavigationCurrent();
  // Number of columns of the published name, virtual ones included; 0 before the name is known.
  int bindingColumns();
  std::string columnName(const RecordRef& record, int column);
  int recordPass(int mode);
  static int saveTypeOf(const RecordRef& record);
  static std::string operationText(int operation);
  void listWritten(const RecordRef& record);
  void listRemoved(const RecordRef& record);
  void touch(const RecordRef& record);

  // Cursors: absent in a designer.
  std::unique_ptr<Cursor> m_QBECursor;
  std::unique_ptr<Cursor> m_NavigationCursor;
  std::atomic<Cursor*> m_CurrentCursor{nullptr};  // the navigation or the QBE cursor

  std::vector<RecordRef> m_ObjectVector;  // guarded by lock_; the row cache
  bool hasCache_ = false;                 // guarded by lock_; absent until first fetch
  plat::lang::Ref<PersistentObject::RecordEnumeration> m_ObjectEnumeration;  // guarded by lock_
  std::vector<RecordRef> m_UpdatedRecordsVector;                             // guarded by lock_; the written list
  std::vector<RecordRef> m_DeletedRecordsVector;                             // guarded by lock_; the removal list
  // guarded by lock_; the records written or marked deleted through the navigator since the cache was cleared
  // and not committed clean since: dirtiness is looked for among them only.
  std::vector<RecordRef> touched_;

  std::string m_POClassName;                                       // guarded by lock_
  bool classResolved_ = false;                                     // guarded by lock_
  std::string m_AliasName;                                         // guarded by lock_; empty when absent
  std::string m_MasterAliasName;                                   // guarded by lock_; empty when absent
  std::string name_;                                               // guarded by lock_
  std::string m_DirtySaveMessage;                                  // guarded by lock_
  bool hasDirtySaveMessage_ = false;                               // guarded by lock_
  std::string m_SaveChangesWindowClass = SAVE_DEFAULT_AWT_WINDOW;  // guarded by lock_
  plat::lang::Ref<plat::lang::Object> applet_;                     // guarded by lock_

  ExceptionEventSupport exceptionListeners_;
  event::RecordNavigateEventSupport navigateListeners_;
  event::ColumnDataEventSupport columnListeners_;
  event::RecordSaveEventSupport saveListeners_;
  event::RecordSaveEventExceptionSupport saveExceptionListeners_;
  event::ListenerList<TriggerUIListener> triggerListeners_;
  plat::beans::PropertyChangeSupport propertySupport_;

  plat::lang::Ref<SelfListener> self_;  // the navigator's own exception and record-save listener
  plat::lang::Ref<event::RecordSaveEventExceptionListener> selfSaveListener_;  // self_, as registered
  plat::lang::Ref<TaskAction> taskAction_;                                     // its member of the task bus
  plat::lang::Ref<MediatorDS> mediatords_;               // guarded by lock_; made when first needed
  plat::lang::Ref<SynchronizerLink> m_SynchronizerLink;  // guarded by lock_
  std::atomic<bool> autoStart_{false};
  std::atomic<bool> dataChanged{false};
  std::atomic<bool> closed_{false};
  std::atomic<long> exceptionsAnnounced_{0};
  std::atomic<int> numberOfColumns_{0};  // of the published name, virtual ones included
  int rowsSaved = 0;                     // guarded by lock_

  // Class-wide: on at the start of every record pass, off after a skip-all answer.
  static std::atomic<bool> showSaveWindow;
};

}  // namespace quenlora::zafoli::db::beans::binding
