#include <gtest/gtest.h>

#include "contract/platform_contract.h"
#include "main_env.h"
#include "platform/errors.h"
#include "platform/gui.h"
#include "platform/platform.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_platform.h"
#include "system/paths.h"

// user32 exports it; MinGW's headers do not declare it.
extern "C" __declspec(dllimport) BOOL WINAPI SetShellWindow(HWND);

using contract::PlatformContract;
using plat::win32::Wide;

namespace {

class Win32Backend : public contract::Backend {
 public:
  Win32Backend() { Forget(); }
  ~Win32Backend() override { Forget(); }
  plat::Platform& Platform() override { return platform_; }
  std::string Scratch() override {
    static int cases = 0;
    return wintest::MakeScratchFolder("kontrakt " + std::to_string(++cases)) + "\\";
  }
  void PlantLink(const std::string& at, const std::string& target) override {
    wintest::PlantLink(target, at);
  }
  bool Wine() override {
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  }

 private:
  static void Forget() {
    const std::string classes = "Software\\Classes\\" + contract::kExtension;
    for (const auto& [root, key] : {std::pair{HKEY_CURRENT_USER, contract::kUserKey},
                                    {HKEY_CURRENT_USER, classes},
                                    {HKEY_LOCAL_MACHINE, classes}}) {
      RegDeleteTreeW(root, Wide(key).c_str());
      RegDeleteKeyW(root, Wide(key).c_str());
    }
  }
  plat::win32::Win32Platform platform_;
};

std::unique_ptr<contract::Backend> MakeWin32() {
  return std::make_unique<Win32Backend>();
}
INSTANTIATE_TEST_SUITE_P(Win32, PlatformContract, ::testing::Values(&MakeWin32));

}  // namespace

TEST(TextWin, UpperCaseAgreesWithTheSystem) {
  auto& text = plat::Current().Texts();
  EXPECT_EQ(text.UpperCase("vortel.exe zażółć gęślą jaźń"), "VORTEL.EXE ZAŻÓŁĆ GĘŚLĄ JAŹŃ");
  EXPECT_EQ(text.UpperCase(""), "");
}

// What the shared cases cannot plant: a second name of a file; the process's own paths.
TEST(FilesWin, TrustEndsWithASecondNameAndTheProcessKnowsItsFolders) {
  auto& files = plat::Current().Files();
  const std::string dir = wintest::MakeScratchFolder("files ł"), target = dir + "\\cel.txt";
  wintest::Spill(target, "stare");
  // What this program made it trusts, until the file has a second name somewhere.
  EXPECT_TRUE(files.Trusted(dir) && files.Trusted(target));
  ASSERT_TRUE(CreateHardLinkW(Wide(dir + "\\drugi.txt").c_str(), Wide(target).c_str(), nullptr));
  EXPECT_FALSE(files.Trusted(target));
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
