// Reads wire objects from arbitrary bytes through the factory, then uses what came out: every getter of every
// value, the rows' and descriptions' accessors, and writing back. A malformed stream may only fail with the
// library's exceptions; it must never crash, hang or allocate beyond what its bytes can justify.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/io/ByteArrayInputStream.h"
#include "platform/io/ByteArrayOutputStream.h"
#include "platform/io/DataInputStream.h"
#include "platform/io/DataOutputStream.h"
#include "platform/lang/System.h"
#include "platform/lang/Throwable.h"
#include "quenlora/zafoli/db/net/Entity.h"
#include "quenlora/zafoli/db/net/ExceptionList.h"
#include "quenlora/zafoli/db/net/Field.h"
#include "quenlora/zafoli/db/net/NetClass.h"
#include "quenlora/zafoli/db/net/NetError.h"
#include "quenlora/zafoli/db/net/NetRecord.h"
#include "quenlora/zafoli/db/net/ServerList.h"
#include "quenlora/zafoli/db/net/Warning.h"

namespace {

using namespace quenlora::zafoli::db::net;

constexpr int kMaxObjects = 64;

template <class F>
void quietly(F&& f) {
  try {
    f();
  } catch (const plat::lang::Throwable&) {
  }
}

void useField(Field& f) {
  quietly([&] { f.getBoolean(); });
  quietly([&] { f.getByte(); });
  quietly([&] { f.getShort(); });
  quietly([&] { f.getInt(); });
  quietly([&] { f.getLong(); });
  quietly([&] { f.getFloat(); });
  quietly([&] { f.getDouble(); });
  quietly([&] { f.getString(); });
  quietly([&] { f.getBigDecimal(2); });
  quietly([&] { f.getDate(); });
  quietly([&] { f.getTime(); });
  quietly([&] { f.getTimestamp(); });
  quietly([&] { f.getBytes(); });
  quietly([&] { f.getObject(); });
  quietly([&] { f.getAsciiStream(); });
}

void write(const ServerObject& object) {
  quietly([&] {
    plat::io::DataOutputStream out(plat::lang::makeRef<plat::io::ByteArrayOutputStream>());
    object.write(out);
  });
}

void use(const plat::lang::Ref<ServerObject>& object, int depth = 0) {
  if (depth > NetClass::kMaxNesting) return;
  write(*object);
  if (auto field = plat::lang::refCast<Field>(object)) useField(*field);
  if (auto record = plat::lang::refCast<NetRecord>(object)) {
    const int count = record->getColumnCount();
    for (int col = 0; col <= count + 1; ++col) {
      quietly([&] { record->getString(col); });
      quietly([&] { record->setString(col, "x"); });
    }
    quietly([&] { record->wasNull(); });
  }
  if (auto entity = plat::lang::refCast<Entity>(object)) {
    for (int col = 0; col <= entity->getColumnCount() + 1; ++col) quietly([&] { entity->getColumnName(col); });
    entity->getRowsPerFetch();
  }
  if (auto list = plat::lang::refCast<ServerList>(object)) {
    quietly([&] { list->toStringVector(); });
    for (const auto& element : list->getObjVector()) use(element, depth + 1);
  }
  if (auto error = plat::lang::refCast<NetError>(object)) error->toSQLException();
  if (auto errors = plat::lang::refCast<ExceptionList>(object)) errors->getSQLException();
  if (auto warning = plat::lang::refCast<Warning>(object)) warning->toSQLWarning();
  quietly([&] { ServerObject::onObjectError(*object); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Compressed objects print a line each; keep the fuzzer's output readable.
  plat::lang::ConsoleCapture capture(plat::lang::ConsoleCapture::Target::kOut);
  auto source = plat::lang::makeRef<plat::io::ByteArrayInputStream>(data, size);
  plat::io::DataInputStream in(source);
  for (int i = 0; i < kMaxObjects && source->available() > 0; ++i) {
    try {
      use(NetClass::getNextObject(in));
    } catch (const plat::lang::Throwable&) {
      break;
    }
  }
  return 0;
}
