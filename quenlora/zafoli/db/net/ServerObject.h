// Base of every wire object: a one-byte type code followed by a body. read() takes the body (the type byte is
// already consumed), write() gives type byte and body. An object is filled by one thread and may then be read by
// several; writing and reading the same object at once needs external locking.
#pragma once

#include "platform/io/DataInputStream.h"
#include "platform/io/DataOutputStream.h"
#include "platform/lang/Object.h"

namespace quenlora::zafoli::db::net {

class ServerObject : public plat::lang::Object {
 public:
  ServerObject() = default;
  ServerObject(const ServerObject&) = delete;
  ServerObject& operator=(const ServerObject&) = delete;
  ~ServerObject() override = default;

  virtual int getType() const = 0;
  // The family code: the typed values and call arguments answer 57.
  virtual int getBaseType() const { return getType(); }
  virtual void read(plat::io::DataInputStream& in) = 0;
  virtual void write(plat::io::DataOutputStream& out) const = 0;

  // The object-error rule, for an object that arrived where the reader expected another: a server error is raised
  // as its SQL exception, an error list as its chain, anything else as SQLException "TRIVO object stream error.".
  [[noreturn]] static void onObjectError(const ServerObject& object);

 protected:
  // How this object is raised by the object-error rule; error objects override it.
  [[noreturn]] virtual void raiseUnexpected() const;
};

}  // namespace quenlora::zafoli::db::net
