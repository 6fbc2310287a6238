#include <gtest/gtest.h>

#include "main_env.h"
#include "platform/errors.h"
#include "platform/gui.h"
#include "platform/platform.h"
#include "platform/win32/handles.h"
#include "system/paths.h"

// user32 exports it; MinGW's headers do not declare it.
extern "C" __declspec(dllimport) BOOL WINAPI SetShellWindow(HWND);

using plat::win32::Wide;

TEST(TextWin, UpperCaseAgreesWithTheSystem) {
  auto& text = plat::Current().Texts();
  EXPECT_EQ(text.UpperCase("vortel.exe zażółć gęślą jaźń"), "VORTEL.EXE ZAŻÓŁĆ GĘŚLĄ JAŹŃ");
  EXPECT_EQ(text.UpperCase(""), "");
}

TEST(FilesWin, AttributesStreamsReplaceRenameTrustAndFolders) {
  auto& files = plat::Current().Files();
  const std::string dir = wintest::MakeScratchFolder("files ł");
  EXPECT_TRUE(files.GetAttributes(dir) & plat::kAttrDirectory);
  EXPECT_EQ(files.GetAttributes(dir + "\\none"), plat::kInvalidAttributes);
  EXPECT_EQ(files.GetAttributes(""), plat::kInvalidAttributes);

  const std::string target = dir + "\\cel.txt";
  wintest::Spill(target, "stare");
  // Wine keeps read-only as Unix permissions, which do not stop root: only the bit is checked.
  ASSERT_TRUE(files.SetAttributes(target, plat::kAttrReadOnly));
  EXPECT_TRUE(files.GetAttributes(target) & plat::kAttrReadOnly);
  ASSERT_TRUE(files.SetAttributes(target, plat::kAttrArchive));
  EXPECT_FALSE(files.GetAttributes(target) & plat::kAttrReadOnly);

  // A file made for nothing goes through its own handle, not the file that took its name.
  {
    const auto made = files.Create(dir + "\\zbedny.inf");
    ASSERT_TRUE(MoveFileW(Wide(dir + "\\zbedny.inf").c_str(), Wide(dir + "\\gdzie.inf").c_str()));
    wintest::Spill(dir + "\\zbedny.inf", "obcy");
    made->Discard();
  }
  // (Windows removes the moved file; Wine, like the headless twin, only a name that still has it.)
  EXPECT_EQ(wintest::Slurp(dir + "\\zbedny.inf"), "obcy");
  {
    const auto unused = files.Create(dir + "\\zbedny2.inf");
    unused->Discard();
  }
  EXPECT_EQ(files.GetAttributes(dir + "\\zbedny2.inf"), plat::kInvalidAttributes);

  wintest::Spill(dir + "\\cel.tmp", "nowe");
  EXPECT_TRUE(files.Replace(dir + "\\cel.tmp", target));
  EXPECT_EQ(wintest::Slurp(target), "nowe");
  EXPECT_EQ(files.GetAttributes(dir + "\\cel.tmp"), plat::kInvalidAttributes);
  wintest::Spill(dir + "\\inny.txt", "inny");
  EXPECT_FALSE(files.Rename(target, dir + "\\inny.txt"));  // never over another file
  EXPECT_TRUE(files.Rename(target, dir + "\\kopia.txt") &&
              files.Rename(dir + "\\kopia.txt", target));
  // What this program made it trusts, until the file has a second name somewhere.
  EXPECT_TRUE(files.Trusted(dir) && files.Trusted(target));
  ASSERT_TRUE(CreateHardLinkW(Wide(dir + "\\drugi.txt").c_str(), Wide(target).c_str(), nullptr));
  EXPECT_FALSE(files.Trusted(target));
  try {
    files.OpenRead(dir + "\\brak.txt");
    FAIL() << "opening a missing file succeeded";
  } catch (const plat::EFileError& e) {
    EXPECT_EQ(e.Why(), plat::EFileError::Reason::NotFound);
  }
  EXPECT_THROW(files.Create(dir + "\\brak\\plik.txt"), plat::EFileError);

  EXPECT_FALSE(files.CreateFolder(dir + "\\a\\b"));  // one level only
  EXPECT_TRUE(files.CreateFolder(dir + "\\a") && !files.CreateFolder(dir + "\\a"));
  const std::string module = files.ModulePath(), before = files.CurrentDirectory();
  EXPECT_EQ(module.substr(module.size() - 13), "win_tests.exe");
  ASSERT_TRUE(files.ChangeDirectory(dir));
  EXPECT_EQ(files.CurrentDirectory(), dir);
  files.ChangeDirectory(before);
}

