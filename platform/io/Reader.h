// Source of characters as UTF-8 text, shaped like the runtime's reader: read() gives the next code point or -1 at
// the end. Used by one thread at a time.
#pragma once

#include "platform/lang/Object.h"

namespace plat::io {

class Reader : public plat::lang::Object {
 public:
  Reader() = default;
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;
  ~Reader() override = default;

  // Next character as a code point, or -1 at the end.
  virtual int read() = 0;
  virtual bool ready() { return false; }
  virtual void close() {}
};

}  // namespace plat::io
