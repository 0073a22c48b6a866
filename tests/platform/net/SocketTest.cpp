#include "platform/net/Socket.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/lang/Exceptions.h"
#include "platform/net/NetExceptions.h"
#include "platform/net/Resolver.h"
#include "testkit/clearinghouse/ClearingHouseServer.h"

namespace {

using plat::net::Socket;
using testkit::ClearingHouseServer;
using testkit::ConnectionScript;

// A loopback port with nothing listening: bound, then released.
int closedPort() {
  int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
  socklen_t len = sizeof sa;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&sa), &len);
  ::close(fd);
  return ntohs(sa.sin_port);
}

std::string readAll(plat::io::InputStream& in) {
  std::string out;
  std::uint8_t buf[512];
  for (int n; (n = in.read(buf, sizeof buf)) > 0;)
    out.append(reinterpret_cast<char*>(buf), static_cast<std::size_t>(n));
  return out;
}

void send(Socket& s, const std::string& text) {
  s.getOutputStream()->write(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

TEST(Socket, ExchangesBytesWithAServer) {
  ClearingHouseServer server;
  server.setDefaultScript(ConnectionScript::answerAtOnce("RESPONSE"));
  Socket s;
  s.setSoTimeout(5000);
  s.connect(server.address(), server.port(), 5000);
  EXPECT_TRUE(s.isConnected());
  EXPECT_EQ(s.getRemoteAddress(), "127.0.0.1:" + std::to_string(server.port()));
  send(s,
       "0008"
       "00000"
       "abc");
  EXPECT_EQ(readAll(*s.getInputStream()),
            "0013"
            "00000"
            "RESPONSE");
  s.close();
  ASSERT_TRUE(server.waitForConnections(1, 5000));
  const std::vector<std::uint8_t> request = server.received()[0].request;
  EXPECT_EQ(std::string(request.begin(), request.end()), "000800000abc");
}

TEST(Socket, RefusedConnectionReadsAsTheRuntimeWrites) {
  Socket s;
  try {
    s.connect("127.0.0.1", closedPort(), 2000);
    FAIL() << "connected to a closed port";
  } catch (const plat::net::ConnectException& e) {
    EXPECT_EQ(e.toString(), "plat::net::ConnectException: Connection refused");
  }
  EXPECT_FALSE(s.isConnected());
}

TEST(Socket, ReadTimesOutWithTheRuntimeText) {
  ClearingHouseServer server;
  ConnectionScript never;
  never.kind = ConnectionScript::Kind::NeverAnswer;
  never.pauseMs = 5000;
  server.setDefaultScript(never);
  Socket s;
  s.setSoTimeout(150);
  s.connect(server.address(), server.port(), 5000);
  send(s,
       "0006"
       "00000"
       "x");
  try {
    s.getInputStream()->read();
    FAIL() << "read returned without data";
  } catch (const plat::net::SocketTimeoutException& e) {
    EXPECT_EQ(e.toString(), "plat::net::SocketTimeoutException: Read timed out");
  }
  // A time-out is an interrupted transfer, as the session's catch sites expect.
  EXPECT_TRUE((std::is_base_of_v<plat::io::InterruptedIOException, plat::net::SocketTimeoutException>));
}

// A read after one that emptied the socket waits before it reads; bytes already there are returned even under the
// shortest time-out, never reported as a time-out.
TEST(Socket, BytesAlreadyQueuedAreReadUnderTheShortestTimeOut) {
  const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof sa;
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&sa), sizeof sa), 0);
  ASSERT_EQ(::listen(listener, 1), 0);
  ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&sa), &len), 0);
  Socket s;
  s.setSoTimeout(5000);
  s.connect("127.0.0.1", ntohs(sa.sin_port), 5000);
  const int peer = ::accept(listener, nullptr, nullptr);
  ASSERT_GE(peer, 0);
  auto in = s.getInputStream();
  std::uint8_t buf[8];
  ASSERT_EQ(::send(peer, "ab", 2, 0), 2);
  ASSERT_EQ(in->read(buf, sizeof buf), 2);  // less than asked: the socket is empty now
  ASSERT_EQ(::send(peer, "cd", 2, 0), 2);
  for (int i = 0; i < 500 && in->available() < 2; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_EQ(in->available(), 2);
  s.setSoTimeout(1);
  for (int round = 0; round < 3; ++round) {
    ASSERT_EQ(in->read(buf, sizeof buf), 2) << round;
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buf), 2), "cd");
    if (round < 2) {
      ASSERT_EQ(::send(peer, "cd", 2, 0), 2);
      for (int i = 0; i < 500 && in->available() < 2; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
  ::close(peer);
  ::close(listener);
}

// poll counts whole milliseconds: the time left must be rounded up, or a 1 ms time-out would end before any wait.
// A lower bound only: a correct wait can never be shorter than its time-out, however loaded the machine.
TEST(Socket, TheShortestTimeOutIsWaitedFor) {
  ClearingHouseServer server;
  ConnectionScript never;
  never.kind = ConnectionScript::Kind::NeverAnswer;
  never.pauseMs = 5000;
  server.setDefaultScript(never);
  Socket s;
  s.setSoTimeout(5000);
  s.connect(server.address(), server.port(), 5000);
  s.setSoTimeout(1);
  for (int round = 0; round < 5; ++round) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(s.getInputStream()->read(), plat::net::SocketTimeoutException) << round;
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1)) << round;
  }
}

