// Runs the SQL middleware test server from the command line for examples and demos: SQLite behind the server
// objects, listening on an ephemeral port of a 127.x.y.z address, seeded with the given statements, and ending by
// itself after --seconds N. Its first line of output names the driver URL to connect to.
//   middleware [--address A] [--database FILE] [--sql STATEMENT]... [--seconds N]
#include <chrono>
#include <csignal>
#include <iostream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "testkit/middleware/sql/SqlMiddlewareServer.h"

namespace {

volatile std::sig_atomic_t stopRequested = 0;
void onSignal(int) {
  stopRequested = 1;
}

int usage(const std::string& why) {
  std::cerr << "middleware: " << why << "\n"
            << "usage: middleware [--address A] [--database FILE] [--sql STATEMENT]... [--seconds N]\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  constexpr int kDefaultSeconds = 60;
  constexpr int kMaxSeconds = 24 * 3600;
  testkit::middleware::sql::SqlMiddlewareServer::Options options;
  std::vector<std::string> seed;
  int seconds = kDefaultSeconds;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) throw std::invalid_argument(arg + " needs a value");
      return argv[++i];
    };
    try {
      if (arg == "--address") {
        options.address = value();
      } else if (arg == "--database") {
        options.databaseFile = value();
      } else if (arg == "--sql") {
        seed.push_back(value());
      } else if (arg == "--seconds") {
        seconds = std::stoi(value());
      } else {
        return usage("unknown argument " + arg);
      }
    } catch (const std::exception& e) {
      return usage(e.what());
    }
  }
  if (seconds <= 0 || seconds > kMaxSeconds) return usage("--seconds must lie in 1.." + std::to_string(kMaxSeconds));
  options.lifetimeMs = seconds * 1000;
  // A long-running server would otherwise keep a copy of every packet.
  options.record = false;

  std::signal(SIGINT, onSignal);
  std::signal(SIGTERM, onSignal);
  try {
    testkit::middleware::sql::SqlMiddlewareServer server(options);
    for (const auto& sql : seed) server.execute(sql);
    std::cout << server.driverUrl() << std::endl;
    std::cout << "middleware listening on " << server.address() << ":" << server.port() << " for " << seconds << " s"
              << std::endl;
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!stopRequested && std::chrono::steady_clock::now() < end) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    server.server().stop();
  } catch (const std::exception& e) {
    std::cerr << "middleware: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
