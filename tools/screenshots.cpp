// Pictures of every page and dialog for people to look at (scripts/screenshots runs it):
//   screenshots.exe INSTALL_EXE FOLDER
// drives the wizard with the end-to-end tests' driver, whose steps report through GoogleTest.
#include <gtest/gtest.h>
#include <vector>

#include "machine.h"
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

// The console gets UTF-8, so Polish names survive whatever the console's code page is.
void Print(const std::wstring& text) {
  const std::string utf8 = Utf8(text);
  fwrite(utf8.data(), 1, utf8.size(), stdout);
  fflush(stdout);
}

// Prints the values of a registry key as read back, and of its subkeys.
void PrintKey(HKEY root, const std::wstring& shown, const std::wstring& key) {
  HKEY h = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return;
  wchar_t name[256], data[1024];
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = 256, dataSize = sizeof data, type = 0;
    if (RegEnumValueW(h, i, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data),
                      &dataSize) != ERROR_SUCCESS)
      break;
    const std::wstring value = type == REG_SZ ? L"\"" + std::wstring(data) + L"\""
                                              : L"(" + std::to_wstring(dataSize) + L" B)";
    Print(L"  " + shown + key + L" " + (*name ? name : L"(default)") + L" = " + value + L"\n");
  }
  std::vector<std::wstring> subkeys;
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = 256;
    if (RegEnumKeyExW(h, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    subkeys.push_back(name);
  }
  RegCloseKey(h);
  for (const std::wstring& sub : subkeys) PrintKey(root, shown, key + L"\\" + sub);
}

// Prints every file below `folder`, with its size.
void ListFiles(const std::wstring& folder, const std::wstring& shown) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      ListFiles(folder + L"\\" + name, shown + name + L"\\");
    } else {
      Print(L"  " + shown + name + L" (" + std::to_wstring(found.nFileSizeLow) + L" B)\n");
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

}  // namespace

// Installs the whole package from the medium given as the program to drive, taking a picture
// of every page and dialog on the way, then says where everything went.
static std::wstring dir;  // where the pictures go, with its final backslash

TEST(Screenshots, EveryPageAndDialog) {
  const std::wstring target = L"C:\\Vortel PRO";
  // A file already there makes the run ask while the copying page is shown.
  CreateDirectoryW(target.c_str(), nullptr);
  CloseHandle(CreateFileW((target + L"\\Uninstall.exe").c_str(), GENERIC_WRITE, 0, nullptr,
                          CREATE_ALWAYS, 0, nullptr));
  Wizard w;
  ASSERT_NO_FATAL_FAILURE(w.Start(installExe, BuildFolder()));
  auto shot = [&](const wchar_t* name) {
    // Paint everything pending before the picture is taken.
    RedrawWindow(w.form, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    SendMessageW(w.form, WM_NULL, 0, 0);
    SaveScreen(dir + name + L".bmp");
  };
  auto dialog = [&](const wchar_t* caption, const wchar_t* picture, const char* answer) {
    HWND d = WaitDialog(w.app, caption);
    ASSERT_NE(d, nullptr) << Utf8(picture);
    SendMessageW(d, WM_NULL, 0, 0);
    shot(picture);
    Click(FindControl(d, answer));
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(d); }));
  };
  shot(L"1-licencja");
  ASSERT_NO_FATAL_FAILURE(w.Agree());
  ASSERT_NO_FATAL_FAILURE(w.Next("Step3"));
  shot(L"3-produkty");
  HWND list = w.Control("CheckListBox1");
  for (int i = 0; i < 4; ++i) ToggleListItem(list, i);
  Click(w.Control("BitBtn2"));
  dialog(L" B\u0142\u0105d", L"dialog-brak-produktow", "OK");
  for (int i = 0; i < 4; ++i) ToggleListItem(list, i);
  Click(w.Control("BitBtn3"));
  dialog(L" Decyzja", L"dialog-przerwac", "No");
  ASSERT_NO_FATAL_FAILURE(w.Next("Step4"));
  SetEditText(w.Control("Edit4"), target);
  shot(L"4-katalogi");
  Click(w.Control("BitBtn2"));
  dialog(L" Uwaga", L"dialog-katalog", "Yes");
  ASSERT_NO_FATAL_FAILURE(w.WaitPage("Step5"));
  shot(L"5-opcje");
  ASSERT_NO_FATAL_FAILURE(w.Next("Step6"));
  shot(L"6-podsumowanie");
  ASSERT_NO_FATAL_FAILURE(w.Next("Step7"));
  dialog(L" Decyzja", L"7-kopiowanie", "All");
  ASSERT_NO_FATAL_FAILURE(w.WaitPage("Step8", std::chrono::minutes(2)));
  shot(L"8-koniec");
  for (const char* box : {"CheckBox2", "CheckBox3"}) Click(w.Control(box));
  ASSERT_TRUE(WaitFor(
      [&] { return !Checked(w.Control("CheckBox2")) && !Checked(w.Control("CheckBox3")); }));
  Click(w.Control("BitBtn4"));
  EXPECT_EQ(w.app.WaitExit(), 0);

  Print(L"Files in " + target + L":\n");
  ListFiles(target, L"");
  for (const wchar_t* shell : {L"Common Desktop", L"Common Startup", L"Common Programs"}) {
    Print(L"Shortcuts in " + ShellFolder(shell) + L" (" + shell + L"):\n");
    ListFiles(ShellFolder(shell), L"");
  }
  Print(L"Registry:\n");
  const std::wstring windows = L"Software\\Microsoft\\Windows\\CurrentVersion\\";
  for (const std::wstring& key :
       {std::wstring(L"Software\\Norvik-Soft"), windows + L"App Paths\\Vortel.exe",
        windows + L"App Paths\\NorvikFtp.exe", windows + L"App Paths\\NorvikFtpBatch.exe",
        windows + L"App Paths\\NorvikFTPsrv.exe", windows + L"Uninstall\\Vortel PRO"})
    PrintKey(HKEY_LOCAL_MACHINE, L"HKLM\\", key);
  for (const wchar_t* key :
       {L".vl", L"VortelCfg", L".pft", L"NorvikFTPProfile", L".ftp", L"FTPBatchScript"})
    PrintKey(HKEY_CLASSES_ROOT, L"HKCR\\", key);
}

namespace e2e {
std::wstring installExe;
}

int wmain(int argc, wchar_t** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc < 3) {
    fprintf(stderr, "usage: screenshots <path of Install.exe> <folder for the pictures>\n");
    return 2;
  }
  e2e::installExe = argv[1];
  dir = std::wstring(argv[2]) + L"\\";
  return RUN_ALL_TESTS();
}
