#include "quenlora/zafoli/db/net/ServerList.h"

#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/EOT.h"
#include "quenlora/zafoli/db/net/NetClass.h"
#include "quenlora/zafoli/db/net/NetString.h"
#include "quenlora/zafoli/db/net/WireFormat.h"
#include "quenlora/zafoli/db/net/WireInput.h"

namespace quenlora::zafoli::db::net {

int ServerList::getType() const {
  return Define::SERVER_LIST;
}

void ServerList::read(plat::io::DataInputStream& in) {
  WireInput::length(in);  // unused: a list ends at its end marker
  objects_.clear();
  // Room for a batch of rows without growing the list step by step. The rows themselves stay separate blocks:
  // made in one block for the list, a large cached result read back about 15 % slower.
  objects_.reserve(kFirstCapacity);
  for (;;) {
    const int type = NetClass::readType(in);
    if (type == Define::SERVER_EOT) {
      // The list keeps nothing of its end marker, so the marker needs no object of its own.
      EOT end;
      NetClass::readInto(end, in);
      break;
    }
    plat::lang::Ref<ServerObject> object = NetClass::readObject(type, in);
    // An error list is raised, but only once the whole reply is read, so the stream stays in step.
    if (object->getType() == Define::SERVER_EXCEPTIONLIST) {
      NetClass::deferError(object);
    } else {
      objects_.push_back(std::move(object));
    }
  }
}

void ServerList::write(plat::io::DataOutputStream& out) const {
  out.writeByte(Define::SERVER_LIST);
  out.writeShort(0);
  for (const auto& object : objects_) object->write(out);
  WireFormat::writeEot(out);
}

std::vector<std::string> ServerList::toStringVector() const {
  std::vector<std::string> texts;
  texts.reserve(objects_.size());
  for (const auto& object : objects_) {
    const auto* text = dynamic_cast<const NetString*>(object.get());
    if (text == nullptr) onObjectError(*object);
    texts.push_back(text->getString());
  }
  return texts;
}

}  // namespace quenlora::zafoli::db::net
