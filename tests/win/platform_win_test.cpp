// The Win32 backend against the real API, and the headless backend's promises checked against
// the same API where they claim to behave as Windows does.
#include <gtest/gtest.h>

#include "main_env.h"
#include "platform/errors.h"
#include "platform/platform.h"
#include "platform/text.h"

using plat::win32::Narrow;
using plat::win32::Wide;

TEST(TextWin, ConversionAgreesWithTheSystemConverter) {
  for (const std::string s : {"zażółć gęślą jaźń", "ZAŻÓŁĆ", "€ „x”", "\xF0\x9F\x98\x80", ""}) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    plat::win32::WString expected(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), expected.data(), n);
    EXPECT_EQ(Wide(s), expected) << s;
    EXPECT_EQ(Narrow(expected), s);
  }
}

TEST(TextWin, PolishLettersSurviveWindows1250) {
  const std::string polish = "Przerwać proces instalacji ? ąćęłńóśźż ĄĆĘŁŃÓŚŹŻ";
  ASSERT_TRUE(plat::IsCp1250Representable(polish));
  const plat::win32::WString wide = Wide(polish);
  char ansi[128];
  BOOL lossy = FALSE;
  const int n = WideCharToMultiByte(1250, 0, wide.c_str(), -1, ansi, sizeof ansi, nullptr, &lossy);
  ASSERT_GT(n, 0);
  EXPECT_FALSE(lossy);
}

TEST(TextWin, UpperCaseFollowsTheLocale) {
  auto& text = plat::Current().Texts();
  EXPECT_EQ(text.UpperCase("vortel.exe"), "VORTEL.EXE");
  EXPECT_EQ(text.UpperCase("zażółć gęślą jaźń"), "ZAŻÓŁĆ GĘŚLĄ JAŹŃ");
  EXPECT_EQ(text.UpperCase(""), "");
}

TEST(FilesWin, AttributesStreamsAndReplace) {
  auto& files = plat::Current().Files();
  const std::string dir = wintest::MakeScratchFolder("files");
  EXPECT_TRUE(files.GetAttributes(dir) & plat::kAttrDirectory);
  EXPECT_EQ(files.GetAttributes(dir + "\\none"), plat::kInvalidAttributes);
  EXPECT_EQ(files.GetAttributes(""), plat::kInvalidAttributes);

  const std::string target = dir + "\\cel.txt";
  auto write = [&](const std::string& path, const std::string& data) {
    auto out = files.Create(path);
    out->Write(data.data(), data.size());
    out->Close();
  };
  write(target, "stare");
  // Wine keeps the read-only bit as Unix permissions, which do not stop root, so only the
  // bit itself is checked here; the refusal to write is the headless twin's business.
  ASSERT_TRUE(files.SetAttributes(target, plat::kAttrReadOnly));
  EXPECT_TRUE(files.GetAttributes(target) & plat::kAttrReadOnly);
  ASSERT_TRUE(files.SetAttributes(target, plat::kAttrArchive));
  EXPECT_FALSE(files.GetAttributes(target) & plat::kAttrReadOnly);

  write(dir + "\\cel.tmp", "nowe");
  EXPECT_TRUE(files.Replace(dir + "\\cel.tmp", target));
  auto in = files.OpenRead(target);
  char buffer[16] = {};
  EXPECT_EQ(in->Read(buffer, sizeof buffer), 4u);
  EXPECT_EQ(in->Read(buffer, sizeof buffer), 0u);
  EXPECT_STREQ(buffer, "nowe");
  EXPECT_EQ(files.GetAttributes(dir + "\\cel.tmp"), plat::kInvalidAttributes);
  EXPECT_TRUE(files.CopyTo(target, dir + "\\kopia.txt", true));
  EXPECT_FALSE(files.CopyTo(target, dir + "\\kopia.txt", true));
  EXPECT_TRUE(files.Remove(dir + "\\kopia.txt"));

  try {
    files.OpenRead(dir + "\\brak.txt");
    FAIL() << "opening a missing file succeeded";
  } catch (const plat::EFileError& e) {
    EXPECT_EQ(e.Why(), plat::EFileError::Reason::NotFound);
  }
  EXPECT_THROW(files.Create(dir + "\\brak\\plik.txt"), plat::EFileError);
}

TEST(FilesWin, CreateDirectoryIsOneLevelOnly) {
  auto& files = plat::Current().Files();
  const std::string dir = wintest::MakeScratchFolder("onelevel");
  EXPECT_FALSE(files.CreateFolder(dir + "\\a\\b"));
  EXPECT_TRUE(files.CreateFolder(dir + "\\a"));
  EXPECT_FALSE(files.CreateFolder(dir + "\\a"));
}

TEST(FilesWin, ModulePathAndCurrentDirectory) {
  auto& files = plat::Current().Files();
  const std::string module = files.ModulePath();
  EXPECT_EQ(module.substr(module.size() - 13), "win_tests.exe");
  const std::string before = files.CurrentDirectory();
  const std::string dir = wintest::MakeScratchFolder("cwd ł");
  ASSERT_TRUE(files.ChangeDirectory(dir));
  EXPECT_EQ(files.CurrentDirectory(), dir);
  files.ChangeDirectory(before);
}
