#pragma once
#include <windows.h>

#include "platform/desktop.h"

namespace plat::win32 {

class Win32Gui;

// The free-resources query of the older Windows family: the 16-bit "GetFreeSystemResources"
// of "user.exe", reached through the kernel's 32-to-16-bit call gate. Bound once when the
// program starts and released when it ends; on the NT family nothing is bound.
class Win32Meter : public ResourceMeter {
 public:
  Win32Meter();
  ~Win32Meter() override;
  Win32Meter(const Win32Meter&) = delete;
  Win32Meter& operator=(const Win32Meter&) = delete;
  int FreePercent(int kind) override;

 private:
  bool nt_;
  HMODULE kernel_ = nullptr;
  FARPROC thunk_ = nullptr;
  DWORD user16_ = 0;
  DWORD query_ = 0;  // 16:16 address
};

class Win32Desktop : public Desktop {
 public:
  explicit Win32Desktop(Win32Gui& gui) : gui_(gui) {}
  void EnumTopLevelWindows(const std::function<bool(WindowId)>& visit) override;
  std::string ClassName(WindowId window) override;
  std::string Title(WindowId window) override;
  void ThreadAndProcess(WindowId window, uint32_t& threadId, uint32_t& processId) override;
  bool IsOwnApplicationWindow(WindowId window) override;
  std::vector<ProcessEntry> ProcessSnapshot() override;

 private:
  Win32Gui& gui_;
};

}  // namespace plat::win32
