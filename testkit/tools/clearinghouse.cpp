// Runs the test clearing house from the command line for demos: clear or TLS on a 127.x.y.z address, answering
// every claim with one fixed record, and ending by itself after --seconds N.
//   clearinghouse [--address A] [--port P] [--tls --cert F --key F [--client-ca F]] [--response TEXT]
//                 [--seconds N]
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <stdexcept>
#include <string>
#include <thread>

#include "testkit/clearinghouse/ClearingHouseServer.h"

namespace {

volatile std::sig_atomic_t stopRequested = 0;
void onSignal(int) {
  stopRequested = 1;
}

constexpr const char* kUsage =
    "usage: clearinghouse [--address A] [--port P] [--tls --cert F --key F [--client-ca F]]"
    " [--response TEXT] [--seconds N]\n";

int usage(const std::string& why) {
  std::cerr << "clearinghouse: " << why << "\n" << kUsage;
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  constexpr int kDefaultSeconds = 60;
  constexpr int kMaxSeconds = 24 * 3600;
  testkit::ClearingHouseServer::Options options;
  std::string response = "ACCEPTED";
  int seconds = kDefaultSeconds;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) throw std::invalid_argument(arg + " needs a value");
      return argv[++i];
    };
    if (arg == "--help" || arg == "-h") {
      std::cout << kUsage
                << "A stand-in clearing house on a 127.x.y.z address that answers every claim with one record (default"
                   " ACCEPTED)\nand ends by itself after --seconds (default 60).\n";
      return 0;
    }
    try {
      if (arg == "--address") {
        options.address = value();
      } else if (arg == "--port") {
        options.port = std::stoi(value());
      } else if (arg == "--tls") {
        options.tls = true;
      } else if (arg == "--cert") {
        options.certFile = value();
      } else if (arg == "--key") {
        options.keyFile = value();
      } else if (arg == "--client-ca") {
        options.clientCaFile = value();
      } else if (arg == "--response") {
        response = value();
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
  if (options.tls && (options.certFile.empty() || options.keyFile.empty()))
    return usage("--tls needs --cert and --key");
  options.lifetimeMs = seconds * 1000;

  std::signal(SIGINT, onSignal);
  std::signal(SIGTERM, onSignal);
  try {
    testkit::ClearingHouseServer server(options);
    server.setDefaultScript(testkit::ConnectionScript::answerAtOnce(response));
    std::cout << "clearinghouse listening on " << server.address() << ":" << server.port()
              << (options.tls ? " (TLS)" : " (clear)") << " for " << seconds << " s" << std::endl;
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!stopRequested && std::chrono::steady_clock::now() < end) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    server.stop();
    std::cout << "clearinghouse stopped after " << server.connectionCount() << " connections" << std::endl;
  } catch (const std::exception& e) {
    std::cerr << "clearinghouse: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
