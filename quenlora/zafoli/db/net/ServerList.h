// List object (type 54): a 16-bit field, then objects up to and including an end marker. An error list among the
// elements is raised, but only after the list has been read to its end marker, so no reply bytes are left behind;
// a plain server error stays in the list as an element. Filled once, then read-only.
#pragma once

#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/net/ServerObject.h"

namespace quenlora::zafoli::db::net {

class ServerList : public ServerObject {
 public:
  using Objects = std::vector<plat::lang::Ref<ServerObject>>;

  ServerList() = default;
  // A list to write.
  explicit ServerList(Objects objects) : objects_(std::move(objects)) {}

  int getType() const override;
  void read(plat::io::DataInputStream& in) override;
  void write(plat::io::DataOutputStream& out) const override;

  // The elements in order, the end marker excluded.
  const Objects& getObjVector() const { return objects_; }
  // The elements, moved out of a list nobody else reads any more; the list is left empty.
  Objects takeObjVector() { return std::move(objects_); }
  std::size_t size() const { return objects_.size(); }
  // The texts of a list of strings, in order; any other element gets the object-error rule.
  std::vector<std::string> toStringVector() const;

 private:
  static constexpr std::size_t kFirstCapacity = 32;

  Objects objects_;
};

}  // namespace quenlora::zafoli::db::net
