#include "engine/target_dirs.h"

#include "system/paths.h"

namespace engine {

std::array<std::string, 4> TargetDirs;

namespace {
bool IsAbsolute(const std::string& text) {
  return text.find(':') != std::string::npos || text.find("\\\\") != std::string::npos;
}
}  // namespace

void ComputeTargetDirs(const FolderTexts& texts) {
  TargetDirs[0] = sys::AddBackslash(texts.mainFolder);
  const std::string* products[] = {&texts.emulator, &texts.ftpClients, &texts.ftpServer};
  for (int slot = 1; slot <= 3; ++slot) {
    const std::string& text = *products[slot - 1];
    TargetDirs[slot] =
        IsAbsolute(text) ? sys::AddBackslash(text) : TargetDirs[0] + sys::AddBackslash(text);
  }
}

}  // namespace engine
