#pragma once
// The registry through advapi32's W functions.
#include "platform/os_version.h"
#include "platform/registry.h"

namespace plat::win32 {

class Win32Registry : public Registry {
 public:
  std::unique_ptr<RegistryAccessor> NewAccessor() override;
};

class Win32Version : public OsVersion {
 public:
  bool IsNtFamily() override;
};

}  // namespace plat::win32
