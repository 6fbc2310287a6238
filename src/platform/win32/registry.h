#pragma once
// The registry through advapi32's W functions.
#include "platform/registry.h"

namespace plat::win32 {

class Win32Registry : public Registry {
 public:
  std::unique_ptr<RegistryAccessor> NewAccessor() override;
};

}  // namespace plat::win32
