// What the server objects of one driver connection share: the server that holds them (to add the objects they
// make), the script, and one lock, because the database connection underneath serves one thread at a time while
// the server locks each object on its own (the connection is opened without SQLite's own lock, so an object that
// holds database things also lets them go under this lock). `call` runs one method under that lock and turns every
// failure into the server error the client receives.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "testkit/middleware/MiddlewareServer.h"
#include "testkit/middleware/sql/SqlScript.h"

namespace testkit::middleware::sql {

class ObjectScope {
 public:
  ObjectScope(MiddlewareServer& server, std::shared_ptr<SqlScript> script)
      : server_(server), script_(std::move(script)) {}
  ObjectScope(const ObjectScope&) = delete;
  ObjectScope& operator=(const ObjectScope&) = delete;

  std::int32_t add(std::shared_ptr<ServerObject> object) { return server_.addObject(std::move(object)); }
  // The same, as a member of group (a multi-view's model): dropGroup lets every member go at once.
  std::int32_t add(std::shared_ptr<ServerObject> object, const void* group);
  // Drops the group's objects from the server, as a client's close of the group's multi-view frees them.
  void dropGroup(const void* group);
  SqlScript& script() const { return *script_; }
  const std::shared_ptr<SqlScript>& scriptRef() const { return script_; }

  // Runs body under the scope's lock. A database SQLException becomes a server error of the SQL category with its
  // message, SQL state and vendor code; any other failure a general server error with its text.
  std::vector<Encoded> call(const std::function<std::vector<Encoded>()>& body);
  // The scope's lock, for a destructor that lets database things go (it may run inside a call of the scope).
  std::unique_lock<std::recursive_mutex> lock() { return std::unique_lock<std::recursive_mutex>(mu_); }

 private:
  MiddlewareServer& server_;  // back reference: the server owns the objects and outlives them
  std::shared_ptr<SqlScript> script_;
  std::recursive_mutex mu_;                                  // held through each call of an object of this scope
  std::map<const void*, std::vector<std::int32_t>> groups_;  // guarded by mu_
};

// A server error for a method number the class does not have.
[[noreturn]] void noSuchMethod(const std::string& className, int method);

}  // namespace testkit::middleware::sql

namespace plat::sql {
class SQLWarning;
}

namespace testkit::middleware::sql {

// Every warning of the chain, in order, as warning objects.
std::vector<Encoded> encodeWarnings(const std::shared_ptr<plat::sql::SQLWarning>& head);
std::vector<Encoded> encodeWarnings(const std::vector<ScriptedWarning>& warnings);

}  // namespace testkit::middleware::sql
