// A statement that runs SQL texts on a connection and holds at most one current result set, in the JDBC 1.x object
// model. Every operation answers SQLException "not supported" until a driver overrides it; the closed-object
// contract of Connection.h applies. Used by one thread at a time.
#pragma once

#include <memory>
#include <string>

#include "platform/lang/Object.h"
#include "platform/sql/SQLWarning.h"

namespace plat::sql {

class ResultSet;

class Statement : public plat::lang::Object {
 public:
  Statement() = default;
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  ~Statement() override;

  virtual plat::lang::Ref<ResultSet> executeQuery(const std::string& /*sql*/) { notSupported(); }
  virtual int executeUpdate(const std::string& /*sql*/) { notSupported(); }
  // True when the first result is a result set, false when it is an update count or there is none.
  virtual bool execute(const std::string& /*sql*/) { notSupported(); }
  virtual void close() { notSupported(); }
  // Whether close() ran, on this object or through its connection; answers without failing when closed.
  virtual bool isClosed() const { notSupported(); }

  virtual int getMaxFieldSize() { notSupported(); }
  virtual void setMaxFieldSize(int /*max*/) { notSupported(); }
  virtual int getMaxRows() { notSupported(); }
  virtual void setMaxRows(int /*max*/) { notSupported(); }
  virtual void setEscapeProcessing(bool /*enable*/) { notSupported(); }
  virtual int getQueryTimeout() { notSupported(); }
  virtual void setQueryTimeout(int /*seconds*/) { notSupported(); }
  virtual void cancel() { notSupported(); }
  virtual std::shared_ptr<SQLWarning> getWarnings() { notSupported(); }
  virtual void clearWarnings() { notSupported(); }
  virtual void setCursorName(const std::string& /*name*/) { notSupported(); }

  // The current result set, or null when the current result is an update count or there are no more results.
  virtual plat::lang::Ref<ResultSet> getResultSet() { notSupported(); }
  // The current update count, or -1 when the current result is a result set or there are no more results.
  virtual int getUpdateCount() { notSupported(); }
  virtual bool getMoreResults() { notSupported(); }
};

}  // namespace plat::sql
