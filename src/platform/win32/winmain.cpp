// The executable's entry: the Windows side of start-up, before any logic runs.
#include <windows.h>

#include <ole2.h>

#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "platform/program_main.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"

// The library's default terminate handler prints the escaping exception's demangled type to
// stderr, which a GUI program does not have; its demangler alone is some 50 KB. Everything
// is caught below, so an exception that still escapes can only end the process.
void __gnu_cxx::__verbose_terminate_handler() {
  std::abort();
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // Shell links and the folder-browse dialog need COM on this (the user-interface) thread for
  // the whole life of the process.
  const HRESULT ole = OleInitialize(nullptr);
  int exitCode = 1;
  try {
    plat::win32::Win32Platform platform;
    // Quoted paths keep a final backslash (/DIR="C:\X\"), which the C runtime's rules
    // would take for an escaped quotation mark.
    std::vector<std::string> args = plat::SplitCommandLine(plat::win32::Narrow(GetCommandLineW()));
    if (!args.empty()) args.erase(args.begin());
    exitCode = plat::ProgramMain(args);
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
