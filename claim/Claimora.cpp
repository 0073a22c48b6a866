#include "claim/Claimora.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <set>
#include <vector>

#include "claim/Clock.h"
#include "claim/FormatResponse.h"
#include "claim/LocalPath.h"
#include "claim/Parameters.h"
#include "claim/SSLClient.h"
#include "claim/SystemLog.h"
#include "claim/Varodex.h"
#include "platform/lang/Throwable.h"

namespace {

constexpr const char* kBadSuffix = ".bad";
constexpr const char* kTempSuffix = ".tmp";

StatusListener& noListener() {
  static StatusListener none;
  return none;
}

std::string upperAscii(std::string text) {
  for (char& ch : text) {
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  }
  return text;
}

bool equalsIgnoreCase(const std::string& a, const std::string& b) {
  return upperAscii(a) == upperAscii(b);
}

std::string ioFailure(const std::string& path, int err) {
  return "java.io.FileNotFoundException: " + path + " (" + std::strerror(err) + ")";
}

std::string messageOf(const std::exception& e) {
  if (const auto* t = dynamic_cast<const plat::lang::Throwable*>(&e)) {
    return t->hasMessage() ? t->getMessage() : t->toString();
  }
  return e.what();
}

}  // namespace

Claimora::Claimora(StatusListener* listener) : Thread("Claimora"), listener_(listener ? listener : &noListener()) {
  auto params = Parameters::getInstance();
  clm = params->getClaimExtension();
  rsp = params->getResponseExtension();
  sendDir = params->getSendDirectory();
  receiveDir = params->getReceiveDirectory();
}

Claimora::~Claimora() {
  Halt();
  stopAndJoin();
}

void Claimora::Halt() {
  forever.store(false);
  requestStop();
  std::lock_guard<std::mutex> lock(waitMu_);
  waitCv_.notify_all();
}

void Claimora::run() {
  try {
    setUp();
    while (forever.load()) {
      processRound();
      if (!forever.load()) break;
      waitForNextRound(Parameters::getInstance()->getFileWait());
    }
  } catch (const std::exception& e) {
    const std::string message = messageOf(e);
    systemField("System:  " + message);
    log("Claimora.run():  " + message);
    return;
  }
  systemField("System:  Stopped");
  resultsField("Results:  ");
}

void Claimora::setUp() {
  if (setUp_) return;
  sslClient_ = std::make_unique<SSLClient>(kKeyStoreFile, kKeyStorePassword);
  varodex_ = std::make_unique<Varodex>(sslClient_->getSocketFactory(), sslClient_->getCipherSuites());
  fileFind_.setDir(LocalPath::directory(sendDir));
  cell(0, " ");
  cell(1, " ");
  systemField(Parameters::getInstance()->getSecurity() ? "System:  Secure" : "System:  Clear");
  resultsField("Results:  None");
  setUp_ = true;
}

void Claimora::processRound() {
  setUp();
  if (!fileFind_.getList(clm)) {
    cell(0, " ");
    cell(1, " ");
    stuck_.clear();
    return;
  }
  std::set<std::string> listed;
  while (forever.load()) {
    const auto name = fileFind_.nextFile();
    if (!name) break;
    listed.insert(*name);
    try {
      processFile(*name);
    } catch (const std::exception& e) {
      const std::string message = messageOf(e);
      resultsField("Results:  " + message);
      log("Claimora.run():  " + message);
    }
    cell(0, " ");
    cell(1, " ");
    formatResponse_.reset();
  }
  // A name that left the directory has no lasting problem any more.
  for (auto it = stuck_.begin(); it != stuck_.end();) {
    it = listed.count(it->first) ? std::next(it) : stuck_.erase(it);
  }
}

