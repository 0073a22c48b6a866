#include "testkit/postgres/PostgresServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <grp.h>
#include <libpq-fe.h>
#include <netinet/in.h>
#include <pwd.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

namespace testkit {

namespace fs = std::filesystem;

namespace {

struct Account {
  uid_t uid;
  gid_t gid;
  bool switchUser;
};

Account account() {
  if (geteuid() != 0) return {geteuid(), getegid(), false};
  const passwd* entry = getpwnam("postgres");
  if (entry == nullptr)
    throw std::runtime_error("running as root and there is no \"postgres\" account to run the server");
  return {entry->pw_uid, entry->pw_gid, true};
}

bool executable(const fs::path& path) {
  return access(path.c_str(), X_OK) == 0;
}

// The folder holding initdb and postgres: pg_config's, the Debian package's, or one on PATH; empty when none.
std::string findBinDir() {
  std::vector<std::string> candidates;
  if (FILE* pipe = popen("pg_config --bindir 2>/dev/null", "r")) {
    char line[512] = {};
    if (std::fgets(line, sizeof line, pipe) != nullptr) {
      std::string dir = line;
      while (!dir.empty() && (dir.back() == '\n' || dir.back() == ' ')) dir.pop_back();
      candidates.push_back(dir);
    }
    pclose(pipe);
  }
  candidates.push_back("/usr/lib/postgresql/15/bin");
  if (const char* path = std::getenv("PATH")) {
    std::stringstream list(path);
    for (std::string dir; std::getline(list, dir, ':');) candidates.push_back(dir);
  }
  for (const auto& dir : candidates) {
    if (!dir.empty() && executable(fs::path(dir) / "initdb") && executable(fs::path(dir) / "postgres")) return dir;
  }
  return "";
}

// Forks a child that runs argv as the account with its output in logFile; the child gets SIGQUIT when this
// process dies. Everything the child needs is prepared before the fork.
// A zone whose offset differs from the test process's now, so that a session left in the server's zone shows.
std::string serverTimeZone() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local.tm_gmtoff == (5 * 60 + 45) * 60 ? "UTC" : "Asia/Kathmandu";
}

pid_t spawn(const std::vector<std::string>& args, const Account& who, const std::string& logFile) {
  std::vector<char*> argv;
  for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  pid_t parent = getpid();
  pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    int log = open(logFile.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    if (log >= 0) {
      dup2(log, 1);
      dup2(log, 2);
    }
    int null = open("/dev/null", O_RDONLY);
    if (null >= 0) dup2(null, 0);
    if (who.switchUser && (setgroups(0, nullptr) != 0 || setgid(who.gid) != 0 || setuid(who.uid) != 0)) _exit(126);
    // The test's working folder may be closed to the account.
    if (chdir("/") != 0) _exit(124);
    // Set after the change of user, which clears it.
    prctl(PR_SET_PDEATHSIG, SIGQUIT);
    if (getppid() != parent) _exit(125);
    execv(argv[0], argv.data());
    _exit(127);
  }
  return pid;
}

// Waits for the child at most seconds; kills it when it takes longer. Its exit code, or -1.
int waitFor(pid_t pid, int seconds) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (true) {
    int status = 0;
    pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (done < 0) return -1;
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

std::string readTail(const std::string& file) {
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  std::string all = text.str();
  return all.size() > 2000 ? all.substr(all.size() - 2000) : all;
}

void run(const std::vector<std::string>& args, const Account& who, const std::string& logFile, int seconds) {
  if (waitFor(spawn(args, who, logFile), seconds) != 0) {
    throw std::runtime_error(args[0] + " failed: " + readTail(logFile));
  }
}

std::string makeFolder(const std::string& pattern, const Account& who) {
  std::string name = pattern;
  if (mkdtemp(name.data()) == nullptr) throw std::runtime_error("cannot make a folder under /tmp");
  if (who.switchUser && chown(name.c_str(), who.uid, who.gid) != 0) throw std::runtime_error("cannot chown " + name);
  return name;
}

int freePort() {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    if (fd >= 0) close(fd);
    throw std::runtime_error("no free port on 127.0.0.1");
  }
  close(fd);
  return ntohs(address.sin_port);
}

// The initialised folder every server copies, made once per machine and account under a file lock.
std::string templateFolder(const std::string& binDir, const Account& who) {
  std::string base = "/tmp/plat-pg15-template-" + std::to_string(who.uid);
  int lock = open((base + ".lock").c_str(), O_RDWR | O_CREAT, 0600);
  if (lock < 0 || flock(lock, LOCK_EX) != 0) throw std::runtime_error("cannot lock " + base + ".lock");
  try {
    if (!fs::exists(base + "/data/PG_VERSION")) {
      fs::remove_all(base);
      std::string staging = makeFolder("/tmp/plat-pg15-staging-XXXXXX", who);
      std::string pwfile = staging + "/pw";
      std::ofstream(pwfile) << PostgresServer::kPassword << "\n";
      if (who.switchUser && chown(pwfile.c_str(), who.uid, who.gid) != 0) throw std::runtime_error("cannot chown");
      run({binDir + "/initdb", "-D", staging + "/data", "-U", PostgresServer::kUser, "--auth=scram-sha-256",
           "--pwfile=" + pwfile, "-E", "UTF8", "--locale=C", "--no-sync", "--no-instructions"},
          who, staging + "/initdb.log", 120);
      fs::remove(pwfile);
      fs::rename(staging, base);
    }
  } catch (...) {
    close(lock);
    throw;
  }
  close(lock);
  return base;
}

// Folders of servers whose test process died without stopping them.
void removeStaleFolders() {
  std::error_code error;
  for (const auto& entry : fs::directory_iterator("/tmp", error)) {
    std::string name = entry.path().filename().string();
    const std::string prefix = "plat-pg-run-";
    if (name.rfind(prefix, 0) != 0) continue;
    pid_t owner = static_cast<pid_t>(std::atoi(name.c_str() + prefix.size()));
    if (owner > 0 && kill(owner, 0) != 0 && errno == ESRCH) fs::remove_all(entry.path(), error);
  }
}

std::mutex& sharedMutex() {
  static std::mutex mutex;
  return mutex;
}

}  // namespace

