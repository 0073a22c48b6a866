#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/io/IOException.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/SQLWarning.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/ErrorException.h"
#include "quenlora/zafoli/db/net/ExceptionList.h"
#include "quenlora/zafoli/db/net/NetError.h"
#include "quenlora/zafoli/db/net/NetException.h"
#include "quenlora/zafoli/db/net/NetString.h"
#include "quenlora/zafoli/db/net/SQLConnectionException.h"
#include "quenlora/zafoli/db/net/SQLServerConnException.h"
#include "quenlora/zafoli/db/net/ServerList.h"
#include "quenlora/zafoli/db/net/Warning.h"
#include "tests/quenlora/zafoli/db/net/WireTestSupport.h"

namespace {

using namespace quenlora::zafoli::db::net;
using plat::lang::Ref;
using wiretest::Bytes;
using wiretest::Wire;

struct ErrorSpec {
  std::int32_t id;
  std::int32_t category;
  std::string message;
  std::string state;
  const char* kind;  // class name of the SQL exception it becomes
};

Wire exceptionList(const std::vector<ErrorSpec>& errors) {
  Wire w;
  w.u8(68).i16(0).ascii("LST}");
  for (const auto& e : errors) w.error(e.id, e.category, e.message, e.state);
  return w.eot();
}

TEST(NetError, CategoryDecidesTheExceptionKind) {
  const std::vector<ErrorSpec> cases = {
      {17, Define::SERVER_X_CONNECTION_FAILED, "no db", "08001", "quenlora.zafoli.db.net.SQLConnectionException"},
      {17, Define::SERVER_X_SQL, "no db", "08001", "java.sql.SQLException"},
      {-3, Define::SERVER_X_GENERAL, "general", "", "java.sql.SQLException"},
      {0, Define::SERVER_X_SQLMISC, "misc", "S1000", "java.sql.SQLException"},
      {1, 99, "unknown category", "X", "java.sql.SQLException"},
  };
  for (const auto& c : cases) {
    const auto error = wiretest::decodeAs<NetError>(Wire().error(c.id, c.category, c.message, c.state));
    EXPECT_EQ(error->getCategory(), c.category);
    EXPECT_EQ(error->getSeverity(), 0);
    const auto exception = error->toSQLException();
    EXPECT_EQ(exception->getClassName(), c.kind) << c.category;
    EXPECT_EQ(exception->getMessage(), c.message);
    EXPECT_EQ(exception->getSQLState(), c.state);
    EXPECT_EQ(exception->getErrorCode(), c.id);
  }
}

TEST(NetError, RaisedByTheObjectErrorRuleWithItsKind) {
  const auto error = wiretest::decodeAs<NetError>(Wire().error(17, 8, "login", "28000"));
  EXPECT_THROW(ServerObject::onObjectError(*error), SQLConnectionException);
}

TEST(NetError, AnythingButTwoTextsGetsTheObjectErrorRule) {
  wiretest::Input wrongKind(Wire().u8(49).i16(0).ascii("ERR}").i32(1).i32(0).str("m").dataInt(5));
  try {
    wrongKind.next();
    FAIL();
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "TRIVO object stream error.");
  }
  // A nested error in place of a text is raised as itself, once the outer error is read whole.
  wiretest::Input nested(Wire().u8(49).i16(0).ascii("ERR}").i32(1).i32(0).error(2, 8, "inner", "S").str("S"));
  EXPECT_THROW(nested.next(), SQLConnectionException);
}

TEST(NetError, IsNeverWritten) {
  const auto error = wiretest::decodeAs<NetError>(Wire().error(1, 0, "m", "s"));
  EXPECT_THROW(wiretest::encode(*error), plat::io::IOException);
}

TEST(ExceptionList, ChainsOfZeroOneAndThreeKeepOrderAndKinds) {
  const std::vector<std::vector<ErrorSpec>> chains = {
      {},
      {{5, 15, "one", "S1", "java.sql.SQLException"}},
      {{1, 15, "first", "S1", "java.sql.SQLException"},
       {2, 8, "second", "S2", "quenlora.zafoli.db.net.SQLConnectionException"},
       {3, 0, "third", "S3", "java.sql.SQLException"}},
  };
  for (const auto& chain : chains) {
    const auto list = wiretest::decodeAs<ExceptionList>(exceptionList(chain));
    EXPECT_EQ(list->getErrorCount(), static_cast<int>(chain.size()));
    std::shared_ptr<plat::sql::SQLException> e = list->getSQLException();
    ASSERT_TRUE(e);
    if (chain.empty()) {
      // An empty list still reports a failure.
      EXPECT_EQ(e->getMessage(), "TRIVO Server error");
      EXPECT_EQ(e->getNextException(), nullptr);
      continue;
    }
    for (const auto& spec : chain) {
      ASSERT_TRUE(e) << spec.message;
      EXPECT_EQ(e->getMessage(), spec.message);
      EXPECT_EQ(e->getClassName(), spec.kind);
      EXPECT_EQ(e->getErrorCode(), spec.id);
      e = e->getNextException();
    }
    EXPECT_EQ(e, nullptr);
  }
}

