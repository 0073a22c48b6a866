#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "platform/io/IOException.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/NetInteger.h"
#include "quenlora/zafoli/db/net/NetRecord.h"
#include "quenlora/zafoli/db/net/SQLConnectionException.h"
#include "quenlora/zafoli/db/net/VarChar.h"
#include "tests/quenlora/zafoli/db/net/WireTestSupport.h"

namespace {

using namespace quenlora::zafoli::db::net;
using plat::lang::makeRef;
using plat::lang::Ref;
using wiretest::Bytes;
using wiretest::Wire;

// A row of state, row number and three values: INTEGER 10, VARCHAR "ab", a null INTEGER.
Bytes threeColumnRow(int state, std::int32_t rowNum) {
  return Wire()
      .u8(59)
      .i16(0)
      .u8(state)
      .i32(rowNum)
      .i16(3)
      .valueHeader(82, false, 1, 4)
      .dataInt(10)
      .valueHeader(73, false, 2, 12)
      .i16(2)
      .ascii("ab")
      .valueHeader(82, true, 3, 4);
}

Ref<NetRecord> row(int state, std::int32_t rowNum = 7) {
  return wiretest::decodeAs<NetRecord>(threeColumnRow(state, rowNum));
}

std::string failure(const std::function<void()>& f) {
  try {
    f();
  } catch (const plat::sql::SQLException& e) {
    return e.getMessage();
  }
  return "<no failure>";
}

TEST(NetRecord, ReadsStateRowNumberAndValues) {
  const auto r = row(Define::RECSTATE_EXISTING);
  EXPECT_EQ(r->getState(), Define::RECSTATE_EXISTING);
  EXPECT_EQ(r->getRecordNum(), 7);
  EXPECT_EQ(r->getColumnCount(), 3);
  EXPECT_EQ(r->getInt(1), 10);
  EXPECT_EQ(r->getString(2).value(), "ab");
  EXPECT_TRUE(r->isNull(3));
  EXPECT_EQ(r->getSQLType(2), 12);
  EXPECT_TRUE(r->storesData(1));
  EXPECT_TRUE(r->getChangedFields().empty());
}

// The values of a decoded row share one allocation: each must still live as long as anyone holds it, wherever the
// last holder lets go, and a row of more values than that allocation was sized for reads every one.
TEST(NetRecord, ValuesOutliveTheirRowAndManyValuesReadWhole) {
  Ref<Field> kept;
  std::weak_ptr<NetRecord> gone;
  {
    const auto r = row(Define::RECSTATE_EXISTING);
    r->setInt(1, 11);
    kept = r->getChangedFields().at(0);
    gone = r;
  }
  EXPECT_TRUE(gone.expired());
  EXPECT_EQ(kept->getInt(), 11);
  EXPECT_EQ(kept->shared_from_this().get(), static_cast<plat::lang::Object*>(kept.get()));
  std::thread([held = std::move(kept)]() mutable {
    EXPECT_EQ(held->getInt(), 11);
    held.reset();
  }).join();

  for (int count : {1, 64, 65, 200}) {
    Wire wire;
    wire.u8(59).i16(0).u8(100).i32(1).i16(count);
    for (int i = 0; i < count; ++i) wire.valueHeader(73, false, 1, 12).i16(3).ascii("v" + std::to_string(i % 10) + "x");
    const auto r = wiretest::decodeAs<NetRecord>(wire);
    ASSERT_EQ(r->getColumnCount(), count);
    for (int i = 0; i < count; ++i) EXPECT_EQ(r->getString(i + 1).value_or(""), "v" + std::to_string(i % 10) + "x");
  }
}

// A row's room for its values is sized from the last row of as many values read on the thread: rows of the same
// width whose values grow, shrink or fail half way must each read whole, and free what they took (sanitizer build).
TEST(NetRecord, RowsOfOneWidthWithValuesOfOtherKindsThanTheLastReadWhole) {
  struct Kind {
    Wire (*value)();
    std::string text;
  };
  const std::vector<Kind> kinds = {
      {[] { return Wire().valueHeader(Define::SERVER_INTEGER, false, 1, 4).dataInt(7); }, "7"},
      {[] { return Wire().valueHeader(Define::SERVER_DOUBLE, false, 1, 8).str("2.5"); }, "2.5"},
      {[] { return Wire().valueHeader(Define::SERVER_VARCHAR, false, 1, 12).i16(2).ascii("ab"); }, "ab"},
      {[] { return Wire().valueHeader(Define::SERVER_INTEGER, true, 1, 4); }, "<null>"},
  };
  for (int width : {1, 3, 70}) {
    for (const std::size_t order : {0, 1, 2, 3, 1, 0, 2}) {
      Wire wire;
      wire.u8(59).i16(0).u8(100).i32(1).i16(width);
      const auto kindOf = [&](int i) { return kinds[(order + static_cast<std::size_t>(i)) % kinds.size()]; };
      for (int i = 0; i < width; ++i) wire.append(kindOf(i).value());
      const auto r = wiretest::decodeAs<NetRecord>(wire);
      ASSERT_EQ(r->getColumnCount(), width);
      for (int i = 0; i < width; ++i) {
        EXPECT_EQ(r->getString(i + 1).value_or("<null>"), kindOf(i).text);
      }
      Bytes cut = wire;
      cut.pop_back();
      EXPECT_THROW(wiretest::decodeAs<NetRecord>(cut), plat::io::IOException);
    }
  }
}

TEST(NetRecord, FreshRowIsInvalidWithoutValues) {
  NetRecord r;
  EXPECT_EQ(r.getState(), Define::RECSTATE_INVALID);
  EXPECT_EQ(r.getRecordNum(), 0);
  EXPECT_EQ(failure([&] { r.getInt(1); }), "Record is invalid.");
  r.setState(Define::RECSTATE_EXISTING);
  EXPECT_EQ(failure([&] { r.getInt(1); }), "Record not initialized.");
  EXPECT_EQ(failure([&] { r.setNotNull(1); }), "Record not initialized.");
}

TEST(NetRecord, NonValueInARowGetsTheObjectErrorRule) {
  wiretest::Input text(Wire().u8(59).i16(0).u8(100).i32(1).i16(1).str("not a value"));
  EXPECT_EQ(failure([&] { text.next(); }), "TRIVO object stream error.");
  wiretest::Input error(Wire().u8(59).i16(0).u8(100).i32(1).i16(1).error(5, 8, "conn", "08001"));
  EXPECT_THROW(error.next(), SQLConnectionException);
}

TEST(NetRecord, ZeroOrNegativeCountGivesAnEmptyValueList) {
  for (int count : {0, -1}) {
    const auto r = wiretest::decodeAs<NetRecord>(Wire().u8(59).i16(0).u8(100).i32(1).i16(count));
    EXPECT_EQ(r->getColumnCount(), 0);
    EXPECT_EQ(failure([&] { r->getInt(1); }), "Column index is out-of-range: 1");
  }
}

TEST(NetRecord, InvalidRowFailsEveryAccessButSetNotNull) {
  const auto r = row(Define::RECSTATE_INVALID);
  const std::vector<std::function<void()>> accesses = {
      [&] { r->getInt(1); },       [&] { r->getString(2); },      [&] { r->getObject(1); },
      [&] { r->isNull(3); },       [&] { r->wasNull(); },         [&] { r->getSQLType(1); },
      [&] { r->setInt(1, 1); },    [&] { r->setNull(1, 4); },     [&] { r->getBigDecimal(1, 2); },
      [&] { r->getTimestamp(1); }, [&] { r->setString(2, "x"); }, [&] { r->getBytes(2); },
  };
  for (const auto& access : accesses) EXPECT_EQ(failure(access), "Record is invalid.");
  r->setNotNull(3);
  r->setState(Define::RECSTATE_EXISTING);
  EXPECT_FALSE(r->isNull(3));
  EXPECT_TRUE(r->getChangedFields().empty());
  r->setState(Define::RECSTATE_INVALID);
  r->setNullFlag(3);
  r->setState(Define::RECSTATE_EXISTING);
  EXPECT_TRUE(r->isNull(3));
  EXPECT_TRUE(r->getChangedFields().empty());
  EXPECT_EQ(r->getState(), Define::RECSTATE_EXISTING);
  EXPECT_EQ(failure([&] { r->setNullFlag(4); }), "Column index is out-of-range: 4");
}

TEST(NetRecord, DeletedRowsRefuseSettersButNotGetters) {
  const std::vector<std::pair<std::int8_t, std::string>> cases = {
      {Define::RECSTATE_DELETED, "Record has been marked for deletion."},
      {Define::RECSTATE_DB_DELETED, "Record has been deleted."},
  };
  for (const auto& [state, message] : cases) {
    const auto r = row(state);
    EXPECT_EQ(failure([&] { r->setInt(1, 5); }), message);
    EXPECT_EQ(failure([&] { r->setNull(1, 4); }), message);
    EXPECT_EQ(r->getInt(1), 10);
    EXPECT_EQ(r->getState(), state);
  }
}

TEST(NetRecord, ColumnOutOfRangeNamesTheColumn) {
  const auto r = row(Define::RECSTATE_EXISTING);
  EXPECT_EQ(failure([&] { r->getInt(0); }), "Column index is out-of-range: 0");
  EXPECT_EQ(failure([&] { r->getInt(4); }), "Column index is out-of-range: 4");
  EXPECT_EQ(failure([&] { r->setInt(-1, 0); }), "Column index is out-of-range: -1");
  EXPECT_EQ(failure([&] { r->setNotNull(4); }), "Column index is out-of-range: 4");
}

TEST(NetRecord, StateMovesOnLocalEdits) {
  const std::vector<std::pair<std::int8_t, std::int8_t>> moves = {
      {Define::RECSTATE_EXISTING, Define::RECSTATE_MODIFIED},
      {Define::RECSTATE_MODIFIED, Define::RECSTATE_MODIFIED},
      {Define::RECSTATE_NEW, Define::RECSTATE_NEW_MODIFIED},
      {Define::RECSTATE_NEW_MODIFIED, Define::RECSTATE_NEW_MODIFIED},
      {42, Define::RECSTATE_MODIFIED},
  };
  for (const auto& [from, to] : moves) {
    const auto r = row(from);
    r->setInt(1, 1);
    EXPECT_EQ(r->getState(), to) << int(from);
    r->setString(2, "z");
    EXPECT_EQ(r->getState(), to) << int(from);
  }
}

TEST(NetRecord, ChangedValueIsListedOnceAndOnlyItIsWritten) {
  const auto r = row(Define::RECSTATE_EXISTING);
  r->setInt(1, 5);
  r->setInt(1, 6);
  ASSERT_EQ(r->getChangedFields().size(), 1u);
  const Bytes expected =
      Wire().u8(59).i16(9).ascii("ROW}").u8(101).i32(7).u8(82).i16(3).u8(1).i16(4).u8(0).dataInt(6).eot().eot();
  EXPECT_EQ(wiretest::hex(wiretest::encode(*r)), wiretest::hex(expected));
}

TEST(NetRecord, ChangesAreWrittenInOrderOfFirstChange) {
  const auto r = row(Define::RECSTATE_EXISTING);
  r->setNull(3, 4);
  r->setString(2, "q");
  r->setNull(3, 4);
  const Bytes expected = Wire()
                             .u8(59)
                             .i16(9)
                             .ascii("ROW}")
                             .u8(101)
                             .i32(7)
                             .u8(82)
                             .i16(3)
                             .u8(3)
                             .i16(4)
                             .u8(1)
                             .dataInt(0)
                             .eot()
                             .u8(73)
                             .i16(3)
                             .u8(2)
                             .i16(12)
                             .u8(0)
                             .str("q")
                             .eot()
                             .eot();
  EXPECT_EQ(wiretest::hex(wiretest::encode(*r)), wiretest::hex(expected));
}

TEST(NetRecord, WritingKeepsTheChangesUntilTheCallerClearsThem) {
  const auto r = row(Define::RECSTATE_EXISTING);
  r->setInt(1, 5);
  const Bytes first = wiretest::encode(*r);
  // A failed save can be retried with the same changes.
  EXPECT_EQ(wiretest::encode(*r), first);
  EXPECT_EQ(r->getChangedFields().size(), 1u);
  EXPECT_EQ(r->getState(), Define::RECSTATE_MODIFIED);
  r->clearChanges();
  EXPECT_EQ(wiretest::encode(*r), Bytes(Wire().u8(59).i16(9).ascii("ROW}").u8(101).i32(7).eot()));
  EXPECT_EQ(r->getState(), Define::RECSTATE_MODIFIED);
}

TEST(NetRecord, FailedSetterNeitherTracksNorMovesTheState) {
  const auto r = row(Define::RECSTATE_EXISTING);
  EXPECT_EQ(failure([&] { r->setString(1, "x"); }), "For input string: \"x\"");
  EXPECT_EQ(failure([&] { r->setDate(1, plat::time::Date()); }), "Can't convert data to requested format");
  EXPECT_EQ(r->getState(), Define::RECSTATE_EXISTING);
  EXPECT_TRUE(r->getChangedFields().empty());
}

TEST(NetRecord, WasNullAnswersTheLastAccessedColumn) {
  const auto r = row(Define::RECSTATE_EXISTING);
  EXPECT_FALSE(r->wasNull());  // column 1 before any access
  r->getInt(3);
  EXPECT_TRUE(r->wasNull());
  r->getString(2);
  EXPECT_FALSE(r->wasNull());
  EXPECT_EQ(failure([&] { r->getInt(9); }), "Column index is out-of-range: 9");
  // A failed access still moved the remembered column.
  EXPECT_EQ(failure([&] { r->wasNull(); }), "Column index is out-of-range: 9");
}

TEST(NetRecord, CopyTakesStateAndSharedValuesOnlyForTheSameRowNumber) {
  const auto a = row(Define::RECSTATE_EXISTING, 7);
  const auto other = row(Define::RECSTATE_DELETED, 8);
  a->setInt(1, 99);
  a->copy(*other);
  EXPECT_EQ(a->getState(), Define::RECSTATE_MODIFIED);
  EXPECT_EQ(a->getInt(1), 99);
  EXPECT_EQ(a->getChangedFields().size(), 1u);

  const auto same = row(Define::RECSTATE_NEW, 7);
  a->copy(*same);
  EXPECT_EQ(a->getState(), Define::RECSTATE_NEW);
  EXPECT_EQ(a->getInt(1), 10);
  EXPECT_TRUE(a->getChangedFields().empty());
  // The value list is the same one: an edit through one row shows through the other.
  a->setInt(1, 55);
  EXPECT_EQ(same->getInt(1), 55);
  a->copy(*a);
  EXPECT_EQ(a->getInt(1), 55);
}

// Two rows that share one value list hand out the same value; it stays one object with a working
// shared_from_this, and the list lives on after both rows, until the last value handed out goes.
TEST(NetRecord, ValueHandedOutByRowsSharingTheirValuesIsOneObjectThatHoldsTheList) {
  auto a = row(Define::RECSTATE_EXISTING, 7);
  auto b = row(Define::RECSTATE_NEW, 7);
  a->copy(*b);
  a->setInt(1, 5);
  b->setInt(1, 6);
  Ref<Field> fromA = a->getChangedFields().at(0);
  Ref<Field> fromB = b->getChangedFields().at(0);
  EXPECT_EQ(fromA.get(), fromB.get());
  a.reset();
  b.reset();
  EXPECT_EQ(fromA->getInt(), 6);
  fromA.reset();
  EXPECT_EQ(fromB->getInt(), 6);
  EXPECT_EQ(fromB->shared_from_this().get(), static_cast<plat::lang::Object*>(fromB.get()));
}

TEST(NetRecord, LocallyBuiltRowWorksLikeAReadOne) {
  auto integer = makeRef<NetInteger>();
  integer->setInt(3);
  NetRecord r(Define::RECSTATE_NEW, 0, {integer, makeRef<VarChar>()});
  EXPECT_EQ(r.getInt(1), 3);
  r.setString(2, "v");
  EXPECT_EQ(r.getState(), Define::RECSTATE_NEW_MODIFIED);
  EXPECT_EQ(r.getChangedFields().size(), 1u);
}

TEST(NetRecord, SettersFromSeveralThreadsAreAllTracked) {
  const auto r = row(Define::RECSTATE_EXISTING);
  std::thread t1([&] {
    for (int i = 0; i < 2000; ++i) r->setInt(1, i);
  });
  std::thread t2([&] {
    for (int i = 0; i < 2000; ++i) r->setString(2, std::to_string(i));
  });
  t1.join();
  t2.join();
  EXPECT_EQ(r->getChangedFields().size(), 2u);
  EXPECT_EQ(r->getInt(1), 1999);
  EXPECT_EQ(r->getString(2).value(), "1999");
}

}  // namespace
