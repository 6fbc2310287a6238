// The sample package's stand-in programs must look, from outside, as the installer's running-
// program check expects the real ones to: a hidden "TApplication" window titled with the
// product's name, a visible main window, and an orderly end on WM_CLOSE.
#include <gtest/gtest.h>

#include "main_env.h"
#include "platform/win32/handles.h"

using plat::win32::WString;

namespace {

struct Search {
  DWORD process;
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK FindOwnWindow(HWND window, LPARAM param) {
  auto* s = reinterpret_cast<Search*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (owner != s->process || wcscmp(name, s->className) != 0) return TRUE;
  s->found = window;
  return FALSE;
}

// The process's top-level window of a class, once it is there and (if asked) shown; waits up
// to 30 s.
HWND WaitForWindow(DWORD process, const wchar_t* className, bool shown) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < 30000; Sleep(20)) {
    Search search{process, className, nullptr};
    EnumWindows(FindOwnWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found && (!shown || IsWindowVisible(search.found))) return search.found;
  }
  return nullptr;
}

}  // namespace

TEST(StandInsWin, ProductsShowTheirApplicationWindowAndCloseOnRequest) {
  const struct {
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
    WString line =
        plat::win32::Wide("\"" + wintest::ProgramFolder() + "standins\\" + c.program + "\"");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &info));
    plat::win32::UniqueHandle process(info.hProcess), thread(info.hThread);
    HWND main = WaitForWindow(info.dwProcessId, c.mainClass, true);
    ASSERT_NE(main, nullptr);
    if (c.applicationTitle) {
      HWND application = WaitForWindow(info.dwProcessId, L"TApplication", false);
      ASSERT_NE(application, nullptr);
      wchar_t title[128] = {};
      GetWindowTextW(application, title, 128);
      EXPECT_EQ(WString(title), c.applicationTitle);
      EXPECT_FALSE(IsWindowVisible(application));
    }
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process.Get(), 30000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.Get(), &exitCode);
    EXPECT_EQ(exitCode, 0u);
  }
}
