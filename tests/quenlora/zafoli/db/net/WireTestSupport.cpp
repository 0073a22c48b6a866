#include "tests/quenlora/zafoli/db/net/WireTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>

namespace wiretest {

plat::lang::Ref<quenlora::zafoli::db::net::ServerObject> decodeAll(const Bytes& bytes) {
  Input input(bytes);
  auto object = input.next();
  EXPECT_EQ(input.left(), 0) << "bytes left after one object of " << hex(bytes);
  return object;
}

Bytes encode(const quenlora::zafoli::db::net::ServerObject& object) {
  auto sink = plat::lang::makeRef<plat::io::ByteArrayOutputStream>();
  plat::io::DataOutputStream out(sink);
  object.write(out);
  out.flush();
  return sink->toByteArray();
}

std::string hex(const Bytes& bytes) {
  std::string text;
  char buf[4];
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(buf, sizeof buf, "%02X", bytes[i]);
    if (i > 0) text += ' ';
    text += buf;
  }
  return text;
}

}  // namespace wiretest
