#include "claim/Parameters.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <limits>
#include <system_error>
#include <utility>

#include "claim/ASCII.h"
#include "claim/Constants.h"
#include "claim/ErrorText.h"
#include "claim/LocalPath.h"
#include "claim/SystemLog.h"
#include "platform/lang/Exceptions.h"

namespace {

using plat::lang::IllegalArgumentException;
using plat::lang::NumberFormatException;

constexpr std::string_view kDelimiters = " =,;";
constexpr std::size_t kReadChunk = 4096;

void log(const std::string& message) {
  SystemLog::getInstance()->writeLog(message);
}

std::vector<std::string> tokenize(std::string_view line) {
  std::vector<std::string> tokens;
  std::size_t pos = 0;
  while (pos < line.size()) {
    const std::size_t start = line.find_first_not_of(kDelimiters, pos);
    if (start == std::string_view::npos) break;
    std::size_t end = line.find_first_of(kDelimiters, start);
    if (end == std::string_view::npos) end = line.size();
    tokens.emplace_back(line.substr(start, end - start));
    pos = end;
  }
  return tokens;
}

char lowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
  }
  return true;
}

// A decimal integer as the runtime's parser reads it: an optional sign, then at least one digit, within int range.
int parseInt(const std::string& text) {
  std::string_view digits = text;
  bool negative = false;
  if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
    negative = digits.front() == '-';
    digits.remove_prefix(1);
  }
  if (digits.empty()) throw NumberFormatException("For input string: \"" + text + "\"");
  long long value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') throw NumberFormatException("For input string: \"" + text + "\"");
    value = value * 10 + (c - '0');
    if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1) {
      throw NumberFormatException("For input string: \"" + text + "\"");
    }
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min()) {
    throw NumberFormatException("For input string: \"" + text + "\"");
  }
  return static_cast<int>(value);
}

// "on" or "off" in any case sets the flag; any other value leaves it. False when the value was refused.
bool applyFlag(const std::string& value, const std::function<void(bool)>& set) {
  if (equalsIgnoreCase(value, "on")) {
    set(true);
  } else if (equalsIgnoreCase(value, "off")) {
    set(false);
  } else {
    return false;
  }
  return true;
}

// A time for the log: whole minutes or seconds where the value has them, else milliseconds.
std::string duration(int ms, bool minutes = false) {
  if (minutes && ms % 60000 == 0) return std::to_string(ms / 60000) + " minutes";
  if (ms % 1000 == 0) return std::to_string(ms / 1000) + " seconds";
  return std::to_string(ms) + " milliseconds";
}

void requireNonNegative(int value, const char* what) {
  if (value < 0) throw IllegalArgumentException(std::string(what) + " must not be negative: " + std::to_string(value));
}

void requirePort(int port) {
  if (port < Parameters::kMinPort || port > Parameters::kMaxPort) {
    throw IllegalArgumentException("port out of range: " + std::to_string(port));
  }
}

const char* onOff(bool on) {
  return on ? "ON." : "OFF.";
}

}  // namespace

Parameters::Parameters() {
  initialize();
}

plat::lang::Ref<Parameters> Parameters::getInstance() {
  static std::mutex mu;
  static plat::lang::Ref<Parameters> instance;
  std::lock_guard<std::mutex> lock(mu);
  if (!instance) {
    ASCII::getInstance();
    Constants::getInstance();
    SystemLog::getInstance();
    instance = std::make_shared<Parameters>();
    instance->read();
  }
  return instance;
}

const std::vector<std::string>& Parameters::originalIP() {
  static const std::vector<std::string> hosts{"claims1.varodex.example", "claims2.varodex.example",
                                              "claims3.varodex.example", "claims4.varodex.example"};
  return hosts;
}

void Parameters::initialize() {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  s_ = Settings{};
  s_.remoteIPAddress = originalIP();
  problems_.clear();
  ip_.store(0);
}

