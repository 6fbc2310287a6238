#include "platform/registry.h"

namespace plat {

std::string RegistryWriteError(const std::string& keyPath, const std::string& valueName) {
  return "Nie można zapisać wartości \"" + valueName + "\" w kluczu \"" + keyPath + "\" Rejestru";
}

std::string RegistryReadError(const std::string& keyPath, const std::string& valueName) {
  return "Nie można odczytać wartości \"" + valueName + "\" w kluczu \"" + keyPath +
         "\" Rejestru jako tekstu";
}

}  // namespace plat
