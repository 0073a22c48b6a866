// Remote object calls and remote byte streams against the test server: the bytes of invoke, construct and destroy
// requests, disabled handles, and chunked stream transfer.
#include <gtest/gtest.h>

#include "platform/io/ByteArrayInputStream.h"
#include "platform/io/IOException.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/BinaryInputStream.h"
#include "quenlora/zafoli/db/net/BinaryOutputStream.h"
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
using testkit::middleware::ProxyStream;

Bytes commandBytes(const std::string& cmd) {
  return wiretest::Wire{56, 0, 0}.str(cmd);
}

Bytes cat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class RemoteObjectTest : public ::testing::Test {
 protected:
  RemoteObjectTest() : session_("127.0.0.1", server_.port(), "", true) {
    server_.setHandler([](const testkit::middleware::ParsedRequest& r) -> std::optional<Bytes> {
      if (r.words.size() > 2 && r.words[0] == "proxy" && r.words[1] == "invoke" &&
          (r.words[2] == "12" || r.words[2] == "9")) {
        return MwEncode::list({MwEncode::dataInt(1), MwEncode::string("ok")}).bytes;
      }
      if (r.words.size() > 2 && r.words[1] == "new" && r.words[2] == "Short") return MwEncode::data({0, 7}).bytes;
      return std::nullopt;
    });
  }
  Bytes lastPayload() { return server_.packets().back().payload; }

  MiddlewareServer server_;
  ClientSession session_;
};

TEST_F(RemoteObjectTest, InvokeWithIntSendsTypedArgument) {
  RemoteObject o("Thing", 12, session_);
  auto results = o.invokeMethod(4, std::int32_t{7});
  ASSERT_EQ(results.size(), 2u);
  EXPECT_EQ(plat::lang::refCast<NetData>(results[0])->getInt(), 1);
  const Bytes expected = cat(commandBytes("proxy,invoke,12,4"),
                             {57, 0, 6, 'F', 'L', 'D', '}', 0, 0x65, 51, 0, 4, 0, 0, 0, 7, 50, 0, 0, 50, 0, 0});
  EXPECT_EQ(lastPayload(), expected);
}

TEST_F(RemoteObjectTest, InvokeWithTextAndBoolAndNothing) {
  RemoteObject o("Thing", 12, session_);
  o.invokeMethod(2, "x");
  EXPECT_EQ(lastPayload(), cat(commandBytes("proxy,invoke,12,2"), {58, 0, 1, 0, 52, 0, 1, 'x', 50, 0, 0}));
  o.invokeMethod(3, true);
  EXPECT_EQ(lastPayload(), cat(commandBytes("proxy,invoke,12,3"),
                               {57, 0, 6, 'F', 'L', 'D', '}', 0, 104, 51, 0, 1, 1, 50, 0, 0, 50, 0, 0}));
  o.invokeMethod(5);
  EXPECT_EQ(lastPayload(), cat(commandBytes("proxy,invoke,12,5"), {50, 0, 0}));
}

TEST_F(RemoteObjectTest, AnInvokeAfterSetObjectNamesTheNewObject) {
  RemoteObject o("Thing", 12, session_);
  o.invokeMethod(5);
  o.setObject("Thing", 9);
  o.invokeMethod(6);
  EXPECT_EQ(lastPayload(), cat(commandBytes("proxy,invoke,9,6"), {50, 0, 0}));
}

TEST_F(RemoteObjectTest, ConstructAndDestroy) {
  RemoteObject o("ProxyStream", 0, session_);
  const std::int32_t id = o.invokeConstructor("()", {});
  EXPECT_GT(id, 0);
  EXPECT_EQ(o.getObjectID(), 0);
  EXPECT_NE(server_.object(id), nullptr);
  o.invokeDestructor(id);
  ASSERT_TRUE(server_.waitForRequests(3, 5000));  // no reply comes, so the request may still be on its way
  EXPECT_EQ(lastPayload(), cat(commandBytes("proxy,delete," + std::to_string(id)), {50, 0, 0}));
  // No reply was read, so the next call gets its own reply.
  RemoteObject t("Thing", 12, session_);
  EXPECT_EQ(t.invokeMethod(1).size(), 2u);
  EXPECT_EQ(server_.object(id), nullptr);
}

TEST_F(RemoteObjectTest, UnknownClassIsTheServersError) {
  RemoteObject o("Nope", 0, session_);
  EXPECT_THROW(o.invokeConstructor("()", {}), plat::sql::SQLException);
  RemoteObject t("Thing", 12, session_);
  EXPECT_EQ(t.invokeMethod(1).size(), 2u);
}

TEST_F(RemoteObjectTest, AServerObjectFailingUnexpectedlyIsAnErrorReplyNotACrash) {
  server_.registerClass("Broken",
                        [](const std::string&, const auto&) -> std::shared_ptr<testkit::middleware::ServerObject> {
                          throw std::runtime_error("broken factory");
                        });
  RemoteObject o("Broken", 0, session_);
  EXPECT_THROW(o.invokeConstructor("()", {}), plat::sql::SQLException);
  RemoteObject t("Thing", 12, session_);
  EXPECT_EQ(t.invokeMethod(1).size(), 2u);
}

