#include "testkit/middleware/sql/ObjectScope.h"

#include "platform/lang/Throwable.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/SQLWarning.h"
#include "testkit/middleware/sql/SqlWire.h"

namespace testkit::middleware::sql {

std::vector<Encoded> ObjectScope::call(const std::function<std::vector<Encoded>()>& body) {
  std::lock_guard<std::recursive_mutex> hold(mu_);
  try {
    return body();
  } catch (const ServerFailure&) {
    throw;
  } catch (const plat::sql::SQLException& e) {
    throw ServerFailure(e.getErrorCode(), kCategorySql, e.getMessage(), e.hasSQLState() ? e.getSQLState() : "S1000");
  } catch (const plat::lang::Throwable& e) {
    throw ServerFailure(0, kCategoryGeneral, e.toString());
  } catch (const std::exception& e) {
    throw ServerFailure(0, kCategoryGeneral, e.what());
  }
}

std::int32_t ObjectScope::add(std::shared_ptr<ServerObject> object, const void* group) {
  std::lock_guard<std::recursive_mutex> hold(mu_);
  const std::int32_t id = server_.addObject(std::move(object));
  groups_[group].push_back(id);
  return id;
}

void ObjectScope::dropGroup(const void* group) {
  std::vector<std::int32_t> ids;
  {
    std::lock_guard<std::recursive_mutex> hold(mu_);
    auto it = groups_.find(group);
    if (it == groups_.end()) return;
    ids = std::move(it->second);
    groups_.erase(it);
  }
  server_.dropObjects(ids);
}

void noSuchMethod(const std::string& className, int method) {
  throw ServerFailure(3, kCategoryNoSupport, className + " has no method " + std::to_string(method));
}

}  // namespace testkit::middleware::sql

namespace testkit::middleware::sql {

std::vector<Encoded> encodeWarnings(const std::shared_ptr<plat::sql::SQLWarning>& head) {
  std::vector<Encoded> out;
  // A chain that loops back on itself must not hang the server.
  constexpr std::size_t kMaxWarnings = 1000;
  for (auto w = head; w != nullptr && out.size() < kMaxWarnings; w = w->getNextWarning()) {
    out.push_back(SqlEncode::warning(w->getMessage(), w->getSQLState(), w->getErrorCode()));
  }
  return out;
}

std::vector<Encoded> encodeWarnings(const std::vector<ScriptedWarning>& warnings) {
  std::vector<Encoded> out;
  for (const auto& w : warnings) out.push_back(SqlEncode::warning(w.message, w.state, w.code));
  return out;
}

}  // namespace testkit::middleware::sql
