// A request with a session command ("session", "admin", "debug"): the command words and the kind of reply to read,
// which is kept for the caller. One object per call; used by one thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/net/NetData.h"
#include "quenlora/zafoli/db/net/Requester.h"

namespace quenlora::zafoli::db::net {

class SessionRequest : public Requester {
 public:
  enum class Reply {
    None,     // nothing is read (disconnect)
    Data,     // one data object
    List,     // one list of strings
    Connect,  // the connect handshake: an id, or -2 with host and port
  };

  SessionRequest(ClientSession& sess, std::vector<std::string> words, Reply reply);
  // A request of the multiplexer itself. With a stream given, the request runs on it and does not give it back
  // (reconnect); without one, Connect takes stream 0 and keeps it, and the other kinds take and return one.
  SessionRequest(plat::lang::Ref<MPlex> mplex, std::vector<std::string> words, Reply reply,
                 plat::lang::Ref<IO> io = nullptr);

  const plat::lang::Ref<NetData>& getData() const { return data_; }
  const std::vector<std::string>& getList() const { return list_; }
  bool hasList() const { return hasList_; }
  // The connect reply's host and port (redirect only).
  const std::string& getRedirectHost() const { return host_; }
  std::int32_t getRedirectPort() const { return port_; }

 protected:
  void writeRequest(plat::io::DataOutputStream& out) override;
  void readResults(plat::io::DataInputStream& in) override;
  plat::lang::Ref<IO> getIO() override;
  void releaseIO(const plat::lang::Ref<IO>& io) override;

 private:
  std::vector<std::string> words_;
  Reply reply_;
  plat::lang::Ref<IO> fixedIO_;  // the stream a reconnect announces
  plat::lang::Ref<NetData> data_;
  std::vector<std::string> list_;
  bool hasList_ = false;
  std::string host_;
  std::int32_t port_ = 0;
};

}  // namespace quenlora::zafoli::db::net
