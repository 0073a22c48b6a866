#include "quenlora/zafoli/db/net/ErrorException.h"

#include "quenlora/zafoli/db/net/NetError.h"

namespace quenlora::zafoli::db::net {

namespace {

std::string describe(const NetError& error) {
  return "Nimbrolt Server error: Severity: " + std::to_string(error.getSeverity()) +
         " Code: " + std::to_string(error.getErrorID()) + " Description: " + error.getErrorString(0) + "; " +
         error.getErrorString(1) + "; " + error.getErrorString(2);
}

}  // namespace

ErrorException::ErrorException(const NetError& error) : NetException(describe(error)) {}

}  // namespace quenlora::zafoli::db::net
