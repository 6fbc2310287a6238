#include "engine/medium_kind.h"

#include "engine/medium.h"
#include "platform/errors.h"
#include "platform/platform.h"

namespace engine {

const std::array<uint8_t, 4> ProductGroupBits = {kEmulatorGroup, kFtpClientGroup, kFtpClientGroup,
                                                 kFtpServerGroup};

MediumKind ReadMediumKind(plat::FileSystem& files, const std::string& sourceDir) {
  char first = 0;
  try {
    // A setup file carries the marker; what lies beside it is the user's.
    Medium medium(files, sourceDir, files.ModulePath());
    if (!medium.Has(kMarkerName) || medium.Open(kMarkerName)->Read(&first, 1) == 0) return {};
  } catch (const plat::EFileError&) {
    return {};
  }
  struct Kind {
    char letter;
    MediumKind kind;
  };
  constexpr Kind kinds[] = {
      {'A', {kEmulatorGroup, 1}}, {'C', {kFtpClientGroup, 2}}, {'S', {kFtpServerGroup, 3}}};
  for (const Kind& kind : kinds)
    if (kind.letter == first) return kind.kind;
  return {};
}

void WriteMediumKind(plat::FileSystem& files, const std::string& text, const std::string& folder) {
  auto out = files.Create(folder + kMarkerName);
  out->Write(text.data(), text.size());
  out->Close();
}

bool ProductOnMedium(const MediumKind& medium, int product) {
  if (product < 0 || product >= static_cast<int>(ProductGroupBits.size())) return false;
  return (ProductGroupBits[product] & medium.products) != 0;
}

uint8_t GroupsOfKindWord(const std::string& word) {
  if (word == "A") return kEmulatorGroup;
  if (word == "S") return kFtpServerGroup;
  if (word == "C") return kFtpClientGroup;
  return kWholePackage;
}

}  // namespace engine
