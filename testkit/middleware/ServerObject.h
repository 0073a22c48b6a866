// The test server's object framework: server objects are made by class name ("proxy" "new"), called by method
// number ("proxy" "invoke") and dropped ("proxy" "delete"). A server object is called by one connection thread at
// a time (the server locks it); a failure it throws becomes a server error object in the reply.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "testkit/middleware/MwWire.h"

namespace testkit::middleware {

// Thrown by a server object to answer with a server error object.
struct ServerFailure : std::runtime_error {
  ServerFailure(std::int32_t id, std::int32_t category, const std::string& message, std::string state = "S1000")
      : std::runtime_error(message), id(id), category(category), state(std::move(state)) {}
  std::int32_t id;
  std::int32_t category;
  std::string state;
};

class ServerObject {
 public:
  virtual ~ServerObject() = default;
  // The elements of the reply list.
  virtual std::vector<Encoded> invoke(int method, const std::vector<Arg>& args) = 0;
};

// Makes a server object from the constructor selector and arguments of "proxy" "new".
using ServerObjectFactory =
    std::function<std::shared_ptr<ServerObject>(const std::string& selector, const std::vector<Arg>& args)>;

// "ProxyStream": a byte value read in chunks (0 getData, at most kChunk bytes; empty at the end), written by
// setData (1: int length, bytes) after a rewind (2), and cleared by setNull (3).
class ProxyStream : public ServerObject {
 public:
  static constexpr std::size_t kChunk = 4000;

  ProxyStream() = default;
  explicit ProxyStream(Bytes content) : content_(std::move(content)) {}

  std::vector<Encoded> invoke(int method, const std::vector<Arg>& args) override;

  Bytes content() const;
  bool isNull() const;
  // Lengths of the setData calls received, in order.
  std::vector<std::size_t> pieces() const;

 private:
  mutable std::mutex mu_;
  Bytes content_;                    // guarded by mu_
  std::size_t readAt_ = 0;           // guarded by mu_
  bool writing_ = false;             // guarded by mu_: the next setData after a rewind starts a new value
  bool null_ = false;                // guarded by mu_
  std::vector<std::size_t> pieces_;  // guarded by mu_
};

}  // namespace testkit::middleware
