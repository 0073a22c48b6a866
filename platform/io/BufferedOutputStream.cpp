#include "platform/io/BufferedOutputStream.h"

#include <algorithm>

#include "platform/io/IOException.h"

namespace plat::io {

BufferedOutputStream::BufferedOutputStream(plat::lang::Ref<OutputStream> out, std::size_t size)
    : out_(std::move(out)), capacity_(std::max<std::size_t>(size, 1)) {
  buf_.reserve(capacity_);
}

BufferedOutputStream::~BufferedOutputStream() {
  try {
    close();
  } catch (...) {
  }
}

OutputStream& BufferedOutputStream::sink() {
  if (!out_) throw IOException("Stream closed");
  return *out_;
}

void BufferedOutputStream::flushBuffer() {
  if (buf_.empty()) return;
  // The buffer is emptied only after the sink took it, so a failed write loses nothing already accepted.
  sink().write(buf_.data(), buf_.size());
  buf_.clear();
}

void BufferedOutputStream::write(int b) {
  sink();
  if (buf_.size() >= capacity_) flushBuffer();
  buf_.push_back(static_cast<std::uint8_t>(b));
}

void BufferedOutputStream::write(const std::uint8_t* buf, std::size_t len) {
  OutputStream& out = sink();
  if (len >= capacity_) {
    flushBuffer();
    out.write(buf, len);
    return;
  }
  if (len > capacity_ - buf_.size()) flushBuffer();
  buf_.insert(buf_.end(), buf, buf + len);
}

void BufferedOutputStream::flush() {
  flushBuffer();
  sink().flush();
}

void BufferedOutputStream::close() {
  if (!out_) return;
  // The sink is closed even when the last flush fails; the flush failure is what the caller sees.
  try {
    flush();
  } catch (...) {
    auto out = std::move(out_);
    out_.reset();
    try {
      out->close();
    } catch (...) {
    }
    throw;
  }
  auto out = std::move(out_);
  out_.reset();
  out->close();
}

}  // namespace plat::io
