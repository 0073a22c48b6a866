#include "claim/Varodex.h"

#include <chrono>
#include <exception>

#include "claim/Constants.h"
#include "claim/ErrorText.h"
#include "claim/Parameters.h"
#include "claim/SystemLog.h"
#include "platform/io/BufferedInputStream.h"
#include "platform/io/BufferedOutputStream.h"
#include "platform/io/IOException.h"
#include "platform/lang/Exceptions.h"
#include "platform/net/NetExceptions.h"
#include "platform/tls/TlsExceptions.h"
#include "platform/tls/TlsSocket.h"

namespace {

using SteadyClock = std::chrono::steady_clock;

bool isDigit(std::uint8_t b) {
  return b >= '0' && b <= '9';
}

// n in decimal, "0" prepended until it is four characters long.
std::string lengthPrefix(long long n) {
  std::string text = std::to_string(n);
  while (text.size() < Varodex::kLengthDigits) text.insert(0, "0");
  return text;
}

std::string describe(const std::exception& e) {
  return ErrorText::describe(e);
}

}  // namespace

Varodex::Varodex(plat::lang::Ref<plat::tls::TlsContext> sf, std::optional<std::vector<std::string>> suites)
    : sf(std::move(sf)), suites(std::move(suites)), params_(Parameters::getInstance()), log_(SystemLog::getInstance()) {
  (void)Constants::getInstance();
}

Varodex::~Varodex() {
  try {
    if (s) disConnect();
  } catch (...) {
  }
}

void Varodex::log(const std::string& message) const {
  log_->writeLog(message);
}

void Varodex::setClaim(const std::string& name) {
  claim_ = name;
}

std::string Varodex::where() const {
  return " [claim <" + (claim_.empty() ? std::string("none") : claim_) + ">, host " + endpoint_ + "]";
}

void Varodex::abort() {
  std::lock_guard<std::mutex> lock(socketMu_);
  aborting_ = true;
  endUnboundedWait();
}

void Varodex::endUnboundedWait() {
  if (aborting_ && s && timeoutMs_.load() == 0) s->abort();
}

bool Varodex::connect() {
  answered_ = false;
  try {
    const std::string host = params_->getRemoteHost();
    timeoutMs_ = params_->getRemoteTimeout();
    const bool secure = params_->getSecurity();
    const int port = params_->getRemotePort(secure ? Parameters::kSecurePortIndex : Parameters::kClearPortIndex);
    endpoint_ = host + ":" + std::to_string(port);
    plat::lang::Ref<plat::net::Socket> socket;
    if (secure) {
      // With security on a claim goes out encrypted or not at all.
      if (!sf || !suites)
        throw plat::tls::SSLException("TLS is not available; security is on, claim not sent in clear");
      plat::lang::Ref<plat::tls::TlsSocket> tls = sf->createSocket();
      tls->setEnabledCipherSuites(*suites);
      socket = tls;
    } else {
      socket = plat::lang::makeRef<plat::net::Socket>();
    }
    socket->setSoTimeout(timeoutMs_);
    {
      // Published before it connects, so a stop reaches the connect and the handshake, not only the read.
      std::lock_guard<std::mutex> lock(socketMu_);
      s = socket;
      endUnboundedWait();
    }
    socket->connect(host, port, timeoutMs_);
    in = plat::lang::makeRef<plat::io::BufferedInputStream>(s->getInputStream(), kStreamBufferSize);
    out = plat::lang::makeRef<plat::io::BufferedOutputStream>(s->getOutputStream(), kStreamBufferSize);
    return true;
  } catch (const std::exception& e) {
    log("Varodex.connect():  " + describe(e) + where());
    disConnect();
    params_->rollOver();
    return false;
  }
}

int Varodex::sendData(std::span<const std::uint8_t> buffer, int start, int length) {
  const long long n = 5LL + length;
  const std::string prefix = lengthPrefix(n);
  if (n > kMaxPrefixed) {
    log("Varodex.sendData(): Length greater than 9999. Claim Discarded. " + where());
    return kTooLong;
  }
  try {
    if (!out) throw plat::net::SocketException("Socket is not connected");
    if (start < 0 || length < 0 || static_cast<std::size_t>(start) + static_cast<std::size_t>(length) > buffer.size()) {
      throw plat::lang::IndexOutOfBoundsException("Claim of " + std::to_string(length) + " bytes at " +
                                                  std::to_string(start) + " leaves the " +
                                                  std::to_string(buffer.size()) + "-byte buffer");
    }
    out->write(reinterpret_cast<const std::uint8_t*>(prefix.data()), prefix.size());
    out->write(reinterpret_cast<const std::uint8_t*>(kId.data()), kId.size());
    out->write(buffer.data() + start, static_cast<std::size_t>(length));
    out->flush();
    return static_cast<int>(n);
  } catch (const std::exception& e) {
    log("Varodex.sendData():  " + describe(e) + where());
    disConnect();
    return kWriteFailure;
  }
}

