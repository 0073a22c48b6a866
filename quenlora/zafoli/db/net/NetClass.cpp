#include "quenlora/zafoli/db/net/NetClass.h"

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
#include "quenlora/zafoli/db/net/RowArena.h"
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

Ref<ServerObject> NetClass::createObject(int type) {
  switch (type) {
    case Define::SERVER_EOT:
      return RowArena::make<EOT>();
    case Define::SERVER_DATA:
      return RowArena::make<NetData>();
    case Define::SERVER_STRING:
      return RowArena::make<NetString>();
    case Define::SERVER_LIST:
      return RowArena::make<ServerList>();
    case Define::SERVER_PARAM:
      return RowArena::make<Param>();
    case Define::SERVER_TEXTPARAM:
      return RowArena::make<TextParam>();
    case Define::SERVER_RECORD:
      return RowArena::make<NetRecord>();
    case Define::SERVER_ATTRIBUTE:
      return RowArena::make<Attribute>();
    case Define::SERVER_ENTITY:
      return RowArena::make<Entity>();
    case Define::SERVER_EXCEPTIONLIST:
      return RowArena::make<ExceptionList>();
    case Define::SERVER_CHAR:
      return RowArena::make<Char>();
    case Define::SERVER_BINARY:
      return RowArena::make<Binary>();
    case Define::SERVER_VARBINARY:
      return RowArena::make<VarBinary>();
    case Define::SERVER_LONGVARBINARY:
      return RowArena::make<LongVarBinary>();
    case Define::SERVER_VARCHAR:
      return RowArena::make<VarChar>();
    case Define::SERVER_LONGVARCHAR:
      return RowArena::make<LongVarChar>();
    case Define::SERVER_DATE:
      return RowArena::make<NetDate>();
    case Define::SERVER_TIME:
      return RowArena::make<NetTime>();
    case Define::SERVER_TIMESTAMP:
      return RowArena::make<NetTimestamp>();
    case Define::SERVER_BIGINT:
      return RowArena::make<BigInt>();
    case Define::SERVER_DATA_COMPRESSED:
      return RowArena::make<NetDataCompressed>();
    case Define::SERVER_DOUBLE:
      return RowArena::make<NetDouble>();
    case Define::SERVER_FLOAT:
      return RowArena::make<NetFloat>();
    case Define::SERVER_INTEGER:
      return RowArena::make<NetInteger>();
    case Define::SERVER_BIGDECIMAL:
      return RowArena::make<NetBigDecimal>();
    case Define::SERVER_REAL:
      return RowArena::make<Real>();
    case Define::SERVER_SMALLINT:
      return RowArena::make<SmallInt>();
    case Define::SERVER_TINYINT:
      return RowArena::make<TinyInt>();
    case Define::SERVER_BIT:
      return RowArena::make<Bit>();
    case Define::SERVER_SQLWARNING:
      return RowArena::make<Warning>();
    default:
      return RowArena::make<NetError>();  // 49, the codes named only, and every code outside the table
  }
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

NetClass::ReplyScope::ReplyScope(std::uint64_t maxObjects) {
  state.counting = true;
  state.objects = 0;
  state.maxObjects = maxObjects;
  state.broken = false;
  dropPending();
}

NetClass::ReplyScope::~ReplyScope() {
  state.counting = false;
  dropPending();
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