void Parameters::read() {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  initialize();
  const std::string name = s_.filename;
  std::error_code ec;
  if (!std::filesystem::exists(name, ec)) return;
  if (std::filesystem::is_directory(name, ec)) {
    problem("Parameters.read():  " + ErrorText::fileNotFound(name, EISDIR));
    return;
  }
  std::FILE* file = std::fopen(name.c_str(), "rb");
  if (file == nullptr) {
    problem("Parameters.read():  " + ErrorText::fileNotFound(name, errno));
    return;
  }
  std::string text;
  char chunk[kReadChunk];
  std::size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, got);
  const bool failed = std::ferror(file) != 0;
  const int err = errno;
  std::fclose(file);
  if (failed) {
    // Apply what was read whole before the failure, as a line reader would have.
    const std::size_t lastEnd = text.find_last_of("\r\n");
    parseSettings(lastEnd == std::string::npos ? std::string_view() : std::string_view(text).substr(0, lastEnd + 1));
    problem("Parameters.read():  " + ErrorText::ioFailure(err));
    return;
  }
  parseSettings(text);
  log("Read Initialization File <" + name + ">.");
}

void Parameters::parseSettings(std::string_view text) {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) {
      parseLine(text.substr(pos));
      break;
    }
    parseLine(text.substr(pos, end - pos));
    pos = end + 1;
    if (text[end] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
  }
}

void Parameters::parseLine(std::string_view line) {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  try {
    applyLine(line);
  } catch (const plat::lang::Exception&) {
    problem("Parameters.read():  Error on line <" + std::string(line) + ">");
  }
}

void Parameters::applyLine(std::string_view line) {
  const std::vector<std::string> t = tokenize(line);
  if (t.size() < 2) return;
  const std::string& key = t[0];
  if (equalsIgnoreCase(key, "rem") || key.starts_with("//")) return;
  const std::string& value = t[1];
  auto is = [&key](std::string_view k) { return equalsIgnoreCase(key, k); };
  auto refused = [&](const std::string& expected) {
    problem("Parameters.read():  Value <" + value + "> of <" + key + "> refused (" + expected +
            "); the setting is unchanged.");
  };
  auto flag = [&](const std::function<void(bool)>& set) {
    if (!applyFlag(value, set)) refused("on or off");
  };

  if (is("claim_ext")) {
    setClaimExtension(value);
  } else if (is("claimres_ext")) {
    setResponseExtension(value);
  } else if (is("connect_wait")) {
    setConnectWait(parseInt(value));
  } else if (is("reset_time")) {
    setResetTime(parseInt(value));
  } else if (is("data_offset")) {
    setDataOffset(parseInt(value));
  } else if (is("file_wait")) {
    setFileWait(parseInt(value));
  } else if (is("remote_clear_port")) {
    setRemoteClearPort(parseInt(value));
  } else if (is("remote_secure_port")) {
    setRemoteSecurePort(parseInt(value));
  } else if (is("remote_timeout")) {
    setRemoteTimeout(parseInt(value));
  } else if (is("remote_ipaddress")) {
    setRemoteIPAddresses(std::vector<std::string>(t.begin() + 1, t.end()));
  } else if (is("send_ack")) {
    flag([this](bool on) { setSendAck(on); });
  } else if (is("reset")) {
    flag([this](bool on) { setReset(on); });
  } else if (is("log_stats")) {
    flag([this](bool on) { setLogStats(on); });
  } else if (is("security")) {
    flag([this](bool on) { setSecurity(on); });
  } else if (is("show_security")) {
    flag([this](bool on) { setDisplaySecurity(on); });
  } else if (is("write_checksum")) {
    flag([this](bool on) { setCheckSum(on); });
  } else if (is("frame") || is("dovecrest")) {
    if (equalsIgnoreCase(value, "true")) {
      setFrame();
    } else if (!equalsIgnoreCase(value, "false")) {
      refused("true or false");
    }
  } else if (is("no_frame")) {
    if (equalsIgnoreCase(value, "true")) {
      setNoFrame();
    } else if (!equalsIgnoreCase(value, "false")) {
      refused("true or false");
    }
  } else if (is("send_dir") || is("receive_dir")) {
    std::string path;
    for (std::size_t i = 1; i < t.size(); ++i) {
      if (i > 1) path += ',';
      for (char c : t[i]) path += (c == '~') ? ' ' : c;
    }
    if (!LocalPath::isDirectory(path)) {
      problem("Parameters.read():  " + std::string(is("send_dir") ? "Send" : "Receive") + " directory <" + path +
              "> does not exist; it stays <" + (is("send_dir") ? s_.sendDir : s_.receiveDir) + ">.");
      return;
    }
    if (is("send_dir")) {
      setSendDirectory(path);
    } else {
      setReceiveDirectory(path);
    }
  } else {
    problem("Parameters.read():  Unknown key <" + key + "> on line <" + std::string(line) + ">, ignored.");
  }
}

