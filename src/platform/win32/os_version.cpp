#include "platform/win32/os_version.h"

#include <windows.h>

namespace plat::win32 {

bool Win32Version::IsNtFamily() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  return GetVersionExW(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

}  // namespace plat::win32
