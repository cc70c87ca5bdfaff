// The program's command line: a skin file in either spelling, and every argument that is not
// understood reported without stopping the start.
#include <gtest/gtest.h>

#include "app/CommandLine.h"

using app::ParseProgramOptions;

TEST(CommandLine, SkinFileInEitherSpellingAndTheLastOneWins) {
  EXPECT_EQ(ParseProgramOptions({L"--skin", L"C:\\skins\\dark.skn"}).skinFile,
            L"C:\\skins\\dark.skn");
  EXPECT_EQ(ParseProgramOptions({L"--skin=dark skin.skn"}).skinFile, L"dark skin.skn");
  const auto both = ParseProgramOptions({L"--skin", L"a.skn", L"--skin=b.skn"});
  EXPECT_EQ(both.skinFile, L"b.skn");
  EXPECT_TRUE(both.problems.empty());
  EXPECT_TRUE(ParseProgramOptions({}).skinFile.empty());
  EXPECT_FALSE(ParseProgramOptions({}).openAdvanced);
  const auto advanced = ParseProgramOptions({L"--advanced", L"--skin", L"d.skn"});
  EXPECT_TRUE(advanced.openAdvanced);
  EXPECT_EQ(advanced.skinFile, L"d.skn");
  EXPECT_TRUE(advanced.problems.empty());
}

TEST(CommandLine, MissingValuesAndStrangeArgumentsAreReportedNotFatal) {
  const auto noValue = ParseProgramOptions({L"--skin"});
  EXPECT_TRUE(noValue.skinFile.empty());
  ASSERT_EQ(noValue.problems.size(), 1u);

  // An empty value is consumed with its option instead of being read as the next argument.
  const auto empty = ParseProgramOptions({L"--skin", L"", L"--skin="});
  EXPECT_TRUE(empty.skinFile.empty());
  EXPECT_EQ(empty.problems.size(), 2u);

  // Only the exact spelling opens the advanced search window.
  EXPECT_FALSE(ParseProgramOptions({L"--Advanced", L"-advanced"}).openAdvanced);

  const auto odd = ParseProgramOptions({L"-skin", L"x.skn", L"--skin", L"ok.skn"});
  EXPECT_EQ(odd.skinFile, L"ok.skn");
  ASSERT_EQ(odd.problems.size(), 2u);
  EXPECT_NE(odd.problems[0].find(L"-skin"), std::wstring::npos);
}