void Claimora::processFile(const std::string& name) {
  const auto dot = name.find('.');
  if (dot == std::string::npos || !equalsIgnoreCase(name.substr(dot + 1), clm)) return;

  const std::int64_t start = Clock::getTime();
  const std::string path = LocalPath::join(fileFind_.getDir(), name);
  formatResponse_ = std::make_unique<FormatResponse>();
  if (isStuck(name)) return;

  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || ::access(path.c_str(), R_OK) != 0) {
    resultsField("Results:  Claim File Not Found, <" + name + ">");
    log("Claimora.run():  Claim File Not Found, <" + name + ">");
    markStuck(name);
    return;
  }
  if (!S_ISREG(st.st_mode)) {
    // A directory or device with a claim's name is not a claim; say so once.
    log("Claimora.run():  Not A Claim File, <" + name + ">");
    markStuck(name);
    return;
  }

  resultsField("Results:");
  cell(0, name);
  cell(1, "Reading Claim");
  auto params = Parameters::getInstance();
  frameMode_ = params->getFrameMode();
  dataOffset_ = params->getDataOffset();
  const bool logStats = params->getLogStats();
  const bool read = getData(path);

  if (!read) {
    // An empty file: no response and no reject; set aside so it is not taken up again every round.
    setAsideEmpty(path, name);
  } else if (claimsize == kVanished) {
    // Nothing left to delete or answer.
  } else if (claimsize == kReadFailed) {
    markStuck(name);
  } else {
    // The claim is deleted before it is sent, so it can never go out twice; both need the receive directory,
    // since an answer or a reject must be written afterwards.
    if (!receiveDirectoryUsable()) {
      const std::string text = "Receive Directory Not Writable, <" + receiveDir + ">";
      resultsField("Results:  " + text);
      if (!receiveDirReported_) log("Claimora.run():  " + text + ", claims left in the send directory.");
      receiveDirReported_ = true;
      return;
    }
    receiveDirReported_ = false;
    if (::unlink(path.c_str()) != 0) {
      const std::string text = "Claim File Not Deleted, <" + name + ">";
      resultsField("Results:  " + text);
      log("Claimora.run():  " + text + ", claim not sent: " + std::strerror(errno));
      markStuck(name);
      return;
    }
    stuck_.erase(name);
  }

  if (claimsize > 0) {
    sendClaim(name, start, dataOffset_, logStats);
    return;
  }

  std::string reject;
  switch (claimsize) {
    case kTooSmall:
      reject = "QOV:  Claim Too Small.";
      break;
    case kNoEtx:
      reject = "QOV:  <ETX> Not Found.";
      break;
    case kNoStx:
      reject = "QOV:  <STX> Not Found.";
      break;
    case kTooLarge:
      reject = "QOV:  Claim Too Large.";
      break;
    default:
      break;  // empty, vanished or unreadable: no reject
  }
  if (!reject.empty()) {
    getRejectResponse(reject);
    if (responsesize > 0) logResponse(name);
  }
  resultsField("Results:  Claim File Not Properly Formatted, <" + name + ">");
  log("Claimora.run():  Claim File Not Properly Formatted, <" + name + ">");
}

void Claimora::sendClaim(const std::string& name, std::int64_t start, int dataOffset, bool logStats) {
  const std::int64_t readDone = Clock::getTime();
  cell(1, "Connecting");
  if (!varodex_->connect()) {
    rejectAndReport(name, "QOV:  Failed To Send Claim.  Check Internet Connection.");
    cell(1, "Failed To Connect.");
    resultsField("Results:  Check Internet Connection.");
    return;
  }
  const std::int64_t connectDone = Clock::getTime();
  cell(1, "Sending Claim");
  const int sent = varodex_->sendData(request, stx + dataOffset + 1, claimsize);
  if (sent > 0) {
    const std::int64_t sendDone = Clock::getTime();
    cell(1, "Awaiting Response");
    responsesize = varodex_->getData(response, 0);
    if (responsesize > 0 && Parameters::getInstance()->getSendAck()) varodex_->sendAck();
    varodex_->disConnect();
    const std::int64_t receiveDone = Clock::getTime();
    if (responsesize > 0) {
      cell(1, "Received Response");
      logResponse(name);
      const std::int64_t writeDone = Clock::getTime();
      resultsField("Results:  Claim Successfully Sent.");
      if (logStats) {
        log("read=" + std::to_string(readDone - start) + " connect=" + std::to_string(connectDone - readDone) +
            " send=" + std::to_string(sendDone - connectDone) + " receive=" + std::to_string(receiveDone - sendDone) +
            " write=" + std::to_string(writeDone - receiveDone) + " total=" + std::to_string(writeDone - start));
      }
    } else {
      rejectAndReport(name, "QOV:  No Response.");
      cell(1, "No Response.");
      resultsField("Results:  No Response.");
    }
    return;
  }
  rejectAndReport(name, sent == -1 ? "QOV:  Failed To Send Claim.  Claim to Large." : "QOV:  Failed To Send Claim.");
  cell(1, "Failed To Send Claim.");
  resultsField("Results:  Failed To Send Claim.");
  varodex_->disConnect();
}

void Claimora::rejectAndReport(const std::string& name, const std::string& message) {
  getRejectResponse(message);
  if (responsesize > 0) logResponse(name);
}

void Claimora::clearBuffers() {
  request.fill(0);
  response.fill(0);
  stx = -1;
  etx = -1;
  requestsize = 0;
  claimsize = 0;
  responsesize = 0;
  lrc = 0;
}

