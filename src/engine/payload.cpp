#include "engine/payload.h"

#include <algorithm>
#include <cstring>

#include "platform/errors.h"

namespace engine {
namespace {

constexpr char kMagic[8] = {'V', 'T', 'K', 'A', 'T', 'L', 'G', '1'};
constexpr size_t kTrailerSize = 32;
// The catalogue of a whole package takes a few kilobytes; more is not one this program wrote.
constexpr uint32_t kMaxTableSize = 1 << 20;
constexpr size_t kEntryFixed = 8 + 8 + 32;

uint64_t Get(const uint8_t* p, int bytes) {
  uint64_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = value << 8 | p[i];
  return value;
}

// Reads exactly `size` bytes at `offset`.
struct ReadAt {
  plat::InputFile& in;
  const std::string& path;
  void operator()(uint64_t offset, void* data, size_t size) const {
    in.Seek(offset);
    for (auto bytes = static_cast<uint8_t*>(data); size > 0;) {
      const size_t got = in.Read(bytes, size);
      if (got == 0) throw plat::EFileError(path, "plik jest krótszy niż jego zawartość");
      bytes += got;
      size -= got;
    }
  }
};

void Put(std::string& out, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i));
}

bool ReadLayout(const ReadAt& read, uint64_t fileSize, ProgramLayout& layout) {
  uint8_t dos[64];
  if (fileSize < sizeof dos) return false;
  read(0, dos, sizeof dos);
  if (dos[0] != 'M' || dos[1] != 'Z') return false;
  const uint64_t pe = Get(dos + 0x3C, 4);
  uint8_t coff[24];
  if (pe > fileSize || fileSize - pe < sizeof coff) return false;
  read(pe, coff, sizeof coff);
  if (std::memcmp(coff, "PE\0\0", 4) != 0) return false;
  const uint64_t sections = Get(coff + 6, 2), optionalSize = Get(coff + 20, 2);
  const uint64_t optionalAt = pe + sizeof coff, sectionsAt = optionalAt + optionalSize;
  if (sectionsAt + sections * 40 > fileSize) return false;
  std::vector<uint8_t> optional(optionalSize + 1);
  read(optionalAt, optional.data(), optionalSize);
  // Where PE32 and PE32+ keep the number of directories and the directories.
  const uint64_t magic = optionalSize >= 2 ? Get(optional.data(), 2) : 0;
  const uint64_t countAt = magic == 0x10b ? 92 : 108, certAt = countAt + 4 + 4 * 8;
  if ((magic != 0x10b && magic != 0x20b) || optionalSize < certAt + 8 ||
      Get(optional.data() + countAt, 4) < 5)
    return false;
  const uint64_t certOffset = Get(optional.data() + certAt, 4),
                 certSize = Get(optional.data() + certAt + 4, 4);
  std::vector<uint8_t> table(sections * 40 + 1);
  read(sectionsAt, table.data(), sections * 40);
  uint64_t end = sectionsAt + sections * 40;
  for (uint64_t i = 0; i < sections; ++i) {
    const uint8_t* section = table.data() + 40 * i;
    const uint64_t size = Get(section + 16, 4);
    if (size) end = std::max(end, Get(section + 20, 4) + size);
  }
  if (end > fileSize) return false;
  layout.sectionsEnd = end;
  layout.certEntryAt = optionalAt + certAt;
  layout.hasCertificate = certSize != 0;
  layout.signedEnd = layout.hasCertificate ? certOffset : fileSize;
  return !layout.hasCertificate || (certOffset >= end && certOffset + certSize <= fileSize);
}

