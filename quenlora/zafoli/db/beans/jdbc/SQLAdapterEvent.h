// One execution of an SQL adapter as its listeners hear it: before (SQL_EXECUTING) or after (SQL_EXECUTED), and
// whether the execution gave a result set. A copyable value; the source is a plain back reference to the adapter.
#pragma once

#include <string>

#include "platform/lang/Object.h"

namespace quenlora::zafoli::db::beans::jdbc {

class SQLAdapterEvent : public plat::lang::Object {
 public:
  static constexpr int SQL_EXECUTING = 0;
  static constexpr int SQL_EXECUTED = 1;

  SQLAdapterEvent(plat::lang::Object* source, int type, bool resultSetCreated)
      : source_(source), type_(type), resultSetCreated_(resultSetCreated) {}

  plat::lang::Object* getSource() const { return source_; }
  int getType() const { return type_; }
  bool isResultSetCreated() const { return resultSetCreated_; }

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.jdbc.SQLAdapterEvent"; }

 private:
  plat::lang::Object* source_;  // back reference to the firing adapter
  int type_;
  bool resultSetCreated_;
};

}  // namespace quenlora::zafoli::db::beans::jdbc
