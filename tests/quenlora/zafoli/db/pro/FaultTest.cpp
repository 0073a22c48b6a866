#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/pro/MultiView.h"
#include "quenlora/zafoli/db/pro/RelationView.h"
#include "testkit/middleware/sql/SqlWire.h"
#include "tests/quenlora/zafoli/db/pro/RowlaceTestSupport.h"

namespace rowlacetest {
namespace {

using plat::lang::Value;
using plat::sql::SQLException;
using quenlora::zafoli::db::pro::MultiView;
using testkit::middleware::Bytes;
using testkit::middleware::Encoded;
using testkit::middleware::MwEncode;
using testkit::middleware::ParsedRequest;
using testkit::middleware::sql::ScriptedReply;
using testkit::middleware::sql::SqlEncode;

class FaultTest : public RowlaceTest {
 protected:
  void SetUp() override {
    RowlaceTest::SetUp();
    ScriptedReply reply;
    reply.columns.push_back({"n", 4, 10});
    for (int i = 1; i <= 10; ++i) reply.rows.push_back({Value::ofInt(i)});
    server().script().on("select n from t", reply);
  }
  // Answers the first fetch with what make builds from the real reply; later fetches are the server's own.
  void onFirstFetch(std::function<std::vector<Encoded>(std::vector<Encoded>)> make) {
    auto done = std::make_shared<std::atomic<bool>>(false);
    auto* mw = &server().server();
    mw->setHandler([mw, done, make](const ParsedRequest& r) -> std::optional<Bytes> {
      const auto& w = r.words;
      if (w.size() < 4 || w[1] != "invoke" || w[3] != "0" || r.args.size() < 5 || done->exchange(true)) {
        return std::nullopt;
      }
      auto target = mw->object(std::atoi(w[2].c_str()));
      return MwEncode::list(make(target->invoke(0, r.args))).bytes;
    });
  }
};

TEST_F(FaultTest, AnEmptyBatchMarksTheSetAllRead) {
  onFirstFetch([](std::vector<Encoded>) { return std::vector<Encoded>{}; });
  auto view = open()->createView("select n from t");
  EXPECT_FALSE(view->first());
  EXPECT_FALSE(view->goTo(2));
  EXPECT_EQ(calls(MultiView::METHOD_fetchRecords).size(), 1u);
}

TEST_F(FaultTest, AShortBatchWithoutAnEndRowIsFollowedByTheNextFetch) {
  onFirstFetch([](std::vector<Encoded> real) {
    real.resize(3);
    return real;
  });
  auto view = open()->createView("select n from t");
  ASSERT_TRUE(view->goTo(5));
  EXPECT_EQ(view->getRecord()->row().getInt(1), 5);
  const auto fetches = calls(MultiView::METHOD_fetchRecords);
  ASSERT_EQ(fetches.size(), 2u);
  EXPECT_EQ(fetches[1].intArg(0), 4);
}

TEST_F(FaultTest, RepliesThatCannotBeReadRaiseSQLExceptions) {
  const struct {
    const char* name;
    std::vector<Encoded> reply;
    std::string message;  // empty: any message
  } cases[] = {
      {"error element", {MwEncode::error(77, 15, "disk on fire", "HY000")}, "disk on fire"},
      {"wrong element", {MwEncode::string("not a row")}, ""},
  };
  for (const auto& c : cases) {
    auto reply = c.reply;
    onFirstFetch([reply](std::vector<Encoded>) { return reply; });
    auto view = open()->createView("select n from t");
    try {
      view->first();
      ADD_FAILURE() << c.name;
    } catch (const SQLException& e) {
      if (!c.message.empty()) {
        EXPECT_EQ(e.getMessage(), c.message) << c.name;
      }
    }
    EXPECT_EQ(view->getCurrentRecordNumber(), 0) << c.name;
    EXPECT_TRUE(view->first()) << c.name;  // a failed fetch leaves the set as it was
  }
}

TEST_F(FaultTest, AViewReplyOfTheWrongShapeIsAnSQLException) {
  server().server().setHandler([](const ParsedRequest& r) -> std::optional<Bytes> {
    if (r.words.size() >= 4 && r.words[3] == "2" && r.args.size() == 10) {
      return MwEncode::list({MwEncode::dataInt(5), MwEncode::dataInt(6)}).bytes;
    }
    return std::nullopt;
  });
  auto session = open();
  EXPECT_THROW(session->createView("select n from t"), SQLException);
  EXPECT_EQ(session->openMultiViews(), 0u);
}

}  // namespace
}  // namespace rowlacetest
