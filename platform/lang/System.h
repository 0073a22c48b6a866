// Process-wide console sinks (System.out, System.err), the line separator, the clock and the few system properties
// the code asks for. Each sink serialises its writers with its own mutex, so a line is never torn by another thread.
#pragma once

#include <cstdint>
#include <cstdio>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace plat::lang {

class ConsoleCapture;

// A text sink over one standard stream, flushed after every write. Safe from any thread; a println writes its text
// and line end in one piece.
class ConsoleSink {
 public:
  explicit ConsoleSink(std::FILE* target) : target_(target) {}
  ConsoleSink(const ConsoleSink&) = delete;
  ConsoleSink& operator=(const ConsoleSink&) = delete;

  void print(std::string_view text);
  // The text and a line end.
  void println(std::string_view text);
  void println();
  void flush();

 private:
  friend class ConsoleCapture;
  void write(std::string_view text, bool newline);

  std::mutex mutex_;
  std::FILE* target_;                  // not owned; stdout or stderr
  ConsoleCapture* capture_ = nullptr;  // guarded by mutex_; most recent live capture, or none
};

class System {
 public:
  System() = delete;

  static ConsoleSink& out();
  static ConsoleSink& err();

  static std::string lineSeparator() { return "\n"; }
  // Milliseconds since 1970-01-01 00:00 UTC.
  static int64_t currentTimeMillis();
  // Answers "line.separator", "os.name" ("Linux") and "user.dir" (the working directory); nothing for other names.
  static std::optional<std::string> getProperty(std::string_view name);
  static std::string getProperty(std::string_view name, std::string_view fallback);
};

// While alive, takes what is written to System::out(), System::err() or both, instead of the real streams.
// Captures nest: the most recent live one receives, and any may end first. text() is safe while other threads
// write.
class ConsoleCapture {
 public:
  enum class Target { kOut, kErr, kBoth };

  explicit ConsoleCapture(Target target = Target::kOut);
  ~ConsoleCapture();
  ConsoleCapture(const ConsoleCapture&) = delete;
  ConsoleCapture& operator=(const ConsoleCapture&) = delete;

  // Everything captured so far, in the order written.
  std::string text() const;
  void clear();

 private:
  friend class ConsoleSink;
  void append(std::string_view text, bool newline);
  void attach(ConsoleSink& sink);
  void detach(ConsoleSink& sink);
  ConsoleCapture*& previousIn(const ConsoleSink& sink);

  Target target_;
  ConsoleCapture* previousOut_ = nullptr;  // next older capture of out, guarded by out's mutex
  ConsoleCapture* previousErr_ = nullptr;  // likewise for err
  mutable std::mutex mutex_;
  std::string text_;  // guarded by mutex_
};

}  // namespace plat::lang
