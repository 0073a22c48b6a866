// Reads a long value in chunks from a server "ProxyStream" object, or serves local bytes (the stream getters of
// the text and binary values). An input stream: used by one thread at a time; the session must outlive it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/io/InputStream.h"
#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/net/NetData.h"
#include "quenlora/zafoli/db/net/RemoteObject.h"

namespace quenlora::zafoli::db::net {

class ClientSession;

class BinaryInputStream final : public plat::io::InputStream {
 public:
  using Bytes = std::vector<std::uint8_t>;

  static constexpr const char* SERVER_CLASS = "ProxyStream";
  static constexpr int METHOD_GET_DATA = 0;
  static constexpr int METHOD_REWIND = 2;

  // The proxy of the server stream with that id; rewinds it at once.
  BinaryInputStream(std::int32_t objectID, ClientSession& session);
  // Local bytes, one per character (UTF-8 text of characters U+0000..U+00FF).
  explicit BinaryInputStream(const std::string& text);
  explicit BinaryInputStream(Bytes bytes);
  ~BinaryInputStream() override;

  using InputStream::read;
  // IOException with the request's text when a chunk cannot be fetched.
  int read() override;
  int read(std::uint8_t* buf, std::size_t len) override;
  int available() override;
  void close() override { bClosed = true; }

  // The rest of the current chunk and every later chunk; empty once closed. SQLException on a failed request.
  Bytes getBytes();
  std::string getString();

  // Decode the current chunk from its start, fetching the first chunk if nothing was read yet.
  bool getBool();
  std::int8_t getByte();
  std::int16_t getShort();
  std::int32_t getInt();
  std::int64_t getLong();
  float getFloat();
  double getDouble();

 private:
  // The next chunk into data; false at the end.
  bool fetch();
  // The first width bytes of the current chunk; SQLException when it is shorter.
  NetData chunk(std::size_t width);

  std::unique_ptr<RemoteObject> proxy;  // null for local bytes
  Bytes data;
  std::size_t length = 0;
  std::size_t offset = 0;
  bool bClosed = false;
  bool bReadCalled = false;
};

}  // namespace quenlora::zafoli::db::net
