#include "platform/zip/Inflater.h"

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <string>

#include "platform/zip/DataFormatException.h"

namespace plat::zip {

namespace {

constexpr int kRawDeflateWindowBits = -15;  // negative: raw DEFLATE with a 32 KB window
constexpr std::size_t kFirstOutputChunk = 64 * 1024;

// Owns an inflate stream for one call.
class InflateStream {
 public:
  InflateStream() {
    if (inflateInit2(&z_, kRawDeflateWindowBits) != Z_OK) throw DataFormatException("inflater could not start");
  }
  ~InflateStream() { inflateEnd(&z_); }
  InflateStream(const InflateStream&) = delete;
  InflateStream& operator=(const InflateStream&) = delete;

  z_stream* operator->() { return &z_; }
  z_stream* get() { return &z_; }

 private:
  z_stream z_{};
};

[[noreturn]] void fail(const z_stream& z, const char* what) {
  std::string text = what;
  if (z.msg != nullptr) text += std::string(": ") + z.msg;
  throw DataFormatException(text);
}

}  // namespace

std::vector<std::uint8_t> Inflater::inflateExactly(const std::uint8_t* data, std::size_t n, std::size_t expected) {
  if (n > UINT_MAX || expected > UINT_MAX) throw DataFormatException("block too large");
  // The expected size comes from the sender's frame: the output grows with what really inflates, up to that size,
  // so a small block that claims a huge size cannot make us reserve the huge size.
  std::vector<std::uint8_t> out(std::min(expected, std::max(kFirstOutputChunk, n * 4)));
  InflateStream z;
  z->next_in = const_cast<Bytef*>(data);
  z->avail_in = static_cast<uInt>(n);
  std::uint8_t probe = 0;  // zlib wants a non-null output pointer even for an empty block
  z->next_out = out.empty() ? &probe : out.data();
  z->avail_out = static_cast<uInt>(out.size());

  while (true) {
    const int rc = inflate(z.get(), Z_NO_FLUSH);
    if (rc == Z_STREAM_END) {
      if (z->total_out != expected) throw DataFormatException("inflated data shorter than expected");
      return out;
    }
    if (rc == Z_DATA_ERROR || rc == Z_NEED_DICT || rc == Z_MEM_ERROR) fail(*z.get(), "corrupt compressed data");
    if (z->avail_out > 0) throw DataFormatException("compressed data ends early");
    if (out.size() == expected) break;
    const std::size_t done = out.size();
    out.resize(std::min(expected, done * 2));
    z->next_out = out.data() + done;
    z->avail_out = static_cast<uInt>(out.size() - done);
  }
  // The block is full but the stream has not ended: one more byte tells a longer stream from a stream whose end
  // marker is all that is left.
  z->next_out = &probe;
  z->avail_out = 1;
  const int rc = inflate(z.get(), Z_FINISH);
  if (rc == Z_STREAM_END && z->avail_out == 1) return out;
  if (rc == Z_DATA_ERROR || rc == Z_NEED_DICT || rc == Z_MEM_ERROR) fail(*z.get(), "corrupt compressed data");
  if (z->avail_out == 0) throw DataFormatException("inflated data longer than expected");
  throw DataFormatException("compressed data ends early");
}

}  // namespace plat::zip
