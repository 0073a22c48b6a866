// The test server's own encoder of the objects the client reads and parser of the requests the client writes,
// written from the protocol tables alone and sharing no code with the client. Stateless; any thread.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace testkit::middleware {

using Bytes = std::vector<std::uint8_t>;

// One encoded wire object.
struct Encoded {
  Bytes bytes;
};

class MwEncode {
 public:
  static Encoded data(const Bytes& bytes);                    // 51
  static Encoded dataInt(std::int32_t v);                     // 51, 4 bytes
  static Encoded dataLong(std::int64_t v);                    // 51, 8 bytes
  static Encoded string(std::string_view text);               // 52, bytes as given
  static Encoded eot();                                       // 50 00 00
  static Encoded list(const std::vector<Encoded>& elements);  // 54, u16 0, elements, EOT
  static void appendList(Bytes& to, const std::vector<Encoded>& elements);
  static Encoded stringList(const std::vector<std::string>& texts);
  // 49: leader "ERR}", id, category, message and SQL state.
  static Encoded error(std::int32_t id, std::int32_t category, std::string_view message, std::string_view state);
  // 68: leader "EXL}", the errors (each made by error()), EOT. Built in one buffer, so long chains stay cheap.
  static Encoded errorList(std::size_t count, std::string_view message, std::string_view state);
  // 88: leader "WRN}", message, SQL state, code as 4-byte data, EOT.
  static Encoded warning(std::string_view message, std::string_view state, std::int32_t code);
  // 79: raw DEFLATE of the bytes (zlib), with compressed and original sizes.
  static Encoded compressed(const Bytes& bytes);
  // A packet: 0xBB, u16 payload + 2, stream id, payload.
  static Bytes packet(std::int16_t streamId, const Bytes& payload);
  static void append(Bytes& to, const Encoded& object) {
    to.insert(to.end(), object.bytes.begin(), object.bytes.end());
  }
};

// One value of a row argument: its kind (69-87), id, type word, null flag and the data (51) and string (52)
// objects that carry it.
struct RowValue {
  int kind = 0;
  int id = 0;
  int type = 0;
  bool isNull = false;
  std::vector<std::pair<int, Bytes>> objects{};
};

// One argument of a request as the server sees it.
struct Arg {
  int kind = 0;                 // 57 typed, 58 text, 59 row
  int id = 0;                   // argument id
  int type = 0;                 // argument type code (102 for text)
  std::vector<Bytes> values{};  // the data objects of a typed argument
  std::string text{};           // the text of a text argument
  int rowState = 0;             // a row argument: state, row number and its changed values
  std::int32_t rowNumber = 0;
  std::vector<RowValue> rowValues{};

  std::int32_t asInt() const;
};

// A request: 56, u16 0, a string command, arguments, end marker.
struct ParsedRequest {
  std::string command{};
  std::vector<std::string> words{};  // the command split at ","
  std::vector<Arg> args{};
};

struct ParseError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class MwParse {
 public:
  // ParseError when the payload is not one whole request.
  static ParsedRequest request(const Bytes& payload);
  // The same into r, reusing the room its texts and lists already have; r is unspecified after a ParseError.
  // r is empty or as an earlier call left it: its words are taken to be its command split, when the command repeats.
  static void request(const Bytes& payload, ParsedRequest& r);
};

}  // namespace testkit::middleware
