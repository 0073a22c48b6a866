#include "quenlora/zafoli/db/net/NetDataCompressed.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/io/IOException.h"
#include "platform/lang/System.h"
#include "platform/zip/DataFormatException.h"
#include "platform/zip/Inflater.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/NetClass.h"
#include "quenlora/zafoli/db/net/NetErrors.h"

namespace quenlora::zafoli::db::net {

int NetDataCompressed::getType() const {
  return Define::SERVER_DATA;
}

bool NetDataCompressed::acceptableSizes(std::int64_t compressedSize, std::int64_t originalSize) {
  if (compressedSize <= 0 || originalSize <= 0) return false;
  return originalSize <= std::min(kMaxOriginalBytes, kMaxRatio * compressedSize + kRatioSlack);
}

void NetDataCompressed::read(plat::io::DataInputStream& in) {
  const std::int16_t zipLen = in.readShort();
  const std::int32_t origLen = in.readInt();
  plat::lang::System::out().println("NetDataCompressed: ziplen " + std::to_string(zipLen) + " origlen " +
                                    std::to_string(origLen));
  // Nothing is allocated from a size that was not checked; a bad frame leaves the stream out of step, so it is an
  // I/O failure, which the request layer reports as a lost connection.
  if (!acceptableSizes(zipLen, origLen)) throw plat::io::IOException(NetErrors::EXPAND_FAILED);
  // The reply's byte limit counts what the client will hold: the inflated size, charged before it is allocated.
  NetClass::chargeBytes(static_cast<std::uint64_t>(origLen));
  std::vector<std::uint8_t> compressed(static_cast<std::size_t>(zipLen));
  in.readFully(compressed.data(), compressed.size());
  try {
    setBytes(
        plat::zip::Inflater::inflateExactly(compressed.data(), compressed.size(), static_cast<std::size_t>(origLen)));
  } catch (const plat::zip::DataFormatException&) {
    throw plat::io::IOException(NetErrors::EXPAND_FAILED);
  }
}

}  // namespace quenlora::zafoli::db::net
