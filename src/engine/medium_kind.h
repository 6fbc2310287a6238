#pragma once
// The medium-kind marker "appid.dat": one installer serves the whole package or one product
// group, and the marker beside it says which.
#include <array>
#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace engine {

// Product groups as bits of MediumKind::products.
constexpr uint8_t kEmulatorGroup = 1;
constexpr uint8_t kFtpServerGroup = 2;
constexpr uint8_t kFtpClientGroup = 4;
constexpr uint8_t kWholePackage = 255;

struct MediumKind {
  // Which groups the medium carries; every bit set unless a marker says otherwise.
  uint8_t products = kWholePackage;
  // Which agreement the licence page shows: 1 the emulator's, 2 the FTP client's, 3 the FTP
  // server's, anything else the package's.
  uint8_t agreement = 0;
};
// The group of each product, by product index.
extern const std::array<uint8_t, 4> ProductGroupBits;

constexpr const char* kMarkerName = "appid.dat";

// Reads the marker from the medium folder (ending in "\"). A missing, unreadable or empty
// marker means the whole package with the package's agreement.
MediumKind ReadMediumKind(plat::FileSystem& files, const std::string& sourceDir);
// Writes `text` as the whole marker (no line break). Raises plat::EFileError on failure.
void WriteMediumKind(plat::FileSystem& files, const std::string& text, const std::string& folder);
bool ProductOnMedium(const MediumKind& medium, int product);
// The groups that a mastering kind word selects: "A", "S" or "C" exactly; anything else is
// the whole package.
uint8_t GroupsOfKindWord(const std::string& word);

}  // namespace engine