void Parameters::problem(const std::string& line) {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  problems_.push_back(line);
  log(line);
}

std::vector<std::string> Parameters::problems() const {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  return problems_;
}

std::string Parameters::getFileName() const {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  return s_.filename;
}

std::string Parameters::getClaimExtension() const {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  return s_.claimExt;
}

std::string Parameters::getResponseExtension() const {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  return s_.claimResExt;
}

std::string Parameters::getSendDirectory() const {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  return s_.sendDir;
}

std::string Parameters::getReceiveDirectory() const {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  return s_.receiveDir;
}

int Parameters::getDataOffset() const {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  return s_.dataOffset;
}

int Parameters::getFileWait() const {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  return s_.filewait;
}

int Parameters::getConnectWait() const {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  return s_.waitConnect;
}

int Parameters::getResetTime() const {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  return s_.resetTime;
}

int Parameters::getRemoteTimeout() const {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  return s_.remoteTimeout;
}

std::vector<std::string> Parameters::getRemoteHosts() const {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  return s_.remoteIPAddress;
}

bool Parameters::getSecurity() const {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  return s_.secure;
}

bool Parameters::getSendAck() const {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  return s_.sendAck;
}

bool Parameters::getReset() const {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  return s_.reset;
}

bool Parameters::getLogStats() const {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  return s_.logStats;
}

bool Parameters::showSecurity() const {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  return s_.displaySecurity;
}

bool Parameters::writeCheckSum() const {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  return s_.checkSum;
}

bool Parameters::isFramed() const {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  return s_.frameSet == kFramed;
}

bool Parameters::isNotFramed() const {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  return s_.frameSet == kSimple;
}

int Parameters::getFrameMode() const {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  return s_.frameSet;
}

int Parameters::getRemotePort(int index) const {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  if (index < 0 || index >= static_cast<int>(s_.remotePort.size())) {
    throw plat::lang::ArrayIndexOutOfBoundsException("Index " + std::to_string(index) + " out of bounds for length 2");
  }
  return s_.remotePort[static_cast<std::size_t>(index)];
}

std::string Parameters::getRemoteHost() const {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  const std::size_t n = s_.remoteIPAddress.size();
  return s_.remoteIPAddress[static_cast<std::size_t>(ip_.load()) % n];
}

int Parameters::getCurrentIP() const {
  return ip_.load();
}

void Parameters::rollOver() {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  const int n = static_cast<int>(s_.remoteIPAddress.size());
  ip_.store((ip_.load() + 1) % n);
}

void Parameters::resetIPAddress() {
  ip_.store(0);
}

void Parameters::setClaimExtension(const std::string& ext) {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  s_.claimExt = ext;
  log("Claim extension reset to " + ext + ".");
}

void Parameters::setResponseExtension(const std::string& ext) {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  s_.claimResExt = ext;
  log("Response extension reset to " + ext + ".");
}

void Parameters::setConnectWait(int ms) {
  requireNonNegative(ms, "connect wait");
  std::lock_guard<std::recursive_mutex> lock(mu_);
  s_.waitConnect = ms;
  log("Wait connect reset to " + duration(ms) + ".");
}

