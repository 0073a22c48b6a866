// The factory of wire objects: reads the next type byte, makes the object of that code (codes with no object class
// make an error object) and lets it read its body. Nesting is capped, so a hostile stream is a protocol error and
// never a deep recursion. A server error met inside an object is kept until the outermost object is read whole, so
// a reply is never left half read; inside a ReplyScope the objects of one reply are counted against a limit.
// Stateless apart from per-thread reading state; any thread, one stream per thread.
#pragma once

#include <cstdint>

#include "platform/io/DataInputStream.h"
#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/net/ServerObject.h"

namespace quenlora::zafoli::db::net {

class Field;
class RowValues;

class NetClass {
 public:
  NetClass() = delete;

  // Objects may hold objects this many levels deep, the outermost counted as the first.
  static constexpr int kMaxNesting = 32;

  // Reads the type byte, then the object. An I/O failure on the type byte of an outermost object is
  // SQLServerConnException; end of input anywhere inside an object is an IOException, and so is nesting beyond
  // kMaxNesting, as the stream is then out of step.
  static plat::lang::Ref<ServerObject> getNextObject(plat::io::DataInputStream& in);
  // The type byte alone, with getNextObject's failures.
  static int readType(plat::io::DataInputStream& in);
  // The object of a type byte already read.
  static plat::lang::Ref<ServerObject> readObject(int type, plat::io::DataInputStream& in);
  // Reads the body of a type byte already read into an object the caller made for that type, counted and checked
  // as readObject does: for an object that is read and dropped, such as a list's end marker.
  static void readInto(ServerObject& object, plat::io::DataInputStream& in);
  // A new, empty object for a type code (0..255).
  static plat::lang::Ref<ServerObject> createObject(int type);
  // For a type code whose objects are values (Field): a new, empty one made in place at the end of values, which
  // owns it; nullptr, and nothing made, for any other code.
  static Field* createField(int type, RowValues& values);

  // For a reader inside an object that met an error (49), an error list (68) or a warning (88) where an object of
  // another kind belongs: the first such object of the outermost object is kept and raised once that object has
  // been read to its end (a warning as a plain SQLException with its texts), and the reader reads on; true when
  // kept. Any other object gives false, and the reader applies the object-error rule.
  static bool deferError(const plat::lang::Ref<ServerObject>& object);

  // For an object about to hold more bytes than came on the wire (inflated data): counts them against the reply's
  // byte limit before they are allocated; SQLServerConnException "... larger than the limit of n bytes." past it.
  // Nothing outside a ReplyScope.
  static void chargeBytes(std::uint64_t bytes);

  // The reading of one reply on this thread: counts its objects (SQLServerConnException past maxObjects, as the
  // reply cannot be trusted) and tells whether a failure left an object half read, i.e. the stream out of step.
  class ReplyScope {
   public:
    // maxBytes bounds what the reply's objects hold beyond their wire bytes (see chargeBytes).
    explicit ReplyScope(std::uint64_t maxObjects, std::uint64_t maxBytes = ~std::uint64_t{0});
    ~ReplyScope();
    ReplyScope(const ReplyScope&) = delete;
    ReplyScope& operator=(const ReplyScope&) = delete;
    bool broken() const;
  };
};

}  // namespace quenlora::zafoli::db::net
