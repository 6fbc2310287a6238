#include "engine/configuration.h"

#include "engine/target_dirs.h"
#include "platform/platform.h"
#include "system/paths.h"

namespace engine {

namespace {
std::string VortelIni() {
  return TargetDirs[1] + "Vortel.ini";
}
}  // namespace

void LinkFtpIntoVortelIni(const ProductChoice& chosen) {
  auto& files = plat::Current().Files();
  // The emulator's folder as the folders page shows it, chosen now or installed earlier.
  if (files.GetAttributes(VortelIni()) == plat::kInvalidAttributes) return;
  auto& ini = plat::Current().Ini();
  if ((chosen[kFtpClient] || chosen[kFtpBatch]) &&
      ini.Read(VortelIni(), "FTP", "CLIENT", "").empty())
    ini.Write(VortelIni(), "FTP", "CLIENT", TargetDirs[2] + "NorvikFtp.exe");
  if (chosen[kFtpServer] && ini.Read(VortelIni(), "FTP", "SERVER", "").empty())
    ini.Write(VortelIni(), "FTP", "SERVER", TargetDirs[3] + "NorvikFTPsrv.exe");
}

void ConfigureVortel(const ProductChoice& chosen) {
  LinkFtpIntoVortelIni(chosen);
  auto& ini = plat::Current().Ini();
  for (const auto& key : ini.Keys(VortelIni(), "CONFIG"))
    if (plat::Current().Texts().UpperCase(key) == "USERDIR") return;
  ini.Write(VortelIni(), "CONFIG", "USERDIR", "");
}

void ConfigureFtpClient(const ProductChoice& chosen) {
  LinkFtpIntoVortelIni(chosen);
  EnsureFolder(TargetDirs[2] + "Profiles");
}

bool ConfigureFtpBatch(const ProductChoice& chosen, Copier& copier) {
  LinkFtpIntoVortelIni(chosen);
  EnsureFolder(TargetDirs[2] + "Scripts");
  copier.CopyFileList(FtpBatchScripts, 0, sys::AddBackslash(TargetDirs[2] + "Scripts"));
  return !copier.InstallAborted;
}

void ConfigureFtpServer(const ProductChoice& chosen) {
  LinkFtpIntoVortelIni(chosen);
  for (const auto& folder : FtpServerFolders) EnsureFolder(TargetDirs[3] + folder);
}

}  // namespace engine
