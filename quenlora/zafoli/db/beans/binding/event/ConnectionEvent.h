// The creation or closing of a connection; carries only its source. Belongs to the public vocabulary; nothing in the
// library fires it. A copyable value; the source is a plain back reference.
#pragma once

#include <string>

#include "platform/lang/Object.h"

namespace quenlora::zafoli::db::beans::binding::event {

class ConnectionEvent : public plat::lang::Object {
 public:
  explicit ConnectionEvent(plat::lang::Object* source) : source_(source) {}

  plat::lang::Object* getSource() const { return source_; }

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.binding.event.ConnectionEvent"; }

 private:
  plat::lang::Object* source_;  // back reference to the connection's owner
};

}  // namespace quenlora::zafoli::db::beans::binding::event
