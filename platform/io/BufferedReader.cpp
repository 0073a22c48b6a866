#include "platform/io/BufferedReader.h"

#include "platform/io/IOException.h"
#include "platform/io/Utf8.h"

namespace plat::io {

BufferedReader::BufferedReader(plat::lang::Ref<Reader> in) : in_(std::move(in)) {}

BufferedReader::~BufferedReader() {
  try {
    close();
  } catch (...) {
  }
}

int BufferedReader::next() {
  if (!in_) throw IOException("Stream closed");
  return in_->read();
}

int BufferedReader::read() {
  int c = next();
  if (skipLf_) {
    skipLf_ = false;
    if (c == '\n') c = next();
  }
  return c;
}

bool BufferedReader::ready() {
  if (!in_) throw IOException("Stream closed");
  return in_->ready();
}

std::optional<std::string> BufferedReader::readLine() {
  std::string line;
  int c = read();
  if (c < 0) return std::nullopt;
  for (; c >= 0; c = next()) {
    if (c == '\n') return line;
    if (c == '\r') {
      skipLf_ = true;
      return line;
    }
    appendUtf8(line, static_cast<std::uint32_t>(c));
  }
  return line;  // the last line had no end
}

void BufferedReader::close() {
  if (!in_) return;
  auto in = std::move(in_);
  in_.reset();
  in->close();
}

}  // namespace plat::io
