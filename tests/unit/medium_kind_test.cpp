// The marker decides which products a customer can install: a wrong reading offers products
// that are not on the medium, or hides the ones that are.
#include "engine/medium_kind.h"

#include <gtest/gtest.h>
#include <optional>

#include "platform/errors.h"
#include "platform/headless/headless.h"

using namespace engine;

class MediumKindTest : public ::testing::Test {
 protected:
  plat::headless::HeadlessPlatform platform;
  plat::headless::HeadlessFileSystem& files = platform.files;
};

TEST_F(MediumKindTest, MarkerDecidesTheProductsAndTheAgreement) {
  struct Case {
    std::optional<std::string> marker;  // no file when empty
    uint8_t products;
    uint8_t agreement;
    std::array<bool, 4> offered;
  } cases[] = {
      {std::nullopt, 255, 0, {true, true, true, true}},
      {"A", 1, 1, {true, false, false, false}},
      {"C", 4, 2, {false, true, true, false}},
      {"S", 2, 3, {false, false, false, true}},
      {"C\r\nwhatever follows", 4, 2, {false, true, true, false}},
      {"a", 255, 0, {true, true, true, true}},
      {"X", 255, 0, {true, true, true, true}},
      {" S", 255, 0, {true, true, true, true}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.marker.value_or("<none>"));
    MediumProducts = 0;
    AgreementKind = 0;
    files.Remove("C:\\medium\\appid.dat");
    if (c.marker) files.PutFile("C:\\medium\\appid.dat", *c.marker);
    ReadMediumKind("C:\\medium\\");
    EXPECT_EQ(MediumProducts, c.products);
    EXPECT_EQ(AgreementKind, c.agreement);
    for (int p = 0; p < 4; ++p) EXPECT_EQ(ProductOnMedium(p), c.offered[p]) << "product " << p;
  }
}

TEST_F(MediumKindTest, UnreadableMarkerMeansWholePackageAndKeepsTheAgreement) {
  files.PutFile("C:\\m\\appid.dat", "S");
  ReadMediumKind("C:\\m\\");
  ASSERT_EQ(AgreementKind, 3);
  files.PutFile("C:\\m\\appid.dat", "");
  ReadMediumKind("C:\\m\\");
  EXPECT_EQ(MediumProducts, kWholePackage);
  EXPECT_EQ(AgreementKind, 3);
  ReadMediumKind("Q:\\no drive\\");
  EXPECT_EQ(MediumProducts, kWholePackage);
  EXPECT_EQ(AgreementKind, 3);
}

TEST_F(MediumKindTest, WrittenMarkerHoldsExactlyTheTextAndReplacesAnOldOne) {
  files.PutFile("C:\\out\\appid.dat", "old content, longer");
  WriteMediumKind("C", "C:\\out\\");
  EXPECT_EQ(files.ReadFile("C:\\out\\appid.dat"), "C");
  EXPECT_THROW(WriteMediumKind("S", "C:\\missing\\"), plat::EFileError);
}

TEST_F(MediumKindTest, KindWordsAreExactCapitals) {
  EXPECT_EQ(GroupsOfKindWord("A"), kEmulatorGroup);
  EXPECT_EQ(GroupsOfKindWord("S"), kFtpServerGroup);
  EXPECT_EQ(GroupsOfKindWord("C"), kFtpClientGroup);
  for (const char* other : {"a", "c", "s", "AS", "", "X"})
    EXPECT_EQ(GroupsOfKindWord(other), kWholePackage) << other;
  EXPECT_FALSE(ProductOnMedium(-1));
  EXPECT_FALSE(ProductOnMedium(4));
}
