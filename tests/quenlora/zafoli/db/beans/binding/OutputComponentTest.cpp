// Output components: resolving method descriptors given as text, reading and writing cells through them, and
// the direct paths of projection beans and data sources.
#include "quenlora/zafoli/db/beans/binding/OutputComponent.h"

#include <gtest/gtest.h>

#include "ItemTestBeans.h"
#include "platform/lang/System.h"
#include "platform/runvale/ClassRegistry.h"
#include "quenlora/zafoli/db/awt/ProjectionBean.h"
#include "quenlora/zafoli/db/beans/binding/BasicDataSource.h"
#include "quenlora/zafoli/db/beans/binding/OutputComponentForDS.h"
#include "quenlora/zafoli/db/beans/binding/OutputComponentForProj.h"

namespace quenlora::zafoli::db::beans::binding {
namespace {

using plat::lang::ConsoleCapture;
using plat::lang::makeRef;
using plat::lang::Value;
using testing::GridBean;

class OutputComponentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::registerGridBean();
    component.setOutput(bean);
  }

  plat::lang::Ref<GridBean> bean = makeRef<GridBean>();
  OutputComponent component;
};

TEST_F(OutputComponentTest, DescriptorsResolveByNameCountAndIntRowsAndColumns) {
  struct Case {
    std::string descriptor;
    bool get;
    bool resolves;
  };
  const Case cases[] = {
      {"getCell(Row,Col)", true, true},  // the int overload, not the long one listed first
      {"getCell(row,COL)", true, true},
      {"getData()", true, true},
      {"getData(Row)", true, true},
      {"getData(Col,Row)", true, false},
      {"getCell(Row)", true, false},
      {"getCell(Row,Foo)", true, false},
      {"getCell( Row,Col)", true, false},
      {"getMissing()", true, false},
      {"getData(", true, false},
      {"getData", true, false},
      {"getData()x", true, false},
      {"setCell(Value,Row,Col)", false, true},
      {"setCell(Row,Value,Col)", false, false},  // Row must be an int parameter
      {"setCell(Value,Value,Value)", false, true},
      {"", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.descriptor);
    ConsoleCapture out;
    bool resolved = c.get ? component.setGetMethods({c.descriptor}) : component.setSetMethods({c.descriptor});
    EXPECT_EQ(resolved, c.resolves);
    EXPECT_EQ(out.text(), c.resolves ? "" : "Method " + c.descriptor + " not found\n");
  }
}

TEST_F(OutputComponentTest, OnlyTheFirstUnresolvedDescriptorIsReported) {
  ConsoleCapture out;
  EXPECT_FALSE(component.setGetMethods({"getCell(Row,Col)", "getNope()", "getGone()"}));
  EXPECT_EQ(out.text(), "Method getNope() not found\n");
  EXPECT_EQ(component.getGetMethods(), (std::vector<std::string>{"getCell(Row,Col)", "getNope()", "getGone()"}));
}

TEST_F(OutputComponentTest, TheMethodWithoutParametersAnswersGetData) {
  ASSERT_TRUE(component.setGetMethods({"getData()"}));
  EXPECT_EQ(component.getPrintOut(0, 0), Value("none"));
  EXPECT_EQ(bean->calls, (std::vector<std::string>{"getData()"}));
}

TEST_F(OutputComponentTest, ReadingCallsEveryGetMethodAndKeepsTheLastResult) {
  ASSERT_TRUE(component.setGetMethods({"getData()", "getCell(Row,Col)"}));
  EXPECT_EQ(component.getInputClass(), "java.lang.Object");  // the last get method's result type
  bean->cells[{2, 1}] = Value(7);
  EXPECT_EQ(component.getPrintOut(2, 1), Value(7));
  EXPECT_EQ(bean->calls, (std::vector<std::string>{"getData()", "getCell(2,1)"}));
}

TEST_F(OutputComponentTest, TheUnknownColumnReadsNotFoundWithoutCallingTheBean) {
  ASSERT_TRUE(component.setGetMethods({"getCell(Row,Col)"}));
  EXPECT_EQ(component.getPrintOut(0, -666), Value("Not Found"));
  EXPECT_TRUE(bean->calls.empty());
}

