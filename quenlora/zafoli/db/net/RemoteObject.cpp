#include "quenlora/zafoli/db/net/RemoteObject.h"

#include <charconv>

#include "platform/io/IOException.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/NetClass.h"
#include "quenlora/zafoli/db/net/NetData.h"
#include "quenlora/zafoli/db/net/Param.h"
#include "quenlora/zafoli/db/net/SessionErrors.h"
#include "quenlora/zafoli/db/net/TextParam.h"
#include "quenlora/zafoli/db/net/WireFormat.h"

namespace quenlora::zafoli::db::net {

using plat::lang::Ref;

RemoteObject::RemoteObject(std::string className, std::int32_t objectID, ClientSession& session)
    : Requester(session), _className(std::move(className)), _objectID(objectID) {}

void RemoteObject::setObject(std::string className, std::int32_t objectID) {
  _className = std::move(className);
  _objectID = objectID;
}

void RemoteObject::checkOpen() const {
  if (_disabled) throw plat::sql::SQLException(SessionErrors::REMOTE_OBJECT_CLOSED);
}

std::int32_t RemoteObject::invokeConstructor(const std::string& ctorSelector, const Args& args) {
  std::lock_guard<std::mutex> hold(callMu_);
  checkOpen();
  _mode = kConstruct;
  _reqStr = {"proxy", "new", checkText(_className), checkText(ctorSelector)};
  _params = args;
  execute();
  _params.clear();
  return _ctorID;
}

RemoteObject::Results RemoteObject::invokeMethod(int methodID) {
  return invokeMethod(methodID, Args{});
}

RemoteObject::Results RemoteObject::invokeMethod(int methodID, std::int32_t value) {
  std::lock_guard<std::mutex> hold(callMu_);
  checkOpen();
  // The argument is written from its value: no argument object, list or data object is made for it.
  _params.clear();
  intArg_ = value;
  struct Clear {
    std::optional<std::int32_t>& arg;
    ~Clear() { arg.reset(); }
  } clear{intArg_};
  return invokeHeld(methodID);
}

RemoteObject::Results RemoteObject::invokeMethod(int methodID, bool value) {
  return invokeMethod(methodID, Args{Param::ofBoolean(0, value)});
}

RemoteObject::Results RemoteObject::invokeMethod(int methodID, const std::string& value) {
  return invokeMethod(methodID, Args{plat::lang::makeRef<TextParam>(0, value)});
}

RemoteObject::Results RemoteObject::invokeMethod(int methodID, const Args& args) {
  std::lock_guard<std::mutex> hold(callMu_);
  checkOpen();
  _params = args;
  return invokeHeld(methodID);
}

namespace {

// The decimal text of n, after what text holds.
void appendNumber(std::string& text, std::int32_t n) {
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
  text.append(digits, end);
}

}  // namespace

RemoteObject::Results RemoteObject::invokeHeld(int methodID) {
  _mode = kInvoke;
  // The command is one text: two fixed words and two numbers, none of which can hold the separator. Its first
  // three words stay from the last call while the object is the same; only the method number is written again.
  if (invokePrefixFor_ != _objectID) {
    invokeText_.assign("proxy");
    invokeText_.append(_reqDelim).append("invoke").append(_reqDelim);
    appendNumber(invokeText_, _objectID);
    invokeText_ += _reqDelim;
    invokePrefixLength_ = invokeText_.size();
    invokePrefixFor_ = _objectID;
  }
  invokeText_.resize(invokePrefixLength_);
  appendNumber(invokeText_, methodID);
  _results.clear();
  execute();
  _params.clear();
  return std::move(_results);
}

void RemoteObject::invokeDestructor(std::int32_t objectID) {
  std::lock_guard<std::mutex> hold(callMu_);
  checkOpen();
  _mode = kDelete;
  _reqStr = {"proxy", "delete", std::to_string(objectID)};
  _params.clear();
  execute();
}

void RemoteObject::writeRequest(plat::io::DataOutputStream& out) {
  if (_mode == kInvoke) {
    WireFormat::writeString(out, invokeText_);
  } else {
    writeCommand(out, _reqStr);
  }
  if (intArg_) {
    Param::writeInt(out, 0, *intArg_);
    return;
  }
  for (const auto& param : _params) {
    if (param) param->write(out);
  }
}

void RemoteObject::readResults(plat::io::DataInputStream& in) {
  if (_mode == kDelete) return;
  const int type = NetClass::readType(in);
  if (_mode == kInvoke && type == Define::SERVER_LIST) {
    // The list lives only until its elements move out, so it is read on the stack rather than made on the heap.
    ServerList list;
    NetClass::readInto(list, in);
    _results = list.takeObjVector();
    return;
  }
  Ref<ServerObject> first = NetClass::readObject(type, in);
  if (_mode == kConstruct) {
    auto data = plat::lang::refCast<NetData>(first);
    if (!data) onObjectError(*first);
    if (data->size() < 4) throw plat::io::IOException(SessionErrors::INVALID_SERVER_OBJECT);
    _ctorID = data->getInt();
    return;
  }
  onObjectError(*first);  // an invoke answered by anything but a list
}

}  // namespace quenlora::zafoli::db::net
