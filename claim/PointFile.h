// The window-position file "jwin.dat": a point (x, y) in the managed runtime's object-serialisation form, the
// 51 bytes the earlier program wrote, so files of either program read in the other. Only that exact form is
// accepted; anything else reads as no position. Stateless; every function may be called from any thread.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

struct WindowPoint {
  int x = 0;
  int y = 0;
  bool operator==(const WindowPoint&) const = default;
};

class PointFile {
 public:
  static constexpr const char* kFileName = "jwin.dat";
  static constexpr std::size_t kSize = 51;
  static constexpr std::int64_t kSerialVersionUid = -5276940640259749850LL;

  static std::array<std::uint8_t, kSize> encode(WindowPoint point);
  // The point of exactly kSize bytes of the serialised form; nothing for any other content.
  static std::optional<WindowPoint> decode(std::span<const std::uint8_t> bytes);

  // Reads `path`; nothing when the file is missing. IOException when it exists but cannot be read or does not
  // hold a serialised point, so the caller can log why it was ignored.
  static std::optional<WindowPoint> read(const std::string& path);
  // Replaces `path` with the point, through a temporary file so a failed write never leaves half a file.
  // IOException when it cannot be written.
  static void write(const std::string& path, WindowPoint point);
};
