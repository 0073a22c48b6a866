// What a relation view is built from: the server view's id, name and column description, completed on the client
// with the initial position, concurrency, cardinality, SQL text and join columns. Read from a view reply (the
// multi-view id first) or a detail reply; a reply of another shape is SQLException. A value.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/net/Entity.h"
#include "quenlora/zafoli/db/net/Reply.h"

namespace quenlora::zafoli::db::pro {

struct ViewDescriptor {
  std::int32_t viewID = 0;
  std::string name;
  plat::lang::Ref<net::Entity> columns;  // never null once read
  std::string initialPosition = "3";
  std::int32_t concurrency = 1;
  std::int32_t cardinality = 1;
  std::string sql;
  std::vector<std::string> joinColumns;

  // Elements first (view id), first + 1 (name), first + 2 (column description).
  static ViewDescriptor read(const net::Reply& reply, std::size_t first);
  // The local stand-in of design time: id 0, "relview", no columns.
  static ViewDescriptor designTime();
};

}  // namespace quenlora::zafoli::db::pro
