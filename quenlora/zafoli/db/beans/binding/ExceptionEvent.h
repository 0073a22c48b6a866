// A failure or warning of a data source, reported to its exception listeners instead of being thrown: a code, the
// text shown to users and, optionally, the failure itself. Immutable once made, so its getters are safe from any
// thread. The source is a plain back reference that the event does not own.
#pragma once

#include <string>

#include "platform/lang/Object.h"
#include "platform/lang/Throwable.h"

namespace quenlora::zafoli::db::beans::binding {

class ExceptionEvent : public plat::lang::Object {
 public:
  static constexpr int EXCEPTION_SQL = 0;
  // Every other failure, an illegal master/detail relationship included.
  static constexpr int EXCEPTION_APPLICATION = 1;
  // A value that cannot be converted to the column's type, or invalid query-by-example input.
  static constexpr int EXCEPTION_CAST = 2;
  // A query that returned no rows (named "NO ROWS").
  static constexpr int EXCEPTION_NOROWS = 3;
  static constexpr int EXCEPTION_FIRSTROW = 5;
  static constexpr int EXCEPTION_LASTROW = 6;
  // A detail operation refused because the master stands on a new record.
  static constexpr int EXCEPTION_PARENT_INVALID_RECORD = 7;
  // Shares the value 7; the library reports an illegal relationship as EXCEPTION_APPLICATION.
  static constexpr int EXCEPTION_ILLEGAL_RELATIONSHIP = 7;
  // A master/detail operation refused because the tree is incomplete.
  static constexpr int EXCEPTION_RELATIONSHIP_PENDING = 8;
  static constexpr int DEBUGGING_MESSAGE = 100;

  ExceptionEvent(int type, std::string name, plat::lang::Object* source);
  ExceptionEvent(int type, std::string name, plat::lang::Object* source, plat::lang::ThrowableRef exception);

  int getEventType() const { return type_; }
  // The text shown to users, usually the failure's message.
  const std::string& getExceptionName() const { return name_; }
  // May be null.
  const plat::lang::ThrowableRef& getException() const { return exception_; }
  plat::lang::Object* getSource() const { return source_; }

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.binding.ExceptionEvent"; }
  std::string toString() const override;

 private:
  int type_;
  std::string name_;
  plat::lang::ThrowableRef exception_;  // may be null
  plat::lang::Object* source_;          // back reference to the firing data source
};

}  // namespace quenlora::zafoli::db::beans::binding
