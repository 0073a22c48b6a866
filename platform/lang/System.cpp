#include "platform/lang/System.h"

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <vector>

namespace plat::lang {

void ConsoleSink::write(std::string_view text, bool newline) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (capture_ != nullptr) {
    capture_->append(text, newline);
    return;
  }
  // Every write is flushed, as the runtime's console streams do, so that a prompt without a line end shows and
  // out and err interleave in the order written.
  if (!text.empty()) std::fwrite(text.data(), 1, text.size(), target_);
  if (newline) std::fputc('\n', target_);
  std::fflush(target_);
}

void ConsoleSink::print(std::string_view text) {
  write(text, false);
}

void ConsoleSink::println(std::string_view text) {
  write(text, true);
}

void ConsoleSink::println() {
  write({}, true);
}

void ConsoleSink::flush() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (capture_ == nullptr) std::fflush(target_);
}

ConsoleSink& System::out() {
  static ConsoleSink sink(stdout);  // process-wide, lives until the process ends
  return sink;
}

ConsoleSink& System::err() {
  static ConsoleSink sink(stderr);
  return sink;
}

int64_t System::currentTimeMillis() {
  using std::chrono::duration_cast;
  using std::chrono::milliseconds;
  return duration_cast<milliseconds>(std::chrono::system_clock::now().time_since_epoch()).count();
}

std::optional<std::string> System::getProperty(std::string_view name) {
  if (name == "line.separator") return lineSeparator();
  if (name == "os.name") return std::string("Linux");
  if (name == "user.dir") {
    std::vector<char> buffer(256);
    for (;;) {
      if (::getcwd(buffer.data(), buffer.size()) != nullptr) return std::string(buffer.data());
      if (errno != ERANGE) return std::nullopt;  // the working directory is gone or unreadable
      buffer.resize(buffer.size() * 2);
    }
  }
  return std::nullopt;
}

std::string System::getProperty(std::string_view name, std::string_view fallback) {
  std::optional<std::string> value = getProperty(name);
  return value ? *value : std::string(fallback);
}

ConsoleCapture*& ConsoleCapture::previousIn(const ConsoleSink& sink) {
  return &sink == &System::out() ? previousOut_ : previousErr_;
}

void ConsoleCapture::attach(ConsoleSink& sink) {
  std::lock_guard<std::mutex> lock(sink.mutex_);
  std::fflush(sink.target_);  // what was written before the capture stays before it
  previousIn(sink) = sink.capture_;
  sink.capture_ = this;
}

// Unlinks this capture wherever it sits in the sink's chain, so that an out-of-order destruction leaves no
// dangling link behind.
void ConsoleCapture::detach(ConsoleSink& sink) {
  std::lock_guard<std::mutex> lock(sink.mutex_);
  ConsoleCapture** link = &sink.capture_;
  while (*link != nullptr && *link != this) link = &(*link)->previousIn(sink);
  if (*link == this) *link = previousIn(sink);
}

ConsoleCapture::ConsoleCapture(Target target) : target_(target) {
  if (target_ != Target::kErr) attach(System::out());
  if (target_ != Target::kOut) attach(System::err());
}

ConsoleCapture::~ConsoleCapture() {
  if (target_ != Target::kOut) detach(System::err());
  if (target_ != Target::kErr) detach(System::out());
}

std::string ConsoleCapture::text() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return text_;
}

void ConsoleCapture::clear() {
  std::lock_guard<std::mutex> lock(mutex_);
  text_.clear();
}

void ConsoleCapture::append(std::string_view text, bool newline) {
  std::lock_guard<std::mutex> lock(mutex_);
  text_ += text;
  if (newline) text_.push_back('\n');
}

}  // namespace plat::lang
