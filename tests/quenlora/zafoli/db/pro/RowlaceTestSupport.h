// A record-set test server on SQLite seeded with customers, their orders and the orders' items, and helpers to
// open sessions and read what the client sent.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/util/Properties.h"
#include "quenlora/zafoli/db/pro/Session.h"
#include "testkit/middleware/sql/SqlMiddlewareServer.h"

namespace rowlacetest {

using quenlora::zafoli::db::pro::Session;

// One remote call as the server received it.
struct Call {
  std::int32_t object = 0;
  int method = 0;
  std::vector<testkit::middleware::Arg> args;
  // Integer argument i.
  std::int32_t intArg(std::size_t i) const { return args.at(i).asInt(); }
};

// The SQL message a call raised, "" for none, "other" for any other failure.
std::string sqlFailure(const std::function<void()>& f);

class RowlaceTest : public ::testing::Test {
 protected:
  void SetUp() override;
  testkit::middleware::sql::SqlMiddlewareServer& server() { return *server_; }
  plat::lang::Ref<Session> open();
  static plat::util::Properties props(std::initializer_list<std::pair<const char*, const char*>> entries);
  // Every invoke of method on any object, in order.
  std::vector<Call> calls(int method) const;
  std::vector<Call> callsTo(std::int32_t object, int method) const;

  std::unique_ptr<testkit::middleware::sql::SqlMiddlewareServer> server_;
};

}  // namespace rowlacetest
