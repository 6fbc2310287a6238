#pragma once
// What both programs' wWinMain do around their logic: DLL loading restricted to the system
// folder before anything else runs, COM on the user-interface thread for the life of the
// process (shell links, the folder-browse dialog), the command line split by the program's own
// rules, and a last guard that turns anything left into a message box and `failure`.
#include <windows.h>

#include <ole2.h>

#include <exception>
#include <string>
#include <vector>

#include "platform/program_main.h"
#include "platform/win32/system_dlls.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"

namespace plat::win32 {

template <class Body>
int GuardedEntry(int failure, Body body) {
  HardenProcess();
  const HRESULT ole = OleInitialize(nullptr);
  int exitCode = failure;
  try {
    Win32Platform platform;
    // Quoted paths keep a final backslash (/DIR="C:\X\"), which the C runtime's rules would
    // take for an escaped quotation mark.
    std::vector<std::string> args = SplitCommandLine(Narrow(GetCommandLineW()));
    if (!args.empty()) args.erase(args.begin());
    exitCode = body(args);
  } catch (const std::exception& e) {
    MessageBoxW(nullptr, Wide(e.what()).c_str(), L" B\u0142\u0105d",
                MB_OK | MB_ICONERROR | MB_TASKMODAL);
  } catch (...) {
    MessageBoxW(nullptr, L"Nieoczekiwany b\u0142\u0105d programu.", L" B\u0142\u0105d",
                MB_OK | MB_ICONERROR | MB_TASKMODAL);
  }
  if (SUCCEEDED(ole)) OleUninitialize();
  return exitCode;
}

}  // namespace plat::win32
