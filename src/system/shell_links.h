#pragma once
// Shell folders looked up in the registry, shortcut files written through the shell's link
// object, the product shortcuts with their "already exists" question, and the Start-menu
// program group.
#include <array>
#include <cstdint>
#include <string>

#include "platform/platform.h"
#include "system/questions.h"

namespace sys {

// Raises plat::EShellOleError for any result but exactly 0 (S_OK), positive codes included.
void CheckShellResult(plat::ShellLinks& links, uint32_t result);

// The path stored under the Shell Folders key for `folderName`, read below `root` (the machine's
// for the all-users folders, the user's for the user's own). Raises plat::ERegistryException
// when the key or the value is missing or the value is empty.
std::string GetShellFolder(plat::Registry& registry, plat::RegRoot root,
                           const std::string& folderName);

// Writes <folder>\<name>.lnk and returns its path. Empty fields leave the link's field unset.
std::string CreateShellLink(plat::Platform& platform, plat::RegRoot root, const std::string& name,
                            const std::string& target, const std::string& arguments,
                            const std::string& workingDir, const std::string& description,
                            const std::string& folderName);
// As CreateShellLink, with the target's icon `iconIndex` (0 keeps the default icon). Only a
// failure to create the link object is raised; later failures are reported (Questions::
// SteppedOver) and the path computed before them (possibly empty) is returned.
std::string CreateShellLinkWithIcon(plat::Platform& platform, plat::RegRoot root,
                                    const std::string& name, const std::string& target,
                                    const std::string& arguments, const std::string& workingDir,
                                    const std::string& description, const std::string& folderName,
                                    int iconIndex, Questions& asked);

bool ShellLinkExists(plat::Platform& platform, plat::RegRoot root, const std::string& name,
                     const std::string& folderName);
// On the NT family `alsoCommon` looks in the all-users twin of the folder first.
bool ShortcutExists(plat::Platform& platform, plat::RegRoot root, const std::string& name,
                    const std::string& folderName, bool alsoCommon);

// One product shortcut. False when none was made: `asked` declined a second one, the shortcut
// exists and `askIfExists` is false, or something failed (then `failed` is true and the failure
// is reported, Questions::SteppedOver).
bool CreateShortcut(plat::Platform& platform, const std::string& linkName,
                    const std::string& target, const std::string& workingDir,
                    const std::string& documentPath, const std::string& description,
                    const std::string& folderName, bool useCommon, bool askIfExists,
                    std::string& finalName, bool& failed, Questions& asked);

struct ProgramGroupEntry {
  const char* caption;
  // Kind digit (0 the main folder, 1-4 a product's, 5 the uninstall folder), comma, icon
  // digit, comma, file name.
  const char* descriptor;
  const char* arguments;
};
extern const std::array<ProgramGroupEntry, 14> ProgramGroupEntries;

// The "Vortel PRO" group in the programs folder: the package's entries with their files in
// `mainFolder`, and each product's with its files in `productFolders` (by product index; an
// empty folder: the product is not installed). Never raises; what it cannot make is reported
// (Questions::SteppedOver).
void CreateProgramGroup(plat::Platform& platform, const std::string& mainFolder,
                        const std::array<std::string, 4>& productFolders, Questions& asked);

}  // namespace sys
