// Starts child processes from an argument vector, without a shell: the first element is the program, looked up on
// PATH when it holds no "/". A builder is used by one thread at a time.
#pragma once

#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/proc/Process.h"

namespace plat::proc {

class ProcessBuilder {
 public:
  explicit ProcessBuilder(std::vector<std::string> command) : command_(std::move(command)) {}

  const std::vector<std::string>& command() const { return command_; }
  // Sends the child's standard error into its standard output pipe.
  ProcessBuilder& redirectErrorStream(bool merge) {
    mergeErrors_ = merge;
    return *this;
  }
  bool redirectErrorStream() const { return mergeErrors_; }

  // Starts the command. IOException "Cannot run program "<name>": error=<errno>, <reason>" when it cannot start,
  // and for an empty command.
  plat::lang::Ref<Process> start() const;

 private:
  std::vector<std::string> command_;
  bool mergeErrors_ = false;
};

}  // namespace plat::proc
