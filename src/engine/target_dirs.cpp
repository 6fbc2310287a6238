#include "engine/target_dirs.h"

#include "system/paths.h"

namespace engine {

std::array<std::string, 4> TargetDirs;
const std::array<std::string FolderTexts::*, 4> SlotTexts = {
    &FolderTexts::mainFolder, &FolderTexts::emulator, &FolderTexts::ftpClients,
    &FolderTexts::ftpServer};

namespace {
bool IsAbsolute(const std::string& text) {
  return text.find(':') != std::string::npos || text.find("\\\\") != std::string::npos;
}
}  // namespace

Folders TargetDirsOf(const FolderTexts& texts) {
  Folders dirs;
  dirs[0] = sys::AddBackslash(texts.mainFolder);
  for (size_t slot = 1; slot < dirs.size(); ++slot) {
    const std::string& text = texts.*SlotTexts[slot];
    dirs[slot] = IsAbsolute(text) ? sys::AddBackslash(text) : dirs[0] + sys::AddBackslash(text);
  }
  return dirs;
}

void ComputeTargetDirs(const FolderTexts& texts) {
  TargetDirs = TargetDirsOf(texts);
}

}  // namespace engine
