// A throwaway PostgreSQL 15 server for tests: one per test process, started on first use from a copy of an
// initialised folder (made once per machine and user, then reused), as an unprivileged account (the package's
// "postgres" when the process runs as root), on a free 127.0.0.1 port with scram-sha-256 passwords, in a time zone
// whose offset is not the test process's (so a session left in the server's zone shows). It has a
// superuser and a second role, and makes a fresh database per test. It dies with the test process, stops at exit
// and removes its folder; a folder left by a killed process is removed by the next start. Thread-safe.
#pragma once

#include <memory>
#include <string>

namespace testkit {

class PostgresServer {
 public:
  static constexpr const char* kUser = "plat";
  static constexpr const char* kPassword = "plat-secret";
  static constexpr const char* kOtherUser = "clerk";
  static constexpr const char* kOtherPassword = "clerk-secret";

  // The process's server, started on first call. Null, with the reason in whyNot, when this machine has no
  // PostgreSQL server programs; std::runtime_error when they are there but the server cannot be started.
  static PostgresServer* shared(std::string& whyNot);

  PostgresServer(const PostgresServer&) = delete;
  PostgresServer& operator=(const PostgresServer&) = delete;
  ~PostgresServer();

  int port() const { return port_; }
  // "jdbc:postgresql://127.0.0.1:<port>/<database>".
  std::string url(const std::string& database) const;
  // The libpq connection text for database as the test role.
  std::string conninfo(const std::string& database) const;
  // A new, empty database that both roles may use; its name.
  std::string createDatabase();
  // Runs SQL as the superuser on database; std::runtime_error with the server's message on failure.
  void exec(const std::string& database, const std::string& sql);
  // Shuts the server down at once (its clients' connections end) and starts it again on the same port and data;
  // returns once it accepts connections. std::runtime_error when it does not come back; it is then stopped.
  void restart();
  // Stops the server at once and removes its folder; later calls do nothing.
  void stop();

 private:
  PostgresServer() = default;
  void start(const std::string& binDir);
  // Runs the server on port_; false when it exited before accepting connections.
  bool launch();
  void shutDown();

  std::string binDir_;
  std::string folder_;
  int port_ = 0;
  int pid_ = 0;
  int databases_ = 0;
};

}  // namespace testkit
