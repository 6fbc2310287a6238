// The sample package's stand-in programs must look, from outside, as the installer's running-
// program check expects the real ones to: a hidden "TApplication" window titled with the
// product's name, a visible main window, and an orderly end on WM_CLOSE.
#include <gtest/gtest.h>

#include "main_env.h"

namespace {

struct Search {
  DWORD process;
  const wchar_t* className;
  HWND found = nullptr;
};

BOOL CALLBACK FindOwnWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (owner == search->process && wcscmp(name, search->className) == 0) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// Waits up to 30 s for the process's top-level window of a class.
HWND WaitForWindow(DWORD process, const wchar_t* className) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < 30000; Sleep(50)) {
    Search search{process, className};
    EnumWindows(FindOwnWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
  }
  return nullptr;
}

std::wstring TitleOf(HWND window) {
  wchar_t title[128] = {};
  GetWindowTextW(window, title, 128);
  return title;
}

}  // namespace

TEST(StandInsWin, ProductsShowTheirApplicationWindowAndCloseOnRequest) {
  struct Case {
    const char* program;
    const wchar_t* applicationTitle;  // nullptr: no application window
    const wchar_t* mainClass;
  } cases[] = {
      {"Vortel.exe", L"Vortel", L"TVortelForm"},
      {"NorvikFtp.exe", L"Klient FTP", L"TNorvikFtpForm"},
      {"NorvikFtpBatch.exe", L"Wsadowy klient FTP", L"TVortelFTPWsadForm"},
      {"NorvikFTPsrv.exe", L"Serwer FTP", L"TNorvikFTPsrvForm"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.program);
    std::wstring commandLine =
        L"\"" + plat::win32::Wide(wintest::ProgramFolder() + "standins\\" + c.program) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));
    HWND main = WaitForWindow(process.dwProcessId, c.mainClass);
    ASSERT_NE(main, nullptr);
    // The window exists a moment before it is shown.
    for (DWORD start = GetTickCount(); !IsWindowVisible(main) && GetTickCount() - start < 30000;)
      Sleep(20);
    EXPECT_TRUE(IsWindowVisible(main));
    if (c.applicationTitle) {
      HWND application = WaitForWindow(process.dwProcessId, L"TApplication");
      ASSERT_NE(application, nullptr);
      EXPECT_EQ(TitleOf(application), c.applicationTitle);
      EXPECT_FALSE(IsWindowVisible(application));
    }
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
}
