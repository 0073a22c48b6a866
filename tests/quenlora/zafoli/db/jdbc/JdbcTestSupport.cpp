#include "JdbcTestSupport.h"

#include <stdexcept>

#include "platform/lang/Value.h"
#include "quenlora/zafoli/db/jdbc/Driver.h"

namespace jdbctest {

ScriptedServer::ScriptedServer() {
  connectionId_ = server_.addObject(connection_);
  const std::int32_t connId = connectionId_;
  server_.registerClass("TRIVODriver", [connId](const std::string&, const std::vector<Arg>&) {
    auto driver = std::make_shared<ScriptedObject>();
    driver->on(0, {MwEncode::dataInt(connId)});
    return driver;
  });
}

std::string ScriptedServer::url() const {
  return "jdbc:orvo://" + server_.address() + ":" + std::to_string(server_.port()) + "/engine";
}

plat::lang::Ref<plat::sql::Connection> ScriptedServer::connect() {
  quenlora::zafoli::db::jdbc::Driver driver;
  return driver.connect(url(), plat::util::Properties());
}

std::pair<std::int32_t, std::shared_ptr<ScriptedObject>> ScriptedServer::addObject() {
  auto object = std::make_shared<ScriptedObject>();
  return {server_.addObject(object), object};
}

std::vector<Call> invokeCalls(const MiddlewareServer& server, std::int32_t objectId) {
  std::vector<Call> calls;
  for (const auto& recorded : server.requests()) {
    const auto& w = recorded.request.words;
    if (w.size() < 4 || w[0] != "proxy" || w[1] != "invoke") continue;
    Call call{std::stoi(w[2]), std::stoi(w[3]), recorded.request.args};
    if (objectId == 0 || call.object == objectId) calls.push_back(std::move(call));
  }
  return calls;
}

std::vector<Call> ScriptedServer::calls(std::int32_t objectId) const {
  return invokeCalls(server_, objectId);
}

std::vector<int> ScriptedServer::methods(std::int32_t objectId) const {
  std::vector<int> result;
  for (const auto& call : calls(objectId)) result.push_back(call.method);
  return result;
}

std::vector<ColumnInfo> columnsOfSizes(const std::vector<int>& sizes) {
  std::vector<ColumnInfo> columns;
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    ColumnInfo c;
    c.name = c.label = "c" + std::to_string(i + 1);
    c.displaySize = sizes[i];
    c.sqlType = 12;
    c.typeName = "VARCHAR";
    columns.push_back(c);
  }
  return columns;
}

std::vector<Encoded> queryReply(std::int32_t resultSetId, const std::vector<ColumnInfo>& columns) {
  return {MwEncode::dataInt(resultSetId), SqlEncode::entity(columns)};
}

Encoded textRow(std::int32_t rowNumber, const std::vector<std::string>& values) {
  std::vector<Encoded> fields;
  for (const auto& v : values) fields.push_back(SqlEncode::field(plat::lang::Value(v), 12, 0));
  return SqlEncode::row(rowNumber, fields);
}

std::int32_t argInt(const Arg& arg) {
  return arg.asInt();
}

bool argBool(const Arg& arg) {
  if (arg.values.empty() || arg.values[0].empty()) throw std::runtime_error("no boolean argument");
  return arg.values[0][0] != 0;
}

}  // namespace jdbctest
