// Error list object (type 68), received only: server errors up to an end marker, turned on reading into one chain
// of SQL exceptions in arrival order. Filled once, then read-only.
#pragma once

#include <memory>

#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/ServerObject.h"

namespace quenlora::zafoli::db::net {

class ExceptionList : public ServerObject {
 public:
  ExceptionList() = default;

  int getType() const override;
  void read(plat::io::DataInputStream& in) override;
  // Error lists are never sent: IOException.
  void write(plat::io::DataOutputStream& out) const override;

  // The head of the chain; a list that held no error gives SQLException "TRIVO Server error", so raising it always
  // reports a failure.
  std::shared_ptr<plat::sql::SQLException> getSQLException() const;
  // Number of errors the list held.
  int getErrorCount() const { return count_; }

 protected:
  [[noreturn]] void raiseUnexpected() const override;

 private:
  std::shared_ptr<plat::sql::SQLException> head_;
  int count_ = 0;
};

}  // namespace quenlora::zafoli::db::net
