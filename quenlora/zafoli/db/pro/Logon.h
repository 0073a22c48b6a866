// The application's answer to a failed logon: called with the connection's values and the attempt number (1 on the
// first failure); true asks for another attempt with the values as the callback left them. A callback that always
// answers true makes the library retry for ever, as intended. Called on the thread of the failing call.
#pragma once

#include "quenlora/zafoli/db/pro/ConnectionInfo.h"

namespace quenlora::zafoli::db::pro {

class Logon {
 public:
  virtual ~Logon() = default;
  virtual bool logonFailed(ConnectionInfo& conn, int attempt) = 0;
};

}  // namespace quenlora::zafoli::db::pro