TEST_F(OutputComponentTest, EmptyValuesReadAsNullOrEmptyText) {
  ASSERT_TRUE(component.setGetMethods({"getCell(Row,Col)"}));
  bean->cells[{0, 0}] = Value("");
  component.setEmptyMeansNull(true);
  EXPECT_TRUE(component.getPrintOut(0, 0).isNull());
  EXPECT_TRUE(component.getPrintOut(0, 1).isNull());
  component.setEmptyMeansNull(false);
  EXPECT_EQ(component.getPrintOut(0, 0), Value(""));
  EXPECT_EQ(component.getPrintOut(0, 1), Value(""));
}

TEST_F(OutputComponentTest, AStringValueClassWritesText) {
  ASSERT_TRUE(component.setGetMethods({"getText(Row,Col)"}));
  EXPECT_EQ(component.getInputClass(), "java.lang.String");
  ASSERT_TRUE(component.setSetMethods({"setText(Value,Row,Col)"}));
  component.setPrintOut(Value(5), 0, 0);
  component.setPrintOut(Value(), 1, 0);
  EXPECT_EQ(bean->cells[std::make_pair(0, 0)], Value("5"));
  EXPECT_EQ(bean->cells[std::make_pair(1, 0)], Value(""));
}

TEST_F(OutputComponentTest, TheValueClassIsLearnedFromTheFirstValueRead) {
  component.setInputClass("");
  ASSERT_TRUE(component.setGetMethods({"getCell(Row,Col)"}));
  component.setInputClass("");
  EXPECT_TRUE(component.getPrintOut(0, 0).isNull());  // a null teaches nothing
  EXPECT_EQ(component.getInputClass(), "");
  bean->cells[{0, 0}] = Value(1.5);
  component.getPrintOut(0, 0);
  EXPECT_EQ(component.getInputClass(), "java.lang.Double");
}

TEST_F(OutputComponentTest, WritingSkipsNegativeColumnsAndCallsEverySetMethod) {
  ASSERT_TRUE(component.setSetMethods({"setCell(Value,Row,Col)", "setText(Value,Row,Col)"}));
  component.setPrintOut(Value("a"), 0, -666);
  component.setPrintOut(Value("a"), 0, -1);
  EXPECT_TRUE(bean->calls.empty());
  component.setPrintOut(Value("b"), 3, 2);
  EXPECT_EQ(bean->calls, (std::vector<std::string>{"setCell(b,3,2)", "setText(b,3,2)"}));
}

TEST_F(OutputComponentTest, ReflectionFailuresArePrintedAndTheValueStaysNull) {
  ASSERT_TRUE(component.setSetMethods(
      {"setFailing(Value,Row,Col)", "setCount(Value,Row,Col)", "setHidden(Value,Row,Col)", "setCell(Value,Row,Col)"}));
  ConsoleCapture out;
  component.setPrintOut(Value("text"), 0, 0);
  EXPECT_EQ(out.text(),
            "Exception InvocationTarget setFailing\n"
            "Exception IllegalArgument on set setCount\n"
            "Exception IllegalAccess\n");
  EXPECT_EQ(bean->cells[std::make_pair(0, 0)], Value("text"));  // the later method still ran
  out.clear();
  ASSERT_TRUE(component.setGetMethods({"getCell(Row,Value)"}));
  EXPECT_TRUE(component.getPrintOut(0, 0).isNull());
  EXPECT_EQ(out.text(), "Exception IllegalArgument is here getCell\n");  // null does not fit an int
}

TEST_F(OutputComponentTest, GridsOfTheWholeOutputAndOfChosenColumns) {
  ASSERT_TRUE(component.setGetMethods({"getCell(Row,Col)"}));
  component.setEmptyMeansNull(false);
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 4; ++c) bean->cells[{r, c}] = Value(r * 10 + c);
  }
  component.setOutputSize({2, 3});
  Grid whole = component.getPrintOut();
  ASSERT_EQ(whole.size(), 3u);
  ASSERT_EQ(whole[0].size(), 2u);
  EXPECT_EQ(whole[2][1], Value(21));
  Grid chosen = component.getPrintOut(std::vector<int>{3, -666, 0}, 1);
  ASSERT_EQ(chosen.size(), 3u);
  EXPECT_EQ(chosen[1], (std::vector<Value>{Value(3), Value("Not Found"), Value(0)}));  // row 1 - 1 = 0
  EXPECT_EQ(chosen[0][0], Value(""));                                                  // row -1: no such cell

  ASSERT_TRUE(component.setSetMethods({"setCell(Value,Row,Col)"}));
  bean->cells.clear();
  component.setPrintOut(Value("x"));
  EXPECT_EQ(bean->cells.size(), 6u);
}

