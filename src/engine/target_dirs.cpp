#include "engine/target_dirs.h"

#include "system/paths.h"

namespace engine {

const std::array<std::string FolderTexts::*, 4> SlotTexts = {
    &FolderTexts::mainFolder, &FolderTexts::emulator, &FolderTexts::ftpClients,
    &FolderTexts::ftpServer};

namespace {
bool IsAbsolute(const std::string& text) {
  return text.find(':') != std::string::npos || text.find("\\\\") != std::string::npos;
}
std::string Resolved(const std::string& folder) {
  const std::string resolved = sys::ResolvedFolder(folder);
  return resolved.empty() ? folder : resolved;
}
}  // namespace

Folders TargetDirsOf(const FolderTexts& texts) {
  Folders dirs;
  dirs[0] = Resolved(sys::AddBackslash(texts.mainFolder));
  for (size_t slot = 1; slot < dirs.size(); ++slot) {
    const std::string& text = texts.*SlotTexts[slot];
    dirs[slot] =
        Resolved(IsAbsolute(text) ? sys::AddBackslash(text) : dirs[0] + sys::AddBackslash(text));
  }
  return dirs;
}

}  // namespace engine
