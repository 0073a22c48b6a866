#include "quenlora/zafoli/db/pro/ViewDescriptor.h"

namespace quenlora::zafoli::db::pro {

ViewDescriptor ViewDescriptor::read(const net::Reply& reply, std::size_t first) {
  ViewDescriptor d;
  d.viewID = reply.getInt(first);
  d.name = reply.getString(first + 1);
  d.columns = reply.as<net::Entity>(first + 2);
  return d;
}

ViewDescriptor ViewDescriptor::designTime() {
  ViewDescriptor d;
  d.name = "relview";
  d.columns = plat::lang::makeRef<net::Entity>();
  return d;
}

}  // namespace quenlora::zafoli::db::pro
