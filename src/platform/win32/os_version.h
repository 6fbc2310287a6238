#pragma once
#include "platform/os_version.h"

namespace plat::win32 {

class Win32Version : public OsVersion {
 public:
  bool IsNtFamily() override;
  std::string Today() override;
};

}  // namespace plat::win32
