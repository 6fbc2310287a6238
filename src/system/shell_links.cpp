#include "system/shell_links.h"

#include <exception>
#include <memory>

#include "platform/errors.h"
#include "platform/platform.h"
#include "system/paths.h"
#include "system/registry_entries.h"

namespace sys {

const std::array<ProgramGroupEntry, 14> ProgramGroupEntries = {{
    {"Vortel", "1,0,Vortel.exe", ""},
    {"Klient FTP", "2,1,NorvikFTP.exe", ""},
    {"Wsadowy FTP", "3,1,NorvikFTPBatch.exe", ""},
    {"Serwer FTP", "4,1,NorvikFTPSrv.exe", ""},
    {"Pomoc - Vortel", "1,0,Vortel.hlp", ""},
    {"Pomoc - Klient FTP", "2,0,NorvikFtp.hlp", ""},
    {"Pomoc - Serwer FTP", "4,0,FTPSrv.hlp", ""},
    {"Dokumentacja - Vortel", "1,0,Vortel - Dokumentacja Techniczna.pdf", ""},
    {"Dokumentacja - Klient FTP", "2,0,Norvik-FTP - Dokumentacja Techniczna.pdf", ""},
    {"Dokumentacja - Serwer FTP", "4,0,Norvik-FTPSrv - Dokumentacja Techniczna.pdf", ""},
    {"Informacje dodatkowe", "1,0,readme.txt", ""},
    {"Polskie znaki", "1,0,konwersje.txt", ""},
    {"Zamówienie", "0,0,Zamowienie.doc", ""},
    {"Odinstaluj", "5,0,Uninstall.exe", "/uninstall"},
}};

namespace {

constexpr char kShellFoldersKey[] =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kCommonPrefix[] = "Common ";
constexpr char kGroupName[] = "Vortel PRO";
// HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE): what a link path beyond the limit gets
// instead of being cut to another, wrong name.
constexpr uint32_t kPathTooLong = 0x800700CE;

std::string LinkPath(plat::Platform& platform, plat::RegRoot root, const std::string& name,
                     const std::string& folderName) {
  return GetShellFolder(platform.Reg(), root, folderName) + "\\" + name + ".lnk";
}

void Describe(plat::ShellLinks& links, plat::ShellLinkObject& link, const std::string& target,
              const std::string& arguments, const std::string& workingDir,
              const std::string& description) {
  CheckShellResult(links, link.SetPath(target));
  if (!arguments.empty()) CheckShellResult(links, link.SetArguments(arguments));
  if (!workingDir.empty()) CheckShellResult(links, link.SetWorkingDirectory(workingDir));
  if (!description.empty()) CheckShellResult(links, link.SetDescription(description));
}

void Save(plat::ShellLinks& links, plat::ShellLinkObject& link, const std::string& path) {
  if (!FitsMaxPath(path)) CheckShellResult(links, kPathTooLong);
  CheckShellResult(links, link.Save(path));
}

std::unique_ptr<plat::ShellLinkObject> NewLink(plat::ShellLinks& links) {
  std::unique_ptr<plat::ShellLinkObject> link;
  CheckShellResult(links, links.Create(link));
  return link;
}

// The text after the last "\" or ":".
std::string FileNameOf(const std::string& path) {
  const auto at = path.find_last_of("\\:");
  return at == std::string::npos ? path : path.substr(at + 1);
}

std::string WithoutExtension(const std::string& fileName) {
  return fileName.substr(0, fileName.rfind('.'));
}

std::string ShortcutName(const std::string& linkName, const std::string& target,
                         const std::string& documentPath) {
  const std::string base = linkName.empty() ? WithoutExtension(FileNameOf(target)) : linkName;
  if (documentPath.empty()) return base;
  const std::string document = FileNameOf(documentPath);
  return base + " " + document.substr(0, document.find('.'));
}

// Kind 0: the package's own entry; kind 1 to 4: an entry of the product of index kind - 1.
// Empty when the entry is not wanted.
std::string FolderOfKind(plat::Registry& registry, int kind, const std::string& mainFolder,
                         const std::array<std::string, 4>& productFolders) {
  if (kind == 0) return mainFolder;
  // The uninstaller that removes the package is the one that no one else may have changed.
  if (kind == 5) return UninstallFolder(registry);
  return kind >= 1 && kind <= 4 ? productFolders[kind - 1] : std::string();
}

}  // namespace

void CheckShellResult(plat::ShellLinks& links, uint32_t result) {
  if (result != 0) throw plat::EShellOleError(result, links.LastError());
}

std::string GetShellFolder(plat::Registry& registry, plat::RegRoot root,
                           const std::string& folderName) {
  auto reg = registry.NewAccessor();
  reg->SetRoot(root);
  reg->SetAccess(plat::RegAccess::Read);
  if (!reg->OpenKey(kShellFoldersKey, false))
    throw plat::ERegistryException(std::string("Brak opisu folderów \"") + kShellFoldersKey +
                                   "\" w Rejestrze");
  plat::OpenKeyScope open(*reg);
  const std::string folder = reg->ReadString(folderName);
  if (folder.empty())
    throw plat::ERegistryException("Element \"" + folderName + "\" nie znaleziony w Rejestrze");
  return folder;
}

std::string CreateShellLink(plat::Platform& platform, plat::RegRoot root, const std::string& name,
                            const std::string& target, const std::string& arguments,
                            const std::string& workingDir, const std::string& description,
                            const std::string& folderName) {
  auto& links = platform.Links();
  auto link = NewLink(links);
  Describe(links, *link, target, arguments, workingDir, description);
  const std::string path = LinkPath(platform, root, name, folderName);
  Save(links, *link, path);
  return path;
}

std::string CreateShellLinkWithIcon(plat::Platform& platform, plat::RegRoot root,
                                    const std::string& name, const std::string& target,
                                    const std::string& arguments, const std::string& workingDir,
                                    const std::string& description, const std::string& folderName,
                                    int iconIndex, Questions& asked) {
  auto& links = platform.Links();
  auto link = NewLink(links);
  std::string path;
  try {
    Describe(links, *link, target, arguments, workingDir, description);
    if (iconIndex != 0) CheckShellResult(links, link->SetIconLocation(target, iconIndex));
    path = LinkPath(platform, root, name, folderName);
    Save(links, *link, path);
  } catch (const std::exception& e) {
    // A program-group entry that cannot be made must not stop the others.
    asked.SteppedOver("Nie utworzono skrótu \"" + name + "\": " + e.what());
  }
  return path;
}

bool ShellLinkExists(plat::Platform& platform, plat::RegRoot root, const std::string& name,
                     const std::string& folderName) {
  const uint32_t attributes =
      platform.Files().GetAttributes(LinkPath(platform, root, name, folderName));
  return attributes != plat::kInvalidAttributes && !(attributes & plat::kAttrDirectory);
}

bool ShortcutExists(plat::Platform& platform, plat::RegRoot root, const std::string& name,
                    const std::string& folderName, bool alsoCommon) {
  if (!alsoCommon || !platform.Version().IsNtFamily())
    return ShellLinkExists(platform, root, name, folderName);
  const std::string common =
      folderName.find(kCommonPrefix) != std::string::npos ? folderName : kCommonPrefix + folderName;
  return ShellLinkExists(platform, plat::RegRoot::LocalMachine, name, common) ||
         ShellLinkExists(platform, root, name, folderName);
}

bool CreateShortcut(plat::Platform& platform, const std::string& linkName,
                    const std::string& target, const std::string& workingDir,
                    const std::string& documentPath, const std::string& description,
                    const std::string& folderName, bool useCommon, bool askIfExists,
                    std::string& finalName, bool& failed, Questions& asked) {
  failed = false;
  try {
    std::string folder = folderName;
    plat::RegRoot root = plat::RegRoot::CurrentUser;
    if (useCommon && platform.Version().IsNtFamily()) {
      root = plat::RegRoot::LocalMachine;
      folder = kCommonPrefix + folderName;
    }
    const std::string name = ShortcutName(linkName, target, documentPath);
    finalName = name;
    if (ShortcutExists(platform, root, name, folder, !useCommon)) {
      if (!askIfExists) return false;
      if (!asked.AnotherShortcut(name)) return false;
      for (int n = 1;; ++n) {
        finalName = name + " (" + std::to_string(n) + ")";
        if (!ShortcutExists(platform, root, finalName, folder, !useCommon)) break;
      }
    }
    const std::string arguments =
        MakeRelativeTo(platform.Texts(), AddBackslash(workingDir), documentPath);
    CreateShellLink(platform, root, finalName, target, arguments, workingDir, description, folder);
    return true;
  } catch (const std::exception& e) {
    asked.SteppedOver("Nie utworzono skrótu \"" + finalName + "\": " + e.what());
    failed = true;
    return false;
  }
}

void CreateProgramGroup(plat::Platform& platform, const std::string& mainFolder,
                        const std::array<std::string, 4>& productFolders, Questions& asked) {
  try {
    const bool nt = platform.Version().IsNtFamily();
    const plat::RegRoot root = nt ? plat::RegRoot::LocalMachine : plat::RegRoot::CurrentUser;
    const std::string folderName = nt ? "Common Programs" : "Programs";
    const std::string group = GetShellFolder(platform.Reg(), root, folderName) + "\\" + kGroupName;
    auto& files = platform.Files();
    if (!DirectoryExists(files, group)) files.CreateFolder(group);
    if (!DirectoryExists(files, group)) {
      asked.SteppedOver("Nie utworzono grupy programów: nie można utworzyć katalogu \"" + group +
                        "\"");
      return;
    }
    for (const auto& entry : ProgramGroupEntries) {
      const std::string descriptor = entry.descriptor;
      const int kind = descriptor[0] - '0';
      const std::string folder = FolderOfKind(platform.Reg(), kind, mainFolder, productFolders);
      if (folder.empty()) continue;
      try {
        CreateShellLinkWithIcon(platform, root, std::string(kGroupName) + "\\" + entry.caption,
                                folder + descriptor.substr(4, 50), entry.arguments, folder,
                                std::string(), folderName, descriptor[2] - '0', asked);
      } catch (const std::exception& e) {
        // One entry's failure leaves the rest of the group to be made.
        asked.SteppedOver("Nie utworzono skrótu \"" + std::string(entry.caption) +
                          "\": " + e.what());
      }
    }
  } catch (const std::exception& e) {
    // The group is a convenience: the installation goes on without it.
    asked.SteppedOver(std::string("Nie utworzono grupy programów: ") + e.what());
  }
}

}  // namespace sys
