// Beans for the item and output-component tests: a grid bean whose methods are registered with the class
// registry under "testbeans.GridBean", and a host that records how the grid algorithms switch its flags.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/lang/Exceptions.h"
#include "platform/lang/Object.h"
#include "platform/lang/Value.h"
#include "platform/runvale/ClassRegistry.h"
#include "platform/runvale/MethodDescriptor.h"
#include "quenlora/zafoli/db/beans/binding/GridHost.h"
#include "quenlora/zafoli/db/beans/binding/OutputComponent.h"

namespace quenlora::zafoli::db::beans::binding::testing {

// Cells by (row, column), and a log of every call made on it.
class GridBean : public plat::lang::Object {
 public:
  static constexpr const char* kClass = "testbeans.GridBean";

  std::string getClassName() const override { return className; }

  std::map<std::pair<int, int>, plat::lang::Value> cells;
  std::vector<std::string> calls;
  std::string className = kClass;
};

// Registers GridBean's methods, in this order:
//   getCell(long,long) Object; getCell(int,int) Object; getText(int,int) String; getData(int) Object;
//   getData() Object; setCell(Object,int,int); setText(String,int,int); setFailing(Object,int,int) throws;
//   setCount(int,int,int) (an int value); setHidden(Object,int,int) without invoker.
inline void registerGridBean() {
  using plat::lang::Value;
  using plat::runvale::MethodDescriptor;
  auto& registry = plat::runvale::ClassRegistry::instance();
  if (registry.isRegistered(GridBean::kClass)) return;
  registry.registerClass({GridBean::kClass, [] { return plat::lang::makeRef<GridBean>(); }, {}, ""});
  auto bean = [](plat::lang::Object& target) -> GridBean& { return static_cast<GridBean&>(target); };
  auto getter = [bean](const char* name) {
    return [bean, name](plat::lang::Object& target, const std::vector<Value>& args) {
      GridBean& b = bean(target);
      b.calls.push_back(std::string(name) + "(" + args[0].toString() + "," + args[1].toString() + ")");
      auto it = b.cells.find({args[0].intValue(), args[1].intValue()});
      return it == b.cells.end() ? Value() : it->second;
    };
  };
  auto setter = [bean](const char* name) {
    return [bean, name](plat::lang::Object& target, const std::vector<Value>& args) {
      GridBean& b = bean(target);
      b.calls.push_back(std::string(name) + "(" + args[0].toString() + "," + args[1].toString() + "," +
                        args[2].toString() + ")");
      b.cells[{args[1].getInt(), args[2].getInt()}] = args[0];
      return Value();
    };
  };
  registry.addMethod(GridBean::kClass, {"getCell", {"long", "long"}, "java.lang.Object", getter("getCellLong")});
  registry.addMethod(GridBean::kClass, {"getCell", {"int", "int"}, "java.lang.Object", getter("getCell")});
  registry.addMethod(GridBean::kClass, {"getText", {"int", "int"}, "java.lang.String", getter("getText")});
  registry.addMethod(
      GridBean::kClass,
      {"getData", {"int"}, "java.lang.Object", [bean](plat::lang::Object& target, const std::vector<Value>&) {
         bean(target).calls.push_back("getData(int)");
         return Value("one");
       }});
  registry.addMethod(GridBean::kClass,
                     {"getData", {}, "java.lang.Object", [bean](plat::lang::Object& target, const std::vector<Value>&) {
                        bean(target).calls.push_back("getData()");
                        return Value("none");
                      }});
  registry.addMethod(GridBean::kClass, {"setCell", {"java.lang.Object", "int", "int"}, "void", setter("setCell")});
  registry.addMethod(GridBean::kClass, {"setText", {"java.lang.String", "int", "int"}, "void", setter("setText")});
  registry.addMethod(GridBean::kClass, {"setFailing",
                                        {"java.lang.Object", "int", "int"},
                                        "void",
                                        [](plat::lang::Object&, const std::vector<Value>&) -> Value {
                                          throw plat::lang::IllegalStateException("refused");
                                        }});
  registry.addMethod(GridBean::kClass, {"setCount", {"int", "int", "int"}, "void", setter("setCount")});
  registry.addMethod(GridBean::kClass, {"setHidden", {"java.lang.Object", "int", "int"}, "void", {}});
}

// A mediator stand-in: flags as plain fields, and a log of every switch.
class RecordingHost : public GridHost {
 public:
  bool isProvider() const override { return provider; }
  void setNotifyOnDS(bool on) override { log.push_back(std::string("notifyOnDS=") + (on ? "on" : "off")); }
  void setNotifyOn(bool on) override {
    notifyOn = on;
    log.push_back(std::string("notifyOn=") + (on ? "on" : "off"));
  }
  void setNotifyOnStatic(bool on) override { log.push_back(std::string("notifyOnStatic=") + (on ? "on" : "off")); }
  void setNotifySizeOnStatic(bool on) override {
    notifySizeOnStatic = on;
    log.push_back(std::string("notifySizeOnStatic=") + (on ? "on" : "off"));
  }
  int getOffset() const override { return offset; }
  bool isLocalizationUsed() const override { return localizationUsed; }
  bool isFormatNumbers() const override { return formatNumbers; }
  bool isEmptyMeansNull() const override { return emptyMeansNull; }
  OutputComponent* getOutputComponent() override { return component; }

  bool provider = false;
  bool notifyOn = true;
  bool notifySizeOnStatic = true;
  int offset = 0;
  bool localizationUsed = false;
  bool formatNumbers = false;
  bool emptyMeansNull = false;
  OutputComponent* component = nullptr;
  std::vector<std::string> log;
};

}  // namespace quenlora::zafoli::db::beans::binding::testing
