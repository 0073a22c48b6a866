// The database access failure: a message, an SQL state, a vendor code and a chain of further exceptions. Chained
// exceptions are held as clones with their dynamic type, so getNextException()->raise() rethrows the right kind.
// An exception and its chain are used by one thread at a time.
#pragma once

#include <memory>
#include <string>

#include "platform/lang/Throwable.h"

namespace plat::sql {

class SQLException : public plat::lang::Exception {
 public:
  SQLException() = default;
  explicit SQLException(std::string reason) : Exception(std::move(reason)) {}
  SQLException(std::string reason, std::string sqlState)
      : Exception(std::move(reason)), sqlState_(std::move(sqlState)), hasSQLState_(true) {}
  SQLException(std::string reason, std::string sqlState, int vendorCode)
      : Exception(std::move(reason)), sqlState_(std::move(sqlState)), hasSQLState_(true), vendorCode_(vendorCode) {}
  SQLException(const SQLException&) = default;
  SQLException& operator=(const SQLException&) = default;
  // Releases the chain link by link: a chain of many thousand exceptions would otherwise recurse once per link.
  ~SQLException() override;

  // The SQL state; empty when none was given (see hasSQLState()).
  const std::string& getSQLState() const { return sqlState_; }
  bool hasSQLState() const { return hasSQLState_; }
  int getErrorCode() const { return vendorCode_; }

  // The next exception of the chain, or null.
  std::shared_ptr<SQLException> getNextException() const { return next_; }
  // Appends a copy of next (with its dynamic type) at the end of the chain.
  void setNextException(const SQLException& next);
  // Appends next itself at the end of the chain; a null next does nothing.
  void setNextException(std::shared_ptr<SQLException> next);

  PLAT_THROWABLE_MEMBERS(SQLException, "java.sql.SQLException")

 private:
  std::string sqlState_;
  bool hasSQLState_ = false;
  int vendorCode_ = 0;
  std::shared_ptr<SQLException> next_;  // shared with copies, as the runtime shares the chain
};

// Throws SQLException "not supported": the answer of the JDBC bases to every operation a driver does not override.
[[noreturn]] void notSupported();

}  // namespace plat::sql
