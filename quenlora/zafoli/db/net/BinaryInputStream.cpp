#include "quenlora/zafoli/db/net/BinaryInputStream.h"

#include <algorithm>
#include <cstring>

#include "platform/io/IOException.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/NetData.h"
#include "quenlora/zafoli/db/net/SessionErrors.h"
#include "quenlora/zafoli/db/net/WireText.h"

namespace quenlora::zafoli::db::net {

BinaryInputStream::BinaryInputStream(std::int32_t objectID, ClientSession& session)
    : proxy(std::make_unique<RemoteObject>(SERVER_CLASS, objectID, session)) {
  proxy->invokeMethod(METHOD_REWIND);
}

BinaryInputStream::BinaryInputStream(const std::string& text) : BinaryInputStream(WireText::toWire(text)) {}

BinaryInputStream::BinaryInputStream(Bytes bytes) : data(std::move(bytes)), length(data.size()) {}

BinaryInputStream::~BinaryInputStream() = default;

bool BinaryInputStream::fetch() {
  offset = 0;
  length = 0;
  if (!proxy) {
    data.clear();
    return false;
  }
  RemoteObject::Results results = proxy->invokeMethod(METHOD_GET_DATA);
  // An error anywhere in the reply fails the read: ending the value there would hand out a part as the whole.
  for (const auto& element : results) {
    if (element && element->getType() == Define::SERVER_ERROR) ServerObject::onObjectError(*element);
  }
  auto next = results.empty() ? nullptr : plat::lang::refCast<NetData>(results.front());
  if (!results.empty() && !next) ServerObject::onObjectError(*results.front());
  data = next ? next->getBytes() : Bytes{};
  length = data.size();
  return length > 0;
}

int BinaryInputStream::read() {
  std::uint8_t b = 0;
  return read(&b, 1) < 0 ? -1 : b;
}

int BinaryInputStream::read(std::uint8_t* buf, std::size_t len) {
  if (len == 0) return 0;
  if (bClosed) return -1;
  bReadCalled = true;
  if (offset >= length) {
    bool more;
    try {
      more = fetch();
    } catch (const plat::lang::Exception& e) {
      throw plat::io::IOException(e.getMessage());
    }
    if (!more) {
      bClosed = true;
      return -1;
    }
  }
  const std::size_t n = std::min(len, length - offset);
  std::memcpy(buf, data.data() + offset, n);
  offset += n;
  return static_cast<int>(n);
}

int BinaryInputStream::available() {
  return static_cast<int>(length - offset);
}

BinaryInputStream::Bytes BinaryInputStream::getBytes() {
  if (bClosed) return {};
  bReadCalled = true;
  // The chunks are kept whole and joined once at the end: growing one array chunk by chunk copies a long value
  // many times over.
  std::vector<Bytes> chunks;
  const std::size_t from = std::min(offset, length);
  std::size_t total = length - from;
  chunks.emplace_back(data.begin() + static_cast<std::ptrdiff_t>(from),
                      data.begin() + static_cast<std::ptrdiff_t>(length));
  try {
    while (fetch()) {
      total += length;
      chunks.push_back(std::move(data));
      data.clear();
    }
  } catch (const plat::lang::Exception& e) {
    throw plat::sql::SQLException(e.getMessage());
  }
  bClosed = true;
  Bytes all;
  all.reserve(total);
  for (const Bytes& chunk : chunks) all.insert(all.end(), chunk.begin(), chunk.end());
  return all;
}

std::string BinaryInputStream::getString() {
  return WireText::fromWire(getBytes());
}

NetData BinaryInputStream::chunk(std::size_t width) {
  if (!bReadCalled) {
    try {
      read();
    } catch (const plat::io::IOException& e) {
      throw plat::sql::SQLException(e.getMessage());
    }
  }
  if (length < width) throw plat::sql::SQLException(SessionErrors::STREAM_CANT_CONVERT);
  return NetData(Bytes(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(width)));
}

bool BinaryInputStream::getBool() {
  return chunk(1).getBool();
}
std::int8_t BinaryInputStream::getByte() {
  return chunk(1).getByte();
}
std::int16_t BinaryInputStream::getShort() {
  return chunk(2).getShort();
}
std::int32_t BinaryInputStream::getInt() {
  return chunk(4).getInt();
}
std::int64_t BinaryInputStream::getLong() {
  return chunk(8).getLong();
}
float BinaryInputStream::getFloat() {
  return chunk(4).getFloat();
}
double BinaryInputStream::getDouble() {
  return chunk(8).getDouble();
}

}  // namespace quenlora::zafoli::db::net