TEST_F(OutputComponentTest, TheOutputIsNotKeptAlive) {
  ASSERT_TRUE(component.setSetMethods({"setCell(Value,Row,Col)"}));
  ASSERT_TRUE(component.setGetMethods({"getCell(Row,Col)"}));
  std::weak_ptr<GridBean> watch = bean;
  bean.reset();
  EXPECT_TRUE(watch.expired());
  EXPECT_EQ(component.getOutput(), nullptr);
  component.setPrintOut(Value(1), 0, 0);
  EXPECT_TRUE(component.getPrintOut(0, 0).isNull());
}

// A bean whose setter writes into its own component again before it looks at its arguments, as a bean that
// mirrors one cell into another may do.
class EchoBean : public plat::lang::Object {
 public:
  static constexpr const char* kClass = "testbeans.EchoBean";
  std::string getClassName() const override { return kClass; }

  OutputComponent* component = nullptr;
  std::vector<std::string> seen;
};

TEST(OutputComponentReentry, NestedWritesKeepTheirArgumentsAndNoneIsKeptAlive) {
  auto& registry = plat::runvale::ClassRegistry::instance();
  if (!registry.isRegistered(EchoBean::kClass)) {
    registry.registerClass({EchoBean::kClass, [] { return makeRef<EchoBean>(); }, {}, ""});
    registry.addMethod(EchoBean::kClass,
                       {"setCell",
                        {"java.lang.Object", "int", "int"},
                        "void",
                        [](plat::lang::Object& target, const std::vector<Value>& args) {
                          auto& bean = static_cast<EchoBean&>(target);
                          if (args[2].getInt() == 0) bean.component->setPrintOut(Value("inner"), args[1].getInt(), 1);
                          bean.seen.push_back(args[0].toString() + "@" + args[1].toString() + "," + args[2].toString());
                          return Value();
                        }});
  }
  auto bean = makeRef<EchoBean>();
  OutputComponent component;
  bean->component = &component;
  component.setOutput(bean);
  ASSERT_TRUE(component.setSetMethods({"setCell(Value,Row,Col)"}));

  component.setPrintOut(Value("outer"), 4, 0);
  component.setPrintOut(Value("last"), 5, 2);
  EXPECT_EQ(bean->seen, (std::vector<std::string>{"inner@4,1", "outer@4,0", "last@5,2"}));

  // A written object belongs to the bean alone once the call is over.
  auto payload = makeRef<EchoBean>();
  std::weak_ptr<EchoBean> watch = payload;
  component.setPrintOut(Value::ofObject(std::move(payload)), 0, 3);
  EXPECT_TRUE(watch.expired());
}

// A projection bean that holds whatever it is given and logs the calls.
class TextBean : public plat::lang::Object, public awt::ProjectionBean {
 public:
  Value getData() override {
    calls.push_back("getData");
    return held;
  }
  void setData(const Value& value) override {
    calls.push_back("setData(" + value.toString() + ")");
    held = textOnly && !value.isNull() ? Value(value.toString()) : value;
  }
  int getScale() override { return 0; }
  bool isTextBased() override { return true; }
  void registerListeners() override {}
  void setReadOnly(bool) override {}

  Value held;
  bool textOnly = true;
  std::vector<std::string> calls;
};

