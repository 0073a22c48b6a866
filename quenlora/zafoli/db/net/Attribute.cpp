#include "quenlora/zafoli/db/net/Attribute.h"

#include "platform/io/IOException.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/NetClass.h"
#include "quenlora/zafoli/db/net/NetData.h"
#include "quenlora/zafoli/db/net/NetErrors.h"
#include "quenlora/zafoli/db/net/NetString.h"
#include "quenlora/zafoli/db/net/ServerList.h"

namespace quenlora::zafoli::db::net {

namespace {

// Typed access to the elements of the description list; a missing, mistyped or short element is the Attribute's
// object-stream error.
class Elements {
 public:
  explicit Elements(const ServerList& list) : objects_(list.getObjVector()) {
    if (objects_.size() < Attribute::kElements) fail();
  }

  bool flag(std::size_t i) const { return data(i, 1).getBool(); }
  std::int16_t i16(std::size_t i) const { return data(i, 2).getShort(); }
  std::int32_t i32(std::size_t i) const { return data(i, 4).getInt(); }
  std::string text(std::size_t i) const {
    const auto* s = dynamic_cast<const NetString*>(objects_[i].get());
    if (s == nullptr) fail();
    return s->getString();
  }

 private:
  [[noreturn]] static void fail() { throw plat::sql::SQLException(NetErrors::ATTRIBUTE_STREAM_ERROR); }

  const NetData& data(std::size_t i, std::size_t width) const {
    const auto* d = dynamic_cast<const NetData*>(objects_[i].get());
    if (d == nullptr || d->size() < width) fail();
    return *d;
  }

  const ServerList::Objects& objects_;
};

}  // namespace

int Attribute::getType() const {
  return Define::SERVER_ATTRIBUTE;
}

void Attribute::read(plat::io::DataInputStream& in) {
  in.readShort();
  plat::lang::Ref<ServerObject> body = NetClass::getNextObject(in);
  const auto* list = dynamic_cast<const ServerList*>(body.get());
  if (list == nullptr) throw plat::sql::SQLException(NetErrors::ATTRIBUTE_STREAM_ERROR);
  const Elements e(*list);
  autoIncrement_ = e.flag(0);
  caseSensitive_ = e.flag(1);
  searchable_ = e.flag(2);
  currency_ = e.flag(3);
  nullable_ = e.i16(4);
  signed_ = e.flag(5);
  displaySize_ = e.i32(6);
  label_ = e.text(7);
  columnName_ = e.text(8);
  schemaName_ = e.text(9);
  precision_ = e.i32(10);
  scale_ = e.i32(11);
  tableName_ = e.text(12);
  catalogName_ = e.text(13);
  columnType_ = e.i16(14);
  typeName_ = e.text(15);
  readOnly_ = e.flag(16);
  writable_ = e.flag(17);
  definitelyWritable_ = e.flag(18);
}

void Attribute::write(plat::io::DataOutputStream&) const {
  throw plat::io::IOException(NetErrors::ATTRIBUTE_WRITE);
}

}  // namespace quenlora::zafoli::db::net
