// The event classes: their codes, what each constructor fills in and what it leaves at 0 or absent.
#include <gtest/gtest.h>

#include "platform/lang/Exceptions.h"
#include "quenlora/zafoli/db/beans/binding/ExceptionEvent.h"
#include "quenlora/zafoli/db/beans/binding/NavigationalDataSource.h"
#include "quenlora/zafoli/db/beans/binding/TriggerUIEvent.h"
#include "quenlora/zafoli/db/beans/binding/event/ColumnDataEvent.h"
#include "quenlora/zafoli/db/beans/binding/event/ConnectionEvent.h"
#include "quenlora/zafoli/db/beans/binding/event/RecordNavigateEvent.h"
#include "quenlora/zafoli/db/beans/binding/event/RecordSaveEvent.h"
#include "quenlora/zafoli/db/beans/binding/event/RecordSaveException.h"
#include "quenlora/zafoli/db/beans/binding/event/TransactionEvent.h"
#include "testkit/beans/MemoryRecord.h"

namespace quenlora::zafoli::db::beans::binding::event {
namespace {

using plat::lang::Value;
using testkit::beans::MemoryRecord;

TEST(RecordSaveEvent, EachConstructorAddsOneGroupAndLeavesTheRestAtZero) {
  plat::lang::Object source;
  const RecordSaveEvent bare(&source);
  EXPECT_EQ(bare.getSource(), &source);
  EXPECT_EQ(bare.getEventType(), 0);
  EXPECT_EQ(bare.getRowsAffected(), 0);
  EXPECT_EQ(bare.getRecordSaveType(), 0);
  EXPECT_EQ(bare.getRecord(), nullptr);
  EXPECT_EQ(bare.getException(), nullptr);
  EXPECT_EQ(bare.getStatement(), "");

  const RecordSaveEvent typed(&source, RecordSaveEvent::RECORD_SAVE_ALL, 5);
  EXPECT_EQ(typed.getEventType(), RecordSaveEvent::RECORD_SAVE_ALL);
  EXPECT_EQ(typed.getRowsAffected(), 5);
  EXPECT_EQ(typed.getRecordSaveType(), 0);

  auto record = plat::lang::makeRef<MemoryRecord>(2);
  auto failure = std::make_shared<plat::lang::IllegalStateException>("locked");
  const RecordSaveEvent full(&source, RecordSaveEvent::RECORDSAVE_EXCEPTION, 1, RecordSaveEvent::RECORDSAVETYPE_DELETE,
                             record, failure, "DELETE FROM t");
  EXPECT_EQ(full.getRecord(), record);
  EXPECT_EQ(full.getException(), failure);
  EXPECT_EQ(full.getStatement(), "DELETE FROM t");
  EXPECT_EQ(full.getRecordSaveType(), 1);
}

TEST(RecordSaveEvent, CodesOfTheVocabulary) {
  EXPECT_EQ(RecordSaveEvent::RECORD_SAVE_UNKNOWN, -1);
  EXPECT_EQ(RecordSaveEvent::RECORD_SAVE_ONE, 0);
  EXPECT_EQ(RecordSaveEvent::RECORD_SAVE_ALL, 1);
  EXPECT_EQ(RecordSaveEvent::RECORDSAVE_EXCEPTION, 3);
  EXPECT_EQ(RecordSaveEvent::RECORDSAVETYPE_INSERT, 0);
  EXPECT_EQ(RecordSaveEvent::RECORDSAVETYPE_DELETE, 1);
  EXPECT_EQ(RecordSaveEvent::RECORDSAVETYPE_UPDATE, 2);
  EXPECT_EQ(RecordSaveEvent::RECORDSAVETYPE_OTHER, 4);
}

TEST(RecordSaveEvent, SettersChangeWhatLaterListenersSee) {
  plat::lang::Object source;
  RecordSaveEvent event(&source);
  event.setEventType(RecordSaveEvent::RECORD_SAVE_ALL);
  event.setRowsAffected(12);
  event.setRecordSaveType(RecordSaveEvent::RECORDSAVETYPE_UNKNOWN);
  EXPECT_EQ(event.getEventType(), 1);
  EXPECT_EQ(event.getRowsAffected(), 12);
  EXPECT_EQ(event.getRecordSaveType(), -1);
}

TEST(RecordSaveException, CarriesItsEventAndIsAGeneralException) {
  plat::lang::Object source;
  RecordSaveEvent event(&source, RecordSaveEvent::RECORD_SAVE_ONE, 1, RecordSaveEvent::RECORDSAVETYPE_UPDATE);
  const RecordSaveException e("stop", event);
  event.setRowsAffected(99);  // the exception keeps the event as it was given
  EXPECT_EQ(e.getMessage(), "stop");
  EXPECT_EQ(e.getEvent().getRowsAffected(), 1);
  EXPECT_EQ(e.getEvent().getSource(), &source);
  try {
    e.clone()->raise();
    FAIL() << "nothing thrown";
  } catch (const RecordSaveException& thrown) {
    EXPECT_EQ(thrown.getEvent().getRecordSaveType(), RecordSaveEvent::RECORDSAVETYPE_UPDATE);
  }
}

TEST(TransactionEvent, IsARecordSaveEventMadeFromItsSource) {
  plat::lang::Object source;
  const TransactionEvent event(&source);
  const RecordSaveEvent& asSave = event;
  EXPECT_EQ(asSave.getSource(), &source);
  EXPECT_EQ(asSave.getEventType(), 0);
  EXPECT_EQ(ConnectionEvent(&source).getSource(), &source);
}

TEST(ColumnDataEvent, FieldsInOrder) {
  plat::lang::Object source;
  ColumnDataEvent event(&source, -1, 3, Value("old"), Value(7), ColumnDataEvent::COLUMN_CHANGED);
  EXPECT_EQ(event.getRowNumber(), -1);
  EXPECT_EQ(event.getColumnNumber(), 3);
  EXPECT_EQ(event.getOldValue(), Value("old"));
  EXPECT_EQ(event.getNewValue(), Value(7));
  EXPECT_EQ(event.getEventType(), 0);
  event.setEventType(ColumnDataEvent::COLUMN_DELETED);
  EXPECT_EQ(event.getEventType(), 2);
  EXPECT_EQ(ColumnDataEvent::COLUMN_UNDO, 1);
}

TEST(RecordNavigateEvent, ConstructorsAndCodesThatDifferFromTheNavigationCodes) {
  plat::lang::Object source;
  const RecordNavigateEvent bare(&source, RecordNavigateEvent::RECORD_NAVIGATION_NEW);
  EXPECT_EQ(bare.getRowNumber(), 0);
  EXPECT_EQ(bare.getOldRecord(), nullptr);
  EXPECT_FALSE(bare.isDirtyRecord());
  EXPECT_FALSE(bare.isDirtySet());

  auto before = plat::lang::makeRef<MemoryRecord>(1);
  auto after = plat::lang::makeRef<MemoryRecord>(1);
  const RecordNavigateEvent full(&source, RecordNavigateEvent::RECORD_NAVIGATION_NEXT, 4, before, after, true, false);
  EXPECT_EQ(full.getRowNumber(), 4);
  EXPECT_EQ(full.getOldRecord(), before);
  EXPECT_EQ(full.getNewRecord(), after);
  EXPECT_TRUE(full.isDirtyRecord());
  EXPECT_FALSE(full.isDirtySet());

  EXPECT_EQ(RecordNavigateEvent::RECORD_NAVIGATION_FIRST, 0);
  EXPECT_EQ(NavigationalDataSource::FIRST, 3);
  EXPECT_EQ(RecordNavigateEvent::RECORD_BOUNDARY_LAST_REACHED, 11);
}

TEST(ExceptionEvent, KeepsWhatItWasGivenAndSharesCodeSeven) {
  plat::lang::Object source;
  auto failure = std::make_shared<plat::lang::IllegalStateException>("bad");
  const ExceptionEvent event(ExceptionEvent::EXCEPTION_NOROWS, "NO ROWS", &source, failure);
  EXPECT_EQ(event.getEventType(), 3);
  EXPECT_EQ(event.getExceptionName(), "NO ROWS");
  EXPECT_EQ(event.getException(), failure);
  EXPECT_EQ(event.getSource(), &source);
  EXPECT_EQ(ExceptionEvent(ExceptionEvent::DEBUGGING_MESSAGE, "x", &source).getException(), nullptr);
  EXPECT_EQ(ExceptionEvent::EXCEPTION_PARENT_INVALID_RECORD, ExceptionEvent::EXCEPTION_ILLEGAL_RELATIONSHIP);
  EXPECT_EQ(ExceptionEvent::EXCEPTION_RELATIONSHIP_PENDING, 8);
}

TEST(TriggerUIEvent, DefaultsToRowZeroAndARecordSetChange) {
  plat::lang::Object source;
  const TriggerUIEvent plain(&source);
  EXPECT_EQ(plain.m_Row, 0);
  EXPECT_EQ(plain.m_Type, TriggerUIEvent::RECORDSETCHANGED);
  const TriggerUIEvent forced(&source, 2, TriggerUIEvent::FORCEREFRESH);
  EXPECT_EQ(forced.m_Row, 2);
  EXPECT_EQ(forced.m_Type, 7);
  EXPECT_EQ(forced.getSource(), &source);
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::binding::event
