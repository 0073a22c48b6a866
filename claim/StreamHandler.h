// Drains one input stream (a child's output) on its own thread so the child never blocks on a full pipe, and
// keeps its non-empty lines, each followed by a line feed. getOutput() may be called from any thread at any time.
#pragma once

#include <mutex>
#include <string>

#include "platform/io/InputStream.h"
#include "platform/thread/Thread.h"

class StreamHandler final : public plat::thread::Thread {
 public:
  static constexpr std::size_t kMaxOutput = 64 * 1024;  // a runaway command cannot fill the memory

  // Starts draining at once.
  explicit StreamHandler(plat::lang::Ref<plat::io::InputStream> in);
  ~StreamHandler() override;
  StreamHandler(const StreamHandler&) = delete;
  StreamHandler& operator=(const StreamHandler&) = delete;

  void run() override;
  std::string getOutput() const;

 private:
  void addLine(const std::string& line);

  plat::lang::Ref<plat::io::InputStream> is;
  mutable std::mutex mu_;
  std::string output;  // guarded by mu_
};
