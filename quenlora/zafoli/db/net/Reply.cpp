#include "quenlora/zafoli/db/net/Reply.h"

#include "platform/io/IOException.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/Field.h"
#include "quenlora/zafoli/db/net/NetData.h"
#include "quenlora/zafoli/db/net/NetError.h"
#include "quenlora/zafoli/db/net/NetString.h"
#include "quenlora/zafoli/db/net/Warning.h"

namespace quenlora::zafoli::db::net {

namespace {

using net::Field;
using net::NetData;

// Decodes a raw data element with fromData or a typed value with fromField; a short data element is an end of
// data, reported as SQLException with that text.
template <class FromData, class FromField>
auto decode(const plat::lang::Ref<net::ServerObject>& element, FromData&& fromData, FromField&& fromField) {
  if (auto data = plat::lang::refCast<NetData>(element)) {
    try {
      return fromData(*data);
    } catch (const plat::io::IOException& e) {
      throw plat::sql::SQLException(e.getMessage());
    }
  }
  if (auto field = plat::lang::refCast<Field>(element)) return fromField(*field);
  net::ServerObject::onObjectError(*element);
}

}  // namespace

const plat::lang::Ref<net::ServerObject>& Reply::at(std::size_t i) const {
  if (i >= results_.size()) throw plat::sql::SQLException(kEndOfData);
  const auto& element = results_[i];
  if (!element) throw plat::sql::SQLException(kEndOfData);
  // A server error inside the list is the call's failure.
  if (const auto* error = net::NetError::of(*element)) error->toSQLException()->raise();
  return element;
}

bool Reply::getBoolean(std::size_t i) const {
  return decode(
      at(i), [](const NetData& d) { return d.getBool(); }, [](const Field& f) { return f.getBoolean(); });
}

std::int8_t Reply::getByte(std::size_t i) const {
  return decode(
      at(i), [](const NetData& d) { return d.getByte(); }, [](const Field& f) { return f.getByte(); });
}

std::int16_t Reply::getShort(std::size_t i) const {
  return decode(
      at(i), [](const NetData& d) { return d.getShort(); }, [](const Field& f) { return f.getShort(); });
}

std::int32_t Reply::getInt(std::size_t i) const {
  return decode(
      at(i), [](const NetData& d) { return d.getInt(); }, [](const Field& f) { return f.getInt(); });
}

std::int64_t Reply::getLong(std::size_t i) const {
  return decode(
      at(i), [](const NetData& d) { return d.getLong(); }, [](const Field& f) { return f.getLong(); });
}

float Reply::getFloat(std::size_t i) const {
  return decode(
      at(i), [](const NetData& d) { return d.getFloat(); }, [](const Field& f) { return f.getFloat(); });
}

double Reply::getDouble(std::size_t i) const {
  return decode(
      at(i), [](const NetData& d) { return d.getDouble(); }, [](const Field& f) { return f.getDouble(); });
}

Reply::Bytes Reply::getBytes(std::size_t i) const {
  return decode(
      at(i), [](const NetData& d) { return d.getBytes(); }, [](const Field& f) { return f.getBytes(); });
}

std::string Reply::getString(std::size_t i) const {
  const auto& element = at(i);
  if (auto text = plat::lang::refCast<net::NetString>(element)) return text->getString();
  if (auto field = plat::lang::refCast<Field>(element)) return field->getString().value_or("");
  net::ServerObject::onObjectError(*element);
}

std::shared_ptr<plat::sql::SQLWarning> Reply::warnings() const {
  std::shared_ptr<plat::sql::SQLWarning> head;
  plat::sql::SQLWarning* tail = nullptr;  // appending at the tail keeps a long chain linear to build
  for (std::size_t i = 0; i < results_.size(); ++i) {
    auto warning = as<net::Warning>(i)->toSQLWarning();
    plat::sql::SQLWarning* added = warning.get();
    if (tail != nullptr) {
      tail->setNextWarning(std::move(warning));
    } else {
      head = std::move(warning);
    }
    tail = added;
  }
  return head;
}

}  // namespace quenlora::zafoli::db::net