int Claimora::cutClaim(std::span<const Byte> file, int frameMode, int dataOffset, std::int64_t fileLength) {
  if (fileLength < 0) fileLength = static_cast<std::int64_t>(file.size());
  clearBuffers();
  frameMode_ = frameMode;
  dataOffset_ = std::clamp(dataOffset, 0, Parameters::kMaxDataOffset);
  requestsize = static_cast<int>(std::min<std::int64_t>(fileLength, INT32_MAX));
  if (file.empty()) {
    claimsize = kEmpty;
    return claimsize;
  }
  const std::size_t kept = std::min<std::size_t>(file.size(), request.size());
  std::copy_n(file.begin(), kept, request.begin());
  const auto first = request.begin();
  const auto last = request.begin() + static_cast<std::ptrdiff_t>(kept);

  if (fileLength > static_cast<std::int64_t>(request.size())) {
    // Too large to send; its reject still carries its own header, from its first bytes.
    if (frameMode_ != Parameters::kSimple) {
      const auto s = std::find(first, last, Constants::stx[0]);
      if (s != last) stx = static_cast<int>(s - first);
    }
    log("Claimora.getData():  File Too Large = " + std::to_string(fileLength) + " bytes.");
    claimsize = kTooLarge;
    return claimsize;
  }

  if (frameMode_ == Parameters::kSimple) {
    stx = -1;
    claimsize = requestsize - dataOffset_;
  } else {
    const auto s = std::find(first, last, Constants::stx[0]);
    if (s == last) {
      log("Claimora.getData():  <STX> not found.");
      claimsize = kNoStx;
      return claimsize;
    }
    stx = static_cast<int>(s - first);
    const auto e = std::find(std::make_reverse_iterator(last), std::make_reverse_iterator(first), Constants::etx[0]);
    if (e == std::make_reverse_iterator(first)) {
      log("Claimora.getData():  <ETX> not found.");
      claimsize = kNoEtx;
      return claimsize;
    }
    etx = static_cast<int>(e.base() - first) - 1;
    claimsize = etx - stx - 1 - dataOffset_;
  }
  if (claimsize < Constants::minSize) {
    log("Claimora.getData():  Claim Too Small = " + std::to_string(claimsize) + " bytes.");
    claimsize = kTooSmall;
  }
  return claimsize;
}

bool Claimora::getData(const std::string& path) {
  clearBuffers();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    log("Claimora.getData():  " + ioFailure(path, errno));
    claimsize = kVanished;
    return true;
  }
  std::vector<Byte> bytes;
  struct stat st {};
  bool failed = ::fstat(fd, &st) != 0;
  int err = errno;
  if (!failed) {
    // Never more than one byte past the buffer: enough to know the file is too large.
    const std::size_t want =
        std::min<std::size_t>(static_cast<std::size_t>(std::max<off_t>(st.st_size, 0)), request.size() + 1);
    bytes.resize(want);
    std::size_t got = 0;
    while (got < want) {
      const ssize_t n = ::read(fd, bytes.data() + got, want - got);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        failed = true;
        err = errno;
        break;
      }
      if (n == 0) break;  // the file shrank meanwhile
      got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
  }
  ::close(fd);
  if (failed) {
    log("Claimora.getData():  java.io.IOException: " + std::string(std::strerror(err)));
    claimsize = kReadFailed;
    return true;
  }
  const int frameMode = frameMode_;
  const int dataOffset = dataOffset_;
  // A file read one byte past the buffer is too large: its own length is what gets reported.
  const std::int64_t length = bytes.size() > request.size() ? std::max<std::int64_t>(st.st_size, bytes.size())
                                                            : static_cast<std::int64_t>(bytes.size());
  cutClaim(bytes, frameMode, dataOffset, length);
  if (claimsize == kEmpty) {
    log("Claimora.getData():  File Empty, will try again.");
    return false;
  }
  return true;
}

void Claimora::getRejectResponse(const std::string& message) {
  if (!formatResponse_) formatResponse_ = std::make_unique<FormatResponse>();
  formatResponse_->resetCount();
  formatResponse_->collectRejectCodes(kRejectCode);
  responsesize = formatResponse_->ClaimRejectedResponse(request, stx + dataOffset_ + 1, upperAscii(message), response,
                                                        kHeaderSize);
}

int Claimora::buildReject(const std::string& message, int dataOffset) {
  dataOffset_ = std::clamp(dataOffset, 0, Parameters::kMaxDataOffset);
  getRejectResponse(message);
  return responsesize;
}

Claimora::Byte Claimora::LRC(std::span<const Byte> buffer, int first, int count) {
  Byte x = Constants::etx[0];
  if (first < 0 || count <= 0) return x;
  const std::size_t from = std::min(static_cast<std::size_t>(first), buffer.size());
  const std::size_t to = std::min(buffer.size(), from + static_cast<std::size_t>(count));
  for (std::size_t i = from; i < to; ++i) x ^= buffer[i];
  return x;
}

