// Test support for the claim program: a fresh temporary working directory per test, with the shared log and
// settings pointed at it, and small file helpers.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <mutex>
#include <string>
#include <vector>

#include "claim/Parameters.h"
#include "claim/StatusListener.h"
#include "claim/SystemLog.h"
#include "testkit/fixtures/CertificateFixtures.h"

namespace claimtest {

using Bytes = std::vector<std::uint8_t>;

inline Bytes bytesOf(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

inline void writeFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline void writeText(const std::filesystem::path& path, const std::string& text) {
  writeFile(path, bytesOf(text));
}

inline Bytes readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Chdirs into a new temporary directory for the life of the object and gives the shared log a fresh
// "system.log" there; the settings are re-read (defaults, as no cm.ini exists yet).
class TempWorkDir {
 public:
  TempWorkDir() {
    char pattern[] = "/tmp/claimtest-XXXXXX";
    const char* made = ::mkdtemp(pattern);
    if (made == nullptr) throw std::runtime_error("mkdtemp failed");
    dir_ = made;
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
    oldLog_ = SystemLog::setInstance(std::make_shared<SystemLog>("system.log"));
    Parameters::getInstance()->read();
  }
  ~TempWorkDir() {
    SystemLog::setInstance(oldLog_);
    std::error_code ec;
    std::filesystem::current_path(previous_, ec);
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_all, ec);
    for (auto& entry : std::filesystem::recursive_directory_iterator(dir_, ec)) {
      std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all, ec);
    }
    std::filesystem::remove_all(dir_, ec);
  }
  TempWorkDir(const TempWorkDir&) = delete;
  TempWorkDir& operator=(const TempWorkDir&) = delete;

  const std::filesystem::path& path() const { return dir_; }

  // The messages of the log lines written since the directory was made, without their date prefix.
  std::vector<std::string> logMessages() const {
    std::vector<std::string> messages;
    std::ifstream in(dir_ / "system.log");
    std::string line;
    while (std::getline(in, line)) {
      const auto at = line.find("  --  ");
      messages.push_back(at == std::string::npos ? line : line.substr(at + 6));
    }
    return messages;
  }

  bool logHas(const std::string& message) const {
    for (const auto& m : logMessages()) {
      if (m == message) return true;
    }
    return false;
  }

  // Lines that begin with `prefix` (exchange failures end with the claim and host they concern).
  int logCountPrefix(const std::string& prefix) const {
    int n = 0;
    for (const auto& m : logMessages()) n += m.starts_with(prefix) ? 1 : 0;
    return n;
  }
  bool logHasPrefix(const std::string& prefix) const { return logCountPrefix(prefix) > 0; }
  // The outcome line of claim `name`, or empty; exactly one is expected per claim handled.
  std::vector<std::string> outcomes(const std::string& name) const {
    std::vector<std::string> found;
    for (const auto& m : logMessages()) {
      if (m.starts_with("Outcome <" + name + ">,")) found.push_back(m);
    }
    return found;
  }

  int logCount(const std::string& message) const {
    int n = 0;
    for (const auto& m : logMessages()) n += (m == message) ? 1 : 0;
    return n;
  }

 private:
  std::filesystem::path dir_;
  std::filesystem::path previous_;
  plat::lang::Ref<SystemLog> oldLog_;
};

// Copies a key store "jssecerts" (JKS, the worker's store and key passwords, the client key and the test CA) into
// the working directory. The store is made with the OpenSSL library, so this never fails for want of a command.
inline bool installKeyStore() {
  const auto& fx = testkit::CertificateFixtures::shared();
  static const std::string store = fx.writeJks({});
  std::error_code ec;
  std::filesystem::copy_file(store, "jssecerts", std::filesystem::copy_options::overwrite_existing, ec);
  std::filesystem::permissions("jssecerts", std::filesystem::perms::all, ec);
  return !ec;
}

// Moves the modification time of every file under `dir` an hour back, as if each had been written long ago.
inline void backdate(const std::filesystem::path& dir) {
  namespace fs = std::filesystem;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(dir, ec)) {
    fs::last_write_time(entry.path(), fs::file_time_type::clock::now() - std::chrono::hours(1), ec);
  }
}

// Two rounds over settled files: the first sees each file, the second takes those that stood still. Files
// written before the call count as long finished.
template <typename Worker>
void settledRound(Worker& worker, const std::filesystem::path& sendDir = "working") {
  backdate(sendDir);
  worker.processRound();
  worker.processRound();
}

// Records every status text the worker reports; an optional hook sees each cell update as it happens.
class RecordingListener : public StatusListener {
 public:
  void statusCell(int column, const std::string& text) override {
    std::function<void(int, const std::string&)> hook;
    {
      std::lock_guard<std::mutex> lock(mu_);
      cells_[column == 0 ? 0 : 1].push_back(text);
      hook = onCell;
    }
    if (hook) hook(column, text);
  }
  void statusField(Field field, const std::string& text) override {
    std::lock_guard<std::mutex> lock(mu_);
    (field == Field::System ? system_ : results_).push_back(text);
  }

  std::vector<std::string> cells(int column) const {
    std::lock_guard<std::mutex> lock(mu_);
    return cells_[column == 0 ? 0 : 1];
  }
  std::vector<std::string> system() const {
    std::lock_guard<std::mutex> lock(mu_);
    return system_;
  }
  std::vector<std::string> results() const {
    std::lock_guard<std::mutex> lock(mu_);
    return results_;
  }
  bool sawResult(const std::string& text) const {
    for (const auto& r : results()) {
      if (r == text) return true;
    }
    return false;
  }

  std::function<void(int, const std::string&)> onCell;  // set before the worker starts

 private:
  mutable std::mutex mu_;
  std::vector<std::string> cells_[2];
  std::vector<std::string> system_;
  std::vector<std::string> results_;
};

}  // namespace claimtest
