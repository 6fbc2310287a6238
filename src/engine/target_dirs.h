#pragma once
#include <array>
#include <string>

namespace engine {

// The installation's folders (TargetDirs), each ending in "\": 0 the package's main folder, 1
// the terminal emulator, 2 the FTP client and the batch FTP client, 3 the FTP server. Filled at
// the start of a run and read by the wizard's finish page after it.
using Folders = std::array<std::string, 4>;

// The folder texts as the user left them on the folders page.
struct FolderTexts {
  std::string mainFolder;  // Edit4
  std::string emulator;    // edPath0
  std::string ftpClients;  // edPath1
  std::string ftpServer;   // edPath3
};
// The text that names each slot's folder.
extern const std::array<std::string FolderTexts::*, 4> SlotTexts;

// The folders the texts name. A product text holding ":" or "\\" is taken as absolute; any
// other is appended to the main folder. Each is then resolved as the system will resolve it
// (sys::ResolvedFolder), so that what is created, recorded and removed is the folder meant; a
// folder that names none stays as composed, for the check to name it.
Folders TargetDirsOf(const FolderTexts& texts);

}  // namespace engine
