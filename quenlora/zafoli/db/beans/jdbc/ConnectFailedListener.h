// Told when a connection bean's login fails; called on the thread that connected, which waits for it.
#pragma once

#include "quenlora/zafoli/db/beans/jdbc/ConnectFailedEvent.h"

namespace quenlora::zafoli::db::beans::jdbc {

class ConnectFailedListener {
 public:
  static constexpr const char* kInterfaceName = "quenlora.zafoli.db.beans.jdbc.ConnectFailedListener";

  virtual ~ConnectFailedListener() = default;
  virtual void connectFailed(const ConnectFailedEvent& event) = 0;
};

}  // namespace quenlora::zafoli::db::beans::jdbc
