// The claim program without a window: the same start-up, worker, host-reset thread and shut-down, with every
// status update printed as a line on standard output. SIGTERM and SIGINT act as Exit (without the question),
// SIGHUP as Reset. Also the one-shot connectivity test of the command line. Runs on the process's main thread.
#pragma once

#include <iosfwd>

class Headless {
 public:
  // Runs until SIGTERM or SIGINT; gives the process's exit code.
  static int run(std::ostream& out);
  // Runs the connectivity test once, prints its verdict; 0 when the host was verified, else 1.
  static int testConnection(std::ostream& out);
};
