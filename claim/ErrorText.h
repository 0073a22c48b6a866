// Texts of failures for the claim program's log and status fields: the C++ exception's own short name (without
// any package path) and its message, so a line reads "ConnectException: Connection refused". Stateless; callable
// from any thread.
#pragma once

#include <exception>
#include <string>

class ErrorText {
 public:
  ErrorText() = delete;

  // "<ShortName>: <message>", or the short name alone when there is no message.
  static std::string describe(const std::exception& e);
  // The message alone when there is one, else describe(e).
  static std::string messageOf(const std::exception& e);
  // A file that could not be opened: "FileNotFoundException: <path> (<system reason>)".
  static std::string fileNotFound(const std::string& path, int err);
  // A failed read or write: "IOException: <system reason>".
  static std::string ioFailure(int err);
};
