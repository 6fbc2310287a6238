#include "engine/proposals.h"

#include <cctype>
#include <exception>
#include <functional>

#include "engine/medium_kind.h"
#include "platform/platform.h"
#include "system/paths.h"
#include "system/registry_entries.h"

namespace engine {

const std::array<FolderRow, 3> FolderRows = {{
    {"Vortel.exe", "Vortel\\", &FolderTexts::emulator},
    {"NorvikFTP.exe", "FTPCli\\", &FolderTexts::ftpClients},
    {"NorvikFTPSrv.exe", "FTPSrv\\", &FolderTexts::ftpServer},
}};

const std::array<OptionInfo, 3> Options = {{
    {"desktopvortel", kVortel, true, &InstallChoices::desktopVortel},
    {"desktopftp", kFtpClient, true, &InstallChoices::desktopFtpClient},
    {"autostartftpserver", kFtpServer, false, &InstallChoices::autostartFtpServer},
}};

namespace {

// The pages never report a registry problem: an unreadable value is a missing one.
std::string ReadQuietly(const std::function<std::string()>& read) {
  try {
    return read();
  } catch (const std::exception&) {
    return std::string();
  }
}

std::string Upper(const std::string& s) {
  return plat::Current().Texts().UpperCase(s);
}

}  // namespace

ProductChoice OfferedProducts() {
  ProductChoice offered{};
  for (int i = 0; i < kProductCount; ++i) offered[i] = ProductOnMedium(i);
  return offered;
}

std::string DefaultMainFolder() {
  const std::string recorded = ReadQuietly([] {
    return sys::ReadRegistryString(plat::RegRoot::LocalMachine, "Software\\Norvik-Soft\\", "Path");
  });
  if (!recorded.empty()) return recorded;
  return sys::AddBackslash(sys::GetProgramFilesDir()) + "NorvikSoft\\VortelPRO\\";
}

std::string ProductSubfolder(const std::string& program, const std::string& defaultSubfolder,
                             const std::string& mainFolderText) {
  const std::string path = ReadQuietly([&] { return sys::GetAppPathDir(program); });
  if (path.empty()) return defaultSubfolder;
  const std::string& main = mainFolderText;
  if (path.size() >= main.size() && Upper(path.substr(0, main.size())) == Upper(main))
    return path.substr(main.size());
  return path;
}

bool RowInUse(int row, const ProductChoice& chosen) {
  switch (row) {
    case 0:
      return chosen[kVortel];
    case 1:
      return chosen[kFtpClient] || chosen[kFtpBatch];
    default:
      return chosen[kFtpServer];
  }
}

FolderTexts ProposedFolders() {
  FolderTexts folders;
  folders.mainFolder = DefaultMainFolder();
  for (const FolderRow& row : FolderRows)
    folders.*row.text = ProductSubfolder(row.program, row.defaultSubfolder, folders.mainFolder);
  return folders;
}

void ApplyMainFolder(FolderTexts& folders, const std::string& mainFolder,
                     const ProductChoice& chosen) {
  folders.mainFolder = mainFolder;
  if (Upper(sys::AddBackslash(mainFolder)) == Upper(sys::AddBackslash(DefaultMainFolder()))) return;
  for (int i = 0; i < static_cast<int>(FolderRows.size()); ++i)
    if (RowInUse(i, chosen)) folders.*FolderRows[i].text = FolderRows[i].defaultSubfolder;
}

bool IsFullFolderPath(const std::string& folder) {
  if (folder.size() >= 3 && std::isalpha(static_cast<unsigned char>(folder[0])) &&
      folder[1] == ':' && folder[2] == '\\')
    return true;
  if (folder.rfind("\\\\", 0) != 0) return false;
  const auto server = folder.find('\\', 2);
  return server != std::string::npos && server > 2 && folder.size() > server + 1 &&
         folder[server + 1] != '\\';
}

void ApplyDefaultOptions(InstallChoices& choices) {
  for (const OptionInfo& option : Options)
    choices.*option.chosen = option.defaultTicked && choices.products[option.product];
}

}  // namespace engine
