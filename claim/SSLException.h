// The one failure the TLS set-up of the claim program reports ("Error -- " and the cause's message).
#pragma once

#include "platform/lang/Throwable.h"

class SSLException : public plat::lang::Exception {
 public:
  SSLException() = default;
  explicit SSLException(std::string message) : Exception(std::move(message)) {}
  PLAT_THROWABLE_MEMBERS(SSLException, "SSLException")
};
