#include "engine/bundle.h"

#include <exception>

#include "engine/payload.h"
#include "engine/stored_file.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "system/paths.h"

namespace engine {
namespace {

// The medium's Install.exe, as mastering wrote it, without its signature (the setup file gets
// its own), then each catalogued file on an 8-byte boundary, then the catalogue saying where.
void WriteBundle(plat::FileSystem& files, const std::string& folder, plat::OutputFile& out) {
  const std::string program = folder + "Install.exe";
  auto in = files.OpenRead(program);
  ProgramLayout layout;
  std::vector<PayloadEntry> entries;
  if (ReadPayload(*in, program, files.FileSize(program), layout, entries) != PayloadState::Valid)
    throw plat::EFileError(program, "brak katalogu plików nośnika");
  in->Seek(0);
  WriteProgramHead(*in, layout, out);
  uint64_t at = layout.sectionsEnd;
  for (PayloadEntry& entry : entries) {
    if (entry.offset != PayloadEntry::kNotCarried)
      throw plat::EFileError(program, "to już jest plik instalacyjny z plikami nośnika");
    const std::string path = folder + entry.name;
    const Hashed copied = HashFile(*files.OpenRead(path), &out);
    if (copied.size != entry.size || copied.digest != entry.digest)
      throw EDamagedFile(path, "plik różni się od zapisanego w katalogu nośnika");
    entry.offset = at;
    const std::string padding(PaddingAfter(at + copied.size), '\0');
    out.Write(padding.data(), padding.size());
    at += copied.size + padding.size();
  }
  const std::string tail = EncodePayload(entries, layout.sectionsEnd, at);
  out.Write(tail.data(), tail.size());
}

}  // namespace

int BundleMedium(plat::Platform& platform, const std::vector<std::string>& args) {
  const std::string target = args.size() == 3 ? args[2] : std::string();
  auto& files = platform.Files();
  try {
    if (args.size() != 3)
      throw plat::Error("Użycie: Install.exe BUNDLE <katalog nośnika> <plik.exe>");
    auto out = files.Create(target);
    try {
      WriteBundle(files, sys::AddBackslash(args[1]), *out);
    } catch (...) {
      out->Discard();
      throw;
    }
    out->Close();
  } catch (const std::exception& e) {
    plat::MessageDlg("Nie udało się utworzyć pliku instalacyjnego \"" + target + "\".\r" + e.what(),
                     plat::DlgType::Error, {plat::DlgButton::OK});
    return 1;
  }
  return 0;
}

}  // namespace engine
