// The SQL type tables, typed text to values, the data-source names and the log helper's reports.
#include "quenlora/zafoli/db/beans/util/DataTypeHelper.h"

#include <gtest/gtest.h>

#include "platform/gui/DialogService.h"
#include "platform/gui/HeadlessDialogService.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/System.h"
#include "platform/sql/Types.h"
#include "platform/text/Locale.h"
#include "platform/text/ResourceBundle.h"
#include "quenlora/zafoli/db/beans/util/DataSourceConstants.h"
#include "quenlora/zafoli/db/beans/util/LogWindowHelper.h"
#include "quenlora/zafoli/db/beans/util/UtilResource.h"

namespace quenlora::zafoli::db::beans::util {
namespace {

using plat::lang::Value;
using plat::sql::Types;
namespace tb = binding::taskbus;

class LogRecorder : public tb::TaskBusEventListener {
 public:
  void handleTaskBusEvent(const tb::TaskBusEvent& e) override {
    std::lock_guard<std::mutex> lock(mutex);
    entries.push_back(e.getMessage() + "|" + e.getSQL());
    types.push_back(e.getEventType());
  }
  std::mutex mutex;
  std::vector<std::string> entries;
  std::vector<int> types;
};

// Listens on the bus for one test.
class LogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LogWindowHelper::getInstance();
    plat::text::Locale::setDefault(plat::text::Locale::US);
    tb::TaskBus::getInstance()->addTaskBusEventListener(recorder);
  }
  void TearDown() override {
    tb::TaskBus::getInstance()->removeTaskBusEventListener(recorder);
    plat::text::Locale::setDefault(saved);
  }
  plat::text::Locale saved = plat::text::Locale::getDefault();
  std::shared_ptr<LogRecorder> recorder = std::make_shared<LogRecorder>();
};

TEST(DataTypeHelper, Tables) {
  EXPECT_EQ(DataTypeHelper::getDataType("INTEGER"), 4);
  EXPECT_EQ(DataTypeHelper::getDataTypeDescription(93), "TIMESTAMP");
  EXPECT_EQ(DataTypeHelper::getSQLConstant(12), "java.sql.Types.VARCHAR");
  EXPECT_EQ(DataTypeHelper::getObjCodeGenForDataType(-4), "");
  EXPECT_EQ(DataTypeHelper::getObjCodeGenForDataType(-5), "new java.math.BigInteger");
  EXPECT_FALSE(DataTypeHelper::isDataTypeValidForConstant(-1));
  EXPECT_TRUE(DataTypeHelper::isDataTypeValidForConstant(-7));
  EXPECT_EQ(DataTypeHelper::getArrayOfConstantDataTypeDesc().size(), 15u);
  EXPECT_EQ(DataTypeHelper::getStringToIntHash().size(), 19u);
  EXPECT_FALSE(DataTypeHelper::isDataTypeDescriptionValid("integer"));
  try {
    DataTypeHelper::getDataType("NOPE");
    FAIL();
  } catch (const plat::lang::IllegalArgumentException& e) {
    EXPECT_EQ(e.getMessage(), "Unknown data type: NOPE");
  }
}

TEST(DataTypeHelper, EveryTypeOfTheTable) {
  plat::text::Locale saved = plat::text::Locale::getDefault();
  plat::text::Locale::setDefault(plat::text::Locale::US);
  struct Case {
    int code;
    const char* text;
    std::string className;  // empty: null
  } cases[] = {
      {Types::BIGINT, "12", "java.lang.Long"},
      {Types::BIT, "1", ""},
      {Types::BINARY, "01", ""},
      {Types::CHAR, "x", "java.lang.String"},
      {Types::DATE, "2024-01-02", "java.sql.Date"},
      {Types::DECIMAL, "1.25", "java.math.BigDecimal"},
      {Types::DOUBLE, "1.25", "java.lang.Double"},
      {Types::FLOAT, "1.25", "java.lang.Double"},
      {Types::INTEGER, "12", "java.lang.Integer"},
      {Types::LONGVARBINARY, "1", ""},
      {Types::LONGVARCHAR, "x", ""},
      {Types::NUMERIC, "3", "java.math.BigDecimal"},
      {Types::REAL, "1.5", "java.lang.Float"},
      {Types::TIME, "10:00:00", "java.sql.Time"},
      {Types::TIMESTAMP, "2024-01-02 10:00:00", "java.sql.Timestamp"},
      {Types::TINYINT, "5", "java.lang.Short"},
      {Types::SMALLINT, "5", "java.lang.Short"},
      {Types::VARBINARY, "1", ""},
      {Types::VARCHAR, "abc", "java.lang.String"},
  };
  for (const auto& c : cases) {
    Value v = DataTypeHelper::getJavaObjectForType(c.text, c.code);
    EXPECT_EQ(v.getClassName(), c.className) << c.code;
  }
  plat::text::Locale::setDefault(saved);
}

