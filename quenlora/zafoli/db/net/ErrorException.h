// A server error carried as a library exception. Nothing in the library raises it; the request layer reports one
// it meets as "TRIVO Server error".
#pragma once

#include <string>

#include "quenlora/zafoli/db/net/NetException.h"

namespace quenlora::zafoli::db::net {

class NetError;

class ErrorException : public NetException {
 public:
  explicit ErrorException(const NetError& error);

  // "Nimbrolt Server error: Severity: <severity> Code: <id> Description: <text 0>; <text 1>; <text 2>".
  std::string toString() const override { return getMessage(); }

  PLAT_THROWABLE_MEMBERS(ErrorException, "quenlora.zafoli.db.net.ErrorException")
};

}  // namespace quenlora::zafoli::db::net