TEST(OutputComponentForProj, CallsTheBeanDirectly) {
  auto bean = makeRef<TextBean>();
  OutputComponentForProj component;
  component.setOutput(bean);
  ASSERT_TRUE(component.setGetMethods({"getData()"}));
  ASSERT_TRUE(component.setSetMethods({"setData(Value)"}));
  EXPECT_TRUE(component.isProj());
  EXPECT_EQ(component.getPrintOut(0, -666), Value("Not Found"));
  EXPECT_TRUE(bean->calls.empty());
  // With the value class unknown, a null first gives the bean the empty text to learn what it holds.
  component.setPrintOut(Value(), 0, 0);
  EXPECT_EQ(component.getInputClass(), "java.lang.String");
  EXPECT_EQ(bean->calls, (std::vector<std::string>{"setData()", "getData", "setData()"}));
  component.setPrintOut(Value(12), 0, 0);
  EXPECT_TRUE(bean->held.is(Value::Kind::String));
  EXPECT_EQ(bean->held, Value("12"));
  component.setPrintOut(Value(13), 0, -1);  // no column, no write
  EXPECT_EQ(bean->held, Value("12"));
  component.setEmptyMeansNull(true);
  bean->held = Value("");
  EXPECT_TRUE(component.getPrintOut(0, 0).isNull());
}

TEST(OutputComponentForProj, OtherDescriptorsGoThroughTheRegistry) {
  testing::registerGridBean();
  auto bean = makeRef<GridBean>();
  OutputComponentForProj component;
  component.setOutput(bean);
  ASSERT_TRUE(component.setSetMethods({"setCell(Value,Row,Col)"}));
  EXPECT_FALSE(component.isProj());
  component.setPrintOut(Value(4), 1, 1);
  EXPECT_EQ(bean->cells[std::make_pair(1, 1)], Value(4));
}

// A data source of one row that logs cell access.
class RowSource : public plat::lang::Object, public BasicDataSource {
 public:
  void addTriggerUIListener(const plat::lang::Ref<TriggerUIListener>&) override {}
  void removeTriggerUIListener(const plat::lang::Ref<TriggerUIListener>&) override {}
  int getCurrentRowNumber() override { return 0; }
  int getTotalNumberOfRows() override { return 1; }
  Value getValue(int row, int column) override {
    calls.push_back("get " + std::to_string(row) + "," + std::to_string(column));
    return column < static_cast<int>(row0.size()) ? row0[static_cast<std::size_t>(column)] : Value();
  }
  void setValue(const Value& value, int row, int column) override {
    calls.push_back("set " + value.toString() + " " + std::to_string(row) + "," + std::to_string(column));
  }

  std::vector<Value> row0;
  std::vector<std::string> calls;
};

TEST(OutputComponentForDS, CallsTheSourceDirectlyAndPassesValuesUnchanged) {
  auto source = makeRef<RowSource>();
  source->row0 = {Value(""), Value(3)};
  OutputComponentForDS component;
  component.setOutput(source);
  component.setEmptyMeansNull(true);
  ASSERT_TRUE(component.setGetMethods({"getValue(Row,Col)"}));
  ASSERT_TRUE(component.setSetMethods({"setValue(Value,Row,Col)"}));
  EXPECT_TRUE(component.isBDS());
  EXPECT_EQ(component.getPrintOut(0, 0), Value(""));  // not turned into null
  EXPECT_EQ(component.getInputClass(), "java.lang.String");
  EXPECT_EQ(component.getPrintOut(0, -666), Value("Not Found"));
  component.setInputClass("java.lang.Object");
  component.setPrintOut(Value(9), 2, 1);
  component.setPrintOut(Value(9), 0, -666);
  EXPECT_EQ(source->calls, (std::vector<std::string>{"get 0,0", "set 9 2,1"}));
}

TEST(OutputComponentForDS, FollowsItsSourceWhenItIsReplacedOrGone) {
  auto first = makeRef<RowSource>();
  first->row0 = {Value(1)};
  auto second = makeRef<RowSource>();
  second->row0 = {Value(2)};
  OutputComponentForDS component;
  ASSERT_TRUE(component.setGetMethods({"getValue(Row,Col)"}));
  ASSERT_TRUE(component.setSetMethods({"setValue(Value,Row,Col)"}));
  component.setOutput(first);
  EXPECT_EQ(component.getPrintOut(0, 0), Value(1));
  component.setOutput(second);
  EXPECT_EQ(component.getPrintOut(0, 0), Value(2));
  component.setPrintOut(Value(7), 0, 0);
  EXPECT_EQ(first->calls, (std::vector<std::string>{"get 0,0"}));
  EXPECT_EQ(second->calls, (std::vector<std::string>{"get 0,0", "set 7 0,0"}));
  second.reset();
  EXPECT_TRUE(component.getPrintOut(0, 0).isNull());
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::binding
