// The worker thread of the claim program: polls the send directory, cuts each claim out of its file, moves the
// file to its in-flight name, sends the claim to the clearing house, writes the answer (or a locally built reject)
// into the receive directory, framed like the claim, and only then removes the in-flight file. Status updates go
// to a StatusListener.
// Thread contract: run() (or setUp() and processRound(), which tests call directly) on one thread only; Halt()
// from any thread.
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "claim/Constants.h"
#include "claim/FileFind.h"
#include "claim/StatusListener.h"
#include "platform/thread/Thread.h"

class FormatResponse;
class SSLClient;
class Varodex;
class WriterCheck;

struct stat;

class Claimora : public plat::thread::Thread {
 public:
  using Byte = std::uint8_t;

  static constexpr const char* kKeyStoreFile = "jssecerts";
  static constexpr const char* kKeyStorePassword = "tumbrelosk";
  static constexpr const char* kRejectCode = "85";
  static constexpr int kHeaderSize = 9;       // four length digits and the five-byte identifier of an answer
  static constexpr int kMaxNameTries = 1000;  // b.rsp, b~2.rsp, ... before a name is given up as taken

  // Result codes of reading one claim file (claimsize when not positive).
  static constexpr int kTooSmall = -1;
  static constexpr int kNoEtx = -2;
  static constexpr int kNoStx = -3;
  static constexpr int kEmpty = -4;
  static constexpr int kTooLarge = -5;
  static constexpr int kVanished = -6;
  static constexpr int kReadFailed = -7;

  // Copies the claim and response extensions and the two directories from the shared settings. The listener, if
  // any, must outlive the worker.
  explicit Claimora(StatusListener* listener = nullptr);
  ~Claimora() override;
  Claimora(const Claimora&) = delete;
  Claimora& operator=(const Claimora&) = delete;

  // The main loop: set-up, then listing rounds with the file wait between them until Halt.
  void run() override;
  // Clears the running flag and wakes the wait between rounds; the claim in hand is finished first.
  void Halt();
  bool isRunning() const { return forever.load(); }

  // Steps of run(), for callers that drive the worker directly: the TLS set-up, the session, the lister and the
  // first status texts (throws as the set-up fails), then one listing round.
  void setUp();
  void processRound();

  // Cuts one claim file already in memory, as a file of those bytes would be cut; returns claimsize and leaves the
  // claim in the request buffer. `file` holds the file's first bytes (all of them unless fileLength, the whole
  // length, says more). Used by the fuzzer and by getData.
  int cutClaim(std::span<const Byte> file, int frameMode, int dataOffset, std::int64_t fileLength = -1);
  // Builds the reject for the claim last cut; returns responsesize.
  int buildReject(const std::string& message, int dataOffset);
  // The response-file bytes for the claim last cut and the answer or reject in the response buffer.
  std::vector<Byte> responseFileBytes(int frameMode, int dataOffset, bool checkSum) const;
  // The XOR of `count` bytes from `first`, then XOR ETX.
  static Byte LRC(std::span<const Byte> buffer, int first, int count);

  int getStx() const { return stx; }
  int getEtx() const { return etx; }
  int getClaimSize() const { return claimsize; }
  int getResponseSize() const { return responsesize; }
  std::span<const Byte> getRequest() const { return request; }
  std::span<const Byte> getResponse() const { return response; }

 private:
  struct FileState {
    std::int64_t size = 0;
    std::int64_t mtimeNs = 0;
    bool operator==(const FileState&) const = default;
  };

  // What a lasting problem with a claim is remembered by; mending the cause changes one of these. The claim's
  // change time moves with a chmod, chown or ACL on it; the send folder's mode and owners decide whether the claim
  // can be reached and deleted. The folder's change time is left out: it moves with every file made or removed
  // there, and would bring each stuck claim back, and into the log, after every claim handled.
  struct StuckKey {
    FileState file;
    std::int64_t changeNs = 0;  // the claim's inode change time
    std::uint32_t folderMode = 0;
    std::uint32_t folderUid = 0;
    std::uint32_t folderGid = 0;
    bool operator==(const StuckKey&) const = default;
  };

  struct Observed {
    FileState state;
    std::chrono::steady_clock::time_point since;  // when the worker first saw this state
  };
  // Where a response file went: the receive folder, the send folder (elsewhere) or nowhere (path empty).
  struct Written {
    std::string path;
    bool elsewhere = false;
    std::string cause;  // why the receive folder did not take it
    bool ok() const { return !path.empty(); }
    std::string describe() const;
  };

