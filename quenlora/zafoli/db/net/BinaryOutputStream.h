// Writes a long value to a server "ProxyStream" object in setData calls of at most MAX_BUF_SIZE bytes. The write
// operations and flush are exclusive on the stream; the session must outlive it.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/io/InputStream.h"
#include "platform/io/OutputStream.h"
#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/net/RemoteObject.h"

namespace quenlora::zafoli::db::net {

class ClientSession;

class BinaryOutputStream final : public plat::io::OutputStream {
 public:
  using Bytes = std::vector<std::uint8_t>;

  static constexpr std::size_t MAX_BUF_SIZE = 4000;
  static constexpr int METHOD_SET_DATA = 1;
  static constexpr int METHOD_REWIND = 2;
  static constexpr int METHOD_SET_NULL = 3;

  // The proxy of the server stream with that id; rewinds it at once.
  BinaryOutputStream(std::int32_t objectID, ClientSession& session);
  ~BinaryOutputStream() override;

  using OutputStream::write;
  // IOException "Stream is closed." once closed; request failures become IOException with their text.
  void write(int b) override;
  // A piece larger than the free buffer goes out in setData calls of at most MAX_BUF_SIZE bytes.
  void write(const std::uint8_t* buf, std::size_t len) override;
  void flush() override;
  // Sends what is buffered, then marks the stream closed; a second call does nothing.
  void close() override;

  // Copies length bytes from in, MAX_BUF_SIZE at a time. An input that ends early: what was read is sent, then
  // SQLException. Failures are SQLException with their text.
  void sendData(plat::io::InputStream& in, std::int64_t length);

  // Each sends one value in one setData call, after flushing.
  void setBoolean(bool v);
  void setByte(std::int8_t v);
  void setShort(std::int16_t v);
  void setInt(std::int32_t v);
  void setLong(std::int64_t v);
  void setFloat(float v);
  void setDouble(double v);
  void setString(const std::string& v);
  void setBytes(const Bytes& v);
  void setNull();

 private:
  void sendPiece(const std::uint8_t* bytes, std::size_t len);
  void flushBuffer();
  void sendValue(const Bytes& bytes);

  std::recursive_mutex mu_;
  std::unique_ptr<RemoteObject> proxy;
  Bytes _data;             // guarded by mu_; MAX_BUF_SIZE bytes
  std::size_t offset = 0;  // guarded by mu_; bytes buffered
  bool bClosed = false;    // guarded by mu_
};

}  // namespace quenlora::zafoli::db::net
