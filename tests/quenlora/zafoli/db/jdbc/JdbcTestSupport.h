// Test helpers of the remote-proxy driver: a scripted server object answering by method number and a plain
// middleware server whose "TRIVODriver" hands out a scripted connection object, so a test controls every reply
// byte; plus readers of the recorded "proxy" "invoke" requests.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/sql/Connection.h"
#include "platform/util/Properties.h"
#include "testkit/middleware/MiddlewareServer.h"
#include "testkit/middleware/MwWire.h"
#include "testkit/middleware/ServerObject.h"
#include "testkit/middleware/sql/SqlWire.h"

namespace jdbctest {

using testkit::middleware::Arg;
using testkit::middleware::Bytes;
using testkit::middleware::Encoded;
using testkit::middleware::MiddlewareServer;
using testkit::middleware::MwEncode;
using testkit::middleware::ParsedRequest;
using testkit::middleware::sql::ColumnInfo;
using testkit::middleware::sql::SqlEncode;

// Answers each method with its scripted reply list (an empty list when none is scripted).
class ScriptedObject : public testkit::middleware::ServerObject {
 public:
  using Answer = std::function<std::vector<Encoded>(const std::vector<Arg>&)>;

  void on(int method, Answer answer) {
    std::lock_guard lock(mu_);
    answers_[method] = std::move(answer);
  }
  void on(int method, std::vector<Encoded> reply) {
    on(method, [reply](const std::vector<Arg>&) { return reply; });
  }
  std::vector<Encoded> invoke(int method, const std::vector<Arg>& args) override {
    Answer answer;
    {
      std::lock_guard lock(mu_);
      auto it = answers_.find(method);
      if (it != answers_.end()) answer = it->second;
    }
    return answer ? answer(args) : std::vector<Encoded>{};
  }

 private:
  std::mutex mu_;
  std::map<int, Answer> answers_;
};

// One "proxy" "invoke" request as the server saw it.
struct Call {
  std::int32_t object = 0;
  int method = 0;
  std::vector<Arg> args;
};

// A middleware server whose "TRIVODriver" connects to one scripted connection object.
class ScriptedServer {
 public:
  ScriptedServer();

  std::string url() const;
  // A connection through the driver under test.
  plat::lang::Ref<plat::sql::Connection> connect();

  MiddlewareServer& server() { return server_; }
  ScriptedObject& connection() { return *connection_; }
  std::int32_t connectionId() const { return connectionId_; }
  // A scripted object under a fresh id.
  std::pair<std::int32_t, std::shared_ptr<ScriptedObject>> addObject();

  // The invoke requests recorded so far, in order; objectId 0 means every object.
  std::vector<Call> calls(std::int32_t objectId = 0) const;
  // The method numbers of the invoke requests of one object.
  std::vector<int> methods(std::int32_t objectId) const;
  void clear() { server_.clearRecords(); }

 private:
  MiddlewareServer server_;
  std::shared_ptr<ScriptedObject> connection_ = std::make_shared<ScriptedObject>();
  std::int32_t connectionId_ = 0;
};

// Reads the recorded invoke requests of any server.
std::vector<Call> invokeCalls(const MiddlewareServer& server, std::int32_t objectId = 0);

// Column descriptions with the given display sizes, all VARCHAR named c1, c2, ...
std::vector<ColumnInfo> columnsOfSizes(const std::vector<int>& sizes);
// The reply of a query: the result-set id and its description.
std::vector<Encoded> queryReply(std::int32_t resultSetId, const std::vector<ColumnInfo>& columns);
// A row of VARCHAR values.
Encoded textRow(std::int32_t rowNumber, const std::vector<std::string>& values);

// Argument readers: 32-bit value, boolean, text.
std::int32_t argInt(const Arg& arg);
bool argBool(const Arg& arg);

}  // namespace jdbctest
