// Told before and after each execution of an SQL adapter, on the executing thread and outside the adapter's lock.
#pragma once

#include "quenlora/zafoli/db/beans/jdbc/SQLAdapterEvent.h"

namespace quenlora::zafoli::db::beans::jdbc {

class SQLAdapterEventListener {
 public:
  SQLAdapterEventListener() = default;
  SQLAdapterEventListener(const SQLAdapterEventListener&) = delete;
  SQLAdapterEventListener& operator=(const SQLAdapterEventListener&) = delete;
  virtual ~SQLAdapterEventListener() = default;

  virtual void beforeExecute(const SQLAdapterEvent& event) = 0;
  virtual void afterExecute(const SQLAdapterEvent& event) = 0;
};

}  // namespace quenlora::zafoli::db::beans::jdbc
