// Uninstall.exe's entry: the Windows side of start-up, before any logic runs.
#include "platform/win32/program_entry.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  return plat::win32::GuardedEntry(plat::SilentRemoval, plat::UninstallMain);
}
