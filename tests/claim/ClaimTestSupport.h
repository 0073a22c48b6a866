// Test support for the claim program: a fresh temporary working directory per test, with the shared log and
// settings pointed at it, and small file helpers.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

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

// A key store "jssecerts" (PKCS#12, store password of the worker) whose key entry is a self-signed certificate,
// made once per test run with the openssl command; the same key and certificate serve a TLS test server.
struct KeyFixture {
  std::filesystem::path dir;
  std::filesystem::path keyPem;
  std::filesystem::path certPem;
  std::filesystem::path keyStore;
  bool ok = false;
};

inline const KeyFixture& keyFixture() {
  static const KeyFixture fixture = [] {
    KeyFixture f;
    char pattern[] = "/tmp/claimtest-keys-XXXXXX";
    const char* made = ::mkdtemp(pattern);
    if (made == nullptr) return f;
    f.dir = made;
    f.keyPem = f.dir / "key.pem";
    f.certPem = f.dir / "cert.pem";
    f.keyStore = f.dir / "jssecerts";
    const std::string d = f.dir.string();
    const std::string cmd = "cd '" + d +
                            "' && timeout 60 openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 "
                            "-nodes -keyout key.pem -out cert.pem -days 2 -subj /CN=127.0.0.1 >/dev/null 2>&1 && "
                            "timeout 60 openssl pkcs12 -export -in cert.pem -inkey key.pem -out jssecerts "
                            "-passout pass:tumbrelosk >/dev/null 2>&1";
    f.ok = std::system(cmd.c_str()) == 0;
    // Readable by a test child that runs under another user.
    std::error_code ec;
    namespace fs = std::filesystem;
    fs::permissions(f.dir,
                    fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read |
                        fs::perms::others_exec,
                    ec);
    for (const auto& p : {f.keyPem, f.certPem, f.keyStore}) {
      fs::permissions(
          p, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read, ec);
    }
    return f;
  }();
  return fixture;
}

// Copies the key store into the working directory; false when it could not be made.
inline bool installKeyStore() {
  const auto& f = keyFixture();
  if (!f.ok) return false;
  std::error_code ec;
  std::filesystem::copy_file(f.keyStore, "jssecerts", std::filesystem::copy_options::overwrite_existing, ec);
  std::filesystem::permissions("jssecerts", std::filesystem::perms::all, ec);
  return !ec;
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