std::vector<Claimora::Byte> Claimora::responseFileBytes(int frameMode, int dataOffset, bool checkSum) const {
  const int end = std::clamp(responsesize, 0, static_cast<int>(response.size()));
  const int payloadLength = std::max(0, end - kHeaderSize);
  const auto payload = std::span<const Byte>(response).subspan(static_cast<std::size_t>(std::min(end, kHeaderSize)),
                                                               static_cast<std::size_t>(payloadLength));
  const std::size_t valid = std::min(static_cast<std::size_t>(std::max(requestsize, 0)), request.size());
  auto claimBytes = [&](long from, long to) {  // request[from, to) within the bytes read
    from = std::clamp(from, 0L, static_cast<long>(valid));
    to = std::clamp(to, from, static_cast<long>(valid));
    return std::span<const Byte>(request).subspan(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
  };

  std::vector<Byte> out;
  auto append = [&out](std::span<const Byte> bytes) { out.insert(out.end(), bytes.begin(), bytes.end()); };
  if (frameMode == Parameters::kSimple) {
    append(payload);
  } else if (frameMode == Parameters::kFramed) {
    if (stx >= 0) append(claimBytes(0, stx + 1L));
    append(payload);
    out.push_back(Constants::etx[0]);
    if (etx >= 0) append(claimBytes(etx + 1L, static_cast<long>(valid)));
  } else {
    append(claimBytes(0, stx + 1L + dataOffset));
    append(payload);
    out.push_back(Constants::etx[0]);
    if (checkSum) out.push_back(LRC(response, kHeaderSize, payloadLength));
  }
  return out;
}

void Claimora::logResponse(const std::string& name) {
  lrc = LRC(response, kHeaderSize, responsesize - kHeaderSize);
  const std::string dir = LocalPath::directory(receiveDir);
  const std::string target = LocalPath::join(dir, name.substr(0, name.find('.') + 1) + rsp);
  const std::string temp = target + kTempSuffix;
  auto params = Parameters::getInstance();
  const std::vector<Byte> bytes = responseFileBytes(frameMode_, dataOffset_, params->writeCheckSum());

  // Written under a temporary name and renamed into place, so the claim's producer never reads half a file.
  bool ok = false;
  if (std::FILE* f = std::fopen(temp.c_str(), "wb")) {
    ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = (std::fflush(f) == 0) && ok;
    ok = (std::fclose(f) == 0) && ok;
    ok = ok && std::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) std::remove(temp.c_str());
  }
  if (!ok) log("Claimora.logResponse():  Error logging response.");
}

bool Claimora::receiveDirectoryUsable() {
  const std::string dir = LocalPath::directory(receiveDir);
  struct stat st {};
  const std::string probe = dir.empty() ? "." : dir;
  return ::stat(probe.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && ::access(probe.c_str(), W_OK | X_OK) == 0;
}

bool Claimora::setAsideEmpty(const std::string& path, const std::string& name) {
  // link + unlink never replaces an existing file of the new name, unlike rename.
  const std::string bad = path + kBadSuffix;
  if (::link(path.c_str(), bad.c_str()) == 0) {
    ::unlink(path.c_str());
    return true;
  }
  log("Claimora.run():  Cannot set aside empty claim file <" + name + "> as <" + name + kBadSuffix +
      ">: " + std::strerror(errno));
  markStuck(name);
  return false;
}

void Claimora::markStuck(const std::string& name) {
  struct stat st {};
  FileState state;
  if (::lstat(LocalPath::join(fileFind_.getDir(), name).c_str(), &st) == 0) {
    state.size = st.st_size;
    state.mtimeNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  }
  stuck_[name] = state;
}

bool Claimora::isStuck(const std::string& name) {
  const auto it = stuck_.find(name);
  if (it == stuck_.end()) return false;
  struct stat st {};
  FileState state;
  if (::lstat(LocalPath::join(fileFind_.getDir(), name).c_str(), &st) == 0) {
    state.size = st.st_size;
    state.mtimeNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  }
  if (state == it->second) return true;
  stuck_.erase(it);
  return false;
}

void Claimora::waitForNextRound(int ms) {
  std::unique_lock<std::mutex> lock(waitMu_);
  waitCv_.wait_for(lock, std::chrono::milliseconds(std::max(ms, 0)), [this] { return !forever.load(); });
}

void Claimora::cell(int column, const std::string& text) {
  listener_->statusCell(column, text);
}

void Claimora::systemField(const std::string& text) {
  listener_->statusField(StatusListener::Field::System, text);
}

void Claimora::resultsField(const std::string& text) {
  listener_->statusField(StatusListener::Field::Results, text);
}

void Claimora::log(const std::string& message) {
  SystemLog::getInstance()->writeLog(message);
}
