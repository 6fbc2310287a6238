// Any bytes as what an Install.exe carries after its sections (or, when the first byte is odd,
// as the whole program): the catalogue's reader must not read outside the file, and what it
// accepts must hold together, since installation trusts its offsets and sizes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/medium.h"
#include "engine/payload.h"
#include "platform/headless/headless.h"

namespace {

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "payload_fuzz: %s\n", what);
  std::abort();
}

// Headers of a PE32 program with one section of 0x200 bytes at 0x200.
std::string Head() {
  std::string pe(0x400, '\0');
  pe[0] = 'M', pe[1] = 'Z', pe[0x3C] = 0x40;
  std::memcpy(&pe[0x40], "PE\0\0", 4);
  pe[0x46] = 1, pe[0x54] = static_cast<char>(224), pe[0x58] = 0x0b, pe[0x59] = 0x01;
  pe[0x58 + 92] = 16, pe[0x138 + 17] = 2, pe[0x138 + 21] = 2;
  return pe;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static plat::headless::HeadlessPlatform platform;
  if (size == 0) return 0;
  const std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::string program = (data[0] & 1) ? rest : Head() + rest;
  platform.files.PutFile("C:\\m\\Install.exe", program);
  auto in = platform.files.OpenRead("C:\\m\\Install.exe");
  engine::ProgramLayout layout;
  std::vector<engine::PayloadEntry> entries;
  engine::PayloadState state;
  try {
    state = engine::ReadPayload(*in, "C:\\m\\Install.exe", program.size(), layout, entries);
  } catch (const plat::EFileError&) {
    return 0;
  }
  Check(state == engine::PayloadState::Valid || entries.empty(), "entries of a broken catalogue");
  Check(layout.sectionsEnd <= layout.signedEnd && layout.signedEnd <= program.size(),
        "a layout outside the file");
  for (const auto& entry : entries)
    Check(entry.offset == engine::PayloadEntry::kNotCarried ||
              (entry.offset >= layout.sectionsEnd && entry.offset + entry.size <= layout.signedEnd),
          "a carried file outside the program");
  // Reading every listed file through the medium ends in its bytes or a failure, never past
  // its range.
  platform.files.SetModulePath("C:\\m\\Install.exe");
  engine::Medium medium(platform.files, "C:\\m\\", "C:\\m\\Install.exe");
  char buffer[4096];
  for (const auto& entry : entries) {
    try {
      auto file = medium.Open(entry.name);
      uint64_t total = 0;
      while (const size_t got = file->Read(buffer, sizeof buffer)) total += got;
      Check(total == entry.size, "a file read other than its listed size");
    } catch (const plat::EFileError&) {
    }
  }
  return 0;
}