TEST_F(LogTest, UnreadableTextGivesNullAndALogEntry) {
  EXPECT_TRUE(DataTypeHelper::getJavaObjectForType("abc", Types::INTEGER).isNull());
  // An unreadable date is null too, never the current time.
  EXPECT_TRUE(DataTypeHelper::getJavaObjectForType("no date", Types::DATE).isNull());
  ASSERT_EQ(recorder->entries.size(), 2u);
  EXPECT_EQ(recorder->entries[0].rfind("Exception in number conversion|", 0), 0u);
  EXPECT_EQ(recorder->entries[1].rfind("Exception in date conversion|Unparseable date", 0), 0u);
  EXPECT_EQ(recorder->types[0], tb::TaskBusEvent::START_TASK);
}

TEST_F(LogTest, LogEntriesAreAnnouncedWithTheirTitle) {
  LogWindowHelper::getInstance().displayMsgToLog("SQL", "select * from t");
  ASSERT_EQ(recorder->entries.size(), 1u);
  EXPECT_EQ(recorder->entries[0], "SQL|select * from t");
}

TEST(LogWindowHelper, HeadlessDialogsUseTheServiceOrStandardError) {
  auto service = std::make_shared<plat::gui::HeadlessDialogService>();
  plat::gui::DialogService::setCurrent(service);
  service->scriptAnswer(plat::gui::DialogAnswer::Ok);
  LogWindowHelper::getInstance().displayMsgDialog("shown");
  ASSERT_EQ(service->shown().size(), 1u);
  EXPECT_EQ(service->shown()[0].text, "shown");
  {
    plat::lang::ConsoleCapture capture(plat::lang::ConsoleCapture::Target::kErr);
    LogWindowHelper::getInstance().displayMsgDialog("later", true);  // no screen: at once
    EXPECT_EQ(capture.text(), "later\n");
  }
  plat::gui::DialogService::setCurrent(nullptr);
}

// A graphical service that blocks until released: a deferred dialog must not wait for it.
class BlockingService : public plat::gui::DialogService {
 public:
  plat::gui::DialogAnswer show(const plat::gui::MessageRequest& r) override {
    std::unique_lock<std::mutex> lock(mutex);
    cv.wait_for(lock, std::chrono::seconds(10), [&] { return released; });
    text = r.text;
    shown = true;
    cv.notify_all();
    return plat::gui::DialogAnswer::Ok;
  }
  bool isGraphical() const override { return true; }
  std::mutex mutex;
  std::condition_variable cv;
  bool released = false, shown = false;
  std::string text;
};

TEST(LogWindowHelper, DeferredDialogReturnsBeforeItIsShown) {
  auto service = std::make_shared<BlockingService>();
  plat::gui::DialogService::setCurrent(service);
  LogWindowHelper::getInstance().displayMsgDialog("deferred", true);
  {
    std::unique_lock<std::mutex> lock(service->mutex);
    EXPECT_FALSE(service->shown);
    service->released = true;
    service->cv.notify_all();
    EXPECT_TRUE(service->cv.wait_for(lock, std::chrono::seconds(10), [&] { return service->shown; }));
  }
  EXPECT_EQ(service->text, "deferred");
  plat::gui::DialogService::setCurrent(nullptr);
}

TEST(DataSourceConstants, NamesFromTheUtilityBundle) {
  EXPECT_EQ(DataSourceConstants::NUM_DATASOURCE_TYPES, 4);
  EXPECT_STREQ(DataSourceConstants::DB_HELP_FILE_NAME, "tolvexdb.hlp");
  auto german = plat::text::ResourceBundle::getBundle(UtilResource::kBaseName, plat::text::Locale::GERMANY);
  EXPECT_EQ(DataSourceConstants::descriptionsFrom(german.get()),
            (std::vector<std::string>{"QueryNavigator", "StoredProcedure/SQL-Adapter", "Abgeleitete Spalten",
                                      "Überprüfte Spalten"}));
  EXPECT_EQ(DataSourceConstants::descriptionsFrom(nullptr)[3], "Validated Columns");
  EXPECT_EQ(DataSourceConstants::DATASOURCE_DESC().size(), 4u);
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::util
