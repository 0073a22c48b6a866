#include "claim/ClaimProgram.h"

#include <cstdlib>
#include <exception>

#include "claim/Constants.h"
#include "claim/ErrorText.h"
#include "claim/Parameters.h"
#include "claim/SystemLog.h"
#include "platform/lang/Exceptions.h"

namespace {

std::string messageOf(const std::exception& e) {
  return ErrorText::messageOf(e);
}

}  // namespace

ClaimProgram::ClaimProgram(StatusListener* listener)
    : listener_(listener),
      constants_(Constants::getInstance()),
      systemLog_(SystemLog::getInstance()),
      parameters_(Parameters::getInstance()) {
  (void)constants_;
}

ClaimProgram::~ClaimProgram() {
  try {
    stopAll();
  } catch (...) {
    // A destructor never throws; the threads' own destructors join them in any case.
  }
}

void ClaimProgram::log(const std::string& message) {
  SystemLog::getInstance()->writeLog(message);
}

std::optional<WindowPoint> ClaimProgram::restorePosition() {
  try {
    loc = PointFile::read(PointFile::kFileName);
  } catch (const std::exception& e) {
    loc.reset();
    log("JFrame1.open():  " + messageOf(e));
  }
  return loc;
}

void ClaimProgram::startThreads() {
  if (!r) {
    r = plat::lang::makeRef<Reset>();
    r->start();
  }
  is = plat::lang::makeRef<Claimora>(listener_);
  is->start();
}

void ClaimProgram::reset() {
  if (listener_) listener_->statusField(StatusListener::Field::System, "System:  Resetting");
  log("System resetting.");
  if (is) {
    is->Halt();
    try {
      is->join();
    } catch (const plat::lang::InterruptedException&) {
      std::exit(-1);
    }
    is.reset();
  }
  Parameters::getInstance()->read();
  is = plat::lang::makeRef<Claimora>(listener_);
  is->start();
}

plat::lang::Ref<IPTester> ClaimProgram::startTest(Dialogs* dialogs, IPTester::CommandFor command) {
  // Finished tests leave the list here, so a long session of Test clicks does not pile up threads.
  std::erase_if(testers_, [](const plat::lang::Ref<IPTester>& t) { return !t->isAlive(); });
  auto tester = plat::lang::makeRef<IPTester>(dialogs, std::move(command));
  testers_.push_back(tester);
  return tester;
}

void ClaimProgram::stopAll() {
  if (is) is->Halt();
  if (r) r->Halt();
  for (auto& t : testers_) t->Halt();
  if (is) {
    try {
      is->join();
    } catch (const plat::lang::InterruptedException& e) {
      log("JFrame1.shutDown():  " + e.getMessage());
    }
  }
  if (r) r->join();
  for (auto& t : testers_) t->join();
  testers_.clear();
}

void ClaimProgram::shutDown(std::optional<WindowPoint> position) {
  if (shutDown_) return;
  shutDown_ = true;
  if (position) {
    try {
      PointFile::write(PointFile::kFileName, *position);
    } catch (const std::exception& e) {
      log("JFrame1.shutDown():  " + messageOf(e));
    }
  }
  stopAll();
  SystemLog::getInstance()->closeLog();
}
