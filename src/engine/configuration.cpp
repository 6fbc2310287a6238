#include "engine/configuration.h"

#include "platform/platform.h"
#include "system/paths.h"

namespace engine {

namespace {
std::string VortelIni(const Folders& dirs) {
  return dirs[SlotOf(kVortel)] + "Vortel.ini";
}
}  // namespace

void LinkFtpIntoVortelIni(plat::Platform& platform, const ProductChoice& chosen,
                          const Folders& dirs) {
  auto& files = platform.Files();
  // The emulator's folder as the folders page shows it, chosen now or installed earlier.
  if (files.GetAttributes(VortelIni(dirs)) == plat::kInvalidAttributes) return;
  auto& ini = platform.Ini();
  if ((chosen[kFtpClient] || chosen[kFtpBatch]) &&
      ini.Read(VortelIni(dirs), "FTP", "CLIENT", "").empty())
    ini.Write(VortelIni(dirs), "FTP", "CLIENT", dirs[SlotOf(kFtpClient)] + "NorvikFtp.exe");
  if (chosen[kFtpServer] && ini.Read(VortelIni(dirs), "FTP", "SERVER", "").empty())
    ini.Write(VortelIni(dirs), "FTP", "SERVER", dirs[SlotOf(kFtpServer)] + "NorvikFTPsrv.exe");
}

void ConfigureVortel(plat::Platform& platform, const ProductChoice& chosen, const Folders& dirs) {
  LinkFtpIntoVortelIni(platform, chosen, dirs);
  auto& ini = platform.Ini();
  for (const auto& key : ini.Keys(VortelIni(dirs), "CONFIG"))
    if (platform.Texts().UpperCase(key) == "USERDIR") return;
  ini.Write(VortelIni(dirs), "CONFIG", "USERDIR", "");
}

void ConfigureFtpClient(plat::Platform& platform, const ProductChoice& chosen, const Folders& dirs,
                        sys::Questions& asked) {
  LinkFtpIntoVortelIni(platform, chosen, dirs);
  EnsureFolder(platform.Files(), dirs[SlotOf(kFtpClient)] + "Profiles", asked);
}

bool ConfigureFtpBatch(const ProductChoice& chosen, const Folders& dirs, Copier& copier) {
  plat::Platform& platform = copier.Platform();
  LinkFtpIntoVortelIni(platform, chosen, dirs);
  const std::string scripts = dirs[SlotOf(kFtpBatch)] + "Scripts";
  EnsureFolder(platform.Files(), scripts, copier.Asked());
  copier.CopyFileList(FtpBatchScripts, 0, sys::AddBackslash(scripts));
  return !copier.InstallAborted;
}

void ConfigureFtpServer(plat::Platform& platform, const ProductChoice& chosen, const Folders& dirs,
                        sys::Questions& asked) {
  LinkFtpIntoVortelIni(platform, chosen, dirs);
  for (const auto& folder : FtpServerFolders)
    EnsureFolder(platform.Files(), dirs[SlotOf(kFtpServer)] + folder, asked);
}

}  // namespace engine
