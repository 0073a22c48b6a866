// The saved-settings archive: fields read back as written, and every damaged archive refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/serial/ObjectInput.h"
#include "platform/serial/ObjectOutput.h"
#include "platform/serial/ObjectStreamException.h"

namespace plat::serial {
namespace {

TEST(ObjectArchive, FieldsReadBackAndDamageIsRefused) {
  ObjectOutput out;
  out.writeUTF("0.02");
  out.writeBoolean(true);
  out.writeInt(-2147483647 - 1);
  out.writeUTF(std::string("ü\0x", 4));
  ObjectInput in(out.bytes());
  EXPECT_EQ(in.readUTF(), "0.02");
  EXPECT_TRUE(in.readBoolean());
  EXPECT_EQ(in.readInt(), -2147483647 - 1);
  EXPECT_EQ(in.readUTF(), std::string("ü\0x", 4));
  EXPECT_TRUE(in.atEnd());
  EXPECT_THROW(in.readInt(), StreamCorruptedException);

  const auto& bytes = out.bytes();
  for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
    std::vector<std::uint8_t> partial(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut));
    EXPECT_THROW(
        {
          ObjectInput damaged(partial);
          damaged.readUTF();
          damaged.readBoolean();
          damaged.readInt();
          damaged.readUTF();
        },
        StreamCorruptedException)
        << cut;
  }
  ObjectInput wrongType(bytes);
  EXPECT_THROW(wrongType.readInt(), StreamCorruptedException);
  std::vector<std::uint8_t> badBoolean = bytes;
  badBoolean[4 + 1 + 4 + 4 + 1] = 7;
  ObjectInput flipped(badBoolean);
  flipped.readUTF();
  EXPECT_THROW(flipped.readBoolean(), StreamCorruptedException);
  std::vector<std::uint8_t> hugeLength = bytes;
  hugeLength[5] = 0x7f;
  EXPECT_THROW(ObjectInput(hugeLength).readUTF(), StreamCorruptedException);
}

TEST(ObjectArchive, ColoursAndTextListsReadBackWithinTheirLimits) {
  ObjectOutput out;
  out.writeColor(0xFF00FF00u);
  out.writeTextList({"a", "", "ü"});
  out.writeTextList({});
  out.writeUTF("four");
  ObjectInput in(out.bytes());
  EXPECT_EQ(in.readColor(), 0xFF00FF00u);
  EXPECT_EQ(in.readTextList(3, 2), (std::vector<std::string>{"a", "", "ü"}));
  EXPECT_TRUE(in.readTextList(0, 0).empty());
  EXPECT_EQ(in.readUTF(4), "four");
  EXPECT_TRUE(in.atEnd());

  struct Case {
    const char* name;
    std::function<void(ObjectInput&)> read;
  };
  const std::vector<Case> overLimit = {
      {"list count", [](ObjectInput& r) { r.readColor(), r.readTextList(2, 10); }},
      {"text in list", [](ObjectInput& r) { r.readColor(), r.readTextList(3, 1); }},
      {"plain text", [](ObjectInput& r) { r.readColor(), r.readTextList(3, 2), r.readTextList(0, 0), r.readUTF(3); }},
      {"colour read as int", [](ObjectInput& r) { r.readInt(); }},
  };
  for (const Case& c : overLimit) {
    ObjectInput again(out.bytes());
    EXPECT_THROW(c.read(again), StreamCorruptedException) << c.name;
  }
}

TEST(ObjectArchive, AListCountBeyondTheArchiveIsRefusedBeforeAllocating) {
  ObjectOutput out;
  out.writeTextList({"x"});
  std::vector<std::uint8_t> bytes = out.bytes();
  ASSERT_GE(bytes.size(), 9u);
  std::fill(bytes.begin() + 5, bytes.begin() + 9, std::uint8_t{0xFF});
  ObjectInput in(bytes);
  EXPECT_THROW(in.readTextList(0xFFFFFFFFu, 10), StreamCorruptedException);
}

}  // namespace
}  // namespace plat::serial
