// Reads and writes the values of an output object (a bean) through method descriptors given as text, such as
// "setValue(Value,Row,Col)" or "getData()", resolved against the methods the class registry lists for the
// output's class. The output is a back reference: the component does not keep it alive. Calls on the output and
// changes of the component's state are serialised on the component (a re-entrant lock), so the output may call
// back into it.
#pragma once

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/lang/Value.h"
#include "platform/runvale/MethodDescriptor.h"
#include "platform/thread/Monitor.h"
#include "quenlora/zafoli/db/beans/binding/GridSize.h"

namespace quenlora::zafoli::db::beans::binding {

// Rows of values, each row as wide as the first.
using Grid = std::vector<std::vector<plat::lang::Value>>;

class OutputComponent : public plat::lang::Object {
 public:
  static constexpr const char* ColumnNotFoundString = "Not Found";
  // The value class that makes values travel as text.
  static constexpr const char* StringClass = "java.lang.String";
  static constexpr const char* ObjectClass = "java.lang.Object";

  OutputComponent() = default;
  OutputComponent(const OutputComponent&) = delete;
  OutputComponent& operator=(const OutputComponent&) = delete;

  // Resolve each descriptor; the first that does not resolve is reported on standard output as
  // "Method <descriptor> not found" and the result is false. Resolving get methods learns the value class from
  // the last one's result type when it is not known yet.
  virtual bool setSetMethods(const std::vector<std::string>& descriptors);
  virtual bool setGetMethods(const std::vector<std::string>& descriptors);
  std::vector<std::string> getSetMethods() const;
  std::vector<std::string> getGetMethods() const;

  // One value: the last get method's result; "Not Found" for the column -666; null or empty text becomes null
  // when empty means null, else the empty text.
  virtual plat::lang::Value getPrintOut(int row, int col);
  // The whole output: height rows by width columns.
  Grid getPrintOut();
  // Height rows by one column per position; cell (r, c) is getPrintOut(r - rowOffset, positions[c]).
  Grid getPrintOut(const std::vector<int>& positions, int rowOffset = 0);
  // Writes one value through every resolved set method, for a column of 0 or more.
  virtual void setPrintOut(const plat::lang::Value& value, int row, int col);
  // Writes value into every cell of the output size.
  void setPrintOut(const plat::lang::Value& value);

  plat::lang::Ref<plat::lang::Object> getOutput() const;
  void setOutput(const plat::lang::Ref<plat::lang::Object>& output);
  GridSize getOutputSize() const;
  void setOutputSize(GridSize size);
  bool getEmptyMeansNull() const;
  void setEmptyMeansNull(bool emptyMeansNull);
  // The class of the values the output holds ("" while unknown).
  std::string getInputClass() const;
  void setInputClass(const std::string& className);

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.binding.OutputComponent"; }

 protected:
  // What a descriptor's parameter passes: the value, the row or the column.
  enum class Parameter { Value, Row, Col };
  struct Resolved {
    const plat::runvale::MethodDescriptor* method;  // owned by the class registry, which never frees it
    std::vector<Parameter> parameters;              // one per parameter
  };

  // The method a descriptor names on the output, if any.
  std::optional<Resolved> resolve(const std::string& descriptor) const;
  // Learns the value class from a value when it is not known yet.
  void learnInputClass(const plat::lang::Value& value);
  bool isStringClass() const;
  // The output, for a caller that holds monitor_ already.
  plat::lang::Ref<plat::lang::Object> heldOutput() const { return Component.lock(); }
  // A null or empty value as the output's reader hands it on.
  plat::lang::Value emptyAsConfigured(const plat::lang::Value& value) const;

  mutable plat::thread::Monitor monitor_;    // serialises calls on the output and the fields below
  std::vector<std::string> setMethFullName;  // descriptor texts as given
  std::vector<std::string> getMethFullName;

 private:
  static void report(const std::string& descriptor);
  // Sets InputClass and the flags that answer from it; the caller holds monitor_.
  void setInputClassIntern(const std::string& className);
  // Appends to args what the method's parameters pass.
  void arguments(std::vector<plat::lang::Value>& args, const Resolved& method, const plat::lang::Value& value, int row,
                 int col) const;
  // Invokes method on output with its arguments; the caller holds monitor_.
  plat::lang::Value call(const Resolved& method, plat::lang::Object& output, const plat::lang::Value& value, int row,
                         int col);

  plat::lang::WeakRef<plat::lang::Object> Component;  // back reference to the output
  std::vector<std::optional<Resolved>> setMethods;    // one per descriptor; empty where it did not resolve
  std::vector<std::optional<Resolved>> getMethods;
  GridSize OutputSize;
  std::string InputClass;                     // guarded by monitor_
  std::atomic<bool> inputClassKnown_{false};  // InputClass is not empty
  std::atomic<bool> stringClass_{false};      // InputClass is the text class
  bool m_EmptyMeansNull = true;
  // guarded by monitor_: one argument vector reused from call to call, saving an allocation per cell
  std::vector<plat::lang::Value> arguments_;
  bool argumentsInUse_ = false;
};

}  // namespace quenlora::zafoli::db::beans::binding
