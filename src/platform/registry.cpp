#include "platform/registry.h"

#include "platform/errors.h"

namespace plat {
namespace {

std::string KeyName(RegRoot root, const std::string& keyPath) {
  const bool leading = !keyPath.empty() && keyPath.front() == '\\';
  return RootName(root) + (leading ? "" : "\\") + keyPath;
}

}  // namespace

std::string RootName(RegRoot root) {
  switch (root) {
    case RegRoot::CurrentUser:
      return "HKEY_CURRENT_USER";
    case RegRoot::LocalMachine:
      return "HKEY_LOCAL_MACHINE";
    case RegRoot::ClassesRoot:
      break;
  }
  return "HKEY_CLASSES_ROOT";
}

std::string RegistryOpenError(RegRoot root, const std::string& keyPath, uint32_t code) {
  return "Nie można otworzyć klucza \"" + KeyName(root, keyPath) +
         "\" Rejestru: " + SystemReason(code);
}

std::string RegistryWriteError(RegRoot root, const std::string& keyPath,
                               const std::string& valueName, uint32_t code) {
  return "Nie można zapisać wartości \"" + valueName + "\" w kluczu \"" + KeyName(root, keyPath) +
         "\" Rejestru: " + SystemReason(code);
}

std::string RegistryReadError(RegRoot root, const std::string& keyPath,
                              const std::string& valueName, uint32_t code) {
  return "Nie można odczytać wartości \"" + valueName + "\" w kluczu \"" + KeyName(root, keyPath) +
         "\" Rejestru: " + SystemReason(code);
}

}  // namespace plat
