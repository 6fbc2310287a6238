#include "engine/choices.h"

#include <exception>
#include <functional>

#include "engine/medium_kind.h"
#include "platform/platform.h"
#include "system/paths.h"
#include "system/registry_entries.h"

namespace engine {

const std::array<OptionInfo, kOptionCount> Options = {{
    {"desktopvortel", kVortel, true},
    {"desktopftp", kFtpClient, true},
    {"autostartftpserver", kFtpServer, false},
}};

namespace {

// The folder page's product rows by TargetDirs slot (1 to 3), with the program whose App Paths
// entry proposes the row's folder.
struct FolderRow {
  int slot;
  const char* program;
};
constexpr FolderRow kFolderRows[] = {
    {1, "Vortel.exe"},
    {2, "NorvikFTP.exe"},
    {3, "NorvikFTPSrv.exe"},
};

// What a row falls back to: the subfolder of the products kept in its slot.
std::string DefaultSubfolder(int slot) {
  for (const ProductInfo& product : Products)
    if (product.targetSlot == slot) return product.defaultSubfolder;
  return std::string();
}

// The pages never report a registry problem: an unreadable value is a missing one.
std::string ReadQuietly(const std::function<std::string()>& read) {
  try {
    return read();
  } catch (const std::exception&) {
    return std::string();
  }
}

// The program's App Paths folder, relative to `mainFolder` when below it (compared without
// regard to case, the main folder's text taken as it stands); else `defaultSubfolder`.
std::string ProductSubfolder(plat::Platform& platform, const FolderRow& row,
                             const std::string& mainFolder) {
  const std::string path =
      ReadQuietly([&] { return sys::GetAppPathDir(platform.Reg(), row.program); });
  if (path.empty()) return DefaultSubfolder(row.slot);
  auto& text = platform.Texts();
  if (path.size() >= mainFolder.size() &&
      text.UpperCase(path.substr(0, mainFolder.size())) == text.UpperCase(mainFolder))
    return path.substr(mainFolder.size());
  return path;
}

}  // namespace

ProductChoice OfferedProducts(const MediumKind& medium) {
  ProductChoice offered{};
  for (int i = 0; i < kProductCount; ++i) offered[i] = ProductOnMedium(medium, i);
  return offered;
}

bool AnyProduct(const ProductChoice& chosen) {
  for (bool product : chosen)
    if (product) return true;
  return false;
}

std::string DefaultMainFolder(plat::Platform& platform) {
  const std::string recorded = ReadQuietly([&] {
    return sys::ReadRegistryString(platform.Reg(), plat::RegRoot::LocalMachine,
                                   "Software\\Norvik-Soft\\", "Path");
  });
  if (!recorded.empty()) return recorded;
  return sys::AddBackslash(sys::GetProgramFilesDir(platform.Reg())) + "NorvikSoft\\VortelPRO\\";
}

bool SlotInUse(int slot, const ProductChoice& chosen) {
  if (slot == 0) return true;
  for (int product = 0; product < kProductCount; ++product)
    if (chosen[product] && SlotOf(product) == slot) return true;
  return false;
}

FolderTexts ProposedFolders(plat::Platform& platform) {
  FolderTexts folders;
  folders.mainFolder = DefaultMainFolder(platform);
  for (const FolderRow& row : kFolderRows)
    folders.*SlotTexts[row.slot] = ProductSubfolder(platform, row, folders.mainFolder);
  return folders;
}

void ApplyMainFolder(plat::Platform& platform, FolderTexts& folders, const std::string& mainFolder,
                     const ProductChoice& chosen) {
  folders.mainFolder = mainFolder;
  auto& text = platform.Texts();
  if (text.UpperCase(sys::AddBackslash(mainFolder)) ==
      text.UpperCase(sys::AddBackslash(DefaultMainFolder(platform))))
    return;
  for (const FolderRow& row : kFolderRows)
    if (SlotInUse(row.slot, chosen)) folders.*SlotTexts[row.slot] = DefaultSubfolder(row.slot);
}

std::string TrimmedMainFolder(const std::string& text) {
  return sys::TrimSpaces(text);
}

bool AcceptableMainFolder(const std::string& trimmed) {
  return !sys::ResolvedFolder(sys::AddBackslash(trimmed)).empty();
}

std::optional<std::string> RefusedFolder(plat::FileSystem& files, const FolderTexts& folders,
                                         const ProductChoice& chosen) {
  const std::string main = TrimmedMainFolder(folders.mainFolder);
  if (!AcceptableMainFolder(main)) return main;
  const Folders dirs = TargetDirsOf(folders);
  for (int slot = 1; slot < static_cast<int>(dirs.size()); ++slot)
    if (SlotInUse(slot, chosen) && sys::ResolvedFolder(dirs[slot]).empty()) return dirs[slot];
  for (int slot = 0; slot < static_cast<int>(dirs.size()); ++slot)
    if (SlotInUse(slot, chosen) && sys::ThroughLink(files, dirs[slot])) return dirs[slot];
  return std::nullopt;
}

std::string RefusedFolderText(const std::string& folder) {
  return "Katalog docelowy \"" + folder + "\" nie jest pełną ścieżką.";
}

bool OptionOffered(int option, const ProductChoice& chosen) {
  return chosen[Options[option].product];
}

void DropUnofferedOptions(InstallChoices& choices) {
  for (int i = 0; i < kOptionCount; ++i)
    if (!OptionOffered(i, choices.products)) choices.options[i] = false;
}

void ApplyDefaultOptions(InstallChoices& choices) {
  for (int i = 0; i < kOptionCount; ++i) choices.options[i] = Options[i].defaultTicked;
  DropUnofferedOptions(choices);
}

}  // namespace engine
