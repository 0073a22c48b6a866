// A running child process and the pipes to its standard streams. waitFor and isAlive may be called from any
// thread; each stream is used by one thread at a time (read standard output and standard error on different
// threads when both are separate, or the child may block on a full pipe). A Process discarded while its child
// still runs kills the child and reaps it, so no child outlives its owner unnoticed.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <mutex>

#include "platform/io/InputStream.h"
#include "platform/io/OutputStream.h"
#include "platform/lang/Object.h"

namespace plat::proc {

class ProcessBuilder;

class Process : public plat::lang::Object {
 public:
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  ~Process() override;

  // The child's standard output (with its standard error when the builder merged them).
  const plat::lang::Ref<plat::io::InputStream>& getInputStream() const { return stdout_; }
  // The child's standard error; at its end at once when merged into standard output.
  const plat::lang::Ref<plat::io::InputStream>& getErrorStream() const { return stderr_; }
  // The child's standard input.
  const plat::lang::Ref<plat::io::OutputStream>& getOutputStream() const { return stdin_; }

  // Waits for the child to end and gives its exit code (128 + the signal number when a signal ended it).
  int waitFor();
  // Waits at most timeoutMs; answers whether the child has ended.
  bool waitFor(std::int64_t timeoutMs);
  // The exit code; IllegalThreadStateException "process hasn't exited" while the child runs.
  int exitValue();
  bool isAlive();
  // Asks the child to end (SIGTERM); destroyForcibly() kills it (SIGKILL). Neither waits.
  void destroy();
  void destroyForcibly();
  pid_t pid() const { return pid_; }

 private:
  friend class ProcessBuilder;
  Process(pid_t pid, int stdinFd, int stdoutFd, int stderrFd);

  // Reaps the child if it has ended; needs mutex_ held. With block, waits for it.
  bool poll(bool block);

  pid_t pid_;
  plat::lang::Ref<plat::io::OutputStream> stdin_;
  plat::lang::Ref<plat::io::InputStream> stdout_;
  plat::lang::Ref<plat::io::InputStream> stderr_;
  std::mutex mutex_;
  bool exited_ = false;  // guarded by mutex_
  int exitCode_ = 0;     // guarded by mutex_; valid once exited_
};

}  // namespace plat::proc
