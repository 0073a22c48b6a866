// The settings parser on arbitrary text: every line either applies or is logged as an error, never more.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "claim/Parameters.h"
#include "claim/SystemLog.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool logSet = [] {
    SystemLog::setInstance(std::make_shared<SystemLog>("/dev/null"));
    return true;
  }();
  (void)logSet;
  Parameters params;
  params.parseSettings(std::string_view(reinterpret_cast<const char*>(data), size));
  // Whatever was read, the settings stay within their bounds.
  const int offset = params.getDataOffset();
  if (offset < 0 || offset > Parameters::kMaxDataOffset) __builtin_trap();
  for (int i = 0; i < 2; ++i) {
    const int port = params.getRemotePort(i);
    if (port < Parameters::kMinPort || port > Parameters::kMaxPort) __builtin_trap();
  }
  if (params.getFileWait() < 0 || params.getRemoteTimeout() < 0 || params.getRemoteHosts().empty()) __builtin_trap();
  params.rollOver();
  (void)params.getRemoteHost();
  return 0;
}
