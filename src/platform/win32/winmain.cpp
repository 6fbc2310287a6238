// The executable's entry: the Windows side of start-up, before any logic runs.
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include <exception>
#include <string>
#include <vector>

#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"
#include "startup/entry.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // Shell links and the folder-browse dialog need COM on this (the user-interface) thread for
  // the whole life of the process.
  const HRESULT ole = OleInitialize(nullptr);
  int exitCode = 1;
  try {
    plat::win32::Win32Platform platform;
    std::vector<std::string> args;
    int count = 0;
    if (wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count)) {
      for (int i = 1; i < count; ++i) args.push_back(plat::win32::Narrow(argv[i]));
      LocalFree(argv);
    }
    exitCode = startup::ProgramMain(args);
  } catch (const std::exception& e) {
    MessageBoxW(nullptr, plat::win32::Wide(e.what()).c_str(), L" B\u0142\u0105d",
                MB_OK | MB_ICONERROR | MB_TASKMODAL);
  } catch (...) {
    MessageBoxW(nullptr, L"Nieoczekiwany b\u0142\u0105d programu.", L" B\u0142\u0105d",
                MB_OK | MB_ICONERROR | MB_TASKMODAL);
  }
  if (SUCCEEDED(ole)) OleUninitialize();
  return exitCode;
}