TEST(ExceptionList, RaisedHeadKeepsItsDynamicKindAndChain) {
  const auto list =
      wiretest::decodeAs<ExceptionList>(exceptionList({{2, 8, "conn", "08001", ""}, {3, 15, "next", "S1000", ""}}));
  try {
    ServerObject::onObjectError(*list);
    FAIL();
  } catch (const SQLConnectionException& e) {
    EXPECT_EQ(e.getMessage(), "conn");
    ASSERT_TRUE(e.getNextException());
    EXPECT_EQ(e.getNextException()->getMessage(), "next");
  }
}

TEST(ExceptionList, ObjectOtherThanAnErrorOrEndGetsTheObjectErrorRule) {
  wiretest::Input input(Wire().u8(68).i16(0).ascii("LST}").error(1, 0, "m", "s").str("stray").eot());
  try {
    input.next();
    FAIL();
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "TRIVO object stream error.");
  }
}

TEST(ExceptionList, InsideAListIsRaisedOnlyAfterTheListIsReadToItsEnd) {
  const Bytes reply = Wire()
                          .u8(54)
                          .i16(0)
                          .str("before")
                          .append(exceptionList({{9, 15, "failed", "42000", ""}}))
                          .str("after")
                          .eot()
                          .str("next reply");
  wiretest::Input input(reply);
  try {
    input.next();
    FAIL() << "expected the chained exception";
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "failed");
    EXPECT_EQ(e.getErrorCode(), 9);
  }
  // Nothing of the failed list is left to confuse the next read.
  const auto next = refCast<NetString>(input.next());
  ASSERT_TRUE(next);
  EXPECT_EQ(next->getString(), "next reply");
}

TEST(Warning, ReadsMessageStateAndCode) {
  const auto warning =
      wiretest::decodeAs<Warning>(Wire().u8(88).i16(0).ascii("WRN}").str("careful").str("01000").dataInt(5).eot());
  const auto w = warning->toSQLWarning();
  EXPECT_EQ(w->getClassName(), "java.sql.SQLWarning");
  EXPECT_EQ(w->getMessage(), "careful");
  EXPECT_EQ(w->getSQLState(), "01000");
  EXPECT_EQ(w->getErrorCode(), 5);
}

TEST(Warning, FreshWarningIsEmpty) {
  Warning w;
  EXPECT_EQ(w.getMessage(), "");
  EXPECT_EQ(w.getSQLState(), "");
  EXPECT_EQ(w.getCode(), 0);
}

TEST(Warning, ShortCodeFailsWithEndOfDataAndLeavesNothingBehind) {
  wiretest::Input input(Wire().u8(88).i16(0).ascii("WRN}").str("m").str("s").u8(51).i16(2).i16(5).eot().str("next"));
  try {
    input.next();
    FAIL();
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.getMessage(), "End of data");
  }
  EXPECT_EQ(refCast<NetString>(input.next())->getString(), "next");
}

TEST(Warning, MisplacedObjectsGetTheObjectErrorRule) {
  const std::vector<Bytes> cases = {
      Wire().u8(88).i16(0).ascii("WRN}").dataInt(1).str("s").dataInt(5).eot(),
      Wire().u8(88).i16(0).ascii("WRN}").str("m").str("s").str("5").eot(),
      Wire().u8(88).i16(0).ascii("WRN}").str("m").str("s").dataInt(5).str("no end"),
  };
  for (const auto& bytes : cases) {
    wiretest::Input input(bytes);
    try {
      input.next();
      FAIL() << wiretest::hex(bytes);
    } catch (const plat::sql::SQLException& e) {
      EXPECT_EQ(e.getMessage(), "TRIVO object stream error.") << wiretest::hex(bytes);
    }
  }
}

TEST(ExceptionKinds, ConstructorsAndDefaults) {
  EXPECT_EQ(SQLServerConnException().getMessage(), "Lost connection to Kestrovane server.");
  const SQLServerConnException full("gone", "08S01", 4);
  EXPECT_EQ(full.getSQLState(), "08S01");
  EXPECT_EQ(full.getErrorCode(), 4);
  const SQLConnectionException conn("no", "08001", 17);
  EXPECT_EQ(conn.getErrorCode(), 17);
  EXPECT_FALSE(SQLConnectionException().hasMessage());
  // Both are SQL exceptions, caught as such without slicing their kind.
  try {
    SQLServerConnException().raise();
  } catch (const plat::sql::SQLException& e) {
    EXPECT_EQ(e.clone()->getClassName(), "quenlora.zafoli.db.net.SQLServerConnException");
  }
  EXPECT_EQ(NetException("Unknown host").getMessage(), "Unknown host");
}

TEST(ExceptionKinds, ErrorExceptionText) {
  const auto error = wiretest::decodeAs<NetError>(Wire().error(42, 15, "bad table", "42S02"));
  const ErrorException e(*error);
  EXPECT_EQ(e.toString(), "Nimbrolt Server error: Severity: 0 Code: 42 Description: bad table; 42S02; ");
  EXPECT_THROW(e.raise(), NetException);
}

}  // namespace
