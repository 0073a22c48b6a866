// Replies that must never slip out of step: server errors met inside rows, lists, errors and stream replies spread
// over many packets, replies past the count and size limits, long error chains, read time-outs against a frozen
// server, and over-long values refused before sending.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/BinaryInputStream.h"
#include "quenlora/zafoli/db/net/ClientSession.h"
#include "quenlora/zafoli/db/net/NetData.h"
#include "quenlora/zafoli/db/net/RemoteObject.h"
#include "quenlora/zafoli/db/net/SQLServerConnException.h"
#include "quenlora/zafoli/db/net/TextParam.h"
#include "testkit/middleware/MiddlewareServer.h"
#include "tests/quenlora/zafoli/db/net/WireTestSupport.h"

namespace {

using namespace quenlora::zafoli::db::net;
using testkit::middleware::Bytes;
using testkit::middleware::MiddlewareServer;
using testkit::middleware::MwEncode;
using testkit::middleware::ParsedRequest;
using wiretest::Wire;

constexpr int kObject = 5;

Wire intValue(std::int32_t v) {
  return Wire().valueHeader(82, false).dataInt(v);
}

// 59: i16 length, state 100, row number, value count, then the values as given.
Wire row(std::int32_t number, int count, const Wire& values) {
  return Wire().u8(59).i16(0).u8(100).i32(number).i16(count).append(values);
}

Wire list(const Wire& elements) {
  return Wire().u8(54).i16(0).append(elements).eot();
}

Wire rows(int from, int n) {
  Wire w;
  for (int i = from; i < from + n; ++i) w.append(row(i, 2, intValue(i).append(intValue(i * 10))));
  return w;
}

// Compressed data objects (79) of 85 bytes each, every one inflating to 70,000 zero bytes.
Wire inflatingZeros(int n) {
  Bytes body = {0xED, 0xC1, 0x31, 0x01, 0x00, 0x00, 0x00, 0xC2, 0xA0, 0xF5, 0x4F, 0x6D, 0x09, 0x4F, 0xA0};
  body.insert(body.end(), 67, 0x00);
  body.insert(body.end(), {0x80, 0xB7, 0x01});
  Wire w;
  for (int i = 0; i < n; ++i) w.u8(79).i16(static_cast<int>(body.size())).i32(70000).raw(body);
  return w;
}

Wire errorList(int n) {
  return Wire(MwEncode::errorList(static_cast<std::size_t>(n), "chained", "S1000").bytes);
}

Wire warning(const std::string& message) {
  return Wire(MwEncode::warning(message, "01000", 3).bytes);
}

// Method 1 answers with the scripted bad reply, every other method m with a list holding m.
class ReplyInStep : public ::testing::Test {
 protected:
  ReplyInStep() {
    server_.setHandler([this](const ParsedRequest& r) -> std::optional<Bytes> {
      if (r.words.size() < 4 || r.words[1] != "invoke") return std::nullopt;
      const int method = std::atoi(r.words[3].c_str());
      if (method == 1) return bad_;
      return list(Wire().dataInt(method)).bytes();
    });
  }

  int call(RemoteObject& o, int method) {
    auto results = o.invokeMethod(method);
    EXPECT_EQ(results.size(), 1u);
    return results.empty() ? -1 : plat::lang::refCast<NetData>(results[0])->getInt();
  }

