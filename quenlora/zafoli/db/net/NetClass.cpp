#include "quenlora/zafoli/db/net/NetClass.h"

#include <type_traits>

#include "platform/io/IOException.h"
#include "quenlora/zafoli/db/net/Attribute.h"
#include "quenlora/zafoli/db/net/BigInt.h"
#include "quenlora/zafoli/db/net/Binary.h"
#include "quenlora/zafoli/db/net/Bit.h"
#include "quenlora/zafoli/db/net/Char.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/EOT.h"
#include "quenlora/zafoli/db/net/Entity.h"
#include "quenlora/zafoli/db/net/ExceptionList.h"
#include "quenlora/zafoli/db/net/LongVarBinary.h"
#include "quenlora/zafoli/db/net/LongVarChar.h"
#include "quenlora/zafoli/db/net/NetBigDecimal.h"
#include "quenlora/zafoli/db/net/NetData.h"
#include "quenlora/zafoli/db/net/NetDataCompressed.h"
#include "quenlora/zafoli/db/net/NetDate.h"
#include "quenlora/zafoli/db/net/NetDouble.h"
#include "quenlora/zafoli/db/net/NetError.h"
#include "quenlora/zafoli/db/net/NetErrors.h"
#include "quenlora/zafoli/db/net/NetFloat.h"
#include "quenlora/zafoli/db/net/NetInteger.h"
#include "quenlora/zafoli/db/net/NetRecord.h"
#include "quenlora/zafoli/db/net/NetString.h"
#include "quenlora/zafoli/db/net/NetTime.h"
#include "quenlora/zafoli/db/net/NetTimestamp.h"
#include "quenlora/zafoli/db/net/Param.h"
#include "quenlora/zafoli/db/net/Real.h"
#include "quenlora/zafoli/db/net/RowValues.h"
#include "quenlora/zafoli/db/net/SQLServerConnException.h"
#include "quenlora/zafoli/db/net/ServerList.h"
#include "quenlora/zafoli/db/net/SmallInt.h"
#include "quenlora/zafoli/db/net/TextParam.h"
#include "quenlora/zafoli/db/net/TinyInt.h"
#include "quenlora/zafoli/db/net/VarBinary.h"
#include "quenlora/zafoli/db/net/VarChar.h"
#include "quenlora/zafoli/db/net/Warning.h"
#include "quenlora/zafoli/db/net/WireInput.h"

