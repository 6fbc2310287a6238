#pragma once
// Shell links through the shell's link object (IShellLinkW with its IPersistFile). COM must
// be initialised on the calling thread.
#include "platform/shell_links.h"

namespace plat::win32 {

class Win32ShellLinks : public ShellLinks {
 public:
  uint32_t Create(std::unique_ptr<ShellLinkObject>& link) override;
  bool Read(const std::string& linkPath, ShellLinkInfo& info) override;
  uint32_t LastError() override;
};

}  // namespace plat::win32
