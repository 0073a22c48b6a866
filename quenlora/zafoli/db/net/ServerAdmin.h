// The administration commands of the middleware server ("admin", "debug"): the connection list and details, server
// statistics, tracing, ping, killing a connection, accepting new ones and the server's configuration. Each call is
// one request on the session; the calls are exclusive on the object. The session must outlive it.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "quenlora/zafoli/db/net/Requester.h"
#include "quenlora/zafoli/db/net/ServerConfig.h"

namespace quenlora::zafoli::db::net {

class ServerAdmin : public Requester {
 public:
  using Texts = std::vector<std::string>;

  // Entries of the configuration list: six flags, each set when its text is exactly "true".
  static constexpr std::size_t kConfigEntries = 6;

  explicit ServerAdmin(ClientSession& session);

  // Each returns the texts of the reply list; SQLException with the call's own text when no list came, and the
  // request failures of Requester.
  Texts getConnectList();
  Texts getConnectDetails(std::int32_t connectionID);
  Texts getServerStats();
  Texts trace(std::int32_t connectionID);
  // The echo text goes into the command, so a comma in it is refused before sending.
  Texts ping(const std::string& echo, int repetitions);
  // SQLException "Error getting config." when fewer than six texts came.
  ServerConfig getConfig();

  void kill(std::int32_t connectionID);
  void accept(bool accept);
  // Sends the four trace flags; the two permissions are the server's own.
  void setConfig(const ServerConfig& config);
  // A comma in the text is refused before sending.
  void debug(const std::string& text);

 protected:
  void writeRequest(plat::io::DataOutputStream& out) override;
  void readResults(plat::io::DataInputStream& in) override;

 private:
  Texts listRequest(std::vector<std::string> words, const char* failure);
  void dataRequest(std::vector<std::string> words);

  std::mutex callMu_;                // held through each call
  std::vector<std::string> _reqStr;  // the command of the running call
  bool wantList_ = false;
  bool hasList_ = false;
  Texts list_;
};

}  // namespace quenlora::zafoli::db::net