namespace quenlora::zafoli::db::net {

using plat::lang::Ref;

namespace {

// What this thread knows of the reply it is reading. Trivially destructible, so the factory's every access is a
// plain thread-local load; the kept error lives apart and is touched only when there is one.
struct ReadingState {
  int nesting = 0;          // objects being read, outermost included
  bool hasPending = false;  // an error is kept in pending
  bool broken = false;      // a failure left an object half read
  bool counting = false;    // inside a ReplyScope
  std::uint64_t objects = 0;
  std::uint64_t maxObjects = 0;
  std::uint64_t heldBytes = 0;  // bytes objects of the reply hold beyond their wire bytes (inflated data)
  std::uint64_t maxBytes = 0;
};

// Initial-exec: the library's thread-locals then sit at a fixed offset from the thread pointer, so the many accesses
// of a reply's objects are plain loads instead of a resolver call each (the cost of the default model in a shared
// library). The few bytes come from the static room that the loader keeps for libraries opened later.
[[gnu::tls_model("initial-exec")]] thread_local ReadingState state;
// The first error met inside the outermost object.
[[gnu::tls_model("initial-exec")]] thread_local plat::lang::Ref<ServerObject> pending;

void dropPending() {
  if (!state.hasPending) return;
  pending.reset();
  state.hasPending = false;
}

class NestingGuard {
 public:
  NestingGuard() {
    if (state.nesting >= NetClass::kMaxNesting) throw plat::io::IOException(NetErrors::NESTING_TOO_DEEP);
    ++state.nesting;
  }
  ~NestingGuard() { --state.nesting; }
  NestingGuard(const NestingGuard&) = delete;
  NestingGuard& operator=(const NestingGuard&) = delete;
};

[[noreturn]] void raisePending(const ServerObject& pending) {
  if (const auto* warning = dynamic_cast<const Warning*>(&pending)) {
    const auto w = warning->toSQLWarning();
    throw plat::sql::SQLException(w->getMessage(), w->getSQLState(), w->getErrorCode());
  }
  ServerObject::onObjectError(pending);
}

}  // namespace

namespace {

// Calls f with the class of a type code's objects as its template argument: the one table of which class reads
// which code, for objects made alone and for values made in place in a row.
template <class F>
decltype(auto) withClassOf(int type, F&& f) {
  switch (type) {
    case Define::SERVER_EOT:
      return f.template operator()<EOT>();
    case Define::SERVER_DATA:
      return f.template operator()<NetData>();
    case Define::SERVER_STRING:
      return f.template operator()<NetString>();
    case Define::SERVER_LIST:
      return f.template operator()<ServerList>();
    case Define::SERVER_PARAM:
      return f.template operator()<Param>();
    case Define::SERVER_TEXTPARAM:
      return f.template operator()<TextParam>();
    case Define::SERVER_RECORD:
      return f.template operator()<NetRecord>();
    case Define::SERVER_ATTRIBUTE:
      return f.template operator()<Attribute>();
    case Define::SERVER_ENTITY:
      return f.template operator()<Entity>();
    case Define::SERVER_EXCEPTIONLIST:
      return f.template operator()<ExceptionList>();
    case Define::SERVER_CHAR:
      return f.template operator()<Char>();
    case Define::SERVER_BINARY:
      return f.template operator()<Binary>();
    case Define::SERVER_VARBINARY:
      return f.template operator()<VarBinary>();
    case Define::SERVER_LONGVARBINARY:
      return f.template operator()<LongVarBinary>();
    case Define::SERVER_VARCHAR:
      return f.template operator()<VarChar>();
    case Define::SERVER_LONGVARCHAR:
      return f.template operator()<LongVarChar>();
    case Define::SERVER_DATE:
      return f.template operator()<NetDate>();
    case Define::SERVER_TIME:
      return f.template operator()<NetTime>();
    case Define::SERVER_TIMESTAMP:
      return f.template operator()<NetTimestamp>();
    case Define::SERVER_BIGINT:
      return f.template operator()<BigInt>();
    case Define::SERVER_DATA_COMPRESSED:
      return f.template operator()<NetDataCompressed>();
    case Define::SERVER_DOUBLE:
      return f.template operator()<NetDouble>();
    case Define::SERVER_FLOAT:
      return f.template operator()<NetFloat>();
    case Define::SERVER_INTEGER:
      return f.template operator()<NetInteger>();
    case Define::SERVER_BIGDECIMAL:
      return f.template operator()<NetBigDecimal>();
    case Define::SERVER_REAL:
      return f.template operator()<Real>();
    case Define::SERVER_SMALLINT:
      return f.template operator()<SmallInt>();
    case Define::SERVER_TINYINT:
      return f.template operator()<TinyInt>();
    case Define::SERVER_BIT:
      return f.template operator()<Bit>();
    case Define::SERVER_SQLWARNING:
      return f.template operator()<Warning>();
    default:
      return f.template operator()<NetError>();  // 49, the codes named only, and every code outside the table
  }
}

}  // namespace

Ref<ServerObject> NetClass::createObject(int type) {
  return withClassOf(type, []<class T>() -> Ref<ServerObject> { return std::make_shared<T>(); });
}

Field* NetClass::createField(int type, RowValues& values) {
  return withClassOf(type, [&values]<class T>() -> Field* {
    if constexpr (std::is_base_of_v<Field, T>) {
      return &values.emplace<T>();
    } else {
      return nullptr;
    }
  });
}

Ref<ServerObject> NetClass::readObject(int type, plat::io::DataInputStream& in) {
  Ref<ServerObject> object = createObject(type);
  readInto(*object, in);
  return object;
}

void NetClass::readInto(ServerObject& object, plat::io::DataInputStream& in) {
  if (state.counting && ++state.objects > state.maxObjects) {
    throw SQLServerConnException(NetErrors::REPLY_TOO_MANY_OBJECTS + std::to_string(state.maxObjects) + " objects.");
  }
  const bool outermost = state.nesting == 0;
  {
    NestingGuard guard;
    try {
      object.read(in);
    } catch (...) {
      if (outermost) {
        dropPending();
        state.broken = true;
      }
      throw;
    }
  }
  if (outermost && state.hasPending) {
    Ref<ServerObject> kept = std::move(pending);
    dropPending();
    raisePending(*kept);
  }
}

bool NetClass::deferError(const Ref<ServerObject>& object) {
  const int type = object->getType();
  if (type != Define::SERVER_ERROR && type != Define::SERVER_EXCEPTIONLIST && type != Define::SERVER_SQLWARNING) {
    return false;
  }
  if (!state.hasPending) {
    pending = object;
    state.hasPending = true;
  }
  return true;
}

NetClass::ReplyScope::ReplyScope(std::uint64_t maxObjects, std::uint64_t maxBytes) {
  state.counting = true;
  state.objects = 0;
  state.maxObjects = maxObjects;
  state.heldBytes = 0;
  state.maxBytes = maxBytes;
  state.broken = false;
  dropPending();
}

NetClass::ReplyScope::~ReplyScope() {
  state.counting = false;
  dropPending();
}

void NetClass::chargeBytes(std::uint64_t bytes) {
  if (!state.counting) return;
  state.heldBytes += bytes;
  if (state.heldBytes > state.maxBytes) {
    throw SQLServerConnException(NetErrors::REPLY_TOO_LARGE + std::to_string(state.maxBytes) + " bytes.");
  }
}

bool NetClass::ReplyScope::broken() const {
  return state.broken;
}

int NetClass::readType(plat::io::DataInputStream& in) {
  if (SocketIS* socket = WireInput::packetSource(in)) {
    if (const std::uint8_t* p = socket->take(1)) return *p;
  }
  try {
    return in.readUnsignedByte();
  } catch (const plat::io::IOException&) {
    // Only the first byte of a reply is the factory's own failure; inside an object it is the object's end of
    // input, an I/O error like any other.
    if (state.nesting > 0) throw;
    throw SQLServerConnException();
  }
}

Ref<ServerObject> NetClass::getNextObject(plat::io::DataInputStream& in) {
  return readObject(readType(in), in);
}

}  // namespace quenlora::zafoli::db::net
