// jpeRunMain() and sysExit(): starting a program by its main class name and ending the process the way the
// managed runtime does.
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "platform/lang/Exceptions.h"
#include "platform/lang/System.h"
#include "platform/runvale/ClassRegistry.h"
#include "platform/runvale/MainClass.h"

namespace plat::runvale {

namespace {

constexpr int kFailureExitCode = 1;

void flushConsole() {
  plat::lang::System::out().flush();
  plat::lang::System::err().flush();
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
}

}  // namespace

int jpeRunMain(const std::string& mainClass, const std::vector<std::string>& args) {
  std::shared_ptr<MainClass> program;
  try {
    program = std::dynamic_pointer_cast<MainClass>(ClassRegistry::instance().newInstance(mainClass));
  } catch (const plat::lang::Throwable& failure) {
    plat::lang::System::err().println("Error: Could not find or load main class " + mainClass);
    plat::lang::System::err().println("Caused by: " + failure.toString());
    return kFailureExitCode;
  }
  if (!program) {
    plat::lang::System::err().println("Error: Main method not found in class " + mainClass);
    return kFailureExitCode;
  }
  // An exception that leaves main ends the program as the runtime ends it: reported, exit code 1.
  try {
    return program->main(args);
  } catch (const plat::lang::Throwable& uncaught) {
    plat::lang::System::err().println("Exception in thread \"main\" " + uncaught.toString());
    return kFailureExitCode;
  }
}

void sysExit(int code) {
  flushConsole();
  // Like the runtime's exit, other threads are not unwound: static destructors must not run under them.
  std::quick_exit(code);
}

}  // namespace plat::runvale
