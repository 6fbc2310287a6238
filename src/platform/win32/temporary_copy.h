#pragma once
// Uninstall.exe's copy of itself in the temporary folder, in a file of its own so that the
// installer, which never needs it, does not carry it.
#include "platform/program_main.h"

namespace plat::win32 {

class Win32TemporaryCopy : public TemporaryCopy {
 public:
  bool Start(const std::string& arguments) override;
  uint32_t CurrentId() override;
  void WaitForEnd(uint32_t id, uint32_t milliseconds) override;
};

}  // namespace plat::win32
