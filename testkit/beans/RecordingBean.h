// A bean for tests of the mediators: a grid of cells written and read through methods registered with the class
// registry ("setCell(Value,Row,Col)", "getCell(Row,Col)", "setText(Value)", "getText()"), recording every write.
// Not thread-safe; a test uses it from one thread.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/lang/Value.h"

namespace plat::runvale {
class ClassRegistry;
}

namespace testkit::beans {

class RecordingBean : public plat::lang::Object {
 public:
  static constexpr const char* kClassName = "testkit.beans.RecordingBean";

  struct Write {
    plat::lang::Value value;
    int row;
    int col;
  };

  void setCell(const plat::lang::Value& value, int row, int col);
  plat::lang::Value getCell(int row, int col) const;
  void setText(const plat::lang::Value& value) { setCell(value, 0, 0); }
  plat::lang::Value getText() const { return getCell(0, 0); }

  // Changes a cell as a user would, without recording it as a write from a mediator.
  void edit(const plat::lang::Value& value, int row, int col) { cells_[{row, col}] = value; }
  const std::vector<Write>& writes() const { return writes_; }
  void clearWrites() { writes_.clear(); }

  std::string getClassName() const override { return kClassName; }

  static void registerClass(plat::runvale::ClassRegistry& registry);

 private:
  std::map<std::pair<int, int>, plat::lang::Value> cells_;
  std::vector<Write> writes_;
};

}  // namespace testkit::beans
