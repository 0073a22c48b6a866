// Claims per second through the worker against the test clearing house on loopback, clear TCP and TLS (a full
// handshake per claim), with the new-handshake rate that `openssl s_time -new` reaches against an
// `openssl s_server` child on the same machine for comparison, and the process's peak resident memory. A claim is
// taken only once it has stood still for a file wait, so the files are dated back when they are written and the
// measured time holds both rounds: the one that sees the files and the one that sends them.
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "claim/Claimora.h"
#include "claim/Parameters.h"
#include "claim/SystemLog.h"
#include "testkit/clearinghouse/ClearingHouseServer.h"
#include "testkit/fixtures/CertificateFixtures.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using testkit::ClearingHouseServer;
using testkit::ConnectionScript;

constexpr int kClaims = 2000;
constexpr int kServerLifetimeMs = 600000;
constexpr int kSTimeSeconds = 5;
constexpr int kReadyWaitMs = 10000;
const std::string kRecord =
    "51B11A01PHARMACY000001220261209\x1e\x1c"
    "AM20\x1c"
    "F4PAID";

double g_tlsClaimsPerSecond = 0;
double g_opensslHandshakesPerSecond = 0;

double peakRssMb() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// A fresh working directory for the run, with the log and settings of the claim program inside it; under
// $TMPDIR when set (a tmpfs or a disk folder, to compare the two), else /tmp.
class WorkDir {
 public:
  WorkDir() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/claim-bench-XXXXXX";
    dir_ = ::mkdtemp(pattern.data());
    previous_ = fs::current_path();
    fs::current_path(dir_);
    SystemLog::setInstance(std::make_shared<SystemLog>("system.log"));
    Parameters::getInstance()->read();
    fs::create_directory("working");
  }
  ~WorkDir() {
    std::error_code ec;
    fs::current_path(previous_, ec);
    fs::remove_all(dir_, ec);
  }

 private:
  fs::path dir_;
  fs::path previous_;
};

std::vector<std::uint8_t> claimFile(int n) {
  std::string claim =
      "610020"
      "51B1"
      "PCN" +
      std::to_string(1000000 + n) +
      "1"
      "01"
      "PHARMACY0000012"
      "20261209";
  while (claim.size() < 120) claim += static_cast<char>('a' + claim.size() % 26);
  claim.insert(claim.begin(), '\x02');
  claim.push_back('\x03');
  return {claim.begin(), claim.end()};
}

