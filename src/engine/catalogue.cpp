#include "engine/catalogue.h"

namespace engine {

const std::array<ProductInfo, kProductCount> Products = {{
    {"Emulator terminala Vortel  ver.3.30", 1, "Vortel.exe", "Vortel\\"},
    {"Klient FTP  ver.1.081", 2, "NorvikFtp.exe", "FTPCli\\"},
    {"Wsadowy klient FTP  ver.1.081", 2, "NorvikFtpBatch.exe", "FTPCli\\"},
    {"Serwer FTP  ver.1.151", 3, "NorvikFTPsrv.exe", "FTPSrv\\"},
}};

const FileList CommonFiles = {"Install.exe", "Uninstall.exe", "Zamowienie.doc"};
const FileList UninstallerFiles = {"Uninstall.exe"};

const FileList VortelFiles = {
    "Vortel.exe",        "Vortel.hlp",
    "Vortel.cnt",        "ramki852.fnt",
    "cnv852-Maz.prr",    "cnv1250-CSK.asc",
    "cnvCSK-852.fnt",    "readme.txt",
    "konwersje.txt",     "Vortel - Dokumentacja Techniczna.pdf",
    "VORTELF1.dat",      "VORTELF2.dat",
    "VORTELF3.dat",      "VORTELF4.dat",
    "cnv_magic_def.kbd", "cnv_magic.kbd",
    "cnvISO-BS.prr",     "cnv852-BS.prr",
    "cnvMaz-BS.prr",     "wydruk",
    "keylabel",          "wykonaj",
};

const FileList FtpClientFiles = {"NorvikFtp.exe", "NorvikFtp.hlp", "NorvikFtp.cnt"};
const FileList FtpBatchFiles = {"NorvikFtpBatch.exe", "Pattern.ftp"};
const FileList FtpBatchScripts = {"vortelpro.ftp"};
const FileList FtpManualFiles = {"Norvik-FTP - Dokumentacja Techniczna.pdf"};
const FileList FtpServerFiles = {"NorvikFTPsrv.exe", "FTPSrv.hlp", "FTPSrv.cnt",
                                 "Norvik-FTPSrv - Dokumentacja Techniczna.pdf"};

const FileList FtpClientFolders = {"Profiles"};
const FileList FtpBatchFolders = {"Scripts"};
const FileList FtpServerFolders = {"ftproot\\", "ftproot\\incoming\\", "ftproot\\outgoing\\",
                                   "ftproot\\pub\\", "ftproot\\tmp\\"};

EntryKind KindOf(const std::string& entry) {
  if (entry == "Install.exe") return EntryKind::Installer;
  return entry.find('.') != std::string::npos ? EntryKind::Stored : EntryKind::Plain;
}

std::string StoredName(const std::string& name) {
  if (name.empty()) return name;
  return name.substr(0, name.size() - 1) + "_";
}

}  // namespace engine
