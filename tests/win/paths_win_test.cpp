#include <gtest/gtest.h>

#include "main_env.h"
#include "platform/platform.h"
#include "system/paths.h"

using plat::win32::Wide;

TEST(PathsWin, CreateDirectoryPathMakesNestedLevels) {
  const std::string base = wintest::MakeScratchFolder("mkdir");
  const std::string deep = base + "\\Program Files\\Vortel PRO\\Zażółć\\FTP";
  ASSERT_FALSE(sys::DirectoryExists(deep));
  EXPECT_TRUE(sys::CreateDirectoryPath(deep));
  EXPECT_TRUE(sys::DirectoryExists(deep));
  const DWORD attributes = GetFileAttributesW(Wide(deep).c_str());
  EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_TRUE(sys::CreateDirectoryPath(deep));  // already there
  EXPECT_TRUE(sys::CreateDirectoryPath(base + "\\a\\b\\c\\"));
  EXPECT_TRUE(sys::DirectoryExists(base + "\\a\\b\\c"));
  EXPECT_EQ(sys::ExistingDirPrefixLength(base + "\\a\\b\\x\\y"), base.size() + 4);
}

TEST(PathsWin, CreateDirectoryPathFailsAtTheFirstLevelOnAMissingDrive) {
  const DWORD drives = GetLogicalDrives();
  char letter = 0;
  for (char c = 'Q'; c <= 'Y' && !letter; ++c)
    if (!(drives & (1u << (c - 'A')))) letter = c;
  ASSERT_NE(letter, 0) << "every drive letter from Q to Y is in use";
  const std::string path = std::string(1, letter) + ":\\Vortel\\PRO";
  EXPECT_EQ(sys::ExistingDirPrefixLength(path), 0u);
  EXPECT_FALSE(sys::CreateDirectoryPath(path));
}

TEST(PathsWin, OverlongPathIsRefusedWithoutCreatingAnything) {
  const std::string base = wintest::MakeScratchFolder("long");
  std::string path = base;
  while (path.size() < 320) path += "\\" + std::string(40, 'k');
  EXPECT_FALSE(sys::CreateDirectoryPath(path));
  EXPECT_FALSE(sys::DirectoryExists(base + "\\" + std::string(40, 'k')));
}

TEST(PathsWin, RunProgramStartsAProgramWhosePathHasBlanksAndWaitsForIt) {
  const std::string child = wintest::ProgramFolder() + "probe dir\\probe_child.exe";
  ASSERT_NE(GetFileAttributesW(Wide(child).c_str()), INVALID_FILE_ATTRIBUTES);
  const std::string marker = wintest::MakeScratchFolder("run") + "\\started.txt";
  ASSERT_TRUE(sys::RunProgram(child, "\"" + marker + "\" druga"));
  // The child writes the marker before it waits for input, so it is there once we return.
  const HANDLE f = CreateFileW(Wide(marker).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  char text[256] = {};
  DWORD got = 0;
  ReadFile(f, text, sizeof text - 1, &got, nullptr);
  CloseHandle(f);
  EXPECT_STREQ(text, "druga");
  if (const HWND w = FindWindowW(L"VortelProbeChild", nullptr)) PostMessageW(w, WM_CLOSE, 0, 0);
}

TEST(PathsWin, RunProgramReturnsFalseForAMissingProgram) {
  EXPECT_FALSE(sys::RunProgram(wintest::ProgramFolder() + "no such program.exe", ""));
  EXPECT_FALSE(sys::RunProgram("", ""));
}
