#include "platform/io/File.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/io/FileInputStream.h"
#include "platform/io/FileOutputStream.h"
#include "platform/io/IOException.h"

namespace plat::io {
namespace {

using Bytes = std::vector<std::uint8_t>;

class FileFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/plat_io_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    for (const auto& name : File(dir_).list()) File(dir_, name).remove();
    File(dir_).remove();
  }
  std::string path(const std::string& name) const { return dir_ + "/" + name; }

  std::string dir_;
};

Bytes readAll(const std::string& path) {
  FileInputStream in(path);
  Bytes out;
  std::uint8_t buf[7];
  for (int n; (n = in.read(buf, sizeof buf)) > 0;) out.insert(out.end(), buf, buf + n);
  return out;
}

using FileStreams = FileFixture;

TEST_F(FileStreams, WriteTruncatesAndAppendAdds) {
  {
    FileOutputStream out(path("a.dat"));
    out.write(Bytes{1, 2, 3});
  }
  {
    FileOutputStream out(path("a.dat"), true);
    out.write(Bytes{4});
  }
  EXPECT_EQ(readAll(path("a.dat")), (Bytes{1, 2, 3, 4}));
  {
    FileOutputStream out(path("a.dat"));
    out.write(9);
  }
  EXPECT_EQ(readAll(path("a.dat")), (Bytes{9}));
}

TEST_F(FileStreams, MissingFileOrDirectoryIsFileNotFound) {
  EXPECT_THROW(FileInputStream(path("missing")), FileNotFoundException);
  EXPECT_THROW(FileInputStream{dir_}, FileNotFoundException);
  EXPECT_THROW(FileOutputStream(path("no/such/dir/file")), FileNotFoundException);
}

TEST_F(FileStreams, SkipAvailableAndClosedUse) {
  {
    FileOutputStream out(path("b.dat"));
    out.write(Bytes{0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
  }
  FileInputStream in(path("b.dat"));
  EXPECT_EQ(in.available(), 10);
  EXPECT_EQ(in.skip(4), 4);
  EXPECT_EQ(in.read(), 4);
  EXPECT_EQ(in.skip(100), 5);
  EXPECT_EQ(in.read(), -1);
  in.close();
  EXPECT_THROW(in.read(), IOException);
}

using FileOps = FileFixture;

TEST_F(FileOps, QueriesAndChanges) {
  File f(path("c.txt"));
  EXPECT_FALSE(f.exists());
  EXPECT_EQ(f.length(), 0);
  {
    FileOutputStream out(f);
    out.write(Bytes{1, 2, 3, 4, 5});
  }
  EXPECT_TRUE(f.exists());
  EXPECT_TRUE(f.isFile());
  EXPECT_FALSE(f.isDirectory());
  EXPECT_TRUE(f.canWrite());
  EXPECT_EQ(f.length(), 5);
  EXPECT_GT(f.lastModified(), 0);
  File moved(path("c.txt.bad"));
  EXPECT_TRUE(f.renameTo(moved));
  EXPECT_FALSE(f.exists());
  EXPECT_TRUE(moved.exists());
  auto names = File(dir_).list();
  EXPECT_EQ(names, std::vector<std::string>{"c.txt.bad"});
  EXPECT_TRUE(moved.remove());
  EXPECT_FALSE(moved.remove());
  EXPECT_TRUE(File(dir_).list().empty());
  EXPECT_TRUE(File(path("missing")).list().empty());
  EXPECT_FALSE(File(path("x")).renameTo(File(path("y"))));
}

TEST(File, NamesAndParents) {
  struct Case {
    const char* path;
    const char* name;
    const char* parent;
    bool hasParent;
  };
  const Case cases[] = {
      {"a/b/c.clm", "c.clm", "a/b", true}, {"c.clm", "c.clm", "", false}, {"/c.clm", "c.clm", "/", true},
      {"a//b/", "b", "a", true},           {"/", "", "", false},
  };
  for (const auto& c : cases) {
    File f(c.path);
    EXPECT_EQ(f.getName(), c.name) << c.path;
    EXPECT_EQ(f.getParent(), c.parent) << c.path;
    EXPECT_EQ(f.hasParent(), c.hasParent) << c.path;
  }
  EXPECT_EQ(File("send", "x.clm").getPath(), "send/x.clm");
  EXPECT_EQ(File(File("/tmp/"), "x").getPath(), "/tmp/x");
  EXPECT_EQ(File("rel").getAbsolutePath(), currentDirectory() + "/rel");
}

}  // namespace
}  // namespace plat::io
