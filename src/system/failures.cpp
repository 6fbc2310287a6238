#include "system/failures.h"

namespace sys {

bool OpenKeyForWriting(plat::RegistryAccessor& reg, const std::string& keyPath, Questions& asked) {
  if (reg.OpenKey(keyPath, true)) return true;
  asked.SteppedOver(plat::RegistryOpenError(reg.Root(), keyPath, reg.OpenError()));
  return false;
}

}  // namespace sys
