// The skinpack command line, run as a user would: pack a folder, list, extract, decode, and bad
// input. The tool is looked for next to this test binary.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "StreamTestSupport.h"
#include "TestSkin.h"
#include "skin/data/SkinRead.h"

namespace fs = std::filesystem;

namespace {

fs::path ToolPath() {
  // <build>/tests/native/native_skindata_tests -> <build>/tools/skinpack/skinpack
  const fs::path self = fs::read_symlink("/proc/self/exe");
  return self.parent_path().parent_path().parent_path() / "tools" / "skinpack" / "skinpack";
}

class SkinpackTool : public ::testing::Test {
 protected:
  void SetUp() override {
    tool_ = ToolPath();
    // The tool is part of every native build; a test that quietly did nothing would hide that.
    ASSERT_TRUE(fs::exists(tool_)) << "skinpack not built at " << tool_;
    dir_ = fs::temp_directory_path() / ("skinpack_test_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    if (!dir_.empty()) fs::remove_all(dir_);
  }
  // Exit status of the tool; its output goes to dir_/out.txt.
  int Run(const std::string& args) {
    const std::string command =
        tool_.string() + " " + args + " > " + (dir_ / "out.txt").string() + " 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string Output() {
    std::ifstream in(dir_ / "out.txt");
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  void Write(const fs::path& path, std::span<const uint8_t> bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
  }

  fs::path tool_, dir_;
};

}  // namespace

TEST_F(SkinpackTool, PacksListsExtractsAndDecodes) {
  const testskin::TestSkin skin;
  const fs::path in = dir_ / "in";
  fs::create_directories(in);
  std::string order;
  for (const auto& e : skin.Entries()) {
    Write(in / e.name, e.bytes);
    order += e.name + "\n";
  }
  std::ofstream(in / "order.txt") << order;

  ASSERT_EQ(Run("pack " + in.string() + " " + (dir_ / "s.skin").string()), 0) << Output();
  const std::vector<uint8_t> stream = streamtest::ReadFile((dir_ / "s.skin").string());
  skin::TSkinReader reader;
  ASSERT_TRUE(reader.LoadPackage(stream));
  EXPECT_EQ(reader.Names().back(), "skin.ini");

  ASSERT_EQ(Run("list " + (dir_ / "s.skin").string()), 0);
  EXPECT_NE(Output().find("frametop.bmp "), std::string::npos);

  ASSERT_EQ(Run("extract " + (dir_ / "s.skin").string() + " " + (dir_ / "out").string()), 0);
  for (const auto& e : skin.Entries())
    EXPECT_EQ(streamtest::ReadFile((dir_ / "out" / e.name).string()), e.bytes) << e.name;

  ASSERT_EQ(Run("decode " + (dir_ / "s.skin").string() + " " + (dir_ / "raw").string()), 0);
  EXPECT_EQ(streamtest::ReadFile((dir_ / "raw").string()), skin.Package());
}

TEST_F(SkinpackTool, FailsClearlyOnBadInput) {
  const testskin::TestSkin skin;
  const std::vector<uint8_t> stream = skin.Stream();
  Write(dir_ / "cut.skin", std::span(stream).first(stream.size() / 2));
  EXPECT_EQ(Run("decode " + (dir_ / "cut.skin").string() + " " + (dir_ / "raw").string()), 1);
  EXPECT_NE(Output().find("truncated"), std::string::npos);
  EXPECT_EQ(Run("list " + (dir_ / "cut.skin").string()), 1);
  EXPECT_EQ(Run("list " + (dir_ / "missing.skin").string()), 1);
  EXPECT_NE(Output().find("cannot open"), std::string::npos);
  EXPECT_EQ(Run("pack " + (dir_ / "nofolder").string() + " x"), 1);
  fs::create_directories(dir_ / "empty");
  EXPECT_EQ(Run("pack " + (dir_ / "empty").string() + " x"), 1);  // default order, files missing
  EXPECT_NE(Output().find(".ini"), std::string::npos);
  EXPECT_EQ(Run("frobnicate"), 2);
}
