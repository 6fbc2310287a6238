// Uninstall.exe's entry: the Windows side of start-up, before any logic runs.
#include "platform/win32/program_entry.h"
#include "platform/win32/temporary_copy.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  return plat::win32::GuardedEntry(6, [](const std::vector<std::string>& args) {
    plat::win32::Win32TemporaryCopy copy;
    return plat::UninstallMain(args, copy);
  });
}
