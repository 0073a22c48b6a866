// Reader that hands out whole lines. A line ends at "\n", "\r" or "\r\n", which readLine() leaves out. Closing it
// closes the source. Used by one thread at a time.
#pragma once

#include <optional>
#include <string>

#include "platform/io/Reader.h"

namespace plat::io {

class BufferedReader : public Reader {
 public:
  explicit BufferedReader(plat::lang::Ref<Reader> in);
  ~BufferedReader() override;

  int read() override;
  bool ready() override;
  void close() override;

  // The next line as UTF-8 text without its end, or nullopt at the end of the stream.
  std::optional<std::string> readLine();

 private:
  int next();

  plat::lang::Ref<Reader> in_;  // null once closed
  bool skipLf_ = false;         // the last line ended at "\r": a following "\n" belongs to it
};

}  // namespace plat::io