PostgresServer* PostgresServer::shared(std::string& whyNot) {
  static std::unique_ptr<PostgresServer> server;  // stopped when the process exits
  std::lock_guard lock(sharedMutex());
  if (server != nullptr) return server.get();
  std::string binDir = findBinDir();
  if (binDir.empty()) {
    whyNot = "no PostgreSQL server programs (initdb, postgres) found via pg_config, /usr/lib/postgresql/15/bin or PATH";
    return nullptr;
  }
  std::unique_ptr<PostgresServer> made(new PostgresServer());
  made->start(binDir);
  server = std::move(made);
  return server.get();
}

void PostgresServer::start(const std::string& binDir) {
  Account who = account();
  removeStaleFolders();
  std::string source = templateFolder(binDir, who);
  binDir_ = binDir;
  folder_ = makeFolder("/tmp/plat-pg-run-" + std::to_string(getpid()) + "-XXXXXX", who);
  run({"/bin/cp", "-a", source + "/data", folder_ + "/data"}, who, folder_ + "/copy.log", 60);
  for (int attempt = 0;; ++attempt) {
    port_ = freePort();
    if (launch()) break;
    // Another process may have taken the port between our probe and the server's bind: try another once more.
    if (attempt == 2) {
      std::string log = readTail(folder_ + "/server.log");
      stop();
      throw std::runtime_error("PostgreSQL did not start: " + log);
    }
  }
  exec("postgres", std::string("CREATE ROLE ") + kOtherUser + " LOGIN PASSWORD '" + kOtherPassword + "'");
}

bool PostgresServer::launch() {
  pid_ = spawn({binDir_ + "/postgres",
                "-D",
                folder_ + "/data",
                "-p",
                std::to_string(port_),
                "-c",
                "listen_addresses=127.0.0.1",
                "-c",
                "unix_socket_directories=" + folder_,
                "-c",
                "fsync=off",
                "-c",
                "synchronous_commit=off",
                "-c",
                "full_page_writes=off",
                "-c",
                "shared_buffers=16MB",
                "-c",
                "max_connections=60",
                "-c",
                "logging_collector=off",
                "-c",
                "timezone=" + serverTimeZone()},
               account(), folder_ + "/server.log");
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  std::string info = conninfo("postgres");
  while (PQping(info.c_str()) != PQPING_OK) {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = 0;
      return false;
    }
    if (std::chrono::steady_clock::now() > deadline) {
      stop();
      throw std::runtime_error("PostgreSQL did not accept connections within 30 s");
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

PostgresServer::~PostgresServer() {
  stop();
}

void PostgresServer::shutDown() {
  if (pid_ > 0) {
    kill(pid_, SIGINT);  // fast shutdown: no waiting for clients
    if (waitFor(pid_, 10) < 0) kill(pid_, SIGKILL);
    pid_ = 0;
  }
}

void PostgresServer::restart() {
  if (folder_.empty()) throw std::runtime_error("the PostgreSQL server was stopped");
  shutDown();
  // The same folder and port: clients reconnect to where they were.
  if (!launch()) {
    std::string log = readTail(folder_ + "/server.log");
    stop();
    throw std::runtime_error("PostgreSQL did not restart: " + log);
  }
}

void PostgresServer::stop() {
  shutDown();
  if (!folder_.empty()) {
    std::error_code error;
    fs::remove_all(folder_, error);
    folder_.clear();
  }
}

std::string PostgresServer::conninfo(const std::string& database) const {
  return "host=127.0.0.1 port=" + std::to_string(port_) + " dbname=" + database + " user=" + kUser +
         " password=" + kPassword + " connect_timeout=10";
}

std::string PostgresServer::url(const std::string& database) const {
  return "jdbc:postgresql://127.0.0.1:" + std::to_string(port_) + "/" + database;
}

std::string PostgresServer::createDatabase() {
  std::string name;
  {
    std::lock_guard lock(sharedMutex());
    name = "t" + std::to_string(++databases_);
  }
  exec("postgres", "CREATE DATABASE " + name);
  exec("postgres", "GRANT ALL ON DATABASE " + name + " TO " + kOtherUser);
  exec(name, std::string("GRANT ALL ON SCHEMA public TO ") + kOtherUser);
  return name;
}

void PostgresServer::exec(const std::string& database, const std::string& sql) {
  PGconn* conn = PQconnectdb(conninfo(database).c_str());
  std::string error;
  if (PQstatus(conn) != CONNECTION_OK) {
    error = PQerrorMessage(conn);
  } else {
    PGresult* result = PQexec(conn, sql.c_str());
    ExecStatusType status = PQresultStatus(result);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) error = PQresultErrorMessage(result);
    PQclear(result);
  }
  PQfinish(conn);
  if (!error.empty()) throw std::runtime_error(sql + ": " + error);
}

}  // namespace testkit
