// String object (type 52): a length and that many bytes of 8-bit text, held as UTF-8. A missing text is empty.
// Filled once, then read-only; may be read from several threads.
#pragma once

#include <string>

#include "quenlora/zafoli/db/net/ServerObject.h"

namespace quenlora::zafoli::db::net {

class NetString : public ServerObject {
 public:
  NetString() = default;
  explicit NetString(std::string text) : text_(std::move(text)) {}

  int getType() const override;
  void read(plat::io::DataInputStream& in) override;
  void write(plat::io::DataOutputStream& out) const override;

  const std::string& getString() const { return text_; }
  std::string toString() const override { return text_; }

  // Reads a length and that many text bytes into text, without a type byte.
  static void readText(plat::io::DataInputStream& in, std::string& text);

 private:
  std::string text_;
};

}  // namespace quenlora::zafoli::db::net
