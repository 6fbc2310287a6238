// Path helpers. Nested levels, a missing drive, an overlong path and starting a program are
// proven on the real file system under Wine; here the text rules and what only the headless
// file system stages easily.
#include "system/paths.h"

#include <gtest/gtest.h>

#include "platform/headless/headless.h"

using namespace sys;

TEST(Paths, TextRulesTrimBlanksOnlyAndCompareFoldersWithoutRegardToCase) {
  plat::headless::HeadlessPlatform platform;
  const std::pair<std::string, std::string> trimmed[] = {
      {" a ", "a"}, {"    ", ""}, {"\ta b\t ", "\ta b\t"}};
  for (const auto& [in, out] : trimmed) EXPECT_EQ(TrimSpaces(in), out);
  EXPECT_EQ(AddBackslash(" C:\\Dir ") + AddBackslash("C:\\Dir\\") + "|" + AddBackslash("   "),
            "C:\\Dir\\C:\\Dir\\|");
  const std::tuple<std::string, std::string, std::string> relative[] = {
      {"C:\\Prog", "c:\\prog\\FTP\\", "FTP\\"},
      {"C:\\Żółw", "c:\\żÓŁW\\Serwer\\", "Serwer\\"},
      {"C:\\Prog", "C:\\Program\\", "C:\\Program\\"},  // not a folder prefix
      {"C:\\Prog", "C:\\Prog\\", ""},
      {"", "C:\\X", "C:\\X"},
  };
  for (const auto& [base, path, out] : relative) EXPECT_EQ(MakeRelativeTo(base, path), out) << path;
  EXPECT_EQ(LastCharPos('\\', "C:\\A\\B") * 10 + LastCharPos('\\', "abc"), 50u);  // one-based
  // 259 UTF-16 units fit, 260 do not; Polish letters count once, though UTF-8 needs two bytes.
  std::string polish = "C:\\";
  for (int i = 0; i < 256; ++i) polish += "ł";
  EXPECT_TRUE(FitsMaxPath(polish) && !FitsMaxPath(polish + "x"));
}

TEST(Paths, FoldersStopAtFilesAndBrowsingRefusesWhatDoesNotFit) {
  plat::headless::HeadlessPlatform platform;
  platform.files.PutFile("C:\\A\\B\\file.txt", "x");
  const std::pair<std::string, size_t> prefixes[] = {
      {"C:\\A\\B\\C\\D\\", 6}, {"c:\\a\\X", 4}, {"C:\\A\\B\\file.txt\\Z", 6}, {"Q:\\A", 0}};
  for (const auto& [path, length] : prefixes) EXPECT_EQ(ExistingDirPrefixLength(path), length);
  EXPECT_FALSE(CreateDirectoryPath("C:\\A\\B\\file.txt\\sub") ||
               DirectoryExists("C:\\A\\B\\file.txt\\sub"));
  platform.shell.browseAnswers = {"D:\\Wybrany", "C:\\", "", "C:\\" + std::string(300, 'z')};
  for (const char* folder : {"D:\\Wybrany\\", "C:\\", "", ""})
    EXPECT_EQ(BrowseForFolder("Wybierz katalog", ""), folder);
  platform.files.PutFile("C:\\Program Files\\Vortel PRO\\Vortel.exe", "MZ");
  EXPECT_EQ(RunProgram("C:\\Program Files\\Vortel PRO\\Vortel.exe", "plik.vl"),
            plat::Launch::Directly);
  ASSERT_EQ(platform.processes.started.size(), 1u);
  EXPECT_EQ(platform.processes.started[0].commandLine,
            "\"C:\\Program Files\\Vortel PRO\\Vortel.exe\" plik.vl");
}
