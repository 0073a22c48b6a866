// The claim program's connection to the clearing house: one TCP connection per claim (TLS when security is on),
// the claim sent behind its four-digit length and the identifier "00000", the answer read, optionally
// acknowledged, and the connection closed. Failures are logged, naming the claim and the host, and returned as
// codes; a failed connect moves the host rotation on. Used by the worker thread only, except abort(), which a
// stopping thread may call at any time.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/io/InputStream.h"
#include "platform/io/OutputStream.h"
#include "platform/lang/Object.h"
#include "platform/net/Socket.h"
#include "platform/tls/TlsContext.h"

class Parameters;
class SystemLog;

class Varodex : public plat::lang::Object {
 public:
  static constexpr std::size_t kStreamBufferSize = 4096;
  static constexpr std::string_view kId = "00000";  // the five-byte message identifier
  static constexpr int kLengthDigits = 4;
  static constexpr int kMaxPrefixed = 9999;  // largest length the four digits carry

  // Results of getData.
  static constexpr int kSocketFailure = -1;
  static constexpr int kTimedOut = -2;
  static constexpr int kEndOfStream = -3;
  static constexpr int kIoFailure = -4;
  static constexpr int kOtherFailure = -5;
  // Results of sendData.
  static constexpr int kTooLong = -1;
  static constexpr int kWriteFailure = -2;

  // `sf` makes the TLS sockets; `suites` are enabled on each (absent: no TLS available). Fetches the shared
  // settings and log.
  Varodex(plat::lang::Ref<plat::tls::TlsContext> sf, std::optional<std::vector<std::string>> suites);
  ~Varodex() override;
  Varodex(const Varodex&) = delete;
  Varodex& operator=(const Varodex&) = delete;

  // Opens the connection to the current host: TLS on the secure port when security is on (never clear text
  // then), else clear TCP on the clear port; connect and handshake bounded by the remote time-out. False after a
  // failure, which is logged, cleaned up and has moved the host rotation on.
  bool connect();
  // Sends buffer[start, start + length): the prefix 5 + length as four digits, "00000", the claim. Returns
  // 5 + length, -1 when that takes more than four digits (nothing sent), -2 on a failure (connection closed).
  int sendData(std::span<const std::uint8_t> buffer, int start, int length);
  // Reads the answer into buffer from offset. An answer that starts with four digits is read until those digits
  // plus that many bytes are there; any other answer is what has arrived with its first byte. Returns the count,
  // 0 when a lone byte arrived, or -1 to -5 (socket failure, time-out, end of stream, other I/O, anything else,
  // overflow of the buffer included).
  int getData(std::span<std::uint8_t> buffer, int offset);
  // Sends "0006", "00000", "*" -- only when the last getData received an answer. Failures are logged.
  void sendAck();
  // Closes output, input and socket, each failure logged on its own; always releases all three.
  void disConnect();

  // Names the claim in hand in the failure lines that follow; empty when none.
  void setClaim(const std::string& name);
  // "host:port" of the last connect attempt, or "none" before any.
  std::string endpoint() const { return endpoint_; }
  // From another thread: ends at once a connection that waits without a time-out, in its connect, handshake or
  // read (the wait fails as any failure of that step does), and so every later one without a time-out; a
  // connection with a time-out is left to finish.
  void abort();

  plat::lang::Ref<plat::io::InputStream> getDataInputStream() const { return in; }
  plat::lang::Ref<plat::io::OutputStream> getDataOutputStream() const { return out; }
  bool isConnected() const { return connected; }

 private:
  void log(const std::string& message) const;
  int readAnswer(std::span<std::uint8_t> buffer, std::size_t offset);

  std::string where() const;
  void endUnboundedWait();  // with socketMu_ held

  mutable std::mutex socketMu_;          // guards publishing s, so abort() sees a whole socket or none
  plat::lang::Ref<plat::net::Socket> s;  // from the start of connect to disConnect; set under socketMu_ for abort
  bool aborting_ = false;                // guarded by socketMu_
  plat::lang::Ref<plat::tls::TlsContext> sf;
  std::optional<std::vector<std::string>> suites;
  plat::lang::Ref<plat::io::InputStream> in;    // buffered over the socket
  plat::lang::Ref<plat::io::OutputStream> out;  // buffered over the socket
  bool connected = false;
  bool answered_ = false;          // the last getData since connect returned an answer
  std::atomic<int> timeoutMs_{0};  // read time-out of the current connection
  std::string claim_;              // the claim in hand, for failure lines
  std::string endpoint_ = "none";

  plat::lang::Ref<Parameters> params_;
  plat::lang::Ref<SystemLog> log_;
};
