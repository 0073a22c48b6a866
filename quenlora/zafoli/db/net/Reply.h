// Checked reading of the reply list of one remote call. Every element is taken through one accessor: a missing
// element is SQLException "End of data", a server error element raises its own exception, and an element of
// another kind gets the wire client's object-error rule, so a short or odd reply never becomes an index or cast
// failure. A value; used by one thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/sql/SQLWarning.h"
#include "quenlora/zafoli/db/net/RemoteObject.h"
#include "quenlora/zafoli/db/net/ServerObject.h"

namespace quenlora::zafoli::db::net {

class Reply {
 public:
  using Results = net::RemoteObject::Results;
  using Bytes = std::vector<std::uint8_t>;

  static constexpr const char* kEndOfData = "End of data";

  Reply() = default;
  explicit Reply(Results results) : results_(std::move(results)) {}

  std::size_t size() const { return results_.size(); }
  bool empty() const { return results_.empty(); }
  bool has(std::size_t i) const { return i < results_.size(); }
  const Results& results() const { return results_; }

  // The element; a server error element is raised.
  const plat::lang::Ref<net::ServerObject>& at(std::size_t i) const;
  // The element as a wire object class; another kind gets the object-error rule.
  template <class T>
  plat::lang::Ref<T> as(std::size_t i) const {
    const auto& element = at(i);
    // An element of exactly the class asked for, the usual case, is told by the address of its type record; only
    // other elements take the cast's search of the class tree (a batch's rows are many).
    if (element && &typeid(*element) == &typeid(T)) return std::static_pointer_cast<T>(element);
    auto typed = plat::lang::refCast<T>(element);
    if (!typed) net::ServerObject::onObjectError(*element);
    return typed;
  }

  // A raw data element or a typed value of a fitting kind.
  bool getBoolean(std::size_t i) const;
  std::int8_t getByte(std::size_t i) const;
  std::int16_t getShort(std::size_t i) const;
  std::int32_t getInt(std::size_t i) const;
  std::int64_t getLong(std::size_t i) const;
  float getFloat(std::size_t i) const;
  double getDouble(std::size_t i) const;
  Bytes getBytes(std::size_t i) const;
  // A string element or a text value; a null value reads as "".
  std::string getString(std::size_t i) const;

  // Every element as a server warning, chained in reply order; null when the reply is empty.
  std::shared_ptr<plat::sql::SQLWarning> warnings() const;

 private:
  Results results_;
};

}  // namespace quenlora::zafoli::db::net
