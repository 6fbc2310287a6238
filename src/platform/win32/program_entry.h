#pragma once
// What both programs' wWinMain do around their logic: DLL loading restricted to the system
// folder before anything else runs, COM on the user-interface thread for the life of the
// process (shell links, the folder-browse dialog), the command line split by the program's own
// rules, and a last guard that turns anything left into exit code 6 and a message box, or, in the
// silent modes, a line in the log.
#include <windows.h>

#include <ole2.h>

#include <exception>
#include <string>
#include <vector>

#include "platform/program_main.h"
#include "platform/win32/system_dlls.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/window_base.h"

namespace plat::win32 {

// `silent` tells from the command line whether failures must stay out of boxes.
template <class Body>
int GuardedEntry(bool (*silent)(const std::vector<std::string>&), Body body) {
  HardenProcess();
  const HRESULT ole = OleInitialize(nullptr);
  // Anything that reaches this guard is unexpected.
  int exitCode = 6;
  try {
    // Quoted paths keep a final backslash (/DIR="C:\X\"), which the C runtime's rules would
    // take for an escaped quotation mark.
    std::vector<std::string> args = SplitCommandLine(Narrow(GetCommandLineW()));
    if (!args.empty()) args.erase(args.begin());
    QuietFailures(silent(args));
    Win32Platform platform;
    exitCode = body(args);
  } catch (const std::exception& e) {
    ReportFailure(nullptr, e.what());
  } catch (...) {
    ReportFailure(nullptr, nullptr);
  }
  if (SUCCEEDED(ole)) OleUninitialize();
  return exitCode;
}

}  // namespace plat::win32
