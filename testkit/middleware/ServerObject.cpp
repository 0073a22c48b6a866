#include "testkit/middleware/ServerObject.h"

#include <algorithm>

namespace testkit::middleware {

std::vector<Encoded> ProxyStream::invoke(int method, const std::vector<Arg>& args) {
  std::lock_guard<std::mutex> hold(mu_);
  switch (method) {
    case 0: {
      const std::size_t from = std::min(readAt_, content_.size());
      const std::size_t n = std::min(kChunk, content_.size() - from);
      // The data object is written straight from the content, without a copy of the chunk first.
      Encoded chunk;
      chunk.bytes.reserve(3 + n);
      chunk.bytes.push_back(51);
      chunk.bytes.push_back(static_cast<std::uint8_t>(n >> 8));
      chunk.bytes.push_back(static_cast<std::uint8_t>(n));
      chunk.bytes.insert(chunk.bytes.end(), content_.begin() + static_cast<std::ptrdiff_t>(from),
                         content_.begin() + static_cast<std::ptrdiff_t>(from + n));
      readAt_ += n;
      std::vector<Encoded> out;
      out.push_back(std::move(chunk));
      return out;
    }
    case 1: {
      if (args.size() != 2 || args[0].type != 101 || args[1].type != 108 || args[1].values.empty()) {
        throw ServerFailure(1, 11, "setData wants (int length, bytes)");
      }
      const auto length = static_cast<std::size_t>(args[0].asInt());
      const Bytes& bytes = args[1].values[0];
      if (length != bytes.size()) throw ServerFailure(2, 11, "setData length does not match the bytes");
      if (writing_) {
        content_.clear();
        writing_ = false;
      }
      content_.insert(content_.end(), bytes.begin(), bytes.end());
      pieces_.push_back(bytes.size());
      null_ = false;
      return {};
    }
    case 2:
      readAt_ = 0;
      writing_ = true;
      return {};
    case 3:
      content_.clear();
      null_ = true;
      return {};
    default:
      throw ServerFailure(3, 2, "ProxyStream has no method " + std::to_string(method));
  }
}

Bytes ProxyStream::content() const {
  std::lock_guard<std::mutex> hold(mu_);
  return content_;
}

bool ProxyStream::isNull() const {
  std::lock_guard<std::mutex> hold(mu_);
  return null_;
}

std::vector<std::size_t> ProxyStream::pieces() const {
  std::lock_guard<std::mutex> hold(mu_);
  return pieces_;
}

}  // namespace testkit::middleware