  MiddlewareServer server_;
  Bytes bad_;
};

TEST_F(ReplyInStep, AnErrorInsideAReplyIsRaisedAfterTheWholeReplyIsRead) {
  struct Case {
    const char* name;
    Wire reply;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"error in place of a value",
       list(rows(1, 40).append(row(41, 2, intValue(1).error(7, 15, "bad value", "22000"))).append(rows(42, 40))),
       "bad value"},
      {"error list in a list", list(rows(1, 30).append(errorList(3)).append(rows(31, 30))), "chained"},
      {"error list in place of a value", list(row(1, 3, intValue(1).append(errorList(2)).append(intValue(3)))),
       "chained"},
      {"warning in place of a value", list(row(1, 2, warning("truncated").append(intValue(2))).append(rows(2, 50))),
       "truncated"},
      {"error in place of an error's text",
       list(Wire().u8(49).i16(0).ascii("ERR}").i32(1).i32(15).error(2, 15, "inner", "S1000").str("S1000")), "inner"},
      {"error in place of a warning's text",
       list(Wire().u8(88).i16(0).ascii("WRN}").error(4, 15, "in warning", "S1").str("01000").dataInt(1).eot()),
       "in warning"},
  };
  for (std::size_t packet : {std::size_t{0}, std::size_t{1}, std::size_t{7}, std::size_t{300}}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.name) + ", packets of " + std::to_string(packet));
      server_.setPacketSize(packet);
      ClientSession session("127.0.0.1", server_.port(), "", true);
      RemoteObject o("Thing", kObject, session);
      bad_ = c.reply.bytes();
      try {
        o.invokeMethod(1);
        ADD_FAILURE() << "no error raised";
      } catch (const SQLServerConnException& e) {
        ADD_FAILURE() << "connection given up: " << e.getMessage();
      } catch (const plat::sql::SQLException& e) {
        EXPECT_EQ(e.getMessage(), c.message);
      }
      // Each later call gets its own answer on the same connection.
      for (int method : {2, 3, 4}) EXPECT_EQ(call(o, method), method);
    }
  }
}

TEST_F(ReplyInStep, AReplyWhoseEndCannotBeFoundGivesTheConnectionUp) {
  server_.setPacketSize(5);
  ClientSession session("127.0.0.1", server_.port(), "", true);
  RemoteObject o("Thing", kObject, session);
  // A text where a value belongs: the row's layout is unknown from here on.
  bad_ = list(row(1, 2, Wire().str("what").append(intValue(2))).append(rows(2, 20))).bytes();
  EXPECT_THROW(o.invokeMethod(1), plat::sql::SQLException);
  try {
    o.invokeMethod(2);
    ADD_FAILURE() << "a later call was answered";
  } catch (const SQLServerConnException& e) {
    EXPECT_EQ(e.getMessage(), "Lost connection to Kestrovane server.");
  }
}

TEST_F(ReplyInStep, LongErrorChainIsRaisedWholeAndReleased) {
  constexpr int kErrors = 400'000;
  ClientSession session("127.0.0.1", server_.port(), "", true);
  ReplyLimits limits;
  limits.maxObjects = 4'000'000;
  session.setReplyLimits(limits);
  RemoteObject o("Thing", kObject, session);
  bad_ = list(errorList(kErrors)).bytes();
  try {
    o.invokeMethod(1);
    ADD_FAILURE() << "no error raised";
  } catch (const plat::sql::SQLException& e) {
    int n = 0;
    for (auto next = e.getNextException(); next; next = next->getNextException()) ++n;
    EXPECT_EQ(n + 1, kErrors);
  }
  EXPECT_EQ(call(o, 2), 2);
}

