#include "system/paths.h"

#include <gtest/gtest.h>

#include "platform/headless/headless.h"

using namespace sys;

class PathsTest : public ::testing::Test {
 protected:
  plat::headless::HeadlessPlatform platform;
  plat::headless::HeadlessFileSystem& files = platform.files;
};

TEST(Paths, TrimmingTouchesBlanksOnly) {
  EXPECT_EQ(TrimSpaces(" a "), "a");
  EXPECT_EQ(TrimSpaces("a"), "a");
  EXPECT_EQ(TrimSpaces("    "), "");
  EXPECT_EQ(TrimSpaces(""), "");
  EXPECT_EQ(TrimSpaces("\ta b\t "), "\ta b\t");
  EXPECT_EQ(AddBackslash(" C:\\Dir "), "C:\\Dir\\");
  EXPECT_EQ(AddBackslash("C:\\Dir\\"), "C:\\Dir\\");
  EXPECT_EQ(AddBackslash("   "), "");
  EXPECT_EQ(AddBackslash(""), "");
}

TEST_F(PathsTest, MakeRelativeToIgnoresCaseIncludingPolishLetters) {
  EXPECT_EQ(MakeRelativeTo("C:\\Prog", "c:\\prog\\FTP\\"), "FTP\\");
  EXPECT_EQ(MakeRelativeTo("C:\\Prog", "D:\\Other\\"), "D:\\Other\\");
  EXPECT_EQ(MakeRelativeTo("C:\\Żółw", "c:\\żÓŁW\\Serwer\\"), "Serwer\\");
  EXPECT_EQ(MakeRelativeTo("C:\\Prog", "C:\\Program\\"), "C:\\Program\\");  // not a folder prefix
  EXPECT_EQ(MakeRelativeTo("C:\\Prog", "C:\\Prog\\"), "");
  EXPECT_EQ(MakeRelativeTo("C:\\Prog", ""), "");
  EXPECT_EQ(MakeRelativeTo("", "C:\\X"), "C:\\X");
}

TEST(Paths, LastCharPosIsOneBased) {
  EXPECT_EQ(LastCharPos('\\', "C:\\A\\B"), 5u);
  EXPECT_EQ(LastCharPos('\\', "abc"), 0u);
  EXPECT_EQ(LastCharPos('a', ""), 0u);
}

TEST_F(PathsTest, ExistingPrefixStopsAtTheDeepestExistingFolder) {
  files.PutFile("C:\\A\\B\\file.txt", "x");
  EXPECT_EQ(ExistingDirPrefixLength("C:\\A\\B"), 6u);
  EXPECT_EQ(ExistingDirPrefixLength("C:\\A\\B\\C\\D\\"), 6u);
  EXPECT_EQ(ExistingDirPrefixLength("c:\\a\\X"), 4u);  // case-insensitive, as on Windows
  EXPECT_EQ(ExistingDirPrefixLength("C:\\A\\B\\file.txt\\Z"), 6u);  // a file is no folder
  EXPECT_EQ(ExistingDirPrefixLength("Q:\\A"), 0u);
  EXPECT_EQ(ExistingDirPrefixLength("nothing"), 0u);
}

// Nested levels, a missing drive and an overlong path are proven on the real file system under
// Wine; here what the headless one can stage more easily.
TEST_F(PathsTest, CreateDirectoryPathStopsAtAFileWhereAFolderShouldGo) {
  files.PutFile("C:\\blocker", "a file where a folder should go");
  EXPECT_FALSE(CreateDirectoryPath("C:\\blocker\\sub\\deeper"));
  EXPECT_FALSE(DirectoryExists("C:\\blocker\\sub"));
}

TEST(Paths, MaxPathCountsUtf16UnitsNotBytes) {
  // 259 UTF-16 units fit, 260 do not; Polish letters count once, though UTF-8 needs two bytes.
  EXPECT_TRUE(FitsMaxPath("C:\\" + std::string(256, 'x')));
  EXPECT_FALSE(FitsMaxPath("C:\\" + std::string(257, 'x')));
  std::string polish = "C:\\";
  for (int i = 0; i < 256; ++i) polish += "ł";
  EXPECT_TRUE(FitsMaxPath(polish));
}

TEST_F(PathsTest, BrowseAddsTheBackslashAndRefusesWhatDoesNotFit) {
  platform.shell.browseAnswers = {"D:\\Wybrany", "C:\\", "", "C:\\" + std::string(300, 'z')};
  EXPECT_EQ(BrowseForFolder("Wybierz katalog", ""), "D:\\Wybrany\\");
  EXPECT_EQ(BrowseForFolder("Wybierz katalog", ""), "C:\\");
  EXPECT_EQ(BrowseForFolder("Wybierz katalog", ""), "");
  EXPECT_EQ(BrowseForFolder("Wybierz katalog", ""), "");
}

TEST_F(PathsTest, RunProgramQuotesTheProgramAndReportsMissingOnes) {
  files.PutFile("C:\\Program Files\\Vortel PRO\\Vortel.exe", "MZ");
  EXPECT_TRUE(RunProgram("C:\\Program Files\\Vortel PRO\\Vortel.exe", ""));
  EXPECT_TRUE(RunProgram("C:\\Program Files\\Vortel PRO\\Vortel.exe", "plik.vl"));
  EXPECT_FALSE(RunProgram("C:\\Program Files\\Brak.exe", ""));
  ASSERT_EQ(platform.processes.started.size(), 2u);
  EXPECT_EQ(platform.processes.started[0].commandLine,
            "\"C:\\Program Files\\Vortel PRO\\Vortel.exe\" ");
  EXPECT_EQ(platform.processes.started[1].commandLine,
            "\"C:\\Program Files\\Vortel PRO\\Vortel.exe\" plik.vl");
}

TEST(ChooseValue, PicksByCondition) {
  EXPECT_EQ(ChooseValue<std::string>(true, "tak", "nie"), "tak");
  EXPECT_EQ(ChooseValue(false, 1, 2), 2);
}
