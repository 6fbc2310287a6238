#include "engine/configuration.h"

#include "platform/platform.h"
#include "system/paths.h"

namespace engine {

namespace {
std::string VortelIni(const Folders& dirs) {
  return dirs[SlotOf(kVortel)] + "Vortel.ini";
}
}  // namespace

void LinkFtpIntoVortelIni(const ProductChoice& chosen, const Folders& dirs) {
  auto& files = plat::Current().Files();
  // The emulator's folder as the folders page shows it, chosen now or installed earlier.
  if (files.GetAttributes(VortelIni(dirs)) == plat::kInvalidAttributes) return;
  auto& ini = plat::Current().Ini();
  if ((chosen[kFtpClient] || chosen[kFtpBatch]) &&
      ini.Read(VortelIni(dirs), "FTP", "CLIENT", "").empty())
    ini.Write(VortelIni(dirs), "FTP", "CLIENT", dirs[SlotOf(kFtpClient)] + "NorvikFtp.exe");
  if (chosen[kFtpServer] && ini.Read(VortelIni(dirs), "FTP", "SERVER", "").empty())
    ini.Write(VortelIni(dirs), "FTP", "SERVER", dirs[SlotOf(kFtpServer)] + "NorvikFTPsrv.exe");
}

void ConfigureVortel(const ProductChoice& chosen, const Folders& dirs) {
  LinkFtpIntoVortelIni(chosen, dirs);
  auto& ini = plat::Current().Ini();
  for (const auto& key : ini.Keys(VortelIni(dirs), "CONFIG"))
    if (plat::Current().Texts().UpperCase(key) == "USERDIR") return;
  ini.Write(VortelIni(dirs), "CONFIG", "USERDIR", "");
}

void ConfigureFtpClient(const ProductChoice& chosen, const Folders& dirs, sys::Questions& asked) {
  LinkFtpIntoVortelIni(chosen, dirs);
  EnsureFolder(dirs[SlotOf(kFtpClient)] + "Profiles", asked);
}

bool ConfigureFtpBatch(const ProductChoice& chosen, const Folders& dirs, Copier& copier) {
  LinkFtpIntoVortelIni(chosen, dirs);
  const std::string scripts = dirs[SlotOf(kFtpBatch)] + "Scripts";
  EnsureFolder(scripts, copier.Asked());
  copier.CopyFileList(FtpBatchScripts, 0, sys::AddBackslash(scripts));
  return !copier.InstallAborted;
}

void ConfigureFtpServer(const ProductChoice& chosen, const Folders& dirs, sys::Questions& asked) {
  LinkFtpIntoVortelIni(chosen, dirs);
  for (const auto& folder : FtpServerFolders)
    EnsureFolder(dirs[SlotOf(kFtpServer)] + folder, asked);
}

}  // namespace engine
