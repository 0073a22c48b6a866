// The in-memory record that stands for a row class in tests: the record states, the operation a save would do,
// undo and commit, as later tests of navigators and rules rely on them.
#include "testkit/beans/MemoryRecord.h"

#include <gtest/gtest.h>

#include "platform/lang/Exceptions.h"

namespace testkit::beans {
namespace {

using quenlora::zafoli::db::beans::binding::PersistentObject;
using plat::lang::Value;

TEST(MemoryRecord, OperationFollowsTheStates) {
  struct Case {
    bool isNew, deleted, modified;
    int operation;
  };
  const Case cases[] = {
      {false, false, false, PersistentObject::NOTHING_OPERATION},
      {true, false, false, PersistentObject::INSERTED_OPERATION},
      {true, true, false, PersistentObject::NOTHING_OPERATION},
      {false, true, true, PersistentObject::DELETED_OPERATION},
      {false, false, true, PersistentObject::MODIFIED_OPERATION},
      {true, false, true, PersistentObject::INSERTED_OPERATION},
  };
  for (const auto& c : cases) {
    MemoryRecord record(2);
    record.setMarkedAsNew(c.isNew);
    record.setMarkedAsDeleted(c.deleted);
    record.setMarkedAsModified(c.modified);
    EXPECT_EQ(record.getOperation(), c.operation) << c.isNew << c.deleted << c.modified;
    EXPECT_EQ(record.isOperationNothing(), c.operation == PersistentObject::NOTHING_OPERATION);
    EXPECT_EQ(record.save(), c.operation == PersistentObject::NOTHING_OPERATION ? 0 : 1);
  }
}

TEST(MemoryRecord, DisplacedIsReadAsMisplaced) {
  MemoryRecord record(1);
  EXPECT_FALSE(record.getMarkedAsMisplaced());
  record.setMarkedAsDisplaced(true);
  EXPECT_TRUE(record.getMarkedAsMisplaced());
}

TEST(MemoryRecord, EditsKeepTheOriginalUntilCommittedOrUndone) {
  MemoryRecord record("emp", {"ID", "NAME"});
  record.load(1, Value("Ann"));
  record.setValueAsObject(1, Value("Anna"));
  record.setValueAsInteger(0, 7);
  EXPECT_EQ(record.getValueAsObject(1, PersistentObject::ORIGINAL_VALUE), Value("Ann"));
  EXPECT_EQ(record.getValueAsObject(1, PersistentObject::MODIFIED_VALUE), Value("Anna"));
  EXPECT_EQ(record.getModifiedColumns(), (std::vector<int>{0, 1}));
  EXPECT_TRUE(record.isDirty());

  record.undoColumnChanges(0);
  EXPECT_TRUE(record.getValueAsObject(0, PersistentObject::MODIFIED_VALUE).isNull());
  EXPECT_TRUE(record.getMarkedAsModified()) << "column 1 is still changed";
  record.resetState();
  EXPECT_EQ(record.getValueAsObject(1, PersistentObject::ORIGINAL_VALUE), Value("Anna"));
  EXPECT_FALSE(record.isDirty());
  record.setValueAsString(1, "Bo");
  record.undoChanges();
  EXPECT_EQ(record.getValueAsString(1, PersistentObject::MODIFIED_VALUE), "Anna");
  EXPECT_EQ(record.getDataName(","), "emp@ID,NAME");
  EXPECT_EQ(record.getColumnIndex("NAME"), 1);
  EXPECT_THROW(record.getValueAsObject(2, 0), plat::lang::ArrayIndexOutOfBoundsException);
}

TEST(MemoryRecord, AnInjectedFailureIsThrownOnceWithItsType) {
  MemoryRecord record(1);
  record.setMarkedAsModified(true);
  record.failNextSave(std::make_shared<PersistentObject::RecordException>());
  EXPECT_THROW(record.save(), PersistentObject::RecordException);
  EXPECT_EQ(record.save(), 1);
  EXPECT_EQ(record.getSaveCount(), 1);
  EXPECT_EQ(record.getStatement(), "UPDATE memory");
}

}  // namespace
}  // namespace testkit::beans
