#include "platform/runvale/MethodDescriptor.h"

#include <algorithm>
#include <optional>

#include "platform/runvale/ClassRegistry.h"

namespace plat::runvale {

namespace {

using plat::lang::Value;
using Kind = Value::Kind;

// Rank of a primitive kind on the runtime's widening path byte < short < int < long < float < double; char widens
// to int and beyond. -1 for kinds that are no primitives.
int wideningRank(Kind kind) {
  switch (kind) {
    case Kind::Byte:
      return 0;
    case Kind::Short:
      return 1;
    case Kind::Int:
      return 2;
    case Kind::Long:
      return 3;
    case Kind::Float:
      return 4;
    case Kind::Double:
      return 5;
    default:
      return -1;
  }
}

std::optional<Value> widenTo(Kind target, const Value& arg) {
  if (arg.kind() == target) return arg;
  if (arg.kind() == Kind::Char && target == Kind::Short) return std::nullopt;  // char to short narrows
  // A char widens as the int of its unit.
  Value source = arg.kind() == Kind::Char ? Value::ofInt(arg.getChar()) : arg;
  int from = wideningRank(source.kind());
  int to = wideningRank(target);
  if (from < 0 || to < 0 || from > to) return std::nullopt;
  switch (target) {
    case Kind::Short:
      return Value::ofShort(source.shortValue());
    case Kind::Int:
      return Value::ofInt(source.intValue());
    case Kind::Long:
      return Value::ofLong(source.longValue());
    case Kind::Float:
      return Value::ofFloat(source.floatValue());
    case Kind::Double:
      return Value::ofDouble(source.doubleValue());
    default:
      return std::nullopt;
  }
}

struct NamedType {
  const char* name;
  Kind kind;
  bool primitive;
};

constexpr NamedType kNamedTypes[] = {
    {"boolean", Kind::Boolean, true},
    {"char", Kind::Char, true},
    {"byte", Kind::Byte, true},
    {"short", Kind::Short, true},
    {"int", Kind::Int, true},
    {"long", Kind::Long, true},
    {"float", Kind::Float, true},
    {"double", Kind::Double, true},
    {"java.lang.Boolean", Kind::Boolean, false},
    {"java.lang.Character", Kind::Char, false},
    {"java.lang.Byte", Kind::Byte, false},
    {"java.lang.Short", Kind::Short, false},
    {"java.lang.Integer", Kind::Int, false},
    {"java.lang.Long", Kind::Long, false},
    {"java.lang.Float", Kind::Float, false},
    {"java.lang.Double", Kind::Double, false},
    {"java.math.BigDecimal", Kind::Decimal, false},
    {"java.lang.String", Kind::String, false},
    {"[B", Kind::Bytes, false},
    {"java.sql.Date", Kind::Date, false},
    {"java.sql.Time", Kind::Time, false},
    {"java.sql.Timestamp", Kind::Timestamp, false},
    {"java.io.InputStream", Kind::Stream, false},
};

// The argument as the parameter of that type receives it, or nothing when it does not fit.
std::optional<Value> fitArgument(const std::string& type, const Value& arg) {
  if (type == "java.lang.Object") return arg;
  for (const auto& named : kNamedTypes) {
    if (type != named.name) continue;
    if (named.primitive) return arg.isNull() ? std::nullopt : widenTo(named.kind, arg);
    if (arg.isNull() || arg.kind() == named.kind) return arg;
    return std::nullopt;
  }
  if (arg.isNull()) return arg;
  if (type == "java.lang.Number") return arg.isNumber() ? std::optional<Value>(arg) : std::nullopt;
  if (type == "java.util.Date") {
    switch (arg.kind()) {
      case Kind::DateTime:
      case Kind::Date:
      case Kind::Time:
      case Kind::Timestamp:
        return arg;
      default:
        return std::nullopt;
    }
  }
  if (arg.kind() != Kind::Object && arg.kind() != Kind::Stream) return std::nullopt;
  // A class the registry knows must be of the type; an object of an unregistered class is the invoker's to check.
  std::string className = arg.getObject()->getClassName();
  auto& registry = ClassRegistry::instance();
  if (registry.isRegistered(className) && !registry.isAssignableTo(className, type)) return std::nullopt;
  return arg;
}

}  // namespace

std::string MethodDescriptor::toString() const {
  std::string text = name + "(";
  for (std::size_t i = 0; i < parameterTypes.size(); ++i) {
    if (i > 0) text += ",";
    text += parameterTypes[i];
  }
  return text + ")";
}

Value MethodDescriptor::invoke(plat::lang::Object& target, const std::vector<Value>& args) const {
  if (!invoker) throw plat::lang::IllegalAccessException(toString());
  if (args.size() != parameterTypes.size()) throw plat::lang::IllegalArgumentException("wrong number of arguments");
  // Any argument fits an Object parameter as it is: such calls need no fitted copy of the arguments.
  const bool asGiven = std::all_of(parameterTypes.begin(), parameterTypes.end(),
                                   [](const std::string& type) { return type == "java.lang.Object"; });
  std::vector<Value> fitted;
  if (!asGiven) fitted.reserve(args.size());
  for (std::size_t i = 0; !asGiven && i < args.size(); ++i) {
    auto fit = fitArgument(parameterTypes[i], args[i]);
    if (!fit) throw plat::lang::IllegalArgumentException("argument type mismatch");
    fitted.push_back(std::move(*fit));
  }
  try {
    return invoker(target, asGiven ? args : fitted);
  } catch (const plat::lang::Throwable& thrown) {
    InvocationTargetException wrapped;
    wrapped.initCause(thrown.clone());
    throw wrapped;
  }
}

DescriptorText DescriptorText::parse(const std::string& text) {
  DescriptorText result;
  std::size_t open = text.find('(');
  if (open == std::string::npos) {
    result.name = text;
    return result;
  }
  result.name = text.substr(0, open);
  // Between the first "(" and the last character, which closes the list.
  std::string list = open + 1 < text.size() ? text.substr(open + 1, text.size() - open - 2) : std::string();
  if (list.empty()) return result;
  std::size_t start = 0;
  for (;;) {
    std::size_t comma = list.find(',', start);
    result.parameters.push_back(list.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return result;
}

}  // namespace plat::runvale
