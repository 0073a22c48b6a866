// A query to run on a session: SQL text, connection values and, as its own property set, the view properties
// (optConc, recPosition, and maxRecords, readOnly and sharable when set). Setters store the exact texts the
// server expects. Holds its session, so a request kept after the application let the session go still runs (or
// fails with the session's own closed text). Not locked beyond the property set: one thread at a time.
#pragma once

#include <string>

#include "platform/lang/Object.h"
#include "platform/util/Properties.h"
#include "quenlora/zafoli/db/pro/ConnectionInfo.h"

namespace quenlora::zafoli::db::pro {

class RelationView;
class Session;

class Request : public plat::util::Properties {
 public:
  static constexpr const char* UNIQUE = "0";
  static constexpr const char* UNIQUE_MODIFIED = "1";
  static constexpr const char* ALL = "2";
  static constexpr const char* REC_POS_FIRST = "1";
  static constexpr const char* REC_POS_NEW = "2";
  static constexpr const char* REC_POS_NOPOS = "3";
  static constexpr const char* kOptConc = "optConc";
  static constexpr const char* kRecPosition = "recPosition";

  Request(plat::lang::Ref<Session> session, plat::lang::Ref<ConnectionInfo> conn);

  const std::string& getSQL() const { return sql_; }
  void setSQL(std::string sql) { sql_ = std::move(sql); }
  const plat::lang::Ref<ConnectionInfo>& getConnectionInfo() const { return conn_; }
  void setConnectionInfo(plat::lang::Ref<ConnectionInfo> conn) { conn_ = std::move(conn); }
  const plat::lang::Ref<Session>& getSession() const { return session_; }

  // "All" stores "2", "Unique" "0", anything else "1" (exact comparison).
  void setOptimisticConcurrency(const std::string& text);
  // "First" stores "1", "New" "2", anything else "3".
  void setInitialRecordPosition(const std::string& text);
  Properties& getRequestProperties() { return *this; }
  // Copies optConc and recPosition (with their defaults) from p.
  void setRequestProperties(const Properties& p);
  // The concurrency as an integer (NumberFormatException on bad text) and the initial position text.
  int optConcValue() const;
  std::string recPositionValue() const;

  // The session's createView with this request's connection, SQL and properties; a detail request runs its detail.
  virtual plat::lang::Ref<RelationView> executeRequest();

 private:
  plat::lang::Ref<Session> session_;
  plat::lang::Ref<ConnectionInfo> conn_;
  std::string sql_;
};

}  // namespace quenlora::zafoli::db::pro
