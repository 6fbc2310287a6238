#include "uninstall/journal_check.h"

#include <cctype>
#include <exception>
#include <vector>

#include "platform/text.h"
#include "system/paths.h"
#include "system/shell_links.h"

namespace uninstall {

namespace {

using engine::Change;
using engine::ChangeKind;

bool Within(const std::string& path, const std::string& folder, bool orItself) {
  if (path.empty() || folder.empty()) return false;
  if (path == folder) return orItself;
  const std::string prefix = folder.back() == '\\' ? folder : folder + "\\";
  return path.size() > prefix.size() && path.compare(0, prefix.size(), prefix) == 0;
}

bool HasLineBreak(const std::string& text) {
  return text.find_first_of("\r\n", 0) != std::string::npos;
}

// The name the installer gives a file it keeps aside: "~vp", a number, ".old", in the folder
// of the file it kept.
bool KeptBeside(const std::string& aside, const std::string& path) {
  if (aside.empty()) return true;
  const size_t slash = path.rfind('\\');
  if (slash == std::string::npos || aside.compare(0, slash + 1, path, 0, slash + 1) != 0)
    return false;
  const std::string name = aside.substr(slash + 1);
  if (name.size() < 8 || name.compare(0, 3, "~VP") != 0 ||
      name.compare(name.size() - 4, 4, ".OLD") != 0)
    return false;
  for (size_t i = 3; i + 4 < name.size(); ++i)
    if (!std::isdigit(static_cast<unsigned char>(name[i]))) return false;
  return true;
}

// The keys of the package's registration (spelt out here, in the uninstaller alone: a key the
// installer writes and this list lacks makes every removal refuse, which the tests would see).
struct PackageKey {
  plat::RegRoot root;
  const char* path;
};
constexpr PackageKey kPackageKeys[] = {
    {plat::RegRoot::LocalMachine, "Software\\Norvik-Soft"},
    {plat::RegRoot::LocalMachine,
     "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vortel PRO"},
    {plat::RegRoot::LocalMachine,
     "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Vortel.exe"},
    {plat::RegRoot::LocalMachine,
     "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\NorvikFTP.exe"},
    {plat::RegRoot::LocalMachine,
     "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\NorvikFTPBatch.exe"},
    {plat::RegRoot::LocalMachine,
     "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\NorvikFTPSrv.exe"},
    {plat::RegRoot::ClassesRoot, ".vl"},
    {plat::RegRoot::ClassesRoot, "VortelCfg"},
    {plat::RegRoot::ClassesRoot, ".pft"},
    {plat::RegRoot::ClassesRoot, "NorvikFTPProfile"},
    {plat::RegRoot::ClassesRoot, ".ftp"},
    {plat::RegRoot::ClassesRoot, "FTPBatchScript"},
};

// The desktops, the startup folders and the program groups, the common ones and the user's.
std::vector<std::string> ShortcutFolders() {
  std::vector<std::string> folders;
  auto& registry = plat::Current().Reg();
  for (plat::RegRoot root : {plat::RegRoot::LocalMachine, plat::RegRoot::CurrentUser}) {
    const std::string prefix = root == plat::RegRoot::LocalMachine ? "Common " : "";
    for (const std::string name : {"Desktop", "Startup", "Programs"}) {
      try {
        const std::string folder = sys::GetShellFolder(registry, root, prefix + name);
        folders.push_back(name == "Programs" ? folder + "\\Vortel PRO" : folder);
      } catch (const std::exception&) {
        // A system without that folder has no shortcut there either.
      }
    }
  }
  return folders;
}

class PackageScope {
 public:
  PackageScope(const std::vector<std::string>& folders, const std::string& uninstallFolder) {
    // A drive's root would hold everything.
    for (const std::string& folder : folders)
      if (ComparablePath(folder).size() > 3) Add(folders_, folder);
    Add(folders_, uninstallFolder);
    for (const std::string& folder : ShortcutFolders()) Add(linkFolders_, folder);
  }

  bool Allows(const Change& change) const {
    const std::string path = ComparablePath(change.path);
    switch (change.kind) {
      case ChangeKind::Folder:
        // The folders it made: its own, the levels above them, the program group.
        for (const std::string& folder : folders_)
          if (Within(path, folder, true) || Within(folder, path, false)) return true;
        return Among(linkFolders_, path);
      case ChangeKind::File:
        return InPackage(path) && KeptBeside(ComparablePath(change.aside), path);
      case ChangeKind::Shortcut:
        return path.size() > 4 && path.compare(path.size() - 4, 4, ".LNK") == 0 &&
               Among(linkFolders_, path.substr(0, path.rfind('\\'))) &&
               KeptBeside(ComparablePath(change.aside), path);
      case ChangeKind::Key:
      case ChangeKind::Value:
        return OwnKey(change);
      case ChangeKind::Ini:
        break;
    }
    // The emulator's configuration only; a line break would write lines of its own.
    return InPackage(path) && path.size() > 11 &&
           path.compare(path.size() - 11, 11, "\\VORTEL.INI") == 0 &&
           !HasLineBreak(change.section + change.name + change.before.text + change.after.text);
  }

 private:
  static void Add(std::vector<std::string>& list, const std::string& path) {
    const std::string comparable = ComparablePath(path);
    if (!comparable.empty()) list.push_back(comparable);
  }
  static bool Among(const std::vector<std::string>& list, const std::string& path) {
    for (const std::string& entry : list)
      if (entry == path) return true;
    return false;
  }
  bool InPackage(const std::string& path) const {
    for (const std::string& folder : folders_)
      if (Within(path, folder, false)) return true;
    return false;
  }
  // A key of the package, a key below one, or (only for a key it made) a level above one.
  bool OwnKey(const Change& change) const {
    std::string key = plat::InvariantUpper(change.path);
    while (!key.empty() && key.back() == '\\') key.pop_back();
    if (key.empty() || key.find("\\\\") != std::string::npos) return false;
    for (const PackageKey& own : kPackageKeys) {
      const std::string path = plat::InvariantUpper(own.path);
      if (own.root == change.root &&
          (Within(key, path, true) || (change.kind == ChangeKind::Key && Within(path, key, false))))
        return true;
    }
    return false;
  }

  std::vector<std::string> folders_, linkFolders_;
};

}  // namespace

std::string ComparablePath(const std::string& path) {
  std::string resolved = sys::ResolvedFolder(path);
  if (resolved.size() > 3) resolved.pop_back();  // its final "\"
  return plat::InvariantUpper(resolved);
}

std::string ForeignChange(const engine::JournalContents& contents,
                          const std::string& uninstallFolder) {
  const PackageScope scope(contents.folders, uninstallFolder);
  for (const Change& change : contents.changes)
    if (!scope.Allows(change)) {
      std::string line = engine::FormatChange(change);
      for (char& c : line)
        if (c == '\t') c = ' ';
      return line;
    }
  return std::string();
}

}  // namespace uninstall
