// The claim program's one log file, "system.log" in the working directory: appended, one flushed line per event,
// each line the date text, "  --  " and the message. One shared instance; writeLog and closeLog are serialised, so
// lines of different threads never interleave. A log that cannot be opened writes to standard error instead, and
// writing after closeLog does nothing.
#pragma once

#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/lang/Object.h"

class SystemLog {
 public:
  // Opens (appending) the log at `path` and writes "System Log Started.".
  explicit SystemLog(const std::string& path = "system.log");
  ~SystemLog();
  SystemLog(const SystemLog&) = delete;
  SystemLog& operator=(const SystemLog&) = delete;

  // The shared log, opened in the working directory on first call.
  static plat::lang::Ref<SystemLog> getInstance();
  // Puts `log` in place of the shared log (a fresh log per test, or one pointed elsewhere); returns the old one.
  static plat::lang::Ref<SystemLog> setInstance(plat::lang::Ref<SystemLog> log);

  // One line: the date text, "  --  ", the message and a line end, flushed at once.
  void writeLog(std::string_view message);
  // Writes "System Log Stopped." and "System Stopped." and closes the file; later writes do nothing.
  void closeLog();

  // True when the file could not be opened and lines go to standard error.
  bool isFallback() const;
  bool isClosed() const;

 private:
  void writeLine(std::string_view message);  // needs mu_ held

  mutable std::mutex mu_;
  std::FILE* file_ = nullptr;  // owned unless it is stderr; guarded by mu_
  bool fallback_ = false;      // file_ is stderr; guarded by mu_
  bool closed_ = false;        // guarded by mu_
};
