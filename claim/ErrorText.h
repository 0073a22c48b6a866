// Texts of failures for the claim program's log and status fields, in the program's own words: what failed and
// the cause, so a line reads "Connect failed: Connection refused". Stateless; callable from any thread.
#pragma once

#include <exception>
#include <string>

class ErrorText {
 public:
  ErrorText() = delete;

  // "<what failed>: <message>", or what failed alone when there is no message.
  static std::string describe(const std::exception& e);
  // The message alone when there is one, else describe(e).
  static std::string messageOf(const std::exception& e);
  // A file that could not be opened: "Cannot open <path> (<system reason>)".
  static std::string fileNotFound(const std::string& path, int err);
  // A failed read or write: "Input/output failure: <system reason>".
  static std::string ioFailure(int err);
  // What a failure of the kind named `className` (a short name) is called here.
  static std::string kindOf(const std::string& className);
};
