#include "system/registry_entries.h"

#include <exception>
#include <initializer_list>
#include <utility>

#include "platform/platform.h"
#include "platform/text.h"
#include "system/failures.h"
#include "system/file_types.h"
#include "system/paths.h"

namespace sys {
namespace {

constexpr char kAppPathsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
constexpr char kMakerKey[] = "Software\\Norvik-Soft\\";
constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr char kPackageName[] = "Vortel PRO";
constexpr char kPackageVersion[] = "3.04";

struct DocumentType {
  const char* ext;
  const char* progId;
  const char* description;
  const char* verbCaption;
  const char* verb2;  // "" for none
  const char* verb2Caption;
  const char* verb2Program;  // a program of the system folder, given the document
};

constexpr DocumentType kEmulatorConfig = {
    ".vl", "VortelCfg", "Vortel - plik konfiguracji", "Otwórz-połącz", "", "", ""};
constexpr DocumentType kFtpProfile = {
    ".pft", "NorvikFTPProfile", "Profil połączenia FTP", "Otwórz-połącz", "", "", ""};
constexpr DocumentType kFtpScript = {".ftp", "FTPBatchScript", "Skrypt FTP", "Wykonaj",
                                     "edit", "Edytuj",         "notepad.exe"};

// Opens `keyPath` below HKEY_LOCAL_MACHINE with creation and writes the values in order; the
// key is closed before a failed write's exception leaves. A key that cannot be opened is
// reported and stepped over.
void WriteValues(plat::RegistryAccessor& reg, const std::string& keyPath,
                 std::initializer_list<std::pair<const char*, std::string>> values,
                 Questions& asked) {
  reg.SetRoot(plat::RegRoot::LocalMachine);
  if (!OpenKeyForWriting(reg, keyPath, asked)) return;
  plat::OpenKeyScope open(reg);
  for (const auto& [name, data] : values) reg.WriteString(name, data);
}

void RegisterProduct(plat::Platform& platform, const std::string& mainFolder,
                     const std::string& dir, const std::string& productKeyName,
                     const std::string& exeName, const char* version, const DocumentType* type,
                     Questions& asked) {
  const std::string exePath = AddBackslash(dir) + exeName;
  auto reg = platform.Reg().NewAccessor();
  // A bare drive root ("C:\") is no package folder worth remembering.
  if (plat::Utf8ToUtf16(mainFolder).size() > 3)
    WriteMakerKey(*reg, std::string(), mainFolder, kPackageVersion, asked);
  WriteMakerKey(*reg, productKeyName, dir, version, asked);
  WriteAppPath(*reg, exeName, exePath, dir, asked);
  if (type) {
    // By its full path: a bare name would be looked up in folders that the user may write to,
    // by whoever opens the document.
    const std::string verb2Command =
        *type->verb2Program ? QuotedCommand(platform.Files().SystemFolder() + type->verb2Program)
                            : std::string();
    const bool registered =
        RegisterFileType(platform.Texts(), *reg, type->ext, type->progId, type->description,
                         exePath + ",0", "open", type->verbCaption, QuotedCommand(exePath),
                         type->verb2, type->verb2Caption, verb2Command, asked);
    if (registered && type == &kFtpScript) RegisterFtpScriptTemplate(*reg, dir, asked);
  }
  WriteUninstallEntry(platform, *reg, kPackageName, exePath + ",0", mainFolder, asked);
}

}  // namespace

std::string GetProgramFilesDir(plat::Registry& registry) {
  std::string dir;
  try {
    auto reg = registry.NewAccessor();
    reg->SetRoot(plat::RegRoot::LocalMachine);
    reg->SetAccess(plat::RegAccess::Read);
    if (reg->OpenKey("\\Software\\Microsoft\\Windows\\CurrentVersion", false)) {
      plat::OpenKeyScope open(*reg);
      dir = reg->ReadString("ProgramFilesDir");
    }
  } catch (const std::exception&) {
    // An unreadable value is as good as a missing one: the default below serves.
  }
  return dir.empty() ? "C:\\Program Files\\" : dir;
}

std::string ReadRegistryString(plat::Registry& registry, plat::RegRoot root,
                               const std::string& keyPath, const std::string& valueName) {
  auto reg = registry.NewAccessor();
  reg->SetAccess(plat::RegAccess::Read);
  reg->SetRoot(root);
  if (!reg->OpenKey(keyPath, false)) return std::string();
  plat::OpenKeyScope open(*reg);
  return reg->ReadString(valueName);
}

std::string UninstallFolder(plat::Registry& registry) {
  std::string common =
      ReadRegistryString(registry, plat::RegRoot::LocalMachine,
                         "Software\\Microsoft\\Windows\\CurrentVersion", "CommonFilesDir");
  if (common.empty()) common = "C:\\Program Files\\Common Files";
  return AddBackslash(common) + kPackageName + "\\";
}

std::string GetAppPathDir(plat::Registry& registry, const std::string& exeName) {
  return ReadRegistryString(registry, plat::RegRoot::LocalMachine, kAppPathsKey + exeName, "Path");
}

void WriteAppPath(plat::RegistryAccessor& reg, const std::string& exeName,
                  const std::string& fullPath, const std::string& dir, Questions& asked) {
  WriteValues(reg, kAppPathsKey + exeName, {{"", fullPath}, {"Path", dir}}, asked);
}

void WriteMakerKey(plat::RegistryAccessor& reg, const std::string& productKeyName,
                   const std::string& path, const std::string& version, Questions& asked) {
  WriteValues(reg, kMakerKey + productKeyName, {{"Path", path}, {"Ver", version}}, asked);
}

void WriteUninstallEntry(plat::Platform& platform, plat::RegistryAccessor& reg,
                         const std::string& name, const std::string& displayIcon,
                         const std::string& mainFolder, Questions& asked) {
  // Quoted, so a main folder with blanks cannot make Windows start another program.
  // The copy that no one without rights can replace: the system starts it elevated.
  const std::string uninstall =
      "\"" + UninstallFolder(platform.Reg()) + "Uninstall.exe\" /uninstall";
  WriteValues(reg, kUninstallKey + name,
              {{"DisplayName", name},
               {"DisplayIcon", displayIcon},
               {"UninstallString", uninstall},
               {"QuietUninstallString", uninstall + " /VERYSILENT"},
               {"DisplayVersion", kPackageVersion},
               {"Publisher", "Norvik-Soft"},
               {"InstallLocation", AddBackslash(mainFolder)},
               {"InstallDate", platform.Version().Today()}},
              asked);
  if (!OpenKeyForWriting(reg, kUninstallKey + name, asked)) return;
  plat::OpenKeyScope open(reg);
  reg.WriteNumber("NoModify", 1);
  reg.WriteNumber("NoRepair", 1);
}

void WriteEstimatedSize(plat::Registry& registry, uint64_t bytes, Questions& asked) {
  auto reg = registry.NewAccessor();
  reg->SetRoot(plat::RegRoot::LocalMachine);
  if (!OpenKeyForWriting(*reg, std::string(kUninstallKey) + kPackageName, asked)) return;
  plat::OpenKeyScope open(*reg);
  reg->WriteNumber("EstimatedSize", static_cast<uint32_t>((bytes + 1023) / 1024));
}

void RegisterEmulator(plat::Platform& platform, const std::string& mainFolder,
                      const std::string& dir, const std::string& productKeyName,
                      const std::string& exeName, Questions& asked) {
  RegisterProduct(platform, mainFolder, dir, productKeyName, exeName, "3.30", &kEmulatorConfig,
                  asked);
}

void RegisterFtpClient(plat::Platform& platform, const std::string& mainFolder,
                       const std::string& dir, Questions& asked) {
  RegisterProduct(platform, mainFolder, dir, "Klient FTP", "NorvikFTP.exe", "1.081", &kFtpProfile,
                  asked);
}

void RegisterFtpBatch(plat::Platform& platform, const std::string& mainFolder,
                      const std::string& dir, Questions& asked) {
  RegisterProduct(platform, mainFolder, dir, "Wsadowy klient FTP", "NorvikFTPBatch.exe", "1.081",
                  &kFtpScript, asked);
}

void RegisterFtpServer(plat::Platform& platform, const std::string& mainFolder,
                       const std::string& dir, Questions& asked) {
  RegisterProduct(platform, mainFolder, dir, "Server FTP", "NorvikFTPSrv.exe", "1.151", nullptr,
                  asked);
}

}  // namespace sys
