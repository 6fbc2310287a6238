#include "engine/mastering.h"

#include <exception>

#include "engine/catalogue.h"
#include "engine/medium_kind.h"
#include "engine/payload.h"
#include "engine/stored_file.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/platform.h"
#include "system/paths.h"

namespace engine {
namespace {

// Where a catalogue file comes from when it is not in the list's source folder itself.
std::string SourceOf(const std::string& entry, const std::string& folder) {
  for (const char* doc : {"Vortel - Dokumentacja Techniczna.pdf", "Vortel.hlp", "Vortel.cnt"})
    if (entry == doc) return folder + "doc\\vortel3\\" + entry;
  for (const char* doc :
       {"Norvik-FTP - Dokumentacja Techniczna.pdf", "NorvikFtp.hlp", "NorvikFtp.cnt",
        "Norvik-FTPSrv - Dokumentacja Techniczna.pdf", "FTPSrv.hlp", "FTPSrv.cnt"})
    if (entry == doc) return folder + "doc\\" + entry;
  for (const char* font : {"VORTELF1.dat", "VORTELF2.dat", "VORTELF3.dat", "VORTELF4.dat"})
    if (entry == font) return kFontBuildFolder + entry.substr(0, entry.size() - 4) + ".fon";
  return folder + entry;
}

class Master {
 public:
  Master(plat::Platform& platform, std::string target)
      : files_(platform.Files()), target_(std::move(target)), codec_(platform) {}

  // A plain copy that says why it failed: the platform's copy only answers yes or no.
  void CopyPlain(const std::string& from, const std::string& to) {
    if (codec_.CopyPlainFile(from, to)) return;
    if (files_.GetAttributes(from) == plat::kInvalidAttributes)
      throw plat::EFileError(from, plat::EFileError::Reason::NotFound);
    throw plat::EFileError(to, "nie można zapisać kopii pliku");
  }

  void List(const std::string& folder, const FileList& list) {
    for (const std::string& entry : list) {
      if (entry.empty()) continue;
      switch (KindOf(entry)) {
        case EntryKind::Installer:
          // Written last, with the catalogue of everything else.
          OpenProgram();
          break;
        case EntryKind::Plain:
          CopyPlain(folder + entry, target_ + entry);
          written_.push_back(entry);
          break;
        case EntryKind::Stored:
          codec_.CompressFile(SourceOf(entry, folder), target_ + StoredName(entry));
          written_.push_back(StoredName(entry));
          break;
      }
    }
  }
  void Written(const std::string& name) { written_.push_back(name); }

  // The medium's Install.exe: this program without its signature or an earlier catalogue,
  // then the catalogue of the files as they now lie on the medium.
  void WriteProgram() {
    std::vector<PayloadEntry> entries;
    for (const std::string& name : written_) {
      const Hashed hashed = HashFile(*files_.OpenRead(target_ + name));
      entries.push_back({name, hashed.size, hashed.digest, PayloadEntry::kNotCarried});
    }
    const std::string path = target_ + "Install.exe";
    auto out = files_.Create(path);
    program_->Seek(0);
    WriteProgramHead(*program_, layout_, *out);
    const std::string tail = EncodePayload(entries, layout_.sectionsEnd, layout_.sectionsEnd);
    out->Write(tail.data(), tail.size());
    out->Close();
  }

 private:
  void OpenProgram() {
    const std::string self = files_.ModulePath();
    program_ = files_.OpenRead(self);
    std::vector<PayloadEntry> ignored;
    ReadPayload(*program_, self, files_.FileSize(self), layout_, ignored);
    if (layout_.sectionsEnd == 0) throw plat::EFileError(self, "to nie jest program Windows");
  }

  plat::FileSystem& files_;
  std::string target_;
  StoredFileCodec codec_;
  std::vector<std::string> written_;  // names on the medium
  std::unique_ptr<plat::InputFile> program_;
  ProgramLayout layout_;
};

}  // namespace

int MasterMedium(plat::Platform& platform, const std::vector<std::string>& args) {
  const std::string target = args.size() < 2 ? "A:\\" : sys::AddBackslash(args[1]);
  const uint8_t groups = args.size() == 3 ? GroupsOfKindWord(args[2]) : kWholePackage;
  auto& files = platform.Files();
  // The build folders lie beside the emulator's, which is the current folder.
  const std::string here = sys::AddBackslash(files.CurrentDirectory());
  const std::string ftpClient = here + "..\\FTP_Cli_2\\";
  const std::string ftpBatch = here + "..\\FTPBatch\\";
  const std::string ftpServer = here + "..\\FTP_Srv\\";
  try {
    // A marker left from a medium of one product group would make this one offer only that.
    const std::string marker = target + kMarkerName;
    if (groups == kWholePackage && files.GetAttributes(marker) != plat::kInvalidAttributes &&
        !files.Remove(marker))
      throw plat::EFileError(marker, "nie można usunąć pozostawionego pliku");
    Master master(platform, target);
    master.List(here, CommonFiles);
    if (groups != kWholePackage) {
      WriteMediumKind(files, args[2], target);
      master.Written(kMarkerName);
    }
    if (groups & kEmulatorGroup) master.List(here, VortelFiles);
    if (groups & kFtpClientGroup) {
      master.List(ftpClient, FtpClientFiles);
      master.List(ftpBatch, FtpBatchFiles);
      master.List(ftpBatch, FtpBatchScripts);
      master.List(ftpClient, FtpManualFiles);
    }
    if (groups & kFtpServerGroup) master.List(ftpServer, FtpServerFiles);
    master.WriteProgram();
  } catch (const std::exception& e) {
    plat::MessageDlg(
        "Nie udało się utworzyć nośnika instalacyjnego w \"" + target + "\".\r" + e.what(),
        plat::DlgType::Error, {plat::DlgButton::OK});
    return 1;
  }
  return 0;
}

}  // namespace engine
