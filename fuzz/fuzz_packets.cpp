// The packet reader fed arbitrary bytes: whatever arrives, reading ends in bytes, the end of the stream or an I/O
// error, never a crash or a read past the input; what it yields goes through the wire object factory too. The
// first input byte picks how the "socket" cuts the rest into reads, so buffered and direct reads both get their turn.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/io/ByteArrayInputStream.h"
#include "platform/io/DataInputStream.h"
#include "platform/io/InputStream.h"
#include "platform/lang/Throwable.h"
#include "quenlora/zafoli/db/net/NetClass.h"
#include "quenlora/zafoli/db/net/SocketIS.h"

namespace {

// Hands its bytes out in reads of 1 + (step * turn) % limit bytes.
class CutStream : public plat::io::InputStream {
 public:
  CutStream(std::vector<std::uint8_t> bytes, std::size_t step, std::size_t limit)
      : bytes_(std::move(bytes)), step_(step), limit_(limit) {}
  using InputStream::read;
  int read() override {
    std::uint8_t b;
    return read(&b, 1) < 0 ? -1 : b;
  }
  int read(std::uint8_t* buf, std::size_t len) override {
    if (len == 0) return 0;
    if (at_ == bytes_.size()) return -1;
    const std::size_t cut = 1 + (step_ * ++turn_) % limit_;
    const std::size_t n = std::min({len, cut, bytes_.size() - at_});
    std::memcpy(buf, bytes_.data() + at_, n);
    at_ += n;
    return static_cast<int>(n);
  }

 private:
  std::vector<std::uint8_t> bytes_;
  std::size_t step_;
  std::size_t limit_;
  std::size_t at_ = 0;
  std::size_t turn_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t pick = data[0];
  std::vector<std::uint8_t> bytes(data + 1, data + size);
  using quenlora::zafoli::db::net::SocketIS;
  {
    auto source = plat::lang::makeRef<CutStream>(bytes, 1 + pick % 17, pick < 128 ? 9 : 70000);
    SocketIS in(source, nullptr);
    std::uint8_t buf[257];
    try {
      for (std::size_t i = 0; i < size + 2; ++i) {
        const int n = in.read(buf, 1 + (i % sizeof buf));
        if (n < 0) break;
        if (i % 5 == 0) in.reset();
      }
    } catch (const plat::lang::Throwable&) {
    }
  }
  auto socketIn = plat::lang::makeRef<SocketIS>(plat::lang::makeRef<plat::io::ByteArrayInputStream>(bytes), nullptr);
  plat::io::DataInputStream in(socketIn);
  try {
    for (int i = 0; i < 64; ++i) quenlora::zafoli::db::net::NetClass::getNextObject(in);
  } catch (const plat::lang::Throwable&) {
  }
  return 0;
}
