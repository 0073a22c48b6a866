#include "testkit/beans/RecordingBean.h"

#include "platform/runvale/ClassRegistry.h"
#include "platform/runvale/MethodDescriptor.h"

namespace testkit::beans {

using plat::lang::Value;

void RecordingBean::setCell(const Value& value, int row, int col) {
  cells_[{row, col}] = value;
  writes_.push_back({value, row, col});
}

Value RecordingBean::getCell(int row, int col) const {
  auto it = cells_.find({row, col});
  return it == cells_.end() ? Value() : it->second;
}

void RecordingBean::registerClass(plat::runvale::ClassRegistry& registry) {
  registry.registerClass({kClassName, [] { return plat::lang::makeRef<RecordingBean>(); }, {}, ""});
  auto bean = [](plat::lang::Object& target) -> RecordingBean& { return dynamic_cast<RecordingBean&>(target); };
  registry.addMethod(kClassName, {"setCell",
                                  {"java.lang.Object", "int", "int"},
                                  "void",
                                  [bean](plat::lang::Object& t, const std::vector<Value>& a) {
                                    bean(t).setCell(a.at(0), a.at(1).intValue(), a.at(2).intValue());
                                    return Value();
                                  }});
  registry.addMethod(
      kClassName,
      {"getCell", {"int", "int"}, "java.lang.Object", [bean](plat::lang::Object& t, const std::vector<Value>& a) {
         return bean(t).getCell(a.at(0).intValue(), a.at(1).intValue());
       }});
  registry.addMethod(
      kClassName, {"setText", {"java.lang.Object"}, "void", [bean](plat::lang::Object& t, const std::vector<Value>& a) {
                     bean(t).setText(a.at(0));
                     return Value();
                   }});
  registry.addMethod(kClassName,
                     {"getText", {}, "java.lang.Object", [bean](plat::lang::Object& t, const std::vector<Value>&) {
                        return bean(t).getText();
                      }});
}

}  // namespace testkit::beans
