#include "quenlora/zafoli/db/net/EOT.h"

#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/NetString.h"
#include "quenlora/zafoli/db/net/WireFormat.h"

namespace quenlora::zafoli::db::net {

int EOT::getType() const {
  return Define::SERVER_EOT;
}

void EOT::read(plat::io::DataInputStream& in) {
  NetString::readText(in, trailer_);
}

void EOT::write(plat::io::DataOutputStream& out) const {
  WireFormat::writeEot(out);
}

}  // namespace quenlora::zafoli::db::net