TEST_F(ReplyInStep, RepliesPastTheLimitsLoseTheConnection) {
  struct Case {
    const char* name;
    ReplyLimits limits;
    Wire reply;
    std::string message;
  };
  ReplyLimits objects;  // the defaults: 400,000 errors are three objects each
  ReplyLimits bytes;
  bytes.maxBytes = 4096;
  ReplyLimits inflated;
  inflated.maxBytes = 200000;
  const std::vector<Case> cases = {
      {"objects", objects, list(errorList(400'000)),
       "Lost connection to Kestrovane server: the reply holds more wire objects than the limit of 1000000 objects."},
      {"bytes", bytes, list(rows(1, 400)),
       "Lost connection to Kestrovane server: the reply is larger than the limit of 4096 bytes."},
      // Some 300 bytes on the wire, but 210,000 once inflated: the client would hold those.
      {"inflated", inflated, list(inflatingZeros(3)),
       "Lost connection to Kestrovane server: the reply is larger than the limit of 200000 bytes."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ClientSession session("127.0.0.1", server_.port(), "", true);
    session.setReplyLimits(c.limits);
    RemoteObject o("Thing", kObject, session);
    bad_ = c.reply.bytes();
    try {
      o.invokeMethod(1);
      ADD_FAILURE() << "the reply was taken";
    } catch (const SQLServerConnException& e) {
      EXPECT_EQ(e.getMessage(), c.message);
    }
    EXPECT_EQ(session.getMPlex(), nullptr);
    EXPECT_THROW(o.invokeMethod(2), SQLServerConnException);
  }
}

TEST_F(ReplyInStep, AnErrorInsideAStreamReplyFailsTheValue) {
  // Chunk 1 is whole; chunk 2 is an error, alone or after data.
  for (bool afterData : {false, true}) {
    SCOPED_TRACE(afterData ? "error after data" : "error alone");
    std::atomic<int> chunk{0};
    server_.setHandler([&](const ParsedRequest& r) -> std::optional<Bytes> {
      if (r.words.size() < 4 || r.words[1] != "invoke") return std::nullopt;
      if (r.words[3] != std::to_string(BinaryInputStream::METHOD_GET_DATA)) return list(Wire()).bytes();
      switch (chunk++) {
        case 0:
          return list(Wire().data({'a', 'b', 'c'})).bytes();
        case 1:
          return list(afterData ? Wire().data({'d'}).error(9, 15, "read failed", "S1000")
                                : Wire().error(9, 15, "read failed", "S1000"))
              .bytes();
        default:
          return list(Wire()).bytes();
      }
    });
    server_.setPacketSize(3);
    ClientSession session("127.0.0.1", server_.port(), "", true);
    BinaryInputStream in(kObject, session);
    try {
      const auto value = in.getBytes();
      ADD_FAILURE() << "a value of " << value.size() << " bytes came back";
    } catch (const plat::sql::SQLException& e) {
      EXPECT_EQ(e.getMessage(), "read failed");
    }
  }
}

TEST_F(ReplyInStep, AFrozenServerEndsTheCallAtTheReadTimeout) {
  SocketTimeouts timeouts;
  timeouts.readMs = 200;
  ClientSession session("127.0.0.1", server_.port(), "", true, timeouts);
  RemoteObject o("Thing", kObject, session);
  EXPECT_EQ(call(o, 2), 2);
  server_.freeze(true);
  try {
    o.invokeMethod(3);
    ADD_FAILURE() << "answered while frozen";
  } catch (const SQLServerConnException& e) {
    EXPECT_EQ(e.getMessage(), "Lost connection to Kestrovane server: no reply within the read time-out of 200 ms.");
  }
  server_.freeze(false);
  EXPECT_THROW(o.invokeMethod(2), SQLServerConnException);
}

TEST_F(ReplyInStep, OverLongValuesAreRefusedBeforeSendingAndTheSessionGoesOn) {
  ClientSession session("127.0.0.1", server_.port(), "", true);
  RemoteObject o("Thing", kObject, session);
  for (std::size_t n : {std::size_t{32'767}, std::size_t{32'768}, std::size_t{100'000}}) {
    SCOPED_TRACE(n);
    server_.clearRecords();
    try {
      o.invokeMethod(2, std::string(n, 'x'));
      ADD_FAILURE() << "sent";
    } catch (const SQLServerConnException& e) {
      ADD_FAILURE() << e.getMessage();
    } catch (const plat::sql::SQLException& e) {
      const std::string limit = n > 32'767 ? "exceeds the limit of 32767" : "Request exceeds max length of 32768";
      EXPECT_NE(e.getMessage().find(limit), std::string::npos) << e.getMessage();
    }
    EXPECT_TRUE(server_.requests().empty());
    EXPECT_EQ(call(o, 3), 3);
  }
}

}  // namespace