// Wine has no shell window; without one nothing starts, with ours a program gets its owner's token.
TEST(PathsWin, RunProgramStartsAProgramWhosePathHasBlanksAsTheShellsUserOnly) {
  const std::string marker = wintest::MakeScratchFolder("run") + "\\started.txt";
  const std::string program = wintest::ProgramFolder() + "probe dir\\probe_child.exe";
  ASSERT_EQ(GetShellWindow(), nullptr);
  EXPECT_EQ(sys::RunProgram(plat::Current().Process(), program, "\"" + marker + "\" druga"),
            plat::Launch::NoUserShell);
  const HWND shell =
      CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(SetShellWindow(shell));
  EXPECT_EQ(plat::Current().Files().GetAttributes(marker), plat::kInvalidAttributes);
  // The child writes the marker before it waits for input, which is waited for.
  EXPECT_EQ(sys::RunProgram(plat::Current().Process(), program, "\"" + marker + "\" druga"),
            plat::Launch::WithShellToken);
  EXPECT_EQ(wintest::Slurp(marker), "druga");
  if (const HWND w = FindWindowW(L"VortelProbeChild", nullptr)) PostMessageW(w, WM_CLOSE, 0, 0);
  EXPECT_EQ(sys::RunProgram(plat::Current().Process(),
                            wintest::ProgramFolder() + "no such program.exe", ""),
            plat::Launch::Failed);
  EXPECT_EQ(sys::RunProgram(plat::Current().Process(), "", ""), plat::Launch::Failed);
  DestroyWindow(shell);
}

TEST(IniWin, ReadsWritesAndKeepsTheRestOfTheFile) {
  auto& ini = plat::Current().Ini();
  const std::string file = wintest::MakeScratchFolder("ini ł") + "\\Vortel.ini";
  EXPECT_EQ(ini.Read(file, "FTP", "CLIENT", "?"), "?");
  wintest::Spill(file, "[CONFIG]\r\nFONT=Courier\r\n[FTP]\r\nSERVER=x\r\n");
  ini.Write(file, "FTP", "CLIENT", "C:\\Program Files\\Klient FTP\\NorvikFtp.exe");
  ini.Write(file, "CONFIG", "USERDIR", "");
  EXPECT_EQ(ini.Read(file, "ftp", "client", ""), "C:\\Program Files\\Klient FTP\\NorvikFtp.exe");
  EXPECT_EQ(ini.Read(file, "FTP", "SERVER", ""), "x");
  EXPECT_EQ(ini.Read(file, "CONFIG", "FONT", ""), "Courier");
  EXPECT_EQ(ini.Keys(file, "CONFIG"), (std::vector<std::string>{"FONT", "USERDIR"}));
  EXPECT_TRUE(ini.Keys(file, "NONE").empty());
  const std::string fresh = wintest::MakeScratchFolder("ini-new") + "\\nowy.ini";
  ini.Write(fresh, "CONFIG", "USERDIR", "");
  EXPECT_EQ(ini.Keys(fresh, "CONFIG"), std::vector<std::string>{"USERDIR"});
  const std::string lost = fresh + "\\brak\\Vortel.ini";
  try {
    ini.Write(lost, "FTP", "CLIENT", "x");
    ADD_FAILURE() << "a write into a missing folder passed";
  } catch (const plat::EFileError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("\"" + lost + "\": nie można zapisać [FTP] CLIENT: ", 0),
              0u)
        << e.what();
  }
}

TEST(PicturesWin, ResourcesLoadAsTheSystemReadsThem) {
  plat::gui::Bitmap picture;
  for (const char* name : {"SIDE", "PATTERN"}) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(plat::Current().Ui().LoadBitmapResource(name, picture));
    // The system's own reading: a screen bitmap, which LoadImage makes of any format.
    plat::win32::UniqueBitmap screen(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), Wide(name).c_str(), IMAGE_BITMAP, 0, 0, 0)));
    BITMAP info{};
    ASSERT_TRUE(GetObjectW(screen.Get(), sizeof info, &info));
    ASSERT_EQ(picture.width, info.bmWidth);
    ASSERT_EQ(picture.height, info.bmHeight);
    BITMAPINFO request{};
    request.bmiHeader = {
        sizeof request.bmiHeader, info.bmWidth, -info.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<uint32_t> bgra(picture.pixels.size());
    const HDC dc = GetDC(nullptr);
    GetDIBits(dc, screen.Get(), 0, info.bmHeight, bgra.data(), &request, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    size_t same = 0;
    for (size_t i = 0; i < bgra.size(); ++i)
      same += picture.pixels[i] ==
              (((bgra[i] >> 16) & 0xFF) | (bgra[i] & 0xFF00) | ((bgra[i] & 0xFF) << 16));
    EXPECT_EQ(same, bgra.size());
  }
  EXPECT_FALSE(plat::Current().Ui().LoadBitmapResource("BRAK", picture));
}
