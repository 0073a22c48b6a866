// The factory of wire objects: reads the next type byte, makes the object of that code (codes with no object class
// make an error object) and lets it read its body. Nesting is capped, so a hostile stream is a protocol error and
// never a deep recursion. Stateless apart from a per-thread nesting count; any thread, one stream per thread.
#pragma once

#include "platform/io/DataInputStream.h"
#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/net/ServerObject.h"

namespace quenlora::zafoli::db::net {

class NetClass {
 public:
  NetClass() = delete;

  // Objects may hold objects this many levels deep, the outermost counted as the first.
  static constexpr int kMaxNesting = 32;

  // Reads the type byte, then the object. An I/O failure on the type byte of an outermost object is
  // SQLServerConnException; end of input anywhere inside an object is an IOException, and so is nesting beyond
  // kMaxNesting, as the stream is then out of step.
  static plat::lang::Ref<ServerObject> getNextObject(plat::io::DataInputStream& in);
  // The object of a type byte already read.
  static plat::lang::Ref<ServerObject> readObject(int type, plat::io::DataInputStream& in);
  // A new, empty object for a type code (0..255).
  static plat::lang::Ref<ServerObject> createObject(int type);
};

}  // namespace quenlora::zafoli::db::net
