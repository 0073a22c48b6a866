#include "quenlora/zafoli/db/net/Entity.h"

#include "platform/io/IOException.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/FetchSize.h"
#include "quenlora/zafoli/db/net/NetClass.h"
#include "quenlora/zafoli/db/net/NetErrors.h"
#include "quenlora/zafoli/db/net/ServerList.h"

namespace quenlora::zafoli::db::net {

int Entity::getType() const {
  return Define::SERVER_ENTITY;
}

void Entity::read(plat::io::DataInputStream& in) {
  in.readShort();
  const std::int16_t count = in.readShort();
  count_ = 0;
  attribs_.clear();
  attribNames_.clear();
  if (count <= 0) return;
  plat::lang::Ref<ServerObject> body = NetClass::getNextObject(in);
  const auto* list = dynamic_cast<const ServerList*>(body.get());
  if (list == nullptr) throw plat::sql::SQLException(NetErrors::ENTITY_STREAM_ERROR);
  for (const auto& element : list->getObjVector()) {
    auto attribute = plat::lang::refCast<Attribute>(element);
    if (!attribute) throw plat::sql::SQLException(NetErrors::ENTITY_STREAM_ERROR);
    attribNames_.push_back(attribute->getColumnName());
    attribs_.push_back(std::move(attribute));
  }
  count_ = static_cast<int>(attribs_.size());
}

void Entity::write(plat::io::DataOutputStream&) const {
  throw plat::io::IOException(NetErrors::ENTITY_WRITE);
}

const Attribute& Entity::at(int col) const {
  if (col < 1 || col > count_) throw plat::sql::SQLException(NetErrors::META_COLUMN_OUT_OF_RANGE);
  return *attribs_[static_cast<std::size_t>(col) - 1];
}

int Entity::getRowsPerFetch() const {
  std::vector<int> sizes;
  sizes.reserve(attribs_.size());
  for (const auto& attribute : attribs_) sizes.push_back(attribute->getColumnDisplaySize());
  return FetchSize::rowsPerFetch(sizes);
}

}  // namespace quenlora::zafoli::db::net
