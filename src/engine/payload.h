#pragma once
// What a medium's Install.exe carries after its last section: the catalogue of the medium's
// files (name, size, SHA-256), and in a setup file made by BUNDLE the files themselves. It lies
// before any certificate table, so an Authenticode signature made afterwards covers it; a
// trailer at its end tells the program where the catalogue is.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/sha256.h"
#include "platform/platform.h"

namespace engine {

struct PayloadEntry {
  std::string name;  // as on the medium ("Vortel.ex_")
  uint64_t size = 0;
  Sha256::Digest digest{};
  // Where the program carries the file's bytes; kNotCarried where they lie beside it.
  uint64_t offset = kNotCarried;
  static constexpr uint64_t kNotCarried = ~uint64_t{0};
};

// Where a program's parts lie, from its PE headers.
struct ProgramLayout {
  uint64_t sectionsEnd = 0;  // where the data after the last section starts
  uint64_t signedEnd = 0;    // the certificate table's start, or the file's end without one
  uint64_t certEntryAt = 0;  // file offset of the certificate table's directory entry
  bool hasCertificate = false;
};

enum class PayloadState { None, Valid, Broken };
// Reads the layout and the catalogue of a program of `fileSize` bytes. None: not a PE file (the
// layout then all zeros), or nothing after its sections that this program wrote; Broken: a trailer
// whose catalogue does not hold together (its entries then stay empty).
// Raises plat::EFileError, naming `path`, when the file cannot be read.
PayloadState ReadPayload(plat::InputFile& in, const std::string& path, uint64_t fileSize,
                         ProgramLayout& layout, std::vector<PayloadEntry>& entries);

// The catalogue and trailer that follow the data written from `payloadStart` (the layout's
// sectionsEnd) up to `tableStart`.
std::string EncodePayload(const std::vector<PayloadEntry>& entries, uint64_t payloadStart,
                          uint64_t tableStart);
// Zeros to put after `written` bytes, so the next part starts on an 8-byte boundary, as the
// certificate table must.
inline size_t PaddingAfter(uint64_t written) {
  return static_cast<size_t>((8 - written % 8) % 8);
}

// Writes the program's sections and headers from `in` (read from its start), without its
// signature: the certificate table's directory entry is cleared and nothing after the
// sections is copied.
void WriteProgramHead(plat::InputFile& in, const ProgramLayout& layout, plat::OutputFile& out);

// A file's digest and size, read to its end (and written to `copy` on the way).
struct Hashed {
  uint64_t size = 0;
  Sha256::Digest digest{};
};
Hashed HashFile(plat::InputFile& in, plat::OutputFile* copy = nullptr);

}  // namespace engine
