#include "engine/medium_kind.h"

#include "engine/medium.h"
#include "platform/errors.h"
#include "platform/platform.h"

namespace engine {

uint8_t MediumProducts = kWholePackage;
uint8_t AgreementKind = 0;
const std::array<uint8_t, 4> ProductGroupBits = {kEmulatorGroup, kFtpClientGroup, kFtpClientGroup,
                                                 kFtpServerGroup};

void ReadMediumKind(const std::string& sourceDir) {
  char first = 0;
  size_t got = 0;
  try {
    // A setup file carries the marker; what lies beside it is the user's.
    Medium medium(sourceDir, plat::Current().Files().ModulePath());
    if (medium.Has(kMarkerName)) got = medium.Open(kMarkerName)->Read(&first, 1);
  } catch (const plat::EFileError&) {
    got = 0;
  }
  if (got == 0) {
    MediumProducts = kWholePackage;
    return;
  }
  struct Kind {
    char letter;
    uint8_t products, agreement;
  };
  static constexpr Kind kinds[] = {
      {'A', kEmulatorGroup, 1}, {'C', kFtpClientGroup, 2}, {'S', kFtpServerGroup, 3}};
  MediumProducts = kWholePackage;
  AgreementKind = 0;
  for (const Kind& kind : kinds) {
    if (kind.letter == first) {
      MediumProducts = kind.products;
      AgreementKind = kind.agreement;
    }
  }
}

void WriteMediumKind(const std::string& text, const std::string& folder) {
  auto out = plat::Current().Files().Create(folder + kMarkerName);
  out->Write(text.data(), text.size());
  out->Close();
}

bool ProductOnMedium(int product) {
  if (product < 0 || product >= static_cast<int>(ProductGroupBits.size())) return false;
  return (ProductGroupBits[product] & MediumProducts) != 0;
}

uint8_t GroupsOfKindWord(const std::string& word) {
  if (word == "A") return kEmulatorGroup;
  if (word == "S") return kFtpServerGroup;
  if (word == "C") return kFtpClientGroup;
  return kWholePackage;
}

}  // namespace engine
