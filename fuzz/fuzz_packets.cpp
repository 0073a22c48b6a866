// The packet reader fed arbitrary bytes: whatever arrives, reading ends in bytes, the end of the stream or an I/O
// error, never a crash or a read past the input; what it yields goes through the wire object factory too.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/io/ByteArrayInputStream.h"
#include "platform/io/DataInputStream.h"
#include "platform/lang/Throwable.h"
#include "quenlora/zafoli/db/net/NetClass.h"
#include "quenlora/zafoli/db/net/SocketIS.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> bytes(data, data + size);
  using quenlora::zafoli::db::net::SocketIS;
  {
    SocketIS in(plat::lang::makeRef<plat::io::ByteArrayInputStream>(bytes), nullptr);
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
