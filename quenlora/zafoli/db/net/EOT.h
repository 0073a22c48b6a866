// End marker (type 50) that closes every list of objects: a length and that many bytes of trailer text. The client
// always sends it empty (50 00 00); a received trailer is kept. Same thread contract as NetString.
#pragma once

#include <string>

#include "quenlora/zafoli/db/net/ServerObject.h"

namespace quenlora::zafoli::db::net {

class EOT : public ServerObject {
 public:
  EOT() = default;

  int getType() const override;
  void read(plat::io::DataInputStream& in) override;
  void write(plat::io::DataOutputStream& out) const override;

  const std::string& getTrailer() const { return trailer_; }

 private:
  std::string trailer_;
};

}  // namespace quenlora::zafoli::db::net
