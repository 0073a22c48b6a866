#include "claim/SystemLog.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include "claim/Clock.h"

namespace {
constexpr std::string_view kSeparator = "  --  ";

std::mutex& instanceMutex() {
  static std::mutex mu;
  return mu;
}

plat::lang::Ref<SystemLog>& instanceSlot() {
  static plat::lang::Ref<SystemLog> log;
  return log;
}
}  // namespace

SystemLog::SystemLog(const std::string& path) {
  file_ = std::fopen(path.c_str(), "a");
  if (file_ == nullptr) {
    // Running without a log would hide every failure of the claims; standard error keeps them visible.
    const int err = errno;
    file_ = stderr;
    fallback_ = true;
    std::lock_guard<std::mutex> lock(mu_);
    writeLine("SystemLog():  Cannot open " + path + " (" + std::strerror(err) + "), logging to standard error.");
  }
  std::lock_guard<std::mutex> lock(mu_);
  writeLine("System Log Started.");
}

SystemLog::~SystemLog() {
  std::lock_guard<std::mutex> lock(mu_);
  if (file_ != nullptr && !fallback_) std::fclose(file_);
  file_ = nullptr;
}

plat::lang::Ref<SystemLog> SystemLog::getInstance() {
  std::lock_guard<std::mutex> lock(instanceMutex());
  auto& slot = instanceSlot();
  if (!slot) slot = std::make_shared<SystemLog>();
  return slot;
}

plat::lang::Ref<SystemLog> SystemLog::setInstance(plat::lang::Ref<SystemLog> log) {
  std::lock_guard<std::mutex> lock(instanceMutex());
  return std::exchange(instanceSlot(), std::move(log));
}

void SystemLog::writeLog(std::string_view message) {
  std::lock_guard<std::mutex> lock(mu_);
  writeLine(message);
}

void SystemLog::closeLog() {
  std::lock_guard<std::mutex> lock(mu_);
  if (closed_) return;
  writeLine("System Log Stopped.");
  writeLine("System Stopped.");
  if (file_ != nullptr && !fallback_) std::fclose(file_);
  file_ = nullptr;
  closed_ = true;
}

bool SystemLog::isFallback() const {
  std::lock_guard<std::mutex> lock(mu_);
  return fallback_;
}

bool SystemLog::isClosed() const {
  std::lock_guard<std::mutex> lock(mu_);
  return closed_;
}

void SystemLog::writeLine(std::string_view message) {
  if (file_ == nullptr) return;
  std::string line = Clock::getDate().toString();
  line += kSeparator;
  line += message;
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), file_);
  std::fflush(file_);
}
