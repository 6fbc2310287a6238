// The marker decides which products a customer can install: a wrong reading offers products
// that are not on the medium, or hides the ones that are.
#include "engine/medium_kind.h"

#include <gtest/gtest.h>

#include "platform/errors.h"
#include "platform/headless/headless.h"

using namespace engine;

TEST(MediumKind, MarkerDecidesTheProductsAndTheAgreement) {
  plat::headless::HeadlessPlatform platform;
  auto& files = platform.files;
  // The marker ("-": no file, "?": unreadable); the products offered; the agreement.
  const std::tuple<std::string, const char*, int> cases[] = {
      {"-", "++++", 0},
      {"A", "+---", 1},
      {"C", "-++-", 2},
      {"S", "---+", 3},
      {"?", "++++", 3},  // unreadable or empty: the agreement stays
      {"C\r\nwhatever follows", "-++-", 2},
      {"", "++++", 2},
      {"a", "++++", 0},
      {"X", "++++", 0},
      {" S", "++++", 0},
  };

  for (const auto& [marker, offered, agreement] : cases) {
    SCOPED_TRACE(marker);
    MediumProducts = 0;
    files.Remove("C:\\medium\\appid.dat");
    if (marker != "-" && marker != "?") files.PutFile("C:\\medium\\appid.dat", marker);
    ReadMediumKind(marker == "?" ? "Q:\\no drive\\" : "C:\\medium\\");
    std::string products;
    for (int p = 0; p < 4; ++p) products += ProductOnMedium(p) ? '+' : '-';
    EXPECT_EQ(products, offered);
    EXPECT_EQ(AgreementKind, agreement);
  }
  EXPECT_FALSE(ProductOnMedium(-1) || ProductOnMedium(4));
  files.PutFile("C:\\out\\appid.dat", "old content, longer");
  WriteMediumKind("C", "C:\\out\\");
  EXPECT_EQ(files.ReadFile("C:\\out\\appid.dat"), "C");
  EXPECT_THROW(WriteMediumKind("S", "C:\\missing\\"), plat::EFileError);
  for (const char* other : {"a", "c", "s", "AS", "", "X"})
    EXPECT_EQ(GroupsOfKindWord(other), kWholePackage) << other;
}
