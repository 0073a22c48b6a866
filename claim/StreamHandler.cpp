#include "claim/StreamHandler.h"

#include <exception>

StreamHandler::StreamHandler(plat::lang::Ref<plat::io::InputStream> in) : Thread("StreamHandler"), is(std::move(in)) {
  start();
}

StreamHandler::~StreamHandler() {
  stopAndJoin();
}

void StreamHandler::run() {
  try {
    std::string line;
    std::uint8_t buf[512];
    for (;;) {
      const int n = is->read(buf, sizeof buf);
      if (n < 0) break;
      for (int i = 0; i < n; ++i) {
        const char c = static_cast<char>(buf[i]);
        if (c == '\n') {
          addLine(line);
          line.clear();
        } else if (line.size() < kMaxOutput) {
          line += c;
        }
      }
    }
    addLine(line);
  } catch (const std::exception&) {
    // The command's output is a courtesy: a broken pipe leaves what was read so far.
  }
}

void StreamHandler::addLine(const std::string& raw) {
  std::string line = raw;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.empty()) return;
  std::lock_guard<std::mutex> lock(mu_);
  if (output.size() + line.size() + 1 > kMaxOutput) return;
  output += line;
  output += '\n';
}

std::string StreamHandler::getOutput() const {
  std::lock_guard<std::mutex> lock(mu_);
  return output;
}