TEST_F(RemoteObjectTest, CommaInClassNameOrSelectorIsRefusedBeforeSending) {
  const std::size_t before = server_.packets().size();
  RemoteObject badClass("Proxy,Stream", 0, session_);
  EXPECT_THROW(badClass.invokeConstructor("()", {}), plat::sql::SQLException);
  RemoteObject badSelector("ProxyStream", 0, session_);
  EXPECT_THROW(badSelector.invokeConstructor("1,2", {}), plat::sql::SQLException);
  EXPECT_EQ(server_.packets().size(), before);
  EXPECT_GT(badSelector.invokeConstructor("1", {}), 0);
}

TEST_F(RemoteObjectTest, ShortConstructorReplyIsALostConnection) {
  RemoteObject o("Short", 0, session_);
  EXPECT_THROW(o.invokeConstructor("()", {}), SQLServerConnException);
  EXPECT_EQ(session_.getMPlex(), nullptr);
}

TEST_F(RemoteObjectTest, DisabledHandleSendsNothing) {
  RemoteObject o("Thing", 12, session_);
  o.disable();
  const std::size_t before = server_.packets().size();
  for (auto call : std::vector<std::function<void()>>{
           [&] { o.invokeMethod(1); }, [&] { o.invokeConstructor("()", {}); }, [&] { o.invokeDestructor(3); }}) {
    try {
      call();
      ADD_FAILURE();
    } catch (const plat::sql::SQLException& e) {
      EXPECT_EQ(e.getMessage(), "Error: Remote Object closed");
    }
  }
  EXPECT_EQ(server_.packets().size(), before);
}

class BinaryStreamTest : public RemoteObjectTest {
 protected:
  std::int32_t stream(Bytes content) {
    auto s = std::make_shared<ProxyStream>(std::move(content));
    streams_.push_back(s);
    return server_.addObject(s);
  }
  std::vector<std::shared_ptr<ProxyStream>> streams_;
};

TEST(BinaryInputStreamLocal, ReadsTextOneBytePerCharacter) {
  BinaryInputStream in(std::string("abc"));
  EXPECT_EQ(in.read(), 97);
  EXPECT_EQ(in.read(), 98);
  EXPECT_EQ(in.read(), 99);
  EXPECT_EQ(in.read(), -1);
}

TEST_F(BinaryStreamTest, TypedGetterDecodesTheFirstChunk) {
  BinaryInputStream in(stream({0, 0, 1, 0}), session_);
  EXPECT_EQ(in.getInt(), 256);
}

TEST_F(BinaryStreamTest, GetBytesKeepsTheRestOfTheCurrentChunk) {
  Bytes content(9500);
  for (std::size_t i = 0; i < content.size(); ++i) content[i] = static_cast<std::uint8_t>(i * 7);
  BinaryInputStream in(stream(content), session_);
  EXPECT_EQ(in.read(), content[0]);
  Bytes rest = in.getBytes();
  EXPECT_EQ(rest, Bytes(content.begin() + 1, content.end()));
  const std::size_t packets = server_.packets().size();
  EXPECT_TRUE(in.getBytes().empty());
  EXPECT_EQ(server_.packets().size(), packets);
}

TEST_F(BinaryStreamTest, SendDataGoesOutInPiecesOf4000) {
  const std::int32_t id = stream({});
  BinaryOutputStream out(id, session_);
  Bytes data(9000, 0x11);
  auto src = plat::lang::makeRef<plat::io::ByteArrayInputStream>(data);
  out.sendData(*src, 9000);
  EXPECT_EQ(streams_[0]->pieces(), (std::vector<std::size_t>{4000, 4000, 1000}));
  EXPECT_EQ(streams_[0]->content(), data);
}

TEST_F(BinaryStreamTest, SendDataFromAShortInputSendsWhatWasReadThenFails) {
  BinaryOutputStream out(stream({}), session_);
  auto src = plat::lang::makeRef<plat::io::ByteArrayInputStream>(Bytes(5000, 2));
  EXPECT_THROW(out.sendData(*src, 9000), plat::sql::SQLException);
  EXPECT_EQ(streams_[0]->content(), Bytes(5000, 2));
}

TEST_F(BinaryStreamTest, LargeWritesAreSplitAndCloseFlushes) {
  BinaryOutputStream out(stream({}), session_);
  out.write(Bytes{1, 2, 3}, 0, 3);
  Bytes big(10000, 9);
  out.write(big, 0, big.size());
  out.write(Bytes{4}, 0, 1);
  out.close();
  EXPECT_EQ(streams_[0]->pieces(), (std::vector<std::size_t>{3, 4000, 4000, 2000, 1}));
  EXPECT_EQ(streams_[0]->content().size(), 10004u);
  EXPECT_THROW(out.write(1), plat::io::IOException);
  EXPECT_ANY_THROW(out.write(Bytes{1, 2}, 1, 5));
}

TEST_F(BinaryStreamTest, SetIntSendsLengthAndBytes) {
  BinaryOutputStream out(stream({}), session_);
  out.setInt(7);
  auto req = server_.requests().back().request;
  ASSERT_EQ(req.args.size(), 2u);
  EXPECT_EQ(req.args[0].type, 101);
  EXPECT_EQ(req.args[0].asInt(), 4);
  EXPECT_EQ(req.args[1].type, 108);
  EXPECT_EQ(req.args[1].values.at(0), (Bytes{0, 0, 0, 7}));
}

TEST_F(BinaryStreamTest, MegabyteRoundTrip) {
  Bytes data(1 << 20);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i ^ (i >> 8));
  const std::int32_t id = stream({});
  {
    BinaryOutputStream out(id, session_);
    out.write(data, 0, data.size());
    out.close();
  }
  BinaryInputStream in(id, session_);
  EXPECT_EQ(in.getBytes(), data);
}

}  // namespace
