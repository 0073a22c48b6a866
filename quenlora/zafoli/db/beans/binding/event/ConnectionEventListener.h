// Told when a connection is created or closed. Belongs to the public vocabulary; nothing in the library fires it.
#pragma once

#include "quenlora/zafoli/db/beans/binding/event/ConnectionEvent.h"

namespace quenlora::zafoli::db::beans::binding::event {

class ConnectionEventListener {
 public:
  ConnectionEventListener() = default;
  ConnectionEventListener(const ConnectionEventListener&) = delete;
  ConnectionEventListener& operator=(const ConnectionEventListener&) = delete;
  virtual ~ConnectionEventListener() = default;

  virtual void onConnectionClosed(const ConnectionEvent& event) = 0;
  virtual void onConnectionCreated(const ConnectionEvent& event) = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding::event
