// Told around the beginning, commit and rollback of a transaction. Belongs to the public vocabulary; nothing in the
// library fires it.
#pragma once

#include "quenlora/zafoli/db/beans/binding/event/TransactionEvent.h"

namespace quenlora::zafoli::db::beans::binding::event {

class TransactionEventListener {
 public:
  TransactionEventListener() = default;
  TransactionEventListener(const TransactionEventListener&) = delete;
  TransactionEventListener& operator=(const TransactionEventListener&) = delete;
  virtual ~TransactionEventListener() = default;

  virtual void onAfterTransactionBegin(const TransactionEvent& event) = 0;
  virtual void onAfterTransactionCommit(const TransactionEvent& event) = 0;
  virtual void onAfterTransactionRollback(const TransactionEvent& event) = 0;
  virtual void onBeforeTransactionBegin(const TransactionEvent& event) = 0;
  virtual void onBeforeTransactionCommit(const TransactionEvent& event) = 0;
  virtual void onBeforeTransactionRollback(const TransactionEvent& event) = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding::event
