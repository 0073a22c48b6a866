#include "platform/proc/Process.h"

#include <signal.h>
#include <sys/wait.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>

#include "platform/proc/Pipes.h"
#include "platform/thread/ThreadExceptions.h"

namespace plat::proc {

namespace {

constexpr int kSignalExitBase = 128;  // exit code of a child ended by a signal: 128 + the signal, as shells report
constexpr auto kFirstPoll = std::chrono::milliseconds(1);
constexpr auto kLongestPoll = std::chrono::milliseconds(20);

}  // namespace

Process::Process(pid_t pid, int stdinFd, int stdoutFd, int stderrFd)
    : pid_(pid),
      stdin_(std::make_shared<detail::PipeOutputStream>(stdinFd)),
      stdout_(std::make_shared<detail::PipeInputStream>(stdoutFd)),
      stderr_(std::make_shared<detail::PipeInputStream>(stderrFd)) {}

Process::~Process() {
  try {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!poll(false)) {
      ::kill(pid_, SIGKILL);
      poll(true);
    }
  } catch (...) {
  }
}

bool Process::poll(bool block) {
  if (exited_) return true;
  int status = 0;
  pid_t r;
  do {
    r = ::waitpid(pid_, &status, block ? 0 : WNOHANG);
  } while (r < 0 && errno == EINTR);
  if (r == 0) return false;
  if (r < 0) {
    // Someone else reaped the child (a SIGCHLD handler that ignores children): it has ended, code unknown.
    exitCode_ = -1;
  } else if (WIFEXITED(status)) {
    exitCode_ = WEXITSTATUS(status);
  } else if (WIFSIGNALED(status)) {
    exitCode_ = kSignalExitBase + WTERMSIG(status);
  } else {
    return false;  // stopped or continued: still alive
  }
  exited_ = true;
  return true;
}

int Process::waitFor() {
  while (true) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (poll(false)) return exitCode_;
    }
    // Waits for the end without reaping and without the lock, so isAlive() and the other calls stay answerable.
    siginfo_t info{};
    if (::waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOWAIT) != 0 && errno != EINTR) {
      std::lock_guard<std::mutex> lock(mutex_);
      poll(true);
      return exitCode_;
    }
  }
}

bool Process::waitFor(std::int64_t timeoutMs) {
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max<std::int64_t>(0, timeoutMs));
  auto pause = kFirstPoll;
  while (true) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (poll(false)) return true;
    }
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline) return false;
    std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
    pause = std::min(pause * 2, kLongestPoll);
  }
}

int Process::exitValue() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!poll(false)) throw plat::thread::IllegalThreadStateException("process hasn't exited");
  return exitCode_;
}

bool Process::isAlive() {
  std::lock_guard<std::mutex> lock(mutex_);
  return !poll(false);
}

void Process::destroy() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!poll(false)) ::kill(pid_, SIGTERM);
}

void Process::destroyForcibly() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!poll(false)) ::kill(pid_, SIGKILL);
}

}  // namespace plat::proc
