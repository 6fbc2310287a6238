#include "platform/registry.h"

namespace plat {

std::string RegistryWriteError(const std::string& keyPath, const std::string& valueName) {
  return "Nie można zapisać wartości \"" + valueName + "\" w kluczu \"" + keyPath + "\" Rejestru";
}

std::string RegistryTypeError(const std::string& keyPath, const std::string& valueName) {
  return "Wartość \"" + valueName + "\" w kluczu \"" + keyPath + "\" Rejestru nie jest tekstem";
}

}  // namespace plat
