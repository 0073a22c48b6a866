#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/pro/MultiView.h"
#include "quenlora/zafoli/db/pro/RelationView.h"
#include "tests/quenlora/zafoli/db/pro/RowlaceTestSupport.h"

namespace rowlacetest {
namespace {

using plat::lang::Ref;
using quenlora::zafoli::db::pro::Record;
using quenlora::zafoli::db::pro::RelationView;

std::string readAll(plat::io::InputStream& in) {
  std::string text;
  for (int b = in.read(); b >= 0; b = in.read()) text += static_cast<char>(b);
  in.close();
  return text;
}

std::string refusal(const std::function<void()>& f) {
  try {
    f();
  } catch (const plat::sql::SQLException& e) {
    return e.getMessage();
  }
  return "";
}

TEST_F(RowlaceTest, LongValuesTravelThroughStreamsAndAreSaved) {
  server().execute("create table docs (id integer primary key, body text)");
  server().execute("insert into docs values (1, 'hello'), (2, 'bye')");
  auto session = open();
  auto view = session->createView(session->getDefaultConnection(), "select id, body from docs",
                                  props({{"readOnly", "false"}, {"recPosition", "1"}}));
  EXPECT_EQ(readAll(*view->getRecord()->getInputStream(2)), "hello");
  auto out = view->getRecord()->getOutputStream(2);
  const std::string body = "a new body";
  out->write(reinterpret_cast<const std::uint8_t*>(body.data()), body.size());
  out->close();
  EXPECT_EQ(view->getCurrentRecordState(), Record::RECSTATE_MODIFIED);
  EXPECT_TRUE(view->getMultiView()->isDataChanged());

  ASSERT_TRUE(view->next());
  Ref<Record> bye = view->getRecord();
  view->deleteRecord();
  EXPECT_EQ(refusal([&] { bye->getOutputStream(2); }), "Record has been marked for deletion.");
  view->undoRecord();
  ASSERT_TRUE(view->saveMultiView());
  EXPECT_EQ(refusal([&] { bye->getInputStream(2); }), "Record is invalid.");

  auto again = session->createView(session->getDefaultConnection(), "select id, body from docs order by id",
                                   props({{"recPosition", "1"}}));
  EXPECT_EQ(readAll(*again->getRecord()->getInputStream(2)), body);
  ASSERT_TRUE(again->next());
  EXPECT_EQ(readAll(*again->getRecord()->getInputStream(2)), "bye");
  EXPECT_EQ(refusal([&] { again->getRecord()->getOutputStream(2); }), "The view is read-only");
}

}  // namespace
}  // namespace rowlacetest