// A loopback listener whose connections are never accepted or read: what a client writes fills the buffers and
// stays there.
class DeafListener {
 public:
  DeafListener() : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof sa;
    if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0 || ::listen(fd_, 1) != 0 ||
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&sa), &len) != 0) {
      throw std::runtime_error("no loopback listener");
    }
    port_ = ntohs(sa.sin_port);
  }
  ~DeafListener() { ::close(fd_); }
  DeafListener(const DeafListener&) = delete;
  DeafListener& operator=(const DeafListener&) = delete;
  int port() const { return port_; }

 private:
  int fd_;
  int port_ = 0;
};

// A peer that stops reading must not hold a writer forever: the read time-out bounds every write as well.
TEST(Socket, AWriteToAPeerThatStopsReadingTimesOut) {
  DeafListener peer;
  Socket s;
  s.setSoTimeout(200);
  s.connect("127.0.0.1", peer.port(), 5000);
  const std::vector<std::uint8_t> block(1 << 20, 0x5A);
  auto out = s.getOutputStream();
  try {
    // Far more than the two socket buffers hold; the writes stop long before.
    for (int i = 0; i < 512; ++i) out->write(block.data(), block.size());
    FAIL() << "512 MB went to a peer that reads nothing";
  } catch (const plat::net::SocketTimeoutException& e) {
    EXPECT_EQ(e.toString(), "plat::net::SocketTimeoutException: Write timed out");
  }
}

// Another thread may end a read that is waiting by shutting the input down; the read then sees the end.
TEST(Socket, ShuttingTheInputDownEndsAWaitingRead) {
  DeafListener peer;
  Socket s;
  s.setSoTimeout(20000);
  s.connect("127.0.0.1", peer.port(), 5000);
  auto in = s.getInputStream();
  int got = 0;
  std::thread reader([&] { got = in->read(); });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  s.shutdownInput();
  reader.join();
  EXPECT_EQ(got, -1);
}

TEST(Socket, EndOfStreamAndAvailable) {
  ClearingHouseServer server;
  ConnectionScript close;
  close.kind = ConnectionScript::Kind::CloseWithoutAnswer;
  server.pushScript(ConnectionScript::answerAtOnce("0123456789"));
  server.pushScript(close);
  {
    Socket s;
    s.setSoTimeout(5000);
    s.connect(server.address(), server.port(), 5000);
    send(s,
         "0006"
         "00000"
         "x");
    auto in = s.getInputStream();
    ASSERT_NE(in->read(), -1);
    ASSERT_TRUE(server.waitForConnections(1, 5000));
    EXPECT_EQ(in->available(), 18);  // the rest of "0015" "00000" "0123456789"
  }
  Socket s;
  s.setSoTimeout(5000);
  s.connect(server.address(), server.port(), 5000);
  send(s,
       "0006"
       "00000"
       "x");
  EXPECT_EQ(s.getInputStream()->read(), -1);
}

TEST(Socket, MisuseIsRefusedWithClearReasons) {
  Socket s;
  EXPECT_THROW(s.getInputStream(), plat::net::SocketException);
  EXPECT_THROW(s.setSoTimeout(-1), plat::lang::IllegalArgumentException);
  EXPECT_THROW(s.connect("", 1261, 100), plat::net::UnknownHostException);
  EXPECT_THROW(s.connect("127.0.0.1", 70000, 100), plat::lang::IllegalArgumentException);
  s.close();
  EXPECT_TRUE(s.isClosed());
  EXPECT_THROW(s.connect("127.0.0.1", 1261, 100), plat::net::SocketException);
}

TEST(Socket, StreamsFailAfterClose) {
  ClearingHouseServer server;
  Socket s;
  s.connect(server.address(), server.port(), 5000);
  auto in = s.getInputStream();
  auto out = s.getOutputStream();
  s.close();
  EXPECT_THROW(in->read(), plat::net::SocketException);
  EXPECT_THROW(out->write(1), plat::net::SocketException);
}

TEST(Resolver, LiteralsOfBothFamilies) {
  struct Case {
    const char* host;
    const char* text;
  };
  for (const Case& c : {Case{"127.0.0.1", "127.0.0.1:1261"}, Case{"::1", "[::1]:1261"}, Case{"[::1]", "[::1]:1261"},
                        Case{"localhost", nullptr}}) {
    SCOPED_TRACE(c.host);
    std::vector<plat::net::SocketAddress> found = plat::net::Resolver::resolve(c.host, 1261);
    ASSERT_FALSE(found.empty());
    if (c.text) {
      EXPECT_EQ(found[0].toString(), c.text);
    }
  }
}

TEST(Socket, ConnectsToAnIpv6Literal) {
  int fd = ::socket(AF_INET6, SOCK_STREAM, 0);
  sockaddr_in6 sa{};
  sa.sin6_family = AF_INET6;
  sa.sin6_addr = in6addr_loopback;
  if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0 || ::listen(fd, 1) != 0) {
    if (fd >= 0) ::close(fd);
    GTEST_SKIP() << "no IPv6 loopback";
  }
  socklen_t len = sizeof sa;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&sa), &len);
  Socket s;
  s.connect("::1", ntohs(sa.sin6_port), 2000);
  EXPECT_EQ(s.getRemoteAddress(), "[::1]:" + std::to_string(ntohs(sa.sin6_port)));
  s.close();
  ::close(fd);
}

}  // namespace
