#include "platform/sql/SQLException.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sql/SQLWarning.h"

namespace plat::sql {
namespace {

class LostConnection : public SQLException {
 public:
  using SQLException::SQLException;
  PLAT_THROWABLE_MEMBERS(LostConnection, "test.LostConnection")
};

// The class names along the chain, head first.
std::vector<std::string> chainNames(const SQLException& head) {
  std::vector<std::string> names{head.getClassName() + ":" + head.getMessage()};
  for (auto next = head.getNextException(); next; next = next->getNextException()) {
    names.push_back(next->getClassName() + ":" + next->getMessage());
  }
  return names;
}

TEST(SQLException, FieldsAndText) {
  SQLException none;
  EXPECT_FALSE(none.hasMessage());
  EXPECT_FALSE(none.hasSQLState());
  EXPECT_EQ(none.getErrorCode(), 0);
  EXPECT_EQ(none.toString(), "plat::sql::SQLException");
  SQLException full("bad", "42000", 17);
  EXPECT_EQ(full.getSQLState(), "42000");
  EXPECT_TRUE(full.hasSQLState());
  EXPECT_EQ(full.getErrorCode(), 17);
  EXPECT_EQ(full.toString(), "plat::sql::SQLException: bad");
  EXPECT_EQ(SQLWarning("careful").toString(), "plat::sql::SQLWarning: careful");
}

TEST(SQLException, ChainsOfZeroOneAndThreeKeepTheirKindsInOrder) {
  SQLException alone("head");
  EXPECT_EQ(alone.getNextException(), nullptr);

  SQLException one("head");
  one.setNextException(LostConnection("lost"));
  EXPECT_EQ(chainNames(one), (std::vector<std::string>{"java.sql.SQLException:head", "test.LostConnection:lost"}));

  SQLException three("head");
  three.setNextException(LostConnection("first"));
  three.setNextException(SQLWarning("second"));
  three.setNextException(SQLException("third"));
  EXPECT_EQ(chainNames(three), (std::vector<std::string>{"java.sql.SQLException:head", "test.LostConnection:first",
                                                         "java.sql.SQLWarning:second", "java.sql.SQLException:third"}));
  // Each link rethrows as its own kind.
  EXPECT_THROW(three.getNextException()->raise(), LostConnection);
  EXPECT_THROW(three.getNextException()->getNextException()->raise(), SQLWarning);
}

TEST(SQLException, AChainSurvivesRethrowingTheHead) {
  LostConnection head("head");
  head.setNextException(SQLException("next"));
  std::shared_ptr<plat::lang::Throwable> stored = head.clone();
  try {
    stored->raise();
    FAIL() << "no exception";
  } catch (const LostConnection& caught) {
    ASSERT_NE(caught.getNextException(), nullptr);
    EXPECT_EQ(caught.getNextException()->getMessage(), "next");
  }
}

TEST(SQLException, AppendingALinkOfTheChainAgainClosesNoLoop) {
  SQLException head("head");
  auto link = std::make_shared<SQLException>("link");
  head.setNextException(link);
  head.setNextException(link);
  link->setNextException(link);
  EXPECT_EQ(chainNames(head).size(), 2u);
}

TEST(SQLWarning, NextWarningWalksTheChain) {
  SQLWarning head("w1");
  EXPECT_EQ(head.getNextWarning(), nullptr);
  head.setNextWarning(SQLWarning("w2", "01000", 5));
  head.setNextWarning(SQLWarning("w3"));
  auto second = head.getNextWarning();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->getMessage(), "w2");
  EXPECT_EQ(second->getSQLState(), "01000");
  EXPECT_EQ(second->getErrorCode(), 5);
  ASSERT_NE(second->getNextWarning(), nullptr);
  EXPECT_EQ(second->getNextWarning()->getMessage(), "w3");
}

TEST(SQLWarning, AnExceptionThatIsNoWarningInTheChainIsAnError) {
  SQLWarning head("w1");
  head.setNextException(SQLException("not a warning"));
  EXPECT_THROW(head.getNextWarning(), plat::lang::Error);
}

}  // namespace
}  // namespace plat::sql
