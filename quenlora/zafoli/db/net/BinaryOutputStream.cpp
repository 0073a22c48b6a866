#include "quenlora/zafoli/db/net/BinaryOutputStream.h"

#include <algorithm>
#include <cstring>

#include "platform/io/IOException.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/NetData.h"
#include "quenlora/zafoli/db/net/Param.h"
#include "quenlora/zafoli/db/net/SessionErrors.h"
#include "quenlora/zafoli/db/net/WireText.h"

namespace quenlora::zafoli::db::net {

namespace {

constexpr const char* kServerClass = "ProxyStream";

}  // namespace

BinaryOutputStream::BinaryOutputStream(std::int32_t objectID, ClientSession& session)
    : proxy(std::make_unique<RemoteObject>(kServerClass, objectID, session)), _data(MAX_BUF_SIZE) {
  proxy->invokeMethod(METHOD_REWIND);
}

BinaryOutputStream::~BinaryOutputStream() {
  try {
    close();
  } catch (...) {
  }
}

void BinaryOutputStream::sendPiece(const std::uint8_t* bytes, std::size_t len) {
  proxy->invokeMethod(METHOD_SET_DATA, RemoteObject::Args{Param::ofInt(0, static_cast<std::int32_t>(len)),
                                                          Param::ofBytes(0, Bytes(bytes, bytes + len))});
}

void BinaryOutputStream::flushBuffer() {
  if (offset == 0) return;
  const std::size_t n = offset;
  offset = 0;
  sendPiece(_data.data(), n);
}

void BinaryOutputStream::write(int b) {
  std::lock_guard<std::recursive_mutex> hold(mu_);
  if (bClosed) throw plat::io::IOException(SessionErrors::STREAM_CLOSED);
  try {
    if (offset >= MAX_BUF_SIZE) flushBuffer();
  } catch (const plat::sql::SQLException& e) {
    throw plat::io::IOException(e.getMessage());
  }
  _data[offset++] = static_cast<std::uint8_t>(b);
}

void BinaryOutputStream::write(const std::uint8_t* buf, std::size_t len) {
  std::lock_guard<std::recursive_mutex> hold(mu_);
  if (bClosed) throw plat::io::IOException(SessionErrors::STREAM_CLOSED);
  if (len <= MAX_BUF_SIZE - offset) {
    if (len > 0) std::memcpy(_data.data() + offset, buf, len);
    offset += len;
    return;
  }
  try {
    flushBuffer();
    for (std::size_t done = 0; done < len;) {
      const std::size_t n = std::min(MAX_BUF_SIZE, len - done);
      sendPiece(buf + done, n);
      done += n;
    }
  } catch (const plat::sql::SQLException& e) {
    throw plat::io::IOException(e.getMessage());
  }
}

void BinaryOutputStream::flush() {
  std::lock_guard<std::recursive_mutex> hold(mu_);
  try {
    flushBuffer();
  } catch (const plat::sql::SQLException& e) {
    throw plat::io::IOException(e.getMessage());
  }
}

void BinaryOutputStream::close() {
  std::lock_guard<std::recursive_mutex> hold(mu_);
  if (bClosed) return;
  // Bytes written are not dropped silently: the stream is closed even when sending them fails.
  bClosed = true;
  try {
    flushBuffer();
  } catch (const plat::sql::SQLException& e) {
    throw plat::io::IOException(e.getMessage());
  }
}

void BinaryOutputStream::sendData(plat::io::InputStream& in, std::int64_t length) {
  std::lock_guard<std::recursive_mutex> hold(mu_);
  if (bClosed) throw plat::sql::SQLException(SessionErrors::STREAM_CLOSED);
  try {
    flushBuffer();
    std::int64_t left = length;
    while (left > 0) {
      const auto want = static_cast<std::size_t>(std::min<std::int64_t>(left, MAX_BUF_SIZE));
      std::size_t got = 0;
      while (got < want) {
        const int n = in.read(_data.data() + got, want - got);
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
      }
      offset = got;
      flushBuffer();
      left -= static_cast<std::int64_t>(got);
      if (got < want) {
        throw plat::sql::SQLException(SessionErrors::STREAM_ENDED_EARLY + std::to_string(length - left) + " of " +
                                      std::to_string(length) + " bytes");
      }
    }
  } catch (const plat::sql::SQLException&) {
    throw;
  } catch (const plat::lang::Exception& e) {
    offset = 0;
    throw plat::sql::SQLException(e.getMessage());
  }
}

void BinaryOutputStream::sendValue(const Bytes& bytes) {
  std::lock_guard<std::recursive_mutex> hold(mu_);
  if (bClosed) throw plat::sql::SQLException(SessionErrors::STREAM_CLOSED);
  try {
    flushBuffer();
    sendPiece(bytes.data(), bytes.size());
  } catch (const plat::sql::SQLException&) {
    throw;
  } catch (const plat::lang::Exception& e) {
    throw plat::sql::SQLException(e.getMessage());
  }
}

void BinaryOutputStream::setBoolean(bool v) {
  sendValue(NetData::ofBoolean(v)->getBytes());
}
void BinaryOutputStream::setByte(std::int8_t v) {
  sendValue(NetData::ofByte(v)->getBytes());
}
void BinaryOutputStream::setShort(std::int16_t v) {
  sendValue(NetData::ofShort(v)->getBytes());
}
void BinaryOutputStream::setInt(std::int32_t v) {
  sendValue(NetData::ofInt(v)->getBytes());
}
void BinaryOutputStream::setLong(std::int64_t v) {
  sendValue(NetData::ofLong(v)->getBytes());
}
void BinaryOutputStream::setFloat(float v) {
  sendValue(NetData::ofFloat(v)->getBytes());
}
void BinaryOutputStream::setDouble(double v) {
  sendValue(NetData::ofDouble(v)->getBytes());
}
void BinaryOutputStream::setString(const std::string& v) {
  sendValue(WireText::toWire(v));
}
void BinaryOutputStream::setBytes(const Bytes& v) {
  sendValue(v);
}

void BinaryOutputStream::setNull() {
  std::lock_guard<std::recursive_mutex> hold(mu_);
  if (bClosed) throw plat::sql::SQLException(SessionErrors::STREAM_CLOSED);
  proxy->invokeMethod(METHOD_SET_NULL);
}

}  // namespace quenlora::zafoli::db::net