  void processFile(const std::string& name);
  // Logs a send or receive folder that is missing or refuses the worker; false when one does.
  bool checkFolders();
  // True when the claim got its response, reject or set-aside file, so its in-flight file may go.
  bool sendClaim(const std::string& name, std::int64_t start, int dataOffset, bool logStats,
                 const std::vector<Byte>& kept);
  // A failed exchange: the reject written, else the claim's bytes set aside; one outcome line either way. True
  // when either was done.
  bool answerFailure(const std::string& name, const std::string& message, const std::vector<Byte>& kept,
                     const std::string& host);
  // Answers each in-flight file an earlier run left as an exchange without response; never sends it again.
  void answerLeftInFlight();
  void vanished(const std::string& name);
  // Moves the claim to the first free in-flight name and flushes the folder; the new path, or empty with err.
  std::string moveToInFlight(const std::string& path, const std::string& name, int& err);
  // fsync of a folder, so the names made or removed there survive a power cut; 0 or the errno (logged).
  static int syncDirectory(const std::string& dir);
  void notProperlyFormatted(const std::string& name);
  // Reads and cuts the claim file open on `fd` (left open).
  bool getData(int fd);
  void getRejectResponse(const std::string& message);
  void logResponse(const std::string& name);
  // The response file under the first free name of the receive folder, else of the send folder.
  Written writeResponse(const std::string& name);
  // Writes bytes to a new file stem + suffix (or stem~2 + suffix, ...) in dir, never replacing one; the path,
  // or empty with err set.
  static std::string installNew(const std::string& dir, const std::string& stem, const std::string& suffix,
                                const std::vector<Byte>& bytes, int& err);
  // Renames without ever replacing; 0 or the errno (EEXIST when the name is taken).
  static int moveNoReplace(const std::string& from, const std::string& to);
  void clearBuffers();
  bool receiveDirectoryUsable();
  // Moves the file at `path` (or, when it is gone, writes `kept`) to the first free "<name>.bad", "<name>~2.bad", ...
  // of the send folder; the path, or empty when it could not.
  std::string setAside(const std::string& path, const std::string& name, const std::vector<Byte>& kept);
  // The one line every claim leaves: its name, the host or "none", and what became of it.
  static void outcome(const std::string& name, const std::string& host, const std::string& result);
  static std::string printable(std::span<const Byte> bytes, int count);
  static std::int64_t stateNs(const struct stat& st);
  static FileState stateOf(const struct stat& st);
  static int settleMs();
  // True when the file shows the same state as at the previous round and has stood still one file wait.
  bool isSettled(const std::string& name, const FileState& state);
  static int bufferSize() { return static_cast<int>(Constants::bufferSize); }
  // Remembers a problem with `name` that lasts until its file or the send folder changes, so it is logged once.
  void markStuck(const std::string& name);
  bool isStuck(const std::string& name);
  StuckKey stuckKeyOf(const std::string& name) const;
  void waitForNextRound(int ms);

  void cell(int column, const std::string& text);
  void systemField(const std::string& text);
  void resultsField(const std::string& text);
  static void log(const std::string& message);

  std::array<Byte, Constants::bufferSize> request{};   // the claim file as read
  std::array<Byte, Constants::bufferSize> response{};  // the answer, header included, or the reject from offset 9
  Byte lrc = 0;
  int stx = -1;  // index into request, or -1
  int etx = -1;  // index into request, or -1
  int requestsize = 0;
  int claimsize = 0;
  int responsesize = 0;
  int frameMode_ = 0;   // of the claim in hand
  int dataOffset_ = 0;  // of the claim in hand

  std::string clm;
  std::string rsp;
  std::string sendDir;
  std::string receiveDir;
  std::atomic<bool> forever{true};

  StatusListener* listener_;  // borrowed; never null (a no-op listener when none is given)
  std::unique_ptr<SSLClient> sslClient_;
  std::mutex varodexMu_;              // guards publishing varodex_ for Halt
  std::unique_ptr<Varodex> varodex_;  // made once by setUp
  FileFind fileFind_;
  std::unique_ptr<FormatResponse> formatResponse_;  // fresh per claim file
  bool setUp_ = false;
  std::unique_ptr<WriterCheck> writerCheck_;  // made by setUp
  std::string inFlight_;                      // the claim in hand's in-flight file, while it has one
  bool sendDirUnsynced_ = false;              // a name was removed from the send folder since its last flush

  std::map<std::string, StuckKey> stuck_;  // names whose lasting problem was logged
  std::map<std::string, Observed> seen_;   // state of each listed name at the last round
  std::set<std::string> retryLogged_;      // names whose "left for a retry" outcome was logged
  std::set<std::string> writingLogged_;    // names whose "still being written" line was logged
  FileState readState_;                    // the claim file's state right after it was read
  bool receiveDirReported_ = false;        // the receive-directory problem was logged and lasts

  std::mutex waitMu_;
  std::condition_variable waitCv_;  // woken by Halt
};
