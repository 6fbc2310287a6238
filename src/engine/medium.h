#pragma once
// Where an installation's files come from and what vouches for them: the folder of the running
// Install.exe, or the program itself when it carries the medium (a setup file made by BUNDLE);
// either way the catalogue the program carries gives each file's size and digest.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/payload.h"
#include "platform/platform.h"

namespace engine {

class Medium {
 public:
  // `folder` ends in "\"; `program` is the running Install.exe; both are read through `files`.
  Medium(plat::FileSystem& files, std::string folder, const std::string& program);
  Medium(const Medium&) = delete;
  Medium& operator=(const Medium&) = delete;

  // Whether a catalogue vouches for the files (an older medium has none).
  bool Catalogued() const { return state_ != PayloadState::None; }
  // Whether the program carries the files itself.
  bool Carried() const { return carried_; }
  // Whether the program carries a signature (checked or not).
  bool Signed() const { return layout_.hasCertificate; }
  // Whether the medium holds the file `name`, listed or, where nothing is listed, in the folder.
  bool Has(const std::string& name) const;
  // The file's size on the medium; 0 when it has none.
  uint64_t Size(const std::string& name) const;
  // Reads the medium's file `name`. Where a catalogue vouches for the medium, reading to the end
  // raises EDamagedFile (before it returns 0) unless the bytes read are the catalogue's; a name
  // the catalogue does not list raises at once.
  std::unique_ptr<plat::InputFile> Open(const std::string& name);

 private:
  const PayloadEntry* Find(const std::string& name) const;

  plat::FileSystem& files_;
  std::string folder_;
  // Held open without write or delete sharing from the catalogue's reading on, so the carried
  // files are the bytes the catalogue was read with.
  std::unique_ptr<plat::InputFile> program_;
  uint64_t position_ = 0;  // of program_'s handle
  std::string programPath_;
  ProgramLayout layout_;
  std::vector<PayloadEntry> entries_;
  PayloadState state_ = PayloadState::None;
  bool carried_ = false;
};

}  // namespace engine
