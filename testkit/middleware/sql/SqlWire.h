// The SQL server objects' own encoders of what they answer (small data values, typed column values, rows, result
// descriptions, warnings) and readers of the call arguments they receive, written from the protocol tables and
// sharing no code with the client. Stateless; any thread.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/lang/Value.h"
#include "testkit/middleware/MwWire.h"

namespace testkit::middleware::sql {

// Row states and the error categories the objects answer with.
inline constexpr int kRowExisting = 100;
inline constexpr int kRowInvalid = 105;
inline constexpr int kCategoryGeneral = 0;
inline constexpr int kCategoryNoSupport = 2;
inline constexpr int kCategoryConnectionFailed = 8;
inline constexpr int kCategoryInvalidArg = 11;
inline constexpr int kCategorySql = 15;
// The longest text or byte value a 16-bit length can carry inside a row.
inline constexpr std::size_t kMaxInlineValue = 32767;

// One column as the result description tells it.
struct ColumnInfo {
  bool autoIncrement = false;
  bool caseSensitive = true;
  bool searchable = true;
  bool currency = false;
  int nullable = 2;
  bool isSigned = false;
  int displaySize = 0;
  std::string label;
  std::string name;
  std::string schema;
  int precision = 0;
  int scale = 0;
  std::string table;
  std::string catalog;
  int sqlType = 12;
  std::string typeName;
  bool readOnly = false;
  bool writable = true;
  bool definitelyWritable = false;
};

// Text on the wire is 8-bit: a character above U+00FF goes out as '?'; bytes come in as U+0000..U+00FF.
std::string toWireText(std::string_view utf8);
std::string fromWireText(std::string_view wire);

// Writes encoded values one after another at the end of a buffer. Room for what usually follows (a row's values) is
// made in one growth, so a value costs a check and a pointer's move instead of a growth of its own; the buffer is
// trimmed to what was written when the writer goes. Nothing else touches the buffer while a writer is on it.
class ByteWriter {
 public:
  // ahead: the bytes expected, made room for at once.
  explicit ByteWriter(Bytes& out, std::size_t ahead = 0);
  ~ByteWriter() { out_.resize(written_); }
  ByteWriter(const ByteWriter&) = delete;
  ByteWriter& operator=(const ByteWriter&) = delete;

  // The next n bytes, for the caller to fill.
  std::uint8_t* room(std::size_t n) {
    if (out_.size() - written_ < n) [[unlikely]]
      grow(n);
    std::uint8_t* p = out_.data() + written_;
    written_ += n;
    return p;
  }

 private:
  void grow(std::size_t n);

  Bytes& out_;
  std::size_t written_;  // out_'s bytes after these are room, not yet written
};

class SqlEncode {
 public:
  static Encoded boolean(bool v);        // 51, 1 byte
  static Encoded int8(std::int8_t v);    // 51, 1 byte
  static Encoded int16(std::int16_t v);  // 51, 2 bytes
  static Encoded float32(float v);       // 51, IEEE single bits
  static Encoded float64(double v);      // 51, IEEE double bits
  // 52 with the text in 8-bit form; ServerFailure when longer than a 16-bit length can carry.
  static Encoded text(std::string_view utf8);

  // The typed value kind (69-87) that carries a column of the JDBC type.
  static int kindOf(int sqlType);
  // The JDBC type that describes a value of this kind (VARCHAR for text and anything unlisted).
  static int typeOf(const plat::lang::Value& value);
  // Whether a column of the type travels through a stream instead of inside the row.
  static bool isLong(int sqlType);
  // One typed value for a column of sqlType: header (length, id, type word, null flag) and, unless null or long,
  // its data. A value whose kind does not fit the column's kind goes as VARCHAR text. ServerFailure when a text
  // or byte value is longer than a row can carry.
  static Encoded field(const plat::lang::Value& value, int sqlType, int id);
  // The same, appended through out (a row's values go into one buffer).
  static void appendField(ByteWriter& out, const plat::lang::Value& value, int sqlType, int id);
  // The same for a null, an integer, a double and a text as a result set's typed getters give them: the bytes of
  // appendField with Value::null(), Value::ofLong(v), Value::ofDouble(v) and Value::ofString(utf8), without making
  // the Value (a row's common columns go this way).
  static void appendNullField(ByteWriter& out, int sqlType, int id);
  static void appendWholeField(ByteWriter& out, std::int64_t v, int sqlType, int id);
  static void appendDoubleField(ByteWriter& out, double v, int sqlType, int id);
  static void appendTextField(ByteWriter& out, std::string_view utf8, int sqlType, int id);
  // 59: length, state, row number, value count, the values.
  static Encoded row(std::int32_t rowNumber, const std::vector<Encoded>& values, int state = kRowExisting);
  // The row header alone, for count values appended after it.
  static void appendRowHeader(ByteWriter& out, std::int32_t rowNumber, int count, int state = kRowExisting);
  // The invalid row that marks the end of a result.
  static Encoded endRow();
  // 64: the result description with one attribute list (62) per column.
  static Encoded entity(const std::vector<ColumnInfo>& columns);
  // 88: message, SQL state, code, end marker.
  static Encoded warning(std::string_view message, std::string_view state, std::int32_t code);
};

// Reads the arguments of one call by position. A missing or unreadable argument is a ServerFailure of the
// invalid-argument category naming the call.
class ArgReader {
 public:
  ArgReader(const std::vector<Arg>& args, std::string call) : args_(args), call_(std::move(call)) {}
  // The call named "<className>.<method>"; the name is spelt out only when an argument fails.
  ArgReader(const std::vector<Arg>& args, const char* className, int method)
      : args_(args), className_(className), method_(method) {}

  std::size_t size() const { return args_.size(); }
  // Any integer argument (1, 2, 4 or 8 data bytes, big-endian, signed).
  std::int64_t integer(std::size_t i) const;
  std::int32_t int32(std::size_t i) const;
  bool boolean(std::size_t i) const;
  float float32(std::size_t i) const;
  double float64(std::size_t i) const;
  // A text argument (or the bytes of a typed one) as UTF-8.
  std::string text(std::size_t i) const;
  Bytes bytes(std::size_t i) const;
  // Every text argument from i on.
  std::vector<std::string> textsFrom(std::size_t i) const;

 private:
  const Arg& at(std::size_t i) const;
  const Bytes& data(std::size_t i) const;
  [[noreturn]] void fail(std::size_t i, const std::string& why) const;

  const std::vector<Arg>& args_;
  std::string call_;
  const char* className_ = nullptr;  // with method_, the call's name when call_ is not given
  int method_ = 0;
};

}  // namespace testkit::middleware::sql
