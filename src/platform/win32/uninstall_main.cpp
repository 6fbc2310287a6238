// Uninstall.exe's entry: the Windows side of start-up, before any logic runs.
#include <windows.h>

#include <ole2.h>

#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "platform/program_main.h"
#include "platform/win32/temporary_copy.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"

// As in the installer: no demangler for a message nobody can read; everything is caught below.
void __gnu_cxx::__verbose_terminate_handler() {
  std::abort();
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const HRESULT ole = OleInitialize(nullptr);
  int exitCode = 6;
  try {
    plat::win32::Win32Platform platform;
    std::vector<std::string> args = plat::SplitCommandLine(plat::win32::Narrow(GetCommandLineW()));
    if (!args.empty()) args.erase(args.begin());
    plat::win32::Win32TemporaryCopy copy;
    exitCode = plat::UninstallMain(args, copy);
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
