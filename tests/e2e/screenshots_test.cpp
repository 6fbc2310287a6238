// Pictures of every page and dialog for people to look at. Runs only when the folder for them
// is given in VORTEL_SCREENSHOTS (scripts/screenshots does that); the regular run skips it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "e2e_env.h"
#include "ui_driver.h"

using namespace e2e;

namespace {

// The whole screen as a 24-bit BMP: the background window and the wizard on it.
void SaveScreen(const std::wstring& path) {
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = w;
  header.biHeight = h;
  header.biPlanes = 1;
  header.biBitCount = 24;
  const int stride = (w * 3 + 3) & ~3;
  std::vector<char> pixels(static_cast<size_t>(stride) * h);
  GetDIBits(memory, bitmap, 0, h, pixels.data(), reinterpret_cast<BITMAPINFO*>(&header),
            DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(out, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(out, &file, sizeof file, &written, nullptr);
  WriteFile(out, &header, sizeof header, &written, nullptr);
  WriteFile(out, pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
  CloseHandle(out);
}

}  // namespace

TEST(Screenshots, EveryPageAndDialog) {
  const wchar_t* folder = _wgetenv(L"VORTEL_SCREENSHOTS");
  if (!folder) GTEST_SKIP() << "VORTEL_SCREENSHOTS not set";
  const std::wstring dir = std::wstring(folder) + L"\\";
  App app;
  ASSERT_TRUE(app.Start(installExe, L""));
  HWND form = app.WaitTop(L"Norvik-Soft - Instalator oprogramowania Vortel PRO", L"TVortelForm");
  ASSERT_NE(form, nullptr);
  auto shot = [&](const wchar_t* name) {
    // Paint everything pending before the picture is taken.
    RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    SendMessageW(form, WM_NULL, 0, 0);
    SaveScreen(dir + name + L".bmp");
  };
  auto page = [&](const char* sheet) {
    ASSERT_TRUE(WaitFor([&] { return Visible(FindControl(form, sheet)); })) << sheet;
  };
  page("Step1");
  shot(L"1-licencja");
  Click(FindControl(form, "CheckBox1"));
  ASSERT_TRUE(WaitFor([&] { return Enabled(FindControl(form, "BitBtn2")); }));
  const std::pair<const char*, const wchar_t*> pages[] = {
      {"Step3", L"3-produkty"}, {"Step4", L"4-katalogi"}, {"Step5", L"5-opcje"},
      {"Step6", L"6-podsumowanie"}};
  for (const auto& [sheet, name] : pages) {
    Click(FindControl(form, "BitBtn2"));
    page(sheet);
    shot(name);
  }
  Click(FindControl(form, "BitBtn3"));
  HWND dialog = WaitDialog(app, L" Decyzja");
  ASSERT_NE(dialog, nullptr);
  SendMessageW(dialog, WM_NULL, 0, 0);
  shot(L"dialog-przerwac");
  Click(FindControl(dialog, "No"));
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
  Click(FindControl(form, "BitBtn2"));
  page("Step8");
  shot(L"8-koniec");
  Click(FindControl(form, "BitBtn4"));
  EXPECT_EQ(app.WaitExit(), 0);
}
