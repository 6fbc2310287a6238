#include "engine/medium.h"

#include <algorithm>

#include "engine/stored_file.h"

namespace engine {
namespace {

// Hashes what passes and, at the end, holds it against the catalogue's entry: the bytes a
// stored file expands from are the bytes compared, read once through one handle.
class VouchedInput : public plat::InputFile {
 public:
  VouchedInput(std::unique_ptr<plat::InputFile> in, std::string path, const PayloadEntry& entry,
               uint64_t start)
      : in_(std::move(in)), path_(std::move(path)), entry_(entry), at_(start) {}
  size_t Read(void* buffer, size_t size) override {
    // A carried file shares the program's handle with the others; its range is all it sees.
    if (entry_.offset != PayloadEntry::kNotCarried) {
      size = static_cast<size_t>(std::min<uint64_t>(size, entry_.offset + entry_.size - at_));
      in_->Seek(at_);
    }
    const size_t got = size ? in_->Read(buffer, size) : 0;
    at_ += got;
    read_ += got;
    sha_.Update(buffer, got);
    if (got == 0 && !checked_) {
      checked_ = true;
      if (read_ != entry_.size || sha_.Final() != entry_.digest)
        throw EDamagedFile(path_, "plik różni się od zapisanego w katalogu nośnika");
    }
    return got;
  }
  void Seek(uint64_t) override { throw plat::EFileError(path_, "plik czytany tylko po kolei"); }

 private:
  std::unique_ptr<plat::InputFile> in_;
  std::string path_;
  const PayloadEntry& entry_;
  uint64_t at_, read_ = 0;
  Sha256 sha_;
  bool checked_ = false;
};

// The program's handle lent to one carried file at a time. The files are read one after the
// other, so most reads start where the last ended and need no seek of their own (under Wine
// each is a call to the server).
class Borrowed : public plat::InputFile {
 public:
  Borrowed(plat::InputFile& in, uint64_t& position) : in_(in), position_(position) {}
  size_t Read(void* buffer, size_t size) override {
    const uint64_t at = position_;
    position_ = ~uint64_t{0};  // unknown, should the read fail
    const size_t got = in_.Read(buffer, size);
    position_ = at + got;
    return got;
  }
  void Seek(uint64_t offset) override {
    if (offset != position_) in_.Seek(offset);
    position_ = offset;
  }

 private:
  plat::InputFile& in_;
  uint64_t& position_;
};

}  // namespace

Medium::Medium(plat::FileSystem& files, std::string folder, const std::string& program)
    : files_(files), folder_(std::move(folder)), programPath_(program) {
  try {
    program_ = files.OpenRead(program);
    state_ = ReadPayload(*program_, program, files.FileSize(program), layout_, entries_);
  } catch (const plat::EFileError&) {
    // A program that cannot read itself vouches for nothing, as an older one.
    state_ = PayloadState::None;
    entries_.clear();
  }
  carried_ = std::any_of(entries_.begin(), entries_.end(), [](const PayloadEntry& entry) {
    return entry.offset != PayloadEntry::kNotCarried;
  });
  if (!carried_) program_.reset();
  // Where the catalogue's reading left the handle is not known to the reads that follow.
  position_ = ~uint64_t{0};
}

const PayloadEntry* Medium::Find(const std::string& name) const {
  for (const PayloadEntry& entry : entries_)
    if (entry.name == name) return &entry;
  return nullptr;
}

bool Medium::Has(const std::string& name) const {
  if (Find(name)) return true;
  // Beside a setup file lie the user's files, not the medium's.
  return !carried_ && files_.GetAttributes(folder_ + name) != plat::kInvalidAttributes;
}

uint64_t Medium::Size(const std::string& name) const {
  if (const PayloadEntry* entry = Find(name)) return entry->size;
  return carried_ ? 0 : files_.FileSize(folder_ + name);
}

std::unique_ptr<plat::InputFile> Medium::Open(const std::string& name) {
  const std::string path = folder_ + name;
  if (!Catalogued()) return files_.OpenRead(path);
  const PayloadEntry* entry = Find(name);
  if (!entry) {
    if (carried_) throw plat::EFileError(path, plat::EFileError::Reason::NotFound);
    throw EDamagedFile(path, "pliku nie ma w katalogu nośnika");
  }
  if (entry->offset == PayloadEntry::kNotCarried)
    return std::make_unique<VouchedInput>(files_.OpenRead(path), path, *entry, 0);
  return std::make_unique<VouchedInput>(std::make_unique<Borrowed>(*program_, position_),
                                        programPath_ + " (" + name + ")", *entry, entry->offset);
}

}  // namespace engine
