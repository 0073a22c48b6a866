#include "claim/Claimora.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <set>
#include <type_traits>
#include <vector>

#include "claim/Clock.h"
#include "claim/ErrorText.h"
#include "claim/FormatResponse.h"
#include "claim/LocalPath.h"
#include "claim/Parameters.h"
#include "claim/SSLClient.h"
#include "claim/SystemLog.h"
#include "claim/Varodex.h"
#include "claim/WriterCheck.h"
#include "platform/lang/Throwable.h"

namespace {

constexpr const char* kBadSuffix = ".bad";
// A claim's name while it is being sent: the claim extension never matches it, so it is never listed as a claim.
constexpr const char* kInFlightSuffix = ".sending";
// Response and set-aside files are written under this name plus six random letters and digits, in their own
// folder; with no dot after the first, it never ends in a claim or response extension, so nobody lists it.
constexpr const char* kTempPrefix = ".claimora-";
constexpr int kTempRandomChars = 6;
constexpr int kMaxTempTries = 100;    // names tried before the folder is given up as full of them
constexpr mode_t kCreateMode = 0666;  // narrowed by the umask, as for any new file
constexpr const char* kNoHost = "none";
constexpr const char* kUnknownHost = "unknown";
constexpr std::size_t kNameMax = 255;  // bytes of one name on the file systems in use

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

// Creates a new, empty file under a fresh temporary name in `dir`, as a plain create would: the kernel takes the
// umask (or the folder's default ACL) off kCreateMode. The umask is never read, so no other thread ever sees it
// changed. The descriptor, or -1 with errno set.
int createTemporary(const std::string& dir, std::string& path) {
  static constexpr char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::mt19937 engine{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kChars - 2);
  for (int tries = 0; tries < kMaxTempTries; ++tries) {
    std::string name = kTempPrefix;
    for (int i = 0; i < kTempRandomChars; ++i) name += kChars[pick(engine)];
    path = LocalPath::join(dir, name);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kCreateMode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

template <typename Entry>
const std::string& keyOf(const Entry& entry) {
  if constexpr (std::is_same_v<Entry, std::string>) {
    return entry;
  } else {
    return entry.first;
  }
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
  {
    // An exchange without a read time-out would otherwise hold the stop for as long as the server is silent.
    std::lock_guard<std::mutex> lock(varodexMu_);
    if (varodex_) varodex_->abort();
  }
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
    const std::string message = ErrorText::messageOf(e);
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
  {
    std::lock_guard<std::mutex> lock(varodexMu_);
    varodex_ = std::make_unique<Varodex>(sslClient_->getSocketFactory(), sslClient_->getCipherSuites());
  }
  fileFind_.setDir(LocalPath::directory(sendDir));
  writerCheck_ = std::make_unique<WriterCheck>(fileFind_.getDir());
  log(writerCheck_->describe());
  cell(0, " ");
  cell(1, " ");
  const bool folders = checkFolders();
  answerLeftInFlight();
  auto params = Parameters::getInstance();
  if (!folders || !params->problems().empty()) {
    // Looking healthy while claims cannot flow would hide the mistake; the log names each one.
    systemField("System:  Settings Error, see system.log");
  } else {
    systemField(params->getSecurity() ? "System:  Secure" : "System:  Clear");
  }
  resultsField("Results:  None");
  setUp_ = true;
}

bool Claimora::checkFolders() {
  bool ok = true;
  auto check = [&ok](const std::string& what, const std::string& text, int mode) {
    const std::string dir = LocalPath::directory(text);
    const std::string probe = dir.empty() ? "." : dir;
    struct stat st {};
    if (::stat(probe.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
      log("Claimora.run():  " + what + " directory <" + text + "> does not exist.");
      ok = false;
    } else if (::access(probe.c_str(), mode) != 0) {
      log("Claimora.run():  " + what + " directory <" + text + "> cannot be " +
          (mode & R_OK ? "read and written." : "written.") + " (" + std::strerror(errno) + ")");
      ok = false;
    }
  };
  check("Send", sendDir, R_OK | W_OK | X_OK);
  check("Receive", receiveDir, W_OK | X_OK);
  return ok;
}

void Claimora::processRound() {
  setUp();
  if (!fileFind_.getList(clm)) {
    cell(0, " ");
    cell(1, " ");
    stuck_.clear();
    seen_.clear();
    retryLogged_.clear();
    writingLogged_.clear();
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
      const std::string message = ErrorText::messageOf(e);
      resultsField("Results:  " + message);
      log("Claimora.run():  " + message);
    }
    cell(0, " ");
    cell(1, " ");
    formatResponse_.reset();
  }
  // A name that left the directory has no lasting problem any more and starts afresh if it comes back.
  auto forgetUnlisted = [&listed](auto& table) {
    for (auto it = table.begin(); it != table.end();) {
      it = listed.count(keyOf(*it)) ? std::next(it) : table.erase(it);
    }
  };
  if (sendDirUnsynced_) {
    syncDirectory(fileFind_.getDir());
    sendDirUnsynced_ = false;
  }
  forgetUnlisted(stuck_);
  forgetUnlisted(seen_);
  forgetUnlisted(retryLogged_);
  forgetUnlisted(writingLogged_);
}

void Claimora::processFile(const std::string& name) {
  const auto dot = name.find('.');
  if (dot == std::string::npos || !equalsIgnoreCase(name.substr(dot + 1), clm)) return;

  const std::int64_t start = Clock::getTime();
  const std::string path = LocalPath::join(fileFind_.getDir(), name);
  formatResponse_ = std::make_unique<FormatResponse>();
  if (isStuck(name)) return;

  struct stat st {};
  struct stat link {};
  if (::stat(path.c_str(), &st) != 0 && ::lstat(path.c_str(), &link) != 0 && errno == ENOENT) {
    vanished(name);
    return;
  }
  if (::stat(path.c_str(), &st) != 0 || ::access(path.c_str(), R_OK) != 0) {
    resultsField("Results:  Claim File Not Found, <" + name + ">");
    log("Claimora.run():  Claim File Not Found, <" + name + ">");
    if (::lstat(path.c_str(), &link) == 0) {
      outcome(name, kNoHost, "left for a retry, the file cannot be read");
    } else {
      outcome(name, kNoHost, "gone before it could be read");
    }
    markStuck(name);
    return;
  }
  if (!S_ISREG(st.st_mode)) {
    // A directory or device with a claim's name is not a claim; say so once.
    log("Claimora.run():  Not A Claim File, <" + name + ">");
    outcome(name, kNoHost, "left in the send folder, not a claim file");
    markStuck(name);
    return;
  }
  // A producer may still be writing: the file is taken only once it has stood still long enough, and only while
  // no process holds it open for writing (a producer may pause longer than any wait).
  if (!isSettled(name, stateOf(st))) return;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    if (errno == ENOENT) {
      vanished(name);
    } else {
      resultsField("Results:  Claim File Not Found, <" + name + ">");
      log("Claimora.run():  Claim File Not Found, <" + name + ">");
      log("Claimora.getData():  " + ErrorText::fileNotFound(path, errno));
      outcome(name, kNoHost, "left for a retry, the file cannot be read");
      markStuck(name);
    }
    return;
  }
  // Closing the descriptor drops the lease; it is held over the read and the move to the in-flight name.
  struct Closer {
    int fd;
    ~Closer() {
      if (fd >= 0) ::close(fd);
    }
  } closer{fd};
  if (writerCheck_ && writerCheck_->check(fd, name) == WriterCheck::Verdict::Writing) {
    if (writingLogged_.insert(name).second) log(name + " is still being written; waiting");
    return;
  }

  resultsField("Results:");
  cell(0, name);
  cell(1, "Reading Claim");
  auto params = Parameters::getInstance();
  frameMode_ = params->getFrameMode();
  dataOffset_ = params->getDataOffset();
  const bool logStats = params->getLogStats();
  const bool read = getData(fd);
  if (claimsize != kReadFailed && !(readState_ == stateOf(st))) {
    // Written to while it was read: wait until it stands still again.
    seen_[name] = Observed{readState_, std::chrono::steady_clock::now()};
    return;
  }
  seen_.erase(name);
  writingLogged_.erase(name);

  if (!read || claimsize == kReadFailed) {
    if (!read) {
      const std::string bad = setAside(path, name, {});
      outcome(name, kNoHost,
              bad.empty() ? "left for a retry, the empty file could not be set aside"
                          : "set aside as <" + bad + ">, the file is empty");
    } else {
      markStuck(name);
      outcome(name, kNoHost, "left for a retry, the file could not be read");
    }
    notProperlyFormatted(name);
    return;
  }

  // Whatever follows ends in a response file, so the receive directory must take one first.
  if (!receiveDirectoryUsable()) {
    const std::string text = "Receive Directory Not Writable, <" + receiveDir + ">";
    resultsField("Results:  " + text);
    if (!receiveDirReported_) log("Claimora.run():  " + text + ", claims left in the send directory.");
    receiveDirReported_ = true;
    if (retryLogged_.insert(name).second) outcome(name, kNoHost, "left for a retry, " + text);
    return;
  }
  receiveDirReported_ = false;
  retryLogged_.erase(name);

  if (claimsize > 0) {
    // The claim leaves its name before it is sent, so it can never go out twice, and waits under its in-flight
    // name until it has an answer, a reject or a set-aside file: a run that dies in the exchange leaves it there
    // for the next start to answer.
    const std::vector<Byte> kept(request.begin(), request.begin() + std::clamp(requestsize, 0, bufferSize()));
    int err = 0;
    inFlight_ = moveToInFlight(path, name, err);
    if (inFlight_.empty()) {
      const std::string text = "Claim File Not Deleted, <" + name + ">";
      resultsField("Results:  " + text);
      log("Claimora.run():  " + text +
          ", claim not sent: it cannot be moved to its in-flight name: " + std::strerror(err));
      outcome(name, kNoHost, "left for a retry, the file could not be deleted before sending");
      markStuck(name);
      return;
    }
    ::close(closer.fd);  // the lease ends here: the claim is no longer under its name
    closer.fd = -1;
    stuck_.erase(name);
    log("Claimora.run():  Claim <" + name + "> in flight as <" + inFlight_ + ">.");
    const bool answered = sendClaim(name, start, dataOffset_, logStats, kept);
    if (answered) {
      // Flushed with the next move or at the end of the round: only a power cut before that could bring the file
      // back, and the next start would then answer it a second time, never lose it.
      if (::unlink(inFlight_.c_str()) == 0) sendDirUnsynced_ = true;
    } else {
      log("Claimora.run():  Claim <" + name + "> stays in flight as <" + inFlight_ +
          ">; the next start or Reset answers it.");
    }
    inFlight_.clear();
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
    default:
      reject = "QOV:  Claim Too Large.";
      break;
  }
  getRejectResponse(reject);
  if (responsesize > 0) {
    // The reject is written before the claim is deleted: a claim never goes without an answer.
    const Written w = writeResponse(name);
    if (w.ok()) {
      if (::unlink(path.c_str()) == 0) {
        sendDirUnsynced_ = true;
      } else if (errno != ENOENT) {
        log("Claimora.run():  Claim File Not Deleted, <" + name + ">: " + std::strerror(errno));
        markStuck(name);
      }
      outcome(name, kNoHost, "rejected with \"" + upperAscii(reject) + "\", " + w.describe());
    } else {
      markStuck(name);
      outcome(name, kNoHost, "left for a retry, its reject could not be written (" + w.cause + ")");
    }
  } else {
    const std::string bad = setAside(path, name, {});
    outcome(name, kNoHost,
            bad.empty() ? "left for a retry, no reject layout fits and it could not be set aside"
                        : "set aside as <" + bad + ">, no reject layout fits (" + reject + ")");
  }
  notProperlyFormatted(name);
}

void Claimora::vanished(const std::string& name) {
  resultsField("Results:  Claim File Not Found, <" + name + ">");
  log("Claimora.run():  Claim file <" + name + "> vanished before it could be read.");
  outcome(name, kNoHost, "gone before it could be read");
}

void Claimora::answerLeftInFlight() {
  const std::string dir = fileFind_.getDir();
  FileFind find;
  find.setDir(dir);
  if (!find.getList(kInFlightSuffix + 1)) return;
  const std::size_t suffix = std::strlen(kInFlightSuffix);
  while (const auto file = find.nextFile()) {
    if (file->size() <= suffix) continue;
    std::string name = file->substr(0, file->size() - suffix);
    const auto tilde = name.rfind('~');
    if (tilde != std::string::npos && tilde + 1 < name.size() &&
        name.find_first_not_of("0123456789", tilde + 1) == std::string::npos) {
      name.resize(tilde);
    }
    // Only what this program leaves: a claim's name before the suffix (a name cut to fit has no extension left).
    const auto dot = name.find('.');
    if (file->size() < kNameMax && (dot == std::string::npos || !equalsIgnoreCase(name.substr(dot + 1), clm))) {
      continue;
    }
    const std::string path = LocalPath::join(dir, *file);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) continue;
    auto params = Parameters::getInstance();
    frameMode_ = params->getFrameMode();
    dataOffset_ = params->getDataOffset();
    formatResponse_ = std::make_unique<FormatResponse>();
    getData(fd);
    ::close(fd);
    log("Claimora.run():  The earlier run ended during the exchange of <" + name + "> (in flight as <" + path +
        ">); it is answered as an exchange without response and never sent again.");
    // Answered exactly as an exchange that got no answer; the clearing house may have it.
    inFlight_ = path;
    const bool answered = answerFailure(name, "QOV:  No Response.", {}, kUnknownHost);
    inFlight_.clear();
    formatResponse_.reset();
    if (answered && ::unlink(path.c_str()) == 0) sendDirUnsynced_ = true;
  }
  if (sendDirUnsynced_) {
    syncDirectory(dir);
    sendDirUnsynced_ = false;
  }
}

void Claimora::notProperlyFormatted(const std::string& name) {
  resultsField("Results:  Claim File Not Properly Formatted, <" + name + ">");
  log("Claimora.run():  Claim File Not Properly Formatted, <" + name + ">");
}

bool Claimora::sendClaim(const std::string& name, std::int64_t start, int dataOffset, bool logStats,
                         const std::vector<Byte>& kept) {
  const std::int64_t readDone = Clock::getTime();
  varodex_->setClaim(name);
  cell(1, "Connecting");
  if (!varodex_->connect()) {
    const bool answered =
        answerFailure(name, "QOV:  Failed To Send Claim.  Check Internet Connection.", kept, varodex_->endpoint());
    cell(1, "Failed To Connect.");
    resultsField("Results:  Check Internet Connection.");
    varodex_->setClaim("");
    return answered;
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
    bool answered = false;
    if (responsesize > 0) {
      cell(1, "Received Response");
      const Written w = writeResponse(name);
      const std::int64_t writeDone = Clock::getTime();
      answered = w.ok();
      if (w.ok() && !w.elsewhere) {
        resultsField("Results:  Claim Successfully Sent.");
      } else if (w.ok()) {
        resultsField("Results:  Response Kept In Send Folder, <" + w.path + ">");
      } else {
        resultsField("Results:  Response Not Written, see system.log");
        log("Claimora.logResponse():  Response to <" + name + "> as received: " + printable(response, responsesize));
      }
      outcome(name, varodex_->endpoint(), "sent with " + w.describe());
      if (logStats) {
        log("read=" + std::to_string(readDone - start) + " connect=" + std::to_string(connectDone - readDone) +
            " send=" + std::to_string(sendDone - connectDone) + " receive=" + std::to_string(receiveDone - sendDone) +
            " write=" + std::to_string(writeDone - receiveDone) + " total=" + std::to_string(writeDone - start));
      }
    } else {
      answered = answerFailure(name, "QOV:  No Response.", kept, varodex_->endpoint());
      cell(1, "No Response.");
      resultsField("Results:  No Response.");
    }
    varodex_->setClaim("");
    return answered;
  }
  const bool answered =
      answerFailure(name, sent == -1 ? "QOV:  Failed To Send Claim.  Claim to Large." : "QOV:  Failed To Send Claim.",
                    kept, varodex_->endpoint());
  cell(1, "Failed To Send Claim.");
  resultsField("Results:  Failed To Send Claim.");
  varodex_->disConnect();
  varodex_->setClaim("");
  return answered;
}

bool Claimora::answerFailure(const std::string& name, const std::string& message, const std::vector<Byte>& kept,
                             const std::string& host) {
  getRejectResponse(message);
  // The claim's bytes are in its in-flight file while it has one.
  const std::string source = inFlight_.empty() ? LocalPath::join(fileFind_.getDir(), name) : inFlight_;
  if (responsesize > 0) {
    const Written w = writeResponse(name);
    if (w.ok()) {
      outcome(name, host, "rejected with \"" + upperAscii(message) + "\", " + w.describe());
      return true;
    }
    const std::string bad = setAside(source, name, kept);
    outcome(name, host,
            (bad.empty() ? std::string("kept in flight") : "set aside as <" + bad + ">") + ", its reject \"" +
                upperAscii(message) + "\" could not be written (" + w.cause + ")");
    return !bad.empty();
  }
  const std::string bad = setAside(source, name, kept);
  outcome(name, host,
          (bad.empty() ? std::string("kept in flight") : "set aside as <" + bad + ">") + ", no reject layout fits (" +
              message + ")");
  return !bad.empty();
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

bool Claimora::getData(int fd) {
  clearBuffers();
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
  // What the file looks like once read: a producer still writing shows up as a change.
  struct stat after {};
  if (!failed && ::fstat(fd, &after) == 0) readState_ = stateOf(after);
  if (failed) {
    log("Claimora.getData():  " + ErrorText::ioFailure(err));
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
  (void)writeResponse(name);
}

std::string Claimora::Written::describe() const {
  if (path.empty()) return "response lost: " + cause;
  if (elsewhere) return "response kept in the send folder as <" + path + "> (" + cause + ")";
  return "response <" + path + ">";
}

Claimora::Written Claimora::writeResponse(const std::string& name) {
  lrc = LRC(response, kHeaderSize, responsesize - kHeaderSize);
  auto params = Parameters::getInstance();
  const std::vector<Byte> bytes = responseFileBytes(frameMode_, dataOffset_, params->writeCheckSum());
  const std::string stem = name.substr(0, name.find('.'));

  Written w;
  int err = 0;
  w.path = installNew(LocalPath::directory(receiveDir), stem, "." + rsp, bytes, err);
  if (!w.path.empty()) {
    if (w.path != LocalPath::join(LocalPath::directory(receiveDir), stem + "." + rsp)) {
      log("Claimora.logResponse():  <" + stem + "." + rsp + "> is taken; the response to <" + name +
          "> is written as <" + w.path + ">.");
    }
    return w;
  }
  log("Claimora.logResponse():  Error logging response.");
  w.cause = "receive folder: " + std::string(std::strerror(err));
  // The answer is never dropped: the send folder is the one place the producer is known to read.
  w.path = installNew(fileFind_.getDir(), stem, "." + rsp, bytes, err);
  if (!w.path.empty()) {
    w.elsewhere = true;
    log("Claimora.logResponse():  Response to <" + name + "> not written to the receive folder <" + receiveDir + "> (" +
        w.cause + "); kept as <" + w.path + ">.");
    return w;
  }
  w.cause += ", send folder: " + std::string(std::strerror(err));
  log("Claimora.logResponse():  Response to <" + name + "> could not be written anywhere (" + w.cause + ").");
  return w;
}

std::string Claimora::installNew(const std::string& dir, const std::string& stem, const std::string& suffix,
                                 const std::vector<Byte>& bytes, int& err) {
  // Written whole under a temporary name, then linked in under the first free name, so a reader never sees
  // half a file and no earlier file is ever replaced. The temporary name is short and fixed in length: one made
  // from the stem would pass the name limit of the file system before the final name does.
  std::string temp;
  const int fd = createTemporary(dir, temp);
  if (fd < 0) {
    err = errno;
    return "";
  }
  std::size_t done = 0;
  bool ok = true;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      err = n < 0 ? errno : ENOSPC;
      ok = false;
      break;
    }
    done += static_cast<std::size_t>(n);
  }
  // On disk before it takes its name: a claim's in-flight file is removed once its answer is there, so the answer
  // must outlive a power cut that comes after.
  if (ok && ::fsync(fd) != 0 && errno != EINVAL) {
    err = errno;
    ok = false;
  }
  if (::close(fd) != 0 && ok) {
    err = errno;
    ok = false;
  }
  std::string placed;
  for (int n = 1; ok && n <= kMaxNameTries; ++n) {
    const std::string candidate =
        LocalPath::join(dir, n == 1 ? stem + suffix : stem + "~" + std::to_string(n) + suffix);
    const int rc = moveNoReplace(temp, candidate);
    if (rc == 0) {
      placed = candidate;
      break;
    }
    if (rc != EEXIST) {
      err = rc;
      break;
    }
    if (n == kMaxNameTries) err = EEXIST;
  }
  if (placed.empty()) {
    ::unlink(temp.c_str());
  } else {
    syncDirectory(dir);
  }
  return placed;
}

int Claimora::syncDirectory(const std::string& dir) {
  const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  int err = fd < 0 ? errno : 0;
  if (fd >= 0) {
    if (::fsync(fd) != 0) err = errno;
    ::close(fd);
  }
  // A file system that cannot flush a folder (EINVAL) keeps its names as it keeps them.
  if (err != 0 && err != EINVAL) {
    log("Claimora.run():  The folder <" + dir + "> could not be flushed to disk: " + std::strerror(err));
  }
  return err;
}

std::string Claimora::moveToInFlight(const std::string& path, const std::string& name, int& err) {
  const std::string dir = fileFind_.getDir();
  for (int n = 1; n <= kMaxNameTries; ++n) {
    const std::string tail = (n == 1 ? std::string() : "~" + std::to_string(n)) + kInFlightSuffix;
    // A name too long for the suffix keeps its start; only a reject written at the next start would then name a
    // shorter stem.
    const std::string candidate = LocalPath::join(dir, name.substr(0, kNameMax - tail.size()) + tail);
    err = moveNoReplace(path, candidate);
    if (err == 0) {
      // The move must be on disk before the claim goes out: a power cut must never bring the claim back under
      // its own name once the clearing house may have it.
      syncDirectory(dir);
      sendDirUnsynced_ = false;
      return candidate;
    }
    if (err != EEXIST) return "";
  }
  return "";
}

int Claimora::moveNoReplace(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
  // A file system without the no-replace rename: a hard link fails just as surely on a taken name.
  if (::link(from.c_str(), to.c_str()) != 0) return errno;
  ::unlink(from.c_str());
  return 0;
}

bool Claimora::receiveDirectoryUsable() {
  const std::string dir = LocalPath::directory(receiveDir);
  struct stat st {};
  const std::string probe = dir.empty() ? "." : dir;
  return ::stat(probe.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && ::access(probe.c_str(), W_OK | X_OK) == 0;
}

std::string Claimora::setAside(const std::string& path, const std::string& name, const std::vector<Byte>& kept) {
  const std::string dir = fileFind_.getDir();
  int err = 0;
  std::string placed;
  if (::access(path.c_str(), F_OK) != 0) {
    // The claim file is gone already: its bytes are written back.
    placed = installNew(dir, name, kBadSuffix, kept, err);
  } else {
    for (int n = 1; n <= kMaxNameTries; ++n) {
      const std::string candidate =
          LocalPath::join(dir, n == 1 ? name + kBadSuffix : name + "~" + std::to_string(n) + kBadSuffix);
      err = moveNoReplace(path, candidate);
      if (err == 0) {
        placed = candidate;
        break;
      }
      if (err != EEXIST) break;
    }
  }
  if (placed.empty()) {
    log("Claimora.run():  Cannot set aside claim file <" + name + ">: " + std::strerror(err));
    if (::access(path.c_str(), F_OK) == 0) markStuck(name);
  }
  return placed;
}

void Claimora::outcome(const std::string& name, const std::string& host, const std::string& result) {
  log("Outcome <" + name + ">, host " + host + ": " + result + ".");
}

std::string Claimora::printable(std::span<const Byte> bytes, int count) {
  std::string text;
  const int end = std::clamp(count, 0, static_cast<int>(bytes.size()));
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (int i = 0; i < end; ++i) {
    const Byte b = bytes[static_cast<std::size_t>(i)];
    if (b >= 0x20 && b < 0x7F && b != '\\') {
      text += static_cast<char>(b);
    } else {
      text += "\\x";
      text += kHex[b >> 4];
      text += kHex[b & 0xF];
    }
  }
  return text;
}

std::int64_t Claimora::stateNs(const struct stat& st) {
  return static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

Claimora::FileState Claimora::stateOf(const struct stat& st) {
  return FileState{static_cast<std::int64_t>(st.st_size), stateNs(st)};
}

int Claimora::settleMs() {
  return std::max(Parameters::getInstance()->getFileWait(), Parameters::kMinFileWaitMs);
}

bool Claimora::isSettled(const std::string& name, const FileState& state) {
  const auto now = std::chrono::steady_clock::now();
  const auto it = seen_.find(name);
  if (it == seen_.end() || !(it->second.state == state)) {
    seen_[name] = Observed{state, now};
    return false;
  }
  const std::int64_t wait = settleMs();
  const std::int64_t wallNs =
      std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch()).count();
  const std::int64_t ageMs = (wallNs - state.mtimeNs) / 1000000;
  const std::int64_t stillMs = std::chrono::duration_cast<std::chrono::milliseconds>(now - it->second.since).count();
  // The modification time is the producer's word; a time in the future (another clock) falls back on how long
  // the worker itself has seen the file unchanged.
  return ageMs >= wait || stillMs >= wait;
}

Claimora::StuckKey Claimora::stuckKeyOf(const std::string& name) const {
  StuckKey key;
  struct stat st {};
  if (::lstat(LocalPath::join(fileFind_.getDir(), name).c_str(), &st) == 0) {
    key.file = stateOf(st);
    key.changeNs = static_cast<std::int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
  }
  const std::string& dir = fileFind_.getDir();
  if (::stat(dir.empty() ? "." : dir.c_str(), &st) == 0) {
    key.folderMode = st.st_mode;
    key.folderUid = st.st_uid;
    key.folderGid = st.st_gid;
  }
  return key;
}

void Claimora::markStuck(const std::string& name) {
  stuck_[name] = stuckKeyOf(name);
}

bool Claimora::isStuck(const std::string& name) {
  const auto it = stuck_.find(name);
  if (it == stuck_.end()) return false;
  if (stuckKeyOf(name) == it->second) return true;
  stuck_.erase(it);
  return false;
}

void Claimora::waitForNextRound(int ms) {
  std::unique_lock<std::mutex> lock(waitMu_);
  // Never a busy loop: a wait below the floor waits the floor.
  waitCv_.wait_for(lock, std::chrono::milliseconds(std::max(ms, Parameters::kMinFileWaitMs)),
                   [this] { return !forever.load(); });
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
