// Reader over a byte stream in the 8-bit character set: each byte is the character U+0000..U+00FF. Closing it
// closes the stream. Used by one thread at a time.
#pragma once

#include "platform/io/InputStream.h"
#include "platform/io/Reader.h"

namespace plat::io {

class InputStreamReader : public Reader {
 public:
  explicit InputStreamReader(plat::lang::Ref<InputStream> in);
  ~InputStreamReader() override;

  int read() override;
  bool ready() override;
  void close() override;

 private:
  plat::lang::Ref<InputStream> in_;  // null once closed
};

}  // namespace plat::io