bool ParseTable(const std::vector<uint8_t>& table, uint64_t count, uint64_t carriedFrom,
                uint64_t carriedTo, std::vector<PayloadEntry>& entries) {
  size_t at = 0;
  for (uint64_t i = 0; i < count; ++i) {
    if (at >= table.size()) return false;
    const size_t length = table[at++];
    if (length == 0 || table.size() - at < length + kEntryFixed) return false;
    PayloadEntry entry;
    entry.name.assign(reinterpret_cast<const char*>(table.data() + at), length);
    at += length;
    entry.size = Get(table.data() + at, 8);
    entry.offset = Get(table.data() + at + 8, 8);
    std::memcpy(entry.digest.data(), table.data() + at + 16, 32);
    at += kEntryFixed;
    if (entry.offset != PayloadEntry::kNotCarried &&
        (entry.offset < carriedFrom || entry.offset > carriedTo ||
         entry.size > carriedTo - entry.offset))
      return false;
    entries.push_back(std::move(entry));
  }
  // Only the padding to the trailer may follow.
  return table.size() - at < 8 &&
         std::all_of(table.begin() + at, table.end(), [](uint8_t b) { return b == 0; });
}

}  // namespace

PayloadState ReadPayload(plat::InputFile& in, const std::string& path, uint64_t fileSize,
                         ProgramLayout& layout, std::vector<PayloadEntry>& entries) {
  const ReadAt read{in, path};
  entries.clear();
  layout = ProgramLayout();
  if (!ReadLayout(read, fileSize, layout)) {
    layout = ProgramLayout();
    return PayloadState::None;
  }
  if (layout.signedEnd - layout.sectionsEnd < kTrailerSize) return PayloadState::None;
  uint8_t trailer[kTrailerSize];
  const uint64_t trailerAt = layout.signedEnd - kTrailerSize;
  read(trailerAt, trailer, kTrailerSize);
  if (std::memcmp(trailer, kMagic, sizeof kMagic) != 0) return PayloadState::None;
  const uint64_t tableStart = Get(trailer + 8, 8), tableSize = Get(trailer + 16, 4),
                 count = Get(trailer + 20, 4), payloadStart = Get(trailer + 24, 8);
  if (payloadStart != layout.sectionsEnd || tableStart < payloadStart || tableStart > trailerAt ||
      trailerAt - tableStart != tableSize || tableSize > kMaxTableSize)
    return PayloadState::Broken;
  std::vector<uint8_t> table(tableSize);
  read(tableStart, table.data(), table.size());
  if (ParseTable(table, count, payloadStart, tableStart, entries)) return PayloadState::Valid;
  entries.clear();
  return PayloadState::Broken;
}

std::string EncodePayload(const std::vector<PayloadEntry>& entries, uint64_t payloadStart,
                          uint64_t tableStart) {
  std::string table;
  for (const PayloadEntry& entry : entries) {
    table += static_cast<char>(entry.name.size());
    table += entry.name;
    Put(table, entry.size, 8);
    Put(table, entry.offset, 8);
    table.append(reinterpret_cast<const char*>(entry.digest.data()), entry.digest.size());
  }
  table.append(PaddingAfter(tableStart + table.size()), '\0');
  std::string trailer(kMagic, sizeof kMagic);
  Put(trailer, tableStart, 8);
  Put(trailer, table.size(), 4);
  Put(trailer, entries.size(), 4);
  Put(trailer, payloadStart, 8);
  return table + trailer;
}

void WriteProgramHead(plat::InputFile& in, const ProgramLayout& layout, plat::OutputFile& out) {
  std::vector<uint8_t> buffer(65536);
  for (uint64_t at = 0; at < layout.sectionsEnd;) {
    const size_t want =
        static_cast<size_t>(std::min<uint64_t>(buffer.size(), layout.sectionsEnd - at));
    const size_t got = in.Read(buffer.data(), want);
    if (got == 0) throw plat::EFileError("Install.exe", "plik jest krótszy niż jego nagłówek");
    for (uint64_t i = layout.certEntryAt; i < layout.certEntryAt + 8; ++i)
      if (i >= at && i < at + got) buffer[i - at] = 0;
    out.Write(buffer.data(), got);
    at += got;
  }
}

Hashed HashFile(plat::InputFile& in, plat::OutputFile* copy) {
  std::vector<uint8_t> buffer(65536);
  Sha256 sha;
  Hashed hashed;
  while (const size_t got = in.Read(buffer.data(), buffer.size())) {
    sha.Update(buffer.data(), got);
    if (copy) copy->Write(buffer.data(), got);
    hashed.size += got;
  }
  hashed.digest = sha.Final();
  return hashed;
}

}  // namespace engine
