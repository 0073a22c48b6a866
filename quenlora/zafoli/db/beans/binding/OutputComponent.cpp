#include "quenlora/zafoli/db/beans/binding/OutputComponent.h"

#include "platform/lang/Exceptions.h"
#include "platform/lang/System.h"
#include "platform/runvale/ClassRegistry.h"
#include "quenlora/zafoli/db/beans/binding/Name.h"

namespace quenlora::zafoli::db::beans::binding {

namespace {

using plat::lang::Value;
using plat::thread::Synchronized;

std::string lowerAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

void println(const std::string& line) {
  plat::lang::System::out().println(line);
}

}  // namespace

std::optional<OutputComponent::Resolved> OutputComponent::resolve(const std::string& descriptor) const {
  // A descriptor must close its parameter list: without "(" or the final ")" it names no method.
  if (descriptor.find('(') == std::string::npos || descriptor.back() != ')') return std::nullopt;
  plat::runvale::DescriptorText text = plat::runvale::DescriptorText::parse(descriptor);
  std::vector<Parameter> words;
  for (const std::string& parameter : text.parameters) {
    const std::string word = lowerAscii(parameter);
    if (word == "value") {
      words.push_back(Parameter::Value);
    } else if (word == "row") {
      words.push_back(Parameter::Row);
    } else if (word == "col") {
      words.push_back(Parameter::Col);
    } else {
      return std::nullopt;
    }
  }
  auto output = Component.lock();
  if (!output) return std::nullopt;
  for (const auto* method : plat::runvale::ClassRegistry::instance().getMethods(output->getClassName())) {
    if (method->name != text.name || method->parameterTypes.size() != words.size()) continue;
    bool fits = true;
    for (std::size_t i = 0; i < words.size() && fits; ++i) {
      if (words[i] != Parameter::Value) fits = method->parameterTypes[i] == "int";
    }
    if (fits) return Resolved{method, std::move(words)};
  }
  return std::nullopt;
}

void OutputComponent::report(const std::string& descriptor) {
  println("Method " + descriptor + " not found");
}

bool OutputComponent::setSetMethods(const std::vector<std::string>& descriptors) {
  Synchronized lock(monitor_);
  setMethFullName = descriptors;
  setMethods.assign(descriptors.size(), std::nullopt);
  for (std::size_t i = 0; i < descriptors.size(); ++i) {
    setMethods[i] = resolve(descriptors[i]);
    if (!setMethods[i]) {
      report(descriptors[i]);
      return false;
    }
  }
  return true;
}

bool OutputComponent::setGetMethods(const std::vector<std::string>& descriptors) {
  Synchronized lock(monitor_);
  getMethFullName = descriptors;
  getMethods.assign(descriptors.size(), std::nullopt);
  for (std::size_t i = 0; i < descriptors.size(); ++i) {
    getMethods[i] = resolve(descriptors[i]);
    if (!getMethods[i]) {
      report(descriptors[i]);
      return false;
    }
  }
  if (InputClass.empty() && !getMethods.empty()) {
    const std::string& type = getMethods.back()->method->returnType;
    if (type != "void") setInputClassIntern(type);
  }
  return true;
}

std::vector<std::string> OutputComponent::getSetMethods() const {
  Synchronized lock(monitor_);
  return setMethFullName;
}

std::vector<std::string> OutputComponent::getGetMethods() const {
  Synchronized lock(monitor_);
  return getMethFullName;
}

void OutputComponent::arguments(std::vector<Value>& args, const Resolved& method, const Value& value, int row,
                                int col) const {
  args.reserve(method.parameters.size());
  for (const Parameter word : method.parameters) {
    if (word == Parameter::Row) {
      args.emplace_back(row);
    } else if (word == Parameter::Col) {
      args.emplace_back(col);
    } else if (isStringClass()) {
      args.emplace_back(value.isNull() ? std::string() : value.toString());
    } else {
      args.push_back(value);
    }
  }
}

Value OutputComponent::call(const Resolved& method, plat::lang::Object& output, const Value& value, int row, int col) {
  if (argumentsInUse_) {
    // Re-entered from the output while the shared arguments are being passed: this call brings its own.
    std::vector<Value> args;
    arguments(args, method, value, row, col);
    return method.method->invoke(output, args);
  }
  // The arguments are emptied after every call, so that they keep nothing alive.
  struct Release {
    OutputComponent& self;
    ~Release() {
      self.arguments_.clear();
      self.argumentsInUse_ = false;
    }
  } release{*this};
  argumentsInUse_ = true;
  arguments(arguments_, method, value, row, col);
  return method.method->invoke(output, arguments_);
}

Value OutputComponent::getPrintOut(int row, int col) {
  if (col == Name::ColumnNotFoundField) return Value(ColumnNotFoundString);
  Synchronized lock(monitor_);
  Value value;
  auto output = Component.lock();
  if (output) {
    for (const auto& method : getMethods) {
      if (!method) continue;
      try {
        value = call(*method, *output, Value(), row, col);
      } catch (const plat::lang::IllegalAccessException&) {
        println("Exception IllegalAcces");
      } catch (const plat::lang::IllegalArgumentException&) {
        println("Exception IllegalArgument is here " + method->method->name);
      } catch (const plat::runvale::InvocationTargetException&) {
        println("Exception InvocationTarget " + method->method->name);
      }
    }
  }
  learnInputClass(value);
  return emptyAsConfigured(value);
}

Grid OutputComponent::getPrintOut() {
  GridSize size = getOutputSize();
  Grid grid;
  for (int r = 0; r < size.height; ++r) {
    std::vector<Value> cells;
    cells.reserve(static_cast<std::size_t>(size.width > 0 ? size.width : 0));
    for (int c = 0; c < size.width; ++c) cells.push_back(getPrintOut(r, c));
    grid.push_back(std::move(cells));
  }
  return grid;
}

Grid OutputComponent::getPrintOut(const std::vector<int>& positions, int rowOffset) {
  GridSize size = getOutputSize();
  Grid grid;
  for (int r = 0; r < size.height; ++r) {
    std::vector<Value> cells;
    cells.reserve(positions.size());
    for (int position : positions) cells.push_back(getPrintOut(r - rowOffset, position));
    grid.push_back(std::move(cells));
  }
  return grid;
}

void OutputComponent::setPrintOut(const Value& value, int row, int col) {
  Synchronized lock(monitor_);
  const bool asText = isStringClass();
  const Value text = asText ? Value(value.isNull() ? std::string() : value.toString()) : Value();
  const Value& written = asText ? text : value;
  if (col < 0) return;
  auto output = Component.lock();
  if (!output) return;
  for (const auto& method : setMethods) {
    if (!method) continue;
    try {
      call(*method, *output, written, row, col);
    } catch (const plat::lang::IllegalAccessException&) {
      println("Exception IllegalAccess");
    } catch (const plat::lang::IllegalArgumentException&) {
      println("Exception IllegalArgument on set " + method->method->name);
    } catch (const plat::runvale::InvocationTargetException&) {
      println("Exception InvocationTarget " + method->method->name);
    }
  }
}

void OutputComponent::setPrintOut(const Value& value) {
  GridSize size = getOutputSize();
  for (int r = 0; r < size.height; ++r) {
    for (int c = 0; c < size.width; ++c) setPrintOut(value, r, c);
  }
}

plat::lang::Ref<plat::lang::Object> OutputComponent::getOutput() const {
  Synchronized lock(monitor_);
  return Component.lock();
}

void OutputComponent::setOutput(const plat::lang::Ref<plat::lang::Object>& output) {
  Synchronized lock(monitor_);
  Component = output;
}

GridSize OutputComponent::getOutputSize() const {
  Synchronized lock(monitor_);
  return OutputSize;
}

void OutputComponent::setOutputSize(GridSize size) {
  Synchronized lock(monitor_);
  OutputSize = size;
}

bool OutputComponent::getEmptyMeansNull() const {
  Synchronized lock(monitor_);
  return m_EmptyMeansNull;
}

void OutputComponent::setEmptyMeansNull(bool emptyMeansNull) {
  Synchronized lock(monitor_);
  m_EmptyMeansNull = emptyMeansNull;
}

std::string OutputComponent::getInputClass() const {
  Synchronized lock(monitor_);
  return InputClass;
}

void OutputComponent::setInputClass(const std::string& className) {
  Synchronized lock(monitor_);
  setInputClassIntern(className);
}

void OutputComponent::setInputClassIntern(const std::string& className) {
  InputClass = className;
  inputClassKnown_.store(!InputClass.empty());
  stringClass_.store(InputClass == StringClass);
}

void OutputComponent::learnInputClass(const Value& value) {
  // Once known the class stays: most calls end here without the lock.
  if (inputClassKnown_.load() || value.isNull()) return;
  Synchronized lock(monitor_);
  if (InputClass.empty()) setInputClassIntern(value.getClassName());
}

bool OutputComponent::isStringClass() const {
  return stringClass_.load();
}

Value OutputComponent::emptyAsConfigured(const Value& value) const {
  bool empty = value.isNull() || (value.is(Value::Kind::String) && value.getString().empty());
  if (!empty) return value;
  return getEmptyMeansNull() ? Value() : Value(std::string());
}

}  // namespace quenlora::zafoli::db::beans::binding
