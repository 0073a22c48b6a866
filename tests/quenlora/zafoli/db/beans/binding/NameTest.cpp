// Binding names: splitting alias@columns%rows, rebuilding the full name, column positions and ownership.
#include "quenlora/zafoli/db/beans/binding/Name.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/lang/Exceptions.h"
#include "platform/lang/System.h"
#include "quenlora/zafoli/db/beans/binding/DataBinding.h"

namespace quenlora::zafoli::db::beans::binding {
namespace {

using plat::lang::ConsoleCapture;

struct Parsed {
  std::string text;
  std::string alias;
  std::string columns;
  int cols;
  int rows;
  std::string full;
};

TEST(Name, SplitsTextsAndRebuildsTheFullName) {
  const Parsed cases[] = {
      {"emp@NAME,SALARY%All", "emp", "NAME,SALARY", 2, -1, "emp@NAME,SALARY%-1"},
      {"emp@NAME", "emp", "NAME", 1, 1, "emp@NAME%1"},
      {"", "", "", 0, 0, "none"},
      {"NAME%3", "", "NAME", 1, 3, "none"},
      {"emp@", "emp", "", 0, 1, "none"},
      {"emp@All%0", "emp", "All", 1, 0, "emp@All%0"},
      {"emp@A,B%-1", "emp", "A,B", 2, -1, "emp@A,B%-1"},
      {"a@b@C,D%12", "a", "b@C,D", 2, 12, "a@b@C,D%12"},
      {"emp@A,,B%2", "emp", "A,,B", 3, 2, "emp@A,,B%2"},
      {"emp@ NAME %1", "emp", " NAME ", 1, 1, "emp@ NAME %1"},
  };
  for (const Parsed& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Name::getTableName(c.text), c.alias);
    EXPECT_EQ(Name::getFieldName(c.text), c.columns);
    EXPECT_EQ(Name::getNumberOfCols(c.text), c.cols);
    EXPECT_EQ(Name::getNumberOfRows(c.text), c.rows);
    Name name(c.text);
    EXPECT_EQ(name.getTableName(), c.alias);
    EXPECT_EQ(name.getFieldName(), c.columns);
    EXPECT_EQ(name.getNumberOfRows(), c.rows);
    EXPECT_EQ(name.getNumberOfCols(), c.cols);
    EXPECT_EQ(name.getFullName(), c.full);
  }
}

TEST(Name, TheFullNameIsStoredOnlyWhenItIsRebuilt) {
  Name name("NAME%3");
  EXPECT_EQ(name.getFullName(), "none");
  EXPECT_EQ(name.toString(), "NAME%3");  // left alone
  Name all("emp@A%All");
  all.getFullName();
  EXPECT_EQ(all.toString(), "emp@A%-1");
  // A rebuilt name parses back to the same parts.
  Name again(all.toString());
  EXPECT_EQ(again.getNumberOfRows(), Name::AllRows);
  EXPECT_EQ(again.getFieldName(), "A");
}

TEST(Name, ConstructorsFromPartsAndTheEmptyDataBinding) {
  Name two("emp", "ID,NAME");
  EXPECT_EQ(two.getNumberOfRows(), 1);
  EXPECT_EQ(two.getFullName(), "emp@ID,NAME%1");
  Name three("emp", "ID", -1);
  EXPECT_EQ(three.getFullName(), "emp@ID%-1");
  Name none;
  EXPECT_EQ(none.getNumberOfRows(), 1);
  EXPECT_EQ(none.getFullName(), "none");
  DataBinding empty;
  EXPECT_EQ(empty.getNumberOfRows(), 0);
  EXPECT_EQ(empty.getNumberOfCols(), 0);
  DataBinding text("emp@NAME%2");
  EXPECT_EQ(text.getFullName(), "emp@NAME%2");
}

TEST(Name, ABadRowCountIsANumberFormatErrorAndChangesNothing) {
  const std::vector<std::string> bad = {"emp@A%x", "emp@A%all", "emp@A%-5",  "emp@A%-2",
                                        "emp@A%",  "emp@A% 1",  "emp@A%1.5", "emp@A%99999999999"};
  for (const std::string& text : bad) {
    SCOPED_TRACE(text);
    EXPECT_THROW(Name::getNumberOfRows(text), plat::lang::NumberFormatException);
    EXPECT_THROW(Name{text}, plat::lang::NumberFormatException);
    Name kept("dept@ID%4");
    EXPECT_THROW(kept.setName(text), plat::lang::NumberFormatException);
    EXPECT_EQ(kept.getTableName(), "dept");
    EXPECT_EQ(kept.getNumberOfRows(), 4);
  }
  EXPECT_THROW(Name("emp", "A", -5), plat::lang::NumberFormatException);
  EXPECT_EQ(Name::getNumberOfRows("emp@A%+7"), 7);
}

TEST(Name, ColumnPositionsByNumberAndByName) {
  Name name("emp@A,B,C%1");
  struct Case {
    std::string column;
    int position;
    std::string printed;
  };
  const Case cases[] = {
      {"2", 1, ""},
      {"3", 2, ""},
      {"1", 0, ""},
      {"A", 0, ""},
      {"C", 2, ""},
      {"B,C", 1, ""},
      {"0", -666, "column 0 not found\n"},
      {"4", -666, "column 4 not found\n"},
      {"b", -666, "column b not found\n"},
      {"99999999999", -666, "column 99999999999 not found\n"},
      {"", -666, "column  not found\n"},
      {",A", -666, "column ,A not found\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.column);
    ConsoleCapture out;
    EXPECT_EQ(name.getColumnFromName(c.column), c.position);
    EXPECT_EQ(out.text(), c.printed);
  }
  // A column literally named by digits is found by name once the number is out of range.
  Name digits("t@X,10%1");
  ConsoleCapture out;
  EXPECT_EQ(digits.getColumnFromName("10"), 1);
  EXPECT_EQ(digits.getColumnFromName("2"), 1);
  EXPECT_EQ(out.text(), "");
}

TEST(Name, AColumnIsAWholeEntryNeverPartOfOne) {
  struct Case {
    std::string list;
    std::string column;
    int position;
  };
  const Case cases[] = {
      {"C40,C4", "C4", 1},  {"AA,BA,A", "A", 2}, {"AB,B", "B", 1},    {"A,,B", "", 1},
      {"XA,AX", "A", -666}, {"A,B", "A,B", 0},   {"NAME", "NAME", 0}, {"A,B,A", "A", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list + " / " + c.column);
    Name name("t@" + c.list + "%1");
    ConsoleCapture out;
    EXPECT_EQ(name.getColumnFromName(c.column), c.position);
    EXPECT_EQ(name.isMyField("t@" + c.column), c.position >= 0);
  }
  // A text that starts with the separator is looked for whole, and no entry holds a separator.
  Name leadingEmpty("t@,A%1");
  ConsoleCapture out;
  EXPECT_EQ(leadingEmpty.getColumnFromName(",A"), -666);
  EXPECT_EQ(leadingEmpty.getColumnFromName("A"), 1);
}

TEST(Name, PositionsOfAnotherNamesColumns) {
  Name source("emp@ID,NAME,RowNumber,RowState,NumberOfRows,CurrentDataSource%1");
  EXPECT_TRUE(source.hasVirtualColumns());
  EXPECT_EQ(source.getRealFieldName(), "ID,NAME");
  EXPECT_EQ(source.getColumnsFromName("emp@All%1"), (std::vector<int>{0, 1}));
  EXPECT_EQ(source.getColumnsFromName("x@All%All"), (std::vector<int>{0, 1}));
  EXPECT_EQ(source.getColumnsFromName("emp@NAME,ID,RowState"), (std::vector<int>{1, 0, 3}));
  ConsoleCapture out;
  EXPECT_EQ(source.getColumnsFromName("emp@NAME,SALARY"), (std::vector<int>{1, -666}));
  EXPECT_EQ(out.text(), "column SALARY not found\n");
}

TEST(Name, AllMeansEveryColumnOfASourceWithoutVirtualColumns) {
  Name oneRow("calc@TOTAL,TAX%1");
  EXPECT_FALSE(oneRow.hasVirtualColumns());
  EXPECT_EQ(oneRow.getRealFieldName(), "TOTAL,TAX");
  EXPECT_EQ(oneRow.getColumnsFromName("calc@All"), (std::vector<int>{0, 1}));
  // Only a real suffix counts: a column that merely ends like the last virtual column does not.
  Name lookalike("t@A,XCurrentDataSource%1");
  EXPECT_FALSE(lookalike.hasVirtualColumns());
  EXPECT_EQ(lookalike.getColumnsFromName("t@All"), (std::vector<int>{0, 1}));
  Name onlyVirtual("t@RowNumber,RowState,NumberOfRows,CurrentDataSource%1");
  EXPECT_TRUE(onlyVirtual.hasVirtualColumns());
  EXPECT_EQ(onlyVirtual.getRealFieldName(), "");
  EXPECT_TRUE(onlyVirtual.getColumnsFromName("t@All").empty());
}

TEST(Name, OwnershipOfRequestedNames) {
  Name source("emp@ID,NAME,RowNumber,RowState,NumberOfRows,CurrentDataSource%1");
  struct Case {
    std::string request;
    bool mine;
  };
  const Case cases[] = {
      {"emp@NAME%1", true},
      {"emp@All%All", true},
      {"emp@NAME,SALARY", true},  // the first column decides
      {"emp@SALARY,NAME", false},
      {"emp@2", true},
      {"emp@6", true},
      {"emp@7", false},
      {"emp@0", false},
      {"emp@99999999999", false},
      {"emp@name", false},
      {"dept@NAME", false},
      {"Emp@NAME", false},
      {"NAME", false},
      {"emp@", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.request);
    EXPECT_EQ(source.isMyField(c.request), c.mine);
  }
}

TEST(Name, ANameAssembledWithSettersCountsItsColumns) {
  Name name;
  name.setTableName("emp");
  name.setFieldName("A,B,C");
  name.setNumberOfRows(Name::AllRows);
  EXPECT_EQ(name.getNumberOfCols(), 3);
  EXPECT_EQ(name.getColumnFromName("3"), 2);
  EXPECT_EQ(name.getFullName(), "emp@A,B,C%-1");
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::binding
