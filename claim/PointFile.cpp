#include "claim/PointFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/io/IOException.h"

namespace {

// Everything before the two coordinates: stream magic and version, a new object of a new class descriptor
// "java.awt.Point" (its serial version id, serialisable flag, the int fields x and y), end of block data and no
// super class.
std::array<std::uint8_t, PointFile::kSize - 8> prefix() {
  std::array<std::uint8_t, PointFile::kSize - 8> p{};
  std::size_t at = 0;
  auto put = [&](std::uint8_t b) { p[at++] = b; };
  for (std::uint8_t b : std::initializer_list<std::uint8_t>{0xAC, 0xED, 0x00, 0x05, 0x73, 0x72}) put(b);
  const std::string name = "java.awt.Point";
  put(0x00);
  put(static_cast<std::uint8_t>(name.size()));
  for (char c : name) put(static_cast<std::uint8_t>(c));
  const auto uid = static_cast<std::uint64_t>(PointFile::kSerialVersionUid);
  for (int shift = 56; shift >= 0; shift -= 8) put(static_cast<std::uint8_t>(uid >> shift));
  for (std::uint8_t b : std::initializer_list<std::uint8_t>{0x02, 0x00, 0x02, 0x49, 0x00, 0x01, 0x78, 0x49, 0x00, 0x01,
                                                            0x79, 0x78, 0x70})
    put(b);
  return p;
}

void putInt(std::uint8_t* at, int value) {
  const auto u = static_cast<std::uint32_t>(value);
  at[0] = static_cast<std::uint8_t>(u >> 24);
  at[1] = static_cast<std::uint8_t>(u >> 16);
  at[2] = static_cast<std::uint8_t>(u >> 8);
  at[3] = static_cast<std::uint8_t>(u);
}

int getInt(const std::uint8_t* at) {
  const std::uint32_t u =
      (std::uint32_t{at[0]} << 24) | (std::uint32_t{at[1]} << 16) | (std::uint32_t{at[2]} << 8) | std::uint32_t{at[3]};
  return static_cast<int>(u);
}

}  // namespace

std::array<std::uint8_t, PointFile::kSize> PointFile::encode(WindowPoint point) {
  std::array<std::uint8_t, kSize> out{};
  const auto head = prefix();
  std::memcpy(out.data(), head.data(), head.size());
  putInt(out.data() + head.size(), point.x);
  putInt(out.data() + head.size() + 4, point.y);
  return out;
}

std::optional<WindowPoint> PointFile::decode(std::span<const std::uint8_t> bytes) {
  const auto head = prefix();
  if (bytes.size() != kSize || std::memcmp(bytes.data(), head.data(), head.size()) != 0) return std::nullopt;
  return WindowPoint{getInt(bytes.data() + head.size()), getInt(bytes.data() + head.size() + 4)};
}

std::optional<WindowPoint> PointFile::read(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) throw plat::io::IOException(path + " (" + std::strerror(errno) + ")");
  // One byte more than the form holds is enough to tell a longer file from a good one.
  std::vector<std::uint8_t> bytes(kSize + 1);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (in.bad()) throw plat::io::IOException(path + " (read failed)");
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  auto point = decode(bytes);
  if (!point) throw plat::io::IOException(path + " (not a saved window position)");
  return point;
}

void PointFile::write(const std::string& path, WindowPoint point) {
  const auto bytes = encode(point);
  const std::string temp = path + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) throw plat::io::IOException(temp + " (" + std::strerror(errno) + ")");
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      std::remove(temp.c_str());
      throw plat::io::IOException(temp + " (write failed)");
    }
  }
  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  if (ec) {
    std::remove(temp.c_str());
    throw plat::io::IOException(path + " (" + ec.message() + ")");
  }
}
