// Any bytes as the medium-kind marker "appid.dat" beside the installer: the reader must settle
// on the whole package or exactly one product group, as the marker's first letter says.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/medium_kind.h"
#include "platform/headless/headless.h"

namespace {

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "medium_kind_fuzz: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static plat::headless::HeadlessPlatform platform;
  const std::string marker(reinterpret_cast<const char*>(data), size);
  platform.files.PutFile(std::string("C:\\medium\\") + engine::kMarkerName, marker);
  const engine::MediumKind kind = engine::ReadMediumKind(platform.files, "C:\\medium\\");
  const uint8_t groups = kind.products;
  const std::string first = marker.substr(0, 1);
  // A marker mastering wrote with kind word W reads back as the groups of W.
  Check(groups == engine::GroupsOfKindWord(first), "the groups differ from the kind letter's");
  const size_t letter = marker.empty() ? std::string::npos : std::string("ACS").find(marker[0]);
  Check(kind.agreement == (letter == std::string::npos ? 0 : letter + 1),
        "the agreement does not match the kind letter");
  const bool whole = groups == engine::kWholePackage;
  int onMedium = 0;
  for (int product = -1; product <= 4; ++product)
    onMedium += engine::ProductOnMedium(kind, product);
  Check(onMedium == (whole                               ? 4
                     : groups == engine::kFtpClientGroup ? 2
                                                         : 1),
        "the products on the medium do not match its kind");
  return 0;
}
