// The claim program apart from its window: the shared constants, log and settings made in start-up order, the
// host-reset thread and the worker started at open, Reset, the connectivity tests, and shut-down with the saved
// window position. The window and the headless mode both drive it. Operations are called by one thread at a time
// (the GUI thread, the window's stopper thread for Reset and Exit, or the headless main loop); the threads it
// starts report only through the StatusListener.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "claim/Claimora.h"
#include "claim/Dialogs.h"
#include "claim/IPTester.h"
#include "claim/PointFile.h"
#include "claim/Reset.h"
#include "claim/StatusListener.h"
#include "platform/lang/Object.h"

class Constants;
class Parameters;
class SystemLog;

class ClaimProgram {
 public:
  static constexpr const char* kTitle = "Claimora";
  static constexpr const char* kExitTitle = "Claimora - Exit";
  static constexpr const char* kExitQuestion = "Do you really want to exit?";

  // Fetches Constants, then SystemLog (which writes "System Log Started." when first made), then Parameters.
  // `listener` (borrowed) receives the worker's status and must outlive this object.
  explicit ClaimProgram(StatusListener* listener);
  // Stops and joins whatever still runs; the log stays open (only shutDown closes it).
  ~ClaimProgram();
  ClaimProgram(const ClaimProgram&) = delete;
  ClaimProgram& operator=(const ClaimProgram&) = delete;

  // The position saved in "jwin.dat", remembered for the About dialog. A file that cannot be read is logged and
  // ignored, so the threads still start.
  std::optional<WindowPoint> restorePosition();
  // Starts the host-reset thread, then the worker. Throws as a start fails.
  void startThreads();
  // Halts and joins the worker (the claim in hand is finished first), re-reads the settings and starts a new
  // worker. With no worker it only starts one.
  void reset();
  // Saves `position` when given, halts the threads and joins them (the worker after its claim in hand), and
  // closes the log.
  void shutDown(std::optional<WindowPoint> position);

  // Starts one connectivity test; it runs beside the program and is joined at shut-down.
  plat::lang::Ref<IPTester> startTest(Dialogs* dialogs, IPTester::CommandFor command = {});

  std::optional<WindowPoint> restoredPosition() const { return loc; }
  plat::lang::Ref<Claimora> worker() const { return is; }
  plat::lang::Ref<Reset> resetThread() const { return r; }
  bool isShutDown() const { return shutDown_; }

 private:
  void stopAll();
  void log(const std::string& message);

  StatusListener* listener_;  // borrowed
  const Constants& constants_;
  plat::lang::Ref<SystemLog> systemLog_;
  plat::lang::Ref<Parameters> parameters_;
  plat::lang::Ref<Claimora> is;  // the current worker, replaced on Reset
  plat::lang::Ref<Reset> r;      // the host-reset thread, one for the program's life
  std::vector<plat::lang::Ref<IPTester>> testers_;
  std::optional<WindowPoint> loc;  // restored from "jwin.dat" at open
  bool shutDown_ = false;
};
