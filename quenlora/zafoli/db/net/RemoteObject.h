// The client's handle of one server object: its server class name, object id and session. Constructing, invoking
// by method number and destroying are "proxy" requests; arguments are Param and TextParam objects and results
// the objects of the reply list. The three calls are exclusive on the handle; disable() and setObject() are not
// locked. The session must outlive the handle.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/net/Requester.h"
#include "quenlora/zafoli/db/net/ServerList.h"
#include "quenlora/zafoli/db/net/ServerObject.h"

namespace quenlora::zafoli::db::net {

class RemoteObject : public Requester {
 public:
  using Args = std::vector<plat::lang::Ref<ServerObject>>;
  using Results = std::vector<plat::lang::Ref<ServerObject>>;

  RemoteObject(std::string className, std::int32_t objectID, ClientSession& session);

  void setObject(std::string className, std::int32_t objectID);
  // Marks the handle closed; nothing is sent, and every later call fails with "Error: Remote Object closed".
  void disable() { _disabled = true; }
  bool isDisabled() const { return _disabled; }

  // The id of the new server object; the handle's own id is not changed. A class name or selector with a comma is
  // refused before sending.
  std::int32_t invokeConstructor(const std::string& ctorSelector, const Args& args);
  Results invokeMethod(int methodID);
  Results invokeMethod(int methodID, std::int32_t value);
  Results invokeMethod(int methodID, bool value);
  Results invokeMethod(int methodID, const std::string& value);
  Results invokeMethod(int methodID, const char* value) { return invokeMethod(methodID, std::string(value)); }
  Results invokeMethod(int methodID, const Args& args);
  // Destroys a server object; no reply is read.
  void invokeDestructor(std::int32_t objectID);

  const std::string& getServerClassName() const { return _className; }
  std::int32_t getObjectID() const { return _objectID; }

 protected:
  void writeRequest(plat::io::DataOutputStream& out) override;
  void readResults(plat::io::DataInputStream& in) override;

 private:
  enum Mode { kConstruct = 0, kInvoke = 1, kDelete = 2 };

  void checkOpen() const;
  // An invoke with the arguments already in _params; callMu_ held and the handle checked open.
  Results invokeHeld(int methodID);

  std::mutex callMu_;  // held through each of the three calls
  std::string _className;
  std::int32_t _objectID;
  bool _disabled = false;
  Args _params;
  // The one int argument of the running invoke, written from its value instead of an argument object; used in
  // place of _params while set.
  std::optional<std::int32_t> intArg_;
  std::vector<std::string> _reqStr;              // the command words of a construct or delete
  std::string invokeText_;                       // the command of an invoke, joined
  std::optional<std::int32_t> invokePrefixFor_;  // the object whose words begin invokeText_, if any
  std::size_t invokePrefixLength_ = 0;           // the length of those words, the method number's separator included
  int _mode = kInvoke;
  std::int32_t _ctorID = 0;
  Results _results;  // the elements of an invoke's reply, until invokeHeld hands them out
};

}  // namespace quenlora::zafoli::db::net
