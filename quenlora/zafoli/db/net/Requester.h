// Base of every exchange with the middleware server: takes a stream, writes one request packet (56, u16 0, the
// command text, the arguments, an end marker), reads the reply and gives the stream back, all under the session's
// input-stream lock, so the requests of one session run one at a time and their replies never mix. A request
// object is used by one thread at a time; several request objects of one session may run from several threads.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/io/ByteArrayOutputStream.h"
#include "platform/io/DataInputStream.h"
#include "platform/io/DataOutputStream.h"
#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/net/IO.h"
#include "quenlora/zafoli/db/net/MPlex.h"
#include "quenlora/zafoli/db/net/ServerObject.h"

namespace quenlora::zafoli::db::net {

class ClientSession;

class Requester : public plat::lang::Object {
 public:
  static constexpr std::size_t kFirstBufferCapacity = 512;

  // Takes the session's current multiplexer; the session must outlive the request object.
  explicit Requester(ClientSession& sess);
  ~Requester() override;
  Requester(const Requester&) = delete;
  Requester& operator=(const Requester&) = delete;

  // Runs the request. SQLServerConnException when the connection is or becomes lost; SQLException for a request
  // too long, a stream that could not be had ("TRIVO net error( ... )" for transport failures inside) and the
  // server's errors.
  void execute();
  ClientSession& getSession() const { return *_sess; }

  // The text, when it holds no comma; SQLException otherwise, as a comma would shift the server's words.
  static const std::string& checkText(const std::string& text);

 protected:
  // A request of the multiplexer itself (connect, reconnect, disconnect); sess may be null.
  Requester(ClientSession* sess, plat::lang::Ref<MPlex> mplex);

  virtual void writeRequest(plat::io::DataOutputStream& out) = 0;
  virtual void readResults(plat::io::DataInputStream& in) = 0;
  virtual plat::lang::Ref<IO> getIO();
  virtual void releaseIO(const plat::lang::Ref<IO>& io);
  // The object-error rule for a reply object of the wrong kind. A whole server error or error list is raised as
  // its SQL exception and the session stays usable; any other object means the reply is out of step, so the
  // connection is marked lost before "TRIVO object stream error." is raised.
  [[noreturn]] void onObjectError(const ServerObject& object);

  // The command words joined by "," as one string object.
  void writeCommand(plat::io::DataOutputStream& out, const std::vector<std::string>& words);

  const plat::lang::Ref<MPlex>& mplex() const { return _mplex; }

  static constexpr const char* _reqDelim = ",";

 private:
  void markLost();

  plat::lang::Ref<MPlex> _mplex;  // null when the session had none
  // Kept from one request to the next so building a request allocates nothing; a large one is not kept.
  plat::lang::Ref<plat::io::ByteArrayOutputStream> requestBuffer_;
  plat::lang::Ref<plat::io::DataOutputStream> requestOut_;  // writes into requestBuffer_; never closed
  std::string commandText_;
  ClientSession* _sess;  // borrowed; may be null for the multiplexer's own requests
  bool serverErrorRaised_ = false;
};

}  // namespace quenlora::zafoli::db::net
