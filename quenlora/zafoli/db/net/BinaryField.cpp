#include "quenlora/zafoli/db/net/BinaryField.h"

#include "quenlora/zafoli/db/net/BinaryInputStream.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/NetClass.h"
#include "quenlora/zafoli/db/net/NetData.h"
#include "quenlora/zafoli/db/net/WireFormat.h"
#include "quenlora/zafoli/db/net/WireInput.h"
#include "quenlora/zafoli/db/net/WireText.h"

namespace quenlora::zafoli::db::net {

void BinaryField::store(Bytes bytes) {
  bytes_ = std::move(bytes);
  stored();
}

Field::StreamRef BinaryField::getAsciiStream() const {
  if (isNull()) return nullptr;
  return plat::lang::makeRef<BinaryInputStream>(bytes_);
}

Field::StreamRef BinaryField::getBinaryStream() const {
  return getAsciiStream();
}

Field::StreamRef BinaryField::getUnicodeStream() const {
  return getAsciiStream();
}

Field::Bytes BinaryField::getBytes() const {
  return isNull() ? Bytes() : bytes_;
}

std::optional<std::string> BinaryField::getString() const {
  if (isNull()) return std::nullopt;
  return WireText::fromWire(bytes_);
}

plat::lang::Value BinaryField::getObject() const {
  return isNull() ? plat::lang::Value() : plat::lang::Value::ofBytes(bytes_);
}

void BinaryField::setString(const std::string& value) {
  store(WireText::toWire(value));
}

void BinaryField::setObject(const plat::lang::Value& value) {
  if (value.isNull()) {
    setNull(0);
  } else if (value.is(plat::lang::Value::Kind::Bytes)) {
    store(value.getBytes());
  } else {
    cantConvert();
  }
}

void BinaryField::setFromStream(const StreamRef& stream, int length) {
  if (!stream) {
    setNull(0);
    return;
  }
  store(readStream(*stream, length));
}

void BinaryField::readValue(plat::io::DataInputStream& in) {
  const int type = in.readUnsignedByte();
  if (type == Define::SERVER_DATA) {
    WireInput::data(in, bytes_);
    return;
  }
  plat::lang::Ref<ServerObject> object = NetClass::readObject(type, in);
  const auto* data = dynamic_cast<const NetData*>(object.get());
  if (data == nullptr) {
    // An error in place of the value fails the reply once it is read to its end.
    if (NetClass::deferError(object)) return;
    onObjectError(*object);
  }
  bytes_ = data->getBytes();
}

void BinaryField::writeValue(plat::io::DataOutputStream& out) const {
  WireFormat::writeData(out, bytes_);
}

}  // namespace quenlora::zafoli::db::net
