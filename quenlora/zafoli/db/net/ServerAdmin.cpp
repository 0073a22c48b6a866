#include "quenlora/zafoli/db/net/ServerAdmin.h"

#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/NetClass.h"
#include "quenlora/zafoli/db/net/NetData.h"
#include "quenlora/zafoli/db/net/ServerList.h"
#include "quenlora/zafoli/db/net/SessionErrors.h"

namespace quenlora::zafoli::db::net {

namespace {

const char* flag(bool on) {
  return on ? "true" : "false";
}

}  // namespace

ServerAdmin::ServerAdmin(ClientSession& session) : Requester(session) {}

ServerAdmin::Texts ServerAdmin::listRequest(std::vector<std::string> words, const char* failure) {
  std::lock_guard<std::mutex> hold(callMu_);
  _reqStr = std::move(words);
  wantList_ = true;
  hasList_ = false;
  list_.clear();
  execute();
  if (!hasList_) throw plat::sql::SQLException(failure);
  return std::move(list_);
}

void ServerAdmin::dataRequest(std::vector<std::string> words) {
  std::lock_guard<std::mutex> hold(callMu_);
  _reqStr = std::move(words);
  wantList_ = false;
  execute();
}

ServerAdmin::Texts ServerAdmin::getConnectList() {
  return listRequest({"admin", "getConnectList"}, SessionErrors::CONNECT_LIST);
}

ServerAdmin::Texts ServerAdmin::getConnectDetails(std::int32_t connectionID) {
  return listRequest({"admin", "getConnectDetails", std::to_string(connectionID)}, SessionErrors::CONNECT_DETAILS);
}

ServerAdmin::Texts ServerAdmin::getServerStats() {
  return listRequest({"admin", "getSrvStats"}, SessionErrors::SERVER_STATS);
}

ServerAdmin::Texts ServerAdmin::trace(std::int32_t connectionID) {
  return listRequest({"admin", "trace", std::to_string(connectionID)}, SessionErrors::TRACE);
}

ServerAdmin::Texts ServerAdmin::ping(const std::string& echo, int repetitions) {
  return listRequest({"admin", "ping", checkText(echo), std::to_string(repetitions)}, SessionErrors::PING);
}

ServerConfig ServerAdmin::getConfig() {
  const Texts texts = listRequest({"admin,getConfig"}, SessionErrors::GET_CONFIG);
  if (texts.size() < kConfigEntries) throw plat::sql::SQLException(SessionErrors::GET_CONFIG);
  auto set = [&texts](std::size_t i) { return texts[i] == "true"; };
  ServerConfig config;
  config._bAllowRemoteAdmin = set(0);
  config._bAllowDebug = set(1);
  config._traceRequests = set(2);
  config._traceObjects = set(3);
  config._traceBytesRead = set(4);
  config._traceBytesWritten = set(5);
  return config;
}

void ServerAdmin::kill(std::int32_t connectionID) {
  dataRequest({"admin", "kill", std::to_string(connectionID)});
}

void ServerAdmin::accept(bool accept) {
  dataRequest({"admin", "accept", accept ? "yes" : "no"});
}

void ServerAdmin::setConfig(const ServerConfig& config) {
  dataRequest({"admin,setConfig", flag(config._traceRequests), flag(config._traceObjects), flag(config._traceBytesRead),
               flag(config._traceBytesWritten)});
}

void ServerAdmin::debug(const std::string& text) {
  dataRequest({"debug," + checkText(text)});
}

void ServerAdmin::writeRequest(plat::io::DataOutputStream& out) {
  writeCommand(out, _reqStr);
}

void ServerAdmin::readResults(plat::io::DataInputStream& in) {
  plat::lang::Ref<ServerObject> first = NetClass::getNextObject(in);
  if (wantList_) {
    auto list = plat::lang::refCast<ServerList>(first);
    if (!list) onObjectError(*first);
    list_ = list->toStringVector();
    hasList_ = true;
    return;
  }
  if (!plat::lang::refCast<NetData>(first)) onObjectError(*first);
}

}  // namespace quenlora::zafoli::db::net