void writeClaims() {
  for (int i = 0; i < kClaims; ++i) {
    const auto bytes = claimFile(i);
    std::ofstream out("working/c" + std::to_string(10000 + i) + ".clm", std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
}

int answeredResponses() {
  int n = 0;
  for (const auto& entry : fs::directory_iterator("working")) {
    if (entry.path().extension() != ".rsp") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    n += text.find("F4PAID") != std::string::npos ? 1 : 0;
  }
  return n;
}

void BM_ClaimThroughput(benchmark::State& state, bool tls) {
  const auto& fx = testkit::CertificateFixtures::shared();
  WorkDir wd;
  ClearingHouseServer::Options options;
  options.tls = tls;
  options.certFile = fx.path("server.pem");
  options.keyFile = fx.path("server.key");
  options.lifetimeMs = kServerLifetimeMs;
  ClearingHouseServer server(options);
  server.setDefaultScript(ConnectionScript::answerAtOnce(kRecord));
  fs::copy_file(fx.writeJks({}), "jssecerts", fs::copy_options::overwrite_existing);
  auto& p = *Parameters::getInstance();
  p.setSecurity(tls);
  p.setRemoteIPAddresses({server.address()});
  p.setRemoteClearPort(server.port());
  p.setRemoteSecurePort(server.port());
  p.setRemoteTimeout(5000);

  Claimora worker;
  worker.setUp();
  double seconds = 0;
  int answered = 0;
  for (auto _ : state) {
    state.PauseTiming();
    for (const auto& entry : fs::directory_iterator("working")) fs::remove(entry.path());
    writeClaims();
    for (const auto& entry : fs::directory_iterator("working")) {
      fs::last_write_time(entry.path(), fs::file_time_type::clock::now() - std::chrono::hours(1));
    }
    state.ResumeTiming();
    const auto start = std::chrono::steady_clock::now();
    worker.processRound();  // sees each claim
    worker.processRound();  // takes those that stood still
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.PauseTiming();
    answered += answeredResponses();
    state.ResumeTiming();
  }
  const auto claims = static_cast<std::int64_t>(state.iterations()) * kClaims;
  if (answered != claims) {
    state.SkipWithError(
        ("only " + std::to_string(answered) + " of " + std::to_string(claims) + " claims answered").c_str());
    return;
  }
  state.SetItemsProcessed(claims);
  const double rate = seconds > 0 ? static_cast<double>(claims) / seconds : 0;
  state.counters["peak_rss_mb"] = peakRssMb();
  if (tls) {
    g_tlsClaimsPerSecond = rate;
    state.counters["openssl_new_handshakes_per_second"] = g_opensslHandshakesPerSecond;
    if (g_opensslHandshakesPerSecond > 0) state.counters["ratio_to_openssl"] = rate / g_opensslHandshakesPerSecond;
  }
}

// A free loopback port: bound to port 0, read back, released.
int freePort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
  socklen_t len = sizeof addr;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
  ::close(fd);
  return ntohs(addr.sin_port);
}

bool accepting(int port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(static_cast<std::uint16_t>(port));
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
  ::close(fd);
  return ok;
}

// New TLS handshakes per second of `openssl s_time -new` against an `openssl s_server` child with the same
// certificate on 127.0.0.1; 0 when either cannot run.
double opensslNewHandshakeRate() {
  const auto& fx = testkit::CertificateFixtures::shared();
  const int port = freePort();
  const std::string accept = "127.0.0.1:" + std::to_string(port);
  const std::string lifetime = std::to_string(kSTimeSeconds * 4 + 10);
  const std::string cert = fx.path("server.pem");
  const std::string key = fx.path("server.key");
  std::vector<std::string> args = {"timeout", lifetime, "openssl", "s_server", "-quiet", "-accept",
                                   accept,    "-cert",  cert,      "-key",     key};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, "timeout", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return 0;

  double rate = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kReadyWaitMs);
  while (!accepting(port) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  const std::string command = "timeout " + std::to_string(kSTimeSeconds * 3) + " openssl s_time -connect " + accept +
                              " -new -time " + std::to_string(kSTimeSeconds) + " 2>&1";
  if (FILE* out = ::popen(command.c_str(), "r")) {
    std::string text;
    char buf[512];
    while (std::fgets(buf, sizeof buf, out)) text += buf;
    ::pclose(out);
    std::smatch m;
    static const std::regex real("([0-9]+) connections in ([0-9.]+) real seconds");
    if (std::regex_search(text, m, real) && std::stod(m[2]) > 0) rate = std::stod(m[1]) / std::stod(m[2]);
  }
  ::kill(pid, SIGTERM);
  ::waitpid(pid, nullptr, 0);
  return rate;
}

}  // namespace

BENCHMARK_CAPTURE(BM_ClaimThroughput, clear, false)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_ClaimThroughput, tls, true)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  g_opensslHandshakesPerSecond = opensslNewHandshakeRate();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  // The comparison goes to standard error so that a JSON report on standard output stays clean.
  std::fprintf(stderr, "openssl s_time -new: %.1f new handshakes per second\n", g_opensslHandshakesPerSecond);
  std::fprintf(stderr, "worker over TLS: %.1f claims per second\n", g_tlsClaimsPerSecond);
  if (g_opensslHandshakesPerSecond > 0) {
    std::fprintf(stderr, "ratio: %.2f\n", g_tlsClaimsPerSecond / g_opensslHandshakesPerSecond);
  }
  std::fprintf(stderr, "peak resident memory: %.1f MB\n", peakRssMb());
  return 0;
}
