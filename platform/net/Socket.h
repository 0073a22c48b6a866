// A TCP client socket shaped like the runtime's: connect to host and port (bounded by a time-out when one is
// given), a read time-out that makes a waiting read fail with SocketTimeoutException "Read timed out", and input
// and output streams over the connection. One thread uses a socket and its streams at a time; close() may come
// from the owning thread only, abort() from any thread. Closes itself when discarded.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "platform/io/InputStream.h"
#include "platform/io/OutputStream.h"
#include "platform/lang/Object.h"

namespace plat::net {

class Channel;

class Socket : public plat::lang::Object {
 public:
  Socket();
  ~Socket() override;
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;

  // Resolves `host` and connects to the first of its addresses that answers. timeoutMs 0 waits as long as the
  // system does. UnknownHostException, ConnectException (the system's reason, e.g. "Connection refused"),
  // SocketTimeoutException "Connect timed out", SocketException when the socket is closed or already connected.
  void connect(const std::string& host, int port, int timeoutMs = 0);

  // Read time-out in milliseconds; 0 waits without bound. IllegalArgumentException when negative.
  void setSoTimeout(int ms);
  int getSoTimeout() const { return timeoutMs_; }

  // The streams of the connection; the same stream on every call. SocketException when not connected or closed.
  plat::lang::Ref<plat::io::InputStream> getInputStream();
  plat::lang::Ref<plat::io::OutputStream> getOutputStream();

  void shutdownInput();
  void shutdownOutput();
  void close();
  // From any thread, at any time, while the caller keeps the socket alive: ends the connect, TLS handshake, read
  // or write that waits on it, and fails every later one (a connect or handshake with SocketException "Socket
  // closed", a read with the end of the stream). It only shuts the connection down; close() still releases it.
  void abort();

  bool isConnected() const { return connected_; }
  bool isClosed() const { return closed_; }
  // The address connected to, e.g. "127.0.0.1:1261"; empty before connect.
  const std::string& getRemoteAddress() const { return remote_; }

  std::string getClassName() const override { return "java.net.Socket"; }

 protected:
  // Wraps the connected descriptor (owned from here on) in its channel.
  virtual std::shared_ptr<Channel> openChannel(int fd, const std::string& host);
  // Runs once the channel is reachable by abort(), before connect() returns; the TLS socket handshakes here.
  virtual void handshake(Channel&) {}
  Channel& channel();

 private:
  class Exposure;  // makes the descriptor being connected reachable by abort() while it lives

  bool isAborted();

  std::mutex abortMu_;                // held by abort() and while connect() hands a descriptor or channel on
  int connectingFd_ = -1;             // the descriptor being connected, owned by connect(); guarded by abortMu_
  bool aborted_ = false;              // guarded by abortMu_
  std::shared_ptr<Channel> channel_;  // present once connected; set and cleared under abortMu_
  plat::lang::Ref<plat::io::InputStream> in_;
  plat::lang::Ref<plat::io::OutputStream> out_;
  int timeoutMs_ = 0;
  bool connected_ = false;
  bool closed_ = false;
  std::string remote_;
};

}  // namespace plat::net