int Varodex::getData(std::span<std::uint8_t> buffer, int offset) {
  answered_ = false;
  try {
    if (!in || !s) throw plat::net::SocketException("Socket is not connected");
    if (offset < 0 || static_cast<std::size_t>(offset) >= buffer.size()) {
      throw plat::lang::IndexOutOfBoundsException("Offset " + std::to_string(offset) + " leaves the " +
                                                  std::to_string(buffer.size()) + "-byte buffer");
    }
    int n = readAnswer(buffer, static_cast<std::size_t>(offset));
    answered_ = n > 0;
    return n;
  } catch (const plat::io::InterruptedIOException& e) {
    log("Varodex.getData():  " + describe(e) + where());
    return kTimedOut;
  } catch (const plat::net::SocketException& e) {
    log("Varodex.getData():  " + describe(e) + where());
    return kSocketFailure;
  } catch (const plat::io::EOFException& e) {
    log("Varodex.getData():  " + describe(e) + where());
    return kEndOfStream;
  } catch (const plat::io::IOException& e) {
    log("Varodex.getData():  " + describe(e) + where());
    return kIoFailure;
  } catch (const std::exception& e) {
    log("Varodex.getData():  " + describe(e) + where());
    return kOtherFailure;
  }
}

// The first byte waits for the read time-out; every later wait gets only what is left of it, so a server that
// trickles bytes cannot stretch one answer beyond the time-out.
int Varodex::readAnswer(std::span<std::uint8_t> buffer, std::size_t offset) {
  const std::size_t space = buffer.size() - offset;
  std::uint8_t* dst = buffer.data() + offset;
  const bool bounded = timeoutMs_ > 0;
  const auto deadline = SteadyClock::now() + std::chrono::milliseconds(timeoutMs_);
  auto waitBudget = [&]() {
    if (!bounded) return;
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SteadyClock::now()).count();
    if (left <= 0) throw plat::net::SocketTimeoutException("Read timed out");
    s->setSoTimeout(static_cast<int>(left));
  };
  auto overflow = [&](std::size_t total) {
    return plat::lang::IndexOutOfBoundsException("Answer of " + std::to_string(total) + " bytes does not fit the " +
                                                 std::to_string(space) + " bytes left in the buffer");
  };

  int first = in->read();
  if (first < 0) throw plat::io::EOFException();
  dst[0] = static_cast<std::uint8_t>(first);
  std::size_t got = 1;

  // What arrived with the first byte.
  int k = in->available();
  bool moreThanFits = false;
  if (k > 0) {
    std::size_t take = static_cast<std::size_t>(k);
    if (take > space - got) {
      moreThanFits = true;
      take = space - got;
    }
    while (take > 0) {
      int r = in->read(dst + got, take);
      if (r <= 0) break;
      got += static_cast<std::size_t>(r);
      take -= static_cast<std::size_t>(r);
    }
  }

  if (isDigit(dst[0])) {
    // A length-prefixed answer may come in several segments or records: wait for its four digits and its body.
    while (got < kLengthDigits && isDigit(dst[got - 1])) {
      waitBudget();
      int r = in->read(dst + got, std::min<std::size_t>(kLengthDigits - got, space - got));
      if (r < 0) throw plat::io::IOException("Answer ended after " + std::to_string(got) + " bytes");
      got += static_cast<std::size_t>(r);
    }
    bool prefixed = got >= kLengthDigits;
    std::size_t declared = 0;
    for (std::size_t i = 0; prefixed && i < kLengthDigits; ++i) {
      if (!isDigit(dst[i])) prefixed = false;
      declared = declared * 10 + (dst[i] - '0');
    }
    if (prefixed) {
      const std::size_t need = kLengthDigits + declared;
      if (need > space) throw overflow(need);
      while (got < need) {
        waitBudget();
        int r = in->read(dst + got, need - got);
        if (r < 0) {
          throw plat::io::IOException("Answer ended after " + std::to_string(got) + " of " + std::to_string(need) +
                                      " bytes");
        }
        got += static_cast<std::size_t>(r);
      }
      return static_cast<int>(need);
    }
  }

  if (moreThanFits) throw overflow(got + 1);
  return got == 1 ? 0 : static_cast<int>(got);
}

void Varodex::sendAck() {
  // An acknowledgement tells the clearing house an answer arrived; without one it would be a false receipt.
  if (!answered_) return;
  try {
    if (!out) throw plat::net::SocketException("Socket is not connected");
    const std::string_view text = Constants::ack;
    const std::size_t n = text.size() + 5;
    std::string prefix = n < 10 ? "000" : n < 100 ? "00" : n < 1000 ? "0" : "";
    prefix += std::to_string(n);
    out->write(reinterpret_cast<const std::uint8_t*>(prefix.data()), prefix.size());
    out->write(reinterpret_cast<const std::uint8_t*>(kId.data()), kId.size());
    out->write(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    out->flush();
  } catch (const std::exception& e) {
    log("Varodex.sendAck():  " + describe(e) + where());
  }
}

void Varodex::disConnect() {
  auto step = [this](auto&& close) {
    try {
      close();
    } catch (const std::exception& e) {
      log("Varodex.disConnect():  " + describe(e) + where());
    }
  };
  if (out) step([this] { out->close(); });
  if (in) step([this] { in->close(); });
  out = nullptr;
  in = nullptr;
  std::lock_guard<std::mutex> lock(socketMu_);  // abort() must never meet a socket being closed
  if (s) step([this] { s->close(); });
  s = nullptr;
  connected = false;
  answered_ = false;
}
