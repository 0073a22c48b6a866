// The test server's request parser, which the other wire tests rely on to see what the client sent: a connection
// parses every request into the room its last one left, and must see each exactly as a fresh parse does.
#include <gtest/gtest.h>

#include <vector>

#include "testkit/middleware/MwWire.h"
#include "tests/quenlora/zafoli/db/net/WireTestSupport.h"

namespace {

using testkit::middleware::Arg;
using testkit::middleware::MwParse;
using testkit::middleware::ParsedRequest;
using wiretest::Wire;

Wire request(std::string_view command) {
  return Wire{56, 0, 0}.str(command);
}

// Every field the server reads, as one comparable text.
std::string describe(const ParsedRequest& r) {
  std::string out = r.command + " |";
  for (const auto& w : r.words) out += " [" + w + "]";
  for (const Arg& a : r.args) {
    out += " | " + std::to_string(a.kind) + " " + std::to_string(a.id) + " " + std::to_string(a.type) + " '" + a.text +
           "' " + std::to_string(a.rowState) + " " + std::to_string(a.rowNumber);
    for (const auto& v : a.values) out += " v" + std::string(v.begin(), v.end());
    for (const auto& v : a.rowValues) {
      out += " r" + std::to_string(v.kind) + "," + std::to_string(v.id) + "," + std::to_string(v.type) + "," +
             std::to_string(v.isNull);
      for (const auto& [t, b] : v.objects) out += "," + std::to_string(t) + ":" + std::string(b.begin(), b.end());
    }
  }
  return out;
}

TEST(TestServerParse, EachRequestParsedIntoTheLastOnesRoomReadsAsAFreshParse) {
  const std::vector<Wire> requests = {
      request("").eot(),
      request("").eot(),
      request("proxy,invoke,12,4")
          .raw({57, 0, 6, 'F', 'L', 'D', '}', 1, 0x65})
          .data({'a', 'b', 'c'})
          .data({'d'})
          .eot()
          .raw({58, 0, 1, 2})
          .str("some longer argument text")
          .eot(),
      request("p").eot(),
      request("a,b,c,d,e,f").raw({58, 0, 1, 0}).str("t").eot(),
      request("proxy,invoke,3,1")
          .raw({59, 0, 9, 'R', 'O', 'W', '}', 2, 0, 0, 0, 7})
          .valueHeader(70, false, 1, 4)
          .data({'x', 'y'})
          .str("s")
          .eot()
          .eot()
          .eot(),
      request("proxy,invoke,3,2").raw({57, 0, 6, 'F', 'L', 'D', '}', 0, 0x65}).data({'q'}).eot().eot(),
      request("proxy,invoke,3,2").raw({58, 0, 1, 0}).str("the same command again").eot(),
      request("x,,y").eot(),
  };
  for (const bool reversed : {false, true}) {
    ParsedRequest reused;
    for (std::size_t i = 0; i < requests.size(); ++i) {
      const Wire& payload = requests[reversed ? requests.size() - 1 - i : i];
      MwParse::request(payload, reused);
      EXPECT_EQ(describe(reused), describe(MwParse::request(payload)))
          << "request " << i << (reversed ? " from the end" : "");
    }
  }
}

}  // namespace
