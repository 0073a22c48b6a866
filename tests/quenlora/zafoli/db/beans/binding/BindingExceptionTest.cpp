// The library's exception family: default texts from the message bundle, the hierarchy every catcher relies on,
// and chains that keep the dynamic type.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/beans/binding/BindingResourceLoader.h"
#include "quenlora/zafoli/db/beans/binding/DataBindingException.h"
#include "quenlora/zafoli/db/beans/binding/IllegalRelationshipException.h"
#include "quenlora/zafoli/db/beans/binding/ParentInvalidRecordException.h"
#include "quenlora/zafoli/db/beans/binding/PersistentObject.h"
#include "quenlora/zafoli/db/beans/binding/PositionOutOfRangeException.h"
#include "quenlora/zafoli/db/beans/binding/RelationshipPendingException.h"
#include "quenlora/zafoli/db/beans/binding/SynchronizerException.h"

namespace quenlora::zafoli::db::beans::binding {
namespace {

struct DefaultCase {
  const char* type;
  std::function<std::shared_ptr<plat::lang::Throwable>()> make;
  const char* key;
};

TEST(BindingException, EachDefaultTextComesFromTheBundleOfTheDefaultLocale) {
  const DefaultCase cases[] = {
      {"DataBindingException", [] { return std::make_shared<DataBindingException>(); }, "DataBindEx_Noreason"},
      {"SynchronizerException", [] { return std::make_shared<SynchronizerException>(); }, "SynchronizerExcept_String"},
      {"IllegalRelationshipException", [] { return std::make_shared<IllegalRelationshipException>(); },
       "IllegalExp_Exception"},
      {"RelationshipPendingException", [] { return std::make_shared<RelationshipPendingException>(); },
       "SynchronizerExcept_String"},
      {"PositionOutOfRangeException", [] { return std::make_shared<PositionOutOfRangeException>(); },
       "PositionExcep_Message"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    const auto e = c.make();
    const std::string expected = BindingResourceLoader::text(c.key);
    ASSERT_FALSE(expected.empty());
    EXPECT_TRUE(e->hasMessage());
    EXPECT_EQ(e->getMessage(), expected);
    EXPECT_EQ(e->getClassName(), std::string("quenlora.zafoli.db.beans.binding.") + c.type);
    EXPECT_EQ(e->toString(), std::string("quenlora::zafoli::db::beans::binding::") + c.type + ": " + expected);
  }
}

TEST(BindingException, AGivenMessageReplacesTheDefault) {
  EXPECT_EQ(DataBindingException("db down").getMessage(), "db down");
  EXPECT_EQ(SynchronizerException("s").getMessage(), "s");
  EXPECT_EQ(IllegalRelationshipException("r").getMessage(), "r");
  EXPECT_EQ(RelationshipPendingException("Easy way out").getMessage(), "Easy way out");
  EXPECT_EQ(PositionOutOfRangeException("p").getMessage(), "p");
  EXPECT_EQ(ParentInvalidRecordException("new master").getMessage(), "new master");
}

TEST(BindingException, TheFamilyIsCaughtAsSqlExceptions) {
  try {
    throw IllegalRelationshipException();
  } catch (const plat::sql::SQLException& e) {
    EXPECT_NE(dynamic_cast<const SynchronizerException*>(&e), nullptr);
    EXPECT_NE(dynamic_cast<const DataBindingException*>(&e), nullptr);
    EXPECT_FALSE(e.hasSQLState());
    EXPECT_EQ(e.getErrorCode(), 0);
  }
  try {
    throw RelationshipPendingException();
  } catch (const SynchronizerException& e) {
    EXPECT_EQ(e.getMessage(), SynchronizerException::defaultMessage());
  }
}

TEST(BindingException, GeneralAndRunTimeMembersAreNoSqlExceptions) {
  const ParentInvalidRecordException parent("m");
  const PositionOutOfRangeException position;
  const PersistentObject::RecordException record;
  EXPECT_EQ(dynamic_cast<const plat::sql::SQLException*>(static_cast<const plat::lang::Exception*>(&parent)), nullptr);
  EXPECT_EQ(dynamic_cast<const plat::sql::SQLException*>(static_cast<const plat::lang::Exception*>(&position)),
            nullptr);
  EXPECT_EQ(dynamic_cast<const plat::lang::RuntimeException*>(static_cast<const plat::lang::Exception*>(&position)),
            nullptr);
  EXPECT_FALSE(record.hasMessage());
  EXPECT_EQ(record.toString(), "quenlora::zafoli::db::beans::binding::PersistentObject::RecordException");
  EXPECT_THROW(record.raise(), plat::lang::RuntimeException);
}

TEST(BindingException, AChainedMemberRethrowsWithItsOwnType) {
  plat::sql::SQLException head("first");
  head.setNextException(IllegalRelationshipException("second"));
  ASSERT_NE(head.getNextException(), nullptr);
  try {
    head.getNextException()->raise();
    FAIL() << "nothing thrown";
  } catch (const IllegalRelationshipException& e) {
    EXPECT_EQ(e.getMessage(), "second");
  }
  const auto copy = DataBindingException("kept").clone();
  EXPECT_NE(dynamic_cast<const DataBindingException*>(copy.get()), nullptr);
  EXPECT_EQ(copy->getMessage(), "kept");
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::binding