void Parameters::setResetTime(int ms) {
  requireNonNegative(ms, "reset time");
  std::lock_guard<std::recursive_mutex> lock(mu_);
  s_.resetTime = ms;
  log(ms == 0 ? std::string("System resets are OFF.") : "System resets every " + duration(ms, true) + ".");
}

void Parameters::setDataOffset(int bytes) {
  if (bytes < 0 || bytes > kMaxDataOffset) {
    throw IllegalArgumentException("data offset out of range: " + std::to_string(bytes));
  }
  std::lock_guard<std::recursive_mutex> lock(mu_);
  s_.dataOffset = bytes;
  log("Data offset reset to " + std::to_string(bytes) + ".");
}

void Parameters::setFileWait(int ms) {
  requireNonNegative(ms, "file wait");
  std::lock_guard<std::recursive_mutex> lock(mu_);
  s_.filewait = ms;
  log("File wait reset to " + duration(ms) + ".");
  if (ms < kMinFileWaitMs) {
    log("File wait below " + std::to_string(kMinFileWaitMs) + " milliseconds; the worker waits " +
        std::to_string(kMinFileWaitMs) + " milliseconds.");
  }
}

void Parameters::setRemoteIPAddresses(const std::vector<std::string>& hosts) {
  if (hosts.empty()) throw IllegalArgumentException("no remote host given");
  std::lock_guard<std::recursive_mutex> lock(mu_);
  s_.remoteIPAddress = hosts;
  if (ip_.load() >= static_cast<int>(hosts.size())) ip_.store(0);
  std::string line = "IP Addresses reset to ( ";
  for (const auto& host : hosts) line += host + " ";
  line += ").";
  log(line);
}

void Parameters::setSendAck(bool on) {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  s_.sendAck = on;
  log(std::string("Send ack is ") + onOff(on));
}

void Parameters::setReset(bool on) {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  s_.reset = on;
  log(std::string("Reset is ") + onOff(on));
}

void Parameters::setLogStats(bool on) {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  s_.logStats = on;
  log(std::string("Log statistics is ") + onOff(on));
}

void Parameters::setRemoteClearPort(int port) {
  requirePort(port);
  std::lock_guard<std::recursive_mutex> lock(mu_);
  s_.remotePort[kClearPortIndex] = port;
  log("Remote clear port reset to " + std::to_string(port) + ".");
}

void Parameters::setRemoteSecurePort(int port) {
  requirePort(port);
  std::lock_guard<std::recursive_mutex> lock(mu_);
  s_.remotePort[kSecurePortIndex] = port;
  log("Remote secure port reset to " + std::to_string(port) + ".");
}

void Parameters::setRemoteTimeout(int ms) {
  requireNonNegative(ms, "remote timeout");
  std::lock_guard<std::recursive_mutex> lock(mu_);
  s_.remoteTimeout = ms;
  log(ms == 0 ? std::string("Remote timeout is OFF; a read waits until the server answers or the worker stops.")
              : "Remote timeout reset to " + duration(ms) + ".");
}

void Parameters::setFrame() {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  s_.frameSet = kFramed;
  log("Using Framed file format.");
}

void Parameters::setNoFrame() {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  s_.frameSet = kSimple;
  log("Using simple claim file format.");
}

void Parameters::setSecurity(bool on) {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  s_.secure = on;
  log(std::string("Security is ") + onOff(on));
}

void Parameters::setDisplaySecurity(bool on) {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  s_.displaySecurity = on;
  log(std::string("Display security is ") + onOff(on));
}

void Parameters::setCheckSum(bool on) {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  s_.checkSum = on;
  log(std::string("Write CheckSum is ") + onOff(on));
}

void Parameters::setSendDirectory(const std::string& dir) {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  s_.sendDir = dir;
  log("Send directory reset to " + dir + ".");
}

void Parameters::setReceiveDirectory(const std::string& dir) {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  s_.receiveDir = dir;
  log("Receive directory reset to " + dir + ".");
}
