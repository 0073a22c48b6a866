// Claim cutting and reject building on arbitrary claim-file bytes, in every framing mode and data offset, and the
// reject builder on arbitrary claim starts and output offsets.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "claim/Claimora.h"
#include "claim/Constants.h"
#include "claim/FormatResponse.h"
#include "claim/SystemLog.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Claimora* worker = [] {
    SystemLog::setInstance(std::make_shared<SystemLog>("/dev/null"));
    return new Claimora();
  }();
  if (size < 4) return 0;
  const int mode = data[0] % 3;
  const int offset = (data[1] << 8 | data[2]) % 64;
  const bool checkSum = data[3] & 1;
  const std::span<const std::uint8_t> file(data + 4, size - 4);

  const int claimsize = worker->cutClaim(file, mode, offset);
  if (claimsize > 0) {
    // The claim the session would send lies inside the request buffer.
    const long from = static_cast<long>(worker->getStx()) + offset + 1;
    if (from < 0 || from + claimsize > static_cast<long>(worker->getRequest().size())) __builtin_trap();
  }
  const int end = worker->buildReject("QOV:  No Response.", offset);
  if (end < 0 || end > static_cast<int>(worker->getResponse().size())) __builtin_trap();
  const std::vector<std::uint8_t> out = worker->responseFileBytes(mode, offset, checkSum);
  // At most the claim's lead and trailer (each within the file's first 4096 bytes), the payload, ETX and check byte.
  if (out.size() > 3 * static_cast<std::size_t>(Constants::bufferSize) + 2) __builtin_trap();

  // The builder on its own, at any start and output offset.
  FormatResponse format;
  format.collectRejectCodes("85");
  std::vector<std::uint8_t> target(512);
  const int c = static_cast<int>(data[1]) - 16;
  const int o = static_cast<int>(data[2]) * 2 - 8;
  const int r = format.ClaimRejectedResponse(file, c, "QOV:  Failed To Send Claim.", target, o);
  if (r < 0 || r > static_cast<int>(target.size())) __builtin_trap();
  return 0;
}
