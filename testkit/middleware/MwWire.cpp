#include "testkit/middleware/MwWire.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

#include "testkit/middleware/BigEndian.h"

namespace testkit::middleware {
namespace {

using bigendian::u16;
using bigendian::u32;
using bigendian::u8;

class Cursor {
 public:
  explicit Cursor(const Bytes& b) : b_(b) {}
  int u8() {
    need(1);
    return b_[at_++];
  }
  int u16() {
    int hi = u8();
    return (hi << 8) | u8();
  }
  Bytes take(std::size_t n) {
    const std::uint8_t* p = bytes(n);
    return Bytes(p, p + n);
  }
  // The next n bytes in place, valid while the payload lives.
  const std::uint8_t* bytes(std::size_t n) {
    need(n);
    at_ += n;
    return b_.data() + at_ - n;
  }
  // The same as text.
  std::string_view view(std::size_t n) { return {reinterpret_cast<const char*>(bytes(n)), n}; }
  void skip(std::size_t n) { bytes(n); }
  bool done() const { return at_ == b_.size(); }

 private:
  void need(std::size_t n) const {
    if (b_.size() - at_ < n) throw ParseError("request ends early");
  }
  const Bytes& b_;
  std::size_t at_ = 0;
};

}  // namespace

Encoded MwEncode::data(const Bytes& bytes) {
  Encoded e;
  e.bytes.reserve(3 + bytes.size());
  u8(e.bytes, 51);
  u16(e.bytes, static_cast<int>(bytes.size()));
  e.bytes.insert(e.bytes.end(), bytes.begin(), bytes.end());
  return e;
}

Encoded MwEncode::dataInt(std::int32_t v) {
  Encoded e;
  e.bytes.reserve(7);
  u8(e.bytes, 51);
  u16(e.bytes, 4);
  u32(e.bytes, static_cast<std::uint32_t>(v));
  return e;
}

Encoded MwEncode::dataLong(std::int64_t v) {
  Bytes b;
  u32(b, static_cast<std::uint32_t>(static_cast<std::uint64_t>(v) >> 32));
  u32(b, static_cast<std::uint32_t>(v));
  return data(b);
}

Encoded MwEncode::string(std::string_view t) {
  Encoded e;
  u8(e.bytes, 52);
  u16(e.bytes, static_cast<int>(t.size()));
  e.bytes.insert(e.bytes.end(), t.begin(), t.end());
  return e;
}

Encoded MwEncode::eot() {
  return Encoded{{50, 0, 0}};
}

Encoded MwEncode::list(const std::vector<Encoded>& elements) {
  Encoded e;
  appendList(e.bytes, elements);
  return e;
}

void MwEncode::appendList(Bytes& to, const std::vector<Encoded>& elements) {
  std::size_t size = to.size() + 6;
  for (const auto& x : elements) size += x.bytes.size();
  to.reserve(size);
  u8(to, 54);
  u16(to, 0);
  for (const auto& x : elements) append(to, x);
  const std::uint8_t end[] = {50, 0, 0};
  to.insert(to.end(), std::begin(end), std::end(end));
}

Encoded MwEncode::stringList(const std::vector<std::string>& texts) {
  std::vector<Encoded> els;
  for (const auto& t : texts) els.push_back(string(t));
  return list(els);
}

Encoded MwEncode::error(std::int32_t id, std::int32_t category, std::string_view message, std::string_view state) {
  Encoded e;
  u8(e.bytes, 49);
  u16(e.bytes, 0);
  for (char c : std::string_view("ERR}")) u8(e.bytes, c);
  u32(e.bytes, static_cast<std::uint32_t>(id));
  u32(e.bytes, static_cast<std::uint32_t>(category));
  append(e.bytes, string(message));
  append(e.bytes, string(state));
  return e;
}

Encoded MwEncode::errorList(std::size_t count, std::string_view message, std::string_view state) {
  Encoded e;
  u8(e.bytes, 68);
  u16(e.bytes, 0);
  for (char c : std::string_view("EXL}")) u8(e.bytes, c);
  for (std::size_t i = 0; i < count; ++i) {
    append(e.bytes, error(static_cast<std::int32_t>(i + 1), 15, message, state));
  }
  append(e.bytes, eot());
  return e;
}

Encoded MwEncode::warning(std::string_view message, std::string_view state, std::int32_t code) {
  Encoded e;
  u8(e.bytes, 88);
  u16(e.bytes, 0);
  for (char c : std::string_view("WRN}")) u8(e.bytes, c);
  append(e.bytes, string(message));
  append(e.bytes, string(state));
  append(e.bytes, dataInt(code));
  append(e.bytes, eot());
  return e;
}

Encoded MwEncode::compressed(const Bytes& bytes) {
  z_stream z{};
  if (deflateInit2(&z, Z_BEST_SPEED, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
    throw std::runtime_error("deflateInit2");
  }
  Bytes out(deflateBound(&z, bytes.size()) + 16);
  z.next_in = const_cast<Bytef*>(bytes.data());
  z.avail_in = static_cast<uInt>(bytes.size());
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  const int rc = deflate(&z, Z_FINISH);
  const std::size_t n = z.total_out;
  deflateEnd(&z);
  if (rc != Z_STREAM_END) throw std::runtime_error("deflate");
  Encoded e;
  u8(e.bytes, 79);
  u16(e.bytes, static_cast<int>(n));
  u32(e.bytes, static_cast<std::uint32_t>(bytes.size()));
  e.bytes.insert(e.bytes.end(), out.begin(), out.begin() + static_cast<std::ptrdiff_t>(n));
  return e;
}

Bytes MwEncode::packet(std::int16_t streamId, const Bytes& payload) {
  Bytes p;
  u8(p, 0xBB);
  u16(p, static_cast<int>(payload.size() + 2));
  u16(p, static_cast<std::uint16_t>(streamId));
  p.insert(p.end(), payload.begin(), payload.end());
  return p;
}

std::int32_t Arg::asInt() const {
  if (values.empty() || values[0].size() < 4) throw ParseError("argument is not an int");
  const Bytes& v = values[0];
  return static_cast<std::int32_t>((std::uint32_t{v[0]} << 24) | (std::uint32_t{v[1]} << 16) |
                                   (std::uint32_t{v[2]} << 8) | v[3]);
}

namespace {

// A row argument: length 9, "ROW}", state, row number, then its values up to an end marker. Each value is its
// kind, a header length, id, type word and null flag, then data or string objects up to an end marker.
void readRow(Cursor& c, Arg& a) {
  if (c.u16() != 9) throw ParseError("row argument length");
  if (c.view(4) != "ROW}") throw ParseError("row argument marker");
  a.rowState = c.u8();
  const int high = c.u16();
  a.rowNumber =
      static_cast<std::int32_t>((static_cast<std::uint32_t>(high) << 16) | static_cast<std::uint32_t>(c.u16()));
  for (;;) {
    const int kind = c.u8();
    if (kind == 50) {
      c.skip(static_cast<std::size_t>(c.u16()));
      return;
    }
    if (kind < 69 || kind > 87) throw ParseError("row value kind " + std::to_string(kind));
    RowValue v;
    v.kind = kind;
    c.u16();
    v.id = c.u8();
    v.type = c.u16();
    v.isNull = c.u8() != 0;
    for (;;) {
      const int t = c.u8();
      if (t == 50) {
        c.skip(static_cast<std::size_t>(c.u16()));
        break;
      }
      if (t != 51 && t != 52) throw ParseError("row value object " + std::to_string(t));
      v.objects.emplace_back(t, c.take(static_cast<std::size_t>(c.u16())));
    }
    a.rowValues.push_back(std::move(v));
  }
}

}  // namespace

ParsedRequest MwParse::request(const Bytes& payload) {
  ParsedRequest r;
  request(payload, r);
  return r;
}

void MwParse::request(const Bytes& payload, ParsedRequest& r) {
  Cursor c(payload);
  if (c.u8() != 56) throw ParseError("not a request");
  c.u16();
  if (c.u8() != 52) throw ParseError("command is not a string");
  const std::string_view command = c.view(static_cast<std::size_t>(c.u16()));
  // A client repeats its commands: the last request's command, split already, keeps its words as they are.
  if (r.words.empty() || r.command != command) {
    r.command = command;
    std::size_t words = 0;
    for (std::size_t start = 0;;) {
      const std::size_t comma = command.find(',', start);
      const std::string_view word = command.substr(start, comma - start);
      if (words < r.words.size()) {
        r.words[words].assign(word);  // into the room the last request's word had
      } else {
        r.words.emplace_back(word);
      }
      ++words;
      if (comma == std::string_view::npos) break;
      start = comma + 1;
    }
    r.words.resize(words);
  }
  std::size_t args = 0;
  for (;;) {
    const int type = c.u8();
    if (type == 50) {
      c.skip(static_cast<std::size_t>(c.u16()));
      break;
    }
    if (args == r.args.size()) r.args.emplace_back();
    Arg& a = r.args[args++];
    a.kind = type;
    a.id = 0;
    a.type = 0;
    a.text.clear();
    a.rowState = 0;
    a.rowNumber = 0;
    a.rowValues.clear();
    std::size_t values = 0;
    if (type == 57) {
      if (c.u16() != 6) throw ParseError("typed argument length");
      if (c.view(4) != "FLD}") throw ParseError("typed argument marker");
      a.id = c.u8();
      a.type = c.u8();
      for (;;) {
        const int t = c.u8();
        if (t == 50) {
          c.skip(static_cast<std::size_t>(c.u16()));
          break;
        }
        if (t != 51) throw ParseError("typed argument value");
        const auto n = static_cast<std::size_t>(c.u16());
        const std::uint8_t* v = c.bytes(n);
        if (values == a.values.size()) a.values.emplace_back();
        a.values[values++].assign(v, v + n);
      }
    } else if (type == 58) {
      if (c.u16() != 1) throw ParseError("text argument length");
      a.id = c.u8();
      a.type = 102;
      if (c.u8() != 52) throw ParseError("text argument value");
      a.text = c.view(static_cast<std::size_t>(c.u16()));
    } else if (type == 59) {
      readRow(c, a);
    } else {
      throw ParseError("unknown argument object " + std::to_string(type));
    }
    a.values.resize(values);
  }
  r.args.resize(args);
  if (!c.done()) throw ParseError("bytes after the end marker");
}

}  // namespace testkit::middleware
