// A method of a registered class that callers invoke by name: its name, parameter and result type names and the
// invoker that calls it on an object. Descriptors are immutable once registered and may be used from any thread;
// whether the method itself is thread-safe is the class's business.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/lang/Exceptions.h"
#include "platform/lang/Object.h"
#include "platform/lang/Value.h"

namespace plat::runvale {

// The invoked method threw; the exception it threw is the cause.
class InvocationTargetException : public plat::lang::ReflectiveOperationException {
 public:
  using ReflectiveOperationException::ReflectiveOperationException;
  PLAT_THROWABLE_MEMBERS(InvocationTargetException, "java.lang.reflect.InvocationTargetException")
};

using Invoker =
    std::function<plat::lang::Value(plat::lang::Object& target, const std::vector<plat::lang::Value>& args)>;

struct MethodDescriptor {
  std::string name;
  // The runtime's type names: "int", "boolean", "java.lang.String", "java.lang.Object", a registered class ...
  std::vector<std::string> parameterTypes;
  std::string returnType = "void";
  Invoker invoker;  // called with exactly one argument per parameter, each of the parameter's kind

  // The method's signature text, e.g. "setText(java.lang.String)".
  std::string toString() const;

  // Calls the method the way the runtime's reflection does: the argument count must match and each argument must
  // fit its parameter (primitives unboxed and widened, int to long and the like; reference types accept null),
  // else IllegalArgumentException; an exception thrown by the method comes back as InvocationTargetException
  // with that exception as cause. No invoker gives IllegalAccessException.
  plat::lang::Value invoke(plat::lang::Object& target, const std::vector<plat::lang::Value>& args) const;
};

// A descriptor given as text, as callers that name methods in settings write it: the name, "(", parameter words
// separated by ",", ")": "setValue(Value,Row,Col)", "getData()". The words are taken from between the first "("
// and the last character, as they stand; an empty list gives no words. A text without "(" is a name alone.
struct DescriptorText {
  std::string name;
  std::vector<std::string> parameters;

  static DescriptorText parse(const std::string& text);
};

}  // namespace plat::runvale
