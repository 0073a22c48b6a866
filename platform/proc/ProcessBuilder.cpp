#include "platform/proc/ProcessBuilder.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/io/IOException.h"

extern char** environ;

namespace plat::proc {

namespace {

// A pair of pipe descriptors that closes whatever it still owns.
struct Pipe {
  int fd[2] = {-1, -1};
  Pipe() = default;
  Pipe(const Pipe&) = delete;
  Pipe& operator=(const Pipe&) = delete;
  ~Pipe() {
    for (int& f : fd) {
      if (f >= 0) ::close(f);
    }
  }
  bool open() { return ::pipe2(fd, O_CLOEXEC) == 0; }
  int release(int end) {
    const int f = fd[end];
    fd[end] = -1;
    return f;
  }
};

// Owns spawn file actions and attributes.
class SpawnSetup {
 public:
  SpawnSetup() {
    posix_spawn_file_actions_init(&actions_);
    posix_spawnattr_init(&attr_);
  }
  ~SpawnSetup() {
    posix_spawnattr_destroy(&attr_);
    posix_spawn_file_actions_destroy(&actions_);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;

  posix_spawn_file_actions_t actions_;
  posix_spawnattr_t attr_;
};

[[noreturn]] void cannotRun(const std::string& program, int error) {
  throw plat::io::IOException("Cannot run program \"" + program + "\": error=" + std::to_string(error) + ", " +
                              std::strerror(error));
}

}  // namespace

plat::lang::Ref<Process> ProcessBuilder::start() const {
  if (command_.empty() || command_[0].empty()) throw plat::io::IOException("Cannot run program \"\": empty command");
  const std::string& program = command_[0];
  Pipe in, out, err;
  if (!in.open() || !out.open() || (!mergeErrors_ && !err.open())) cannotRun(program, errno);

  SpawnSetup setup;
  // The pipe ends carry close-on-exec; dup2 makes plain copies on 0, 1 and 2, so only those reach the child.
  posix_spawn_file_actions_adddup2(&setup.actions_, in.fd[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&setup.actions_, out.fd[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&setup.actions_, mergeErrors_ ? out.fd[1] : err.fd[1], STDERR_FILENO);
  // The child starts with no blocked signals and SIGPIPE at its default, whatever this process set for itself.
  sigset_t none, defaults;
  sigemptyset(&none);
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  posix_spawnattr_setsigmask(&setup.attr_, &none);
  posix_spawnattr_setsigdefault(&setup.attr_, &defaults);
  posix_spawnattr_setflags(&setup.attr_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

  std::vector<char*> argv;
  argv.reserve(command_.size() + 1);
  for (const std::string& arg : command_) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  pid_t pid = 0;
  const int rc = posix_spawnp(&pid, program.c_str(), &setup.actions_, &setup.attr_, argv.data(), environ);
  if (rc != 0) cannotRun(program, rc);

  const int errFd = mergeErrors_ ? -1 : err.release(0);
  return plat::lang::Ref<Process>(new Process(pid, in.release(1), out.release(0), errFd));
}

}  // namespace plat::proc
