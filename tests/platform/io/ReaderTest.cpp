#include "platform/io/BufferedReader.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/io/ByteArrayInputStream.h"
#include "platform/io/InputStreamReader.h"

namespace plat::io {
namespace {

using plat::lang::makeRef;

std::vector<std::string> lines(const std::string& bytes) {
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  BufferedReader reader(makeRef<InputStreamReader>(makeRef<ByteArrayInputStream>(data, bytes.size())));
  std::vector<std::string> out;
  while (auto line = reader.readLine()) out.push_back(*line);
  return out;
}

TEST(BufferedReader, LinesEndAtLfCrOrCrLf) {
  struct Case {
    std::string input;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\n", {"a"}},
      {"a\nb", {"a", "b"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\rb\r", {"a", "b"}},
      {"a\r\rb", {"a", "", "b"}},
      {"a\n\r\nb", {"a", "", "b"}},
      {"\n\n", {"", ""}},
      {"\r\n", {""}},
      {"a\r\n\nb", {"a", "", "b"}},
      {"x=1\r\ny=2\nz=3\r", {"x=1", "y=2", "z=3"}},
  };
  for (const auto& c : cases) EXPECT_EQ(lines(c.input), c.expected) << '"' << c.input << '"';
}

TEST(BufferedReader, BytesAreLatin1Characters) {
  EXPECT_EQ(lines("caf\xE9\n\xFF"), (std::vector<std::string>{"caf\xC3\xA9", "\xC3\xBF"}));
}

TEST(BufferedReader, ReadAfterCrSkipsTheLf) {
  const std::string bytes = "a\r\nb";
  BufferedReader reader(makeRef<InputStreamReader>(
      makeRef<ByteArrayInputStream>(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size())));
  EXPECT_EQ(reader.readLine(), std::optional<std::string>("a"));
  EXPECT_EQ(reader.read(), 'b');
  EXPECT_EQ(reader.read(), -1);
  EXPECT_EQ(reader.readLine(), std::nullopt);
}

}  // namespace
}  // namespace plat::io
