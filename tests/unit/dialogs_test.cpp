#include "platform/dialogs.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "platform/headless/headless.h"

using plat::DlgButton;
using plat::DlgType;
using plat::ModalResult;

TEST(Dialogs, StandardDialogSortsButtonsAndChoosesFocusAndEsc) {
  plat::headless::HeadlessPlatform platform;
  using B = DlgButton;
  const struct {
    std::vector<DlgButton> given, shown;
    int focus, cancel;
  } cases[] = {
      {{B::No, B::Yes}, {B::Yes, B::No}, 0, 1},
      {{B::OK}, {B::OK}, 0, 0},
      {{B::Cancel, B::OK}, {B::OK, B::Cancel}, 0, 1},
      {{B::Ignore, B::Retry, B::Abort}, {B::Abort, B::Retry, B::Ignore}, 1, -1},
      {{B::Yes, B::Yes}, {B::Yes}, 0, -1},
  };
  for (const auto& c : cases) {
    platform.dialogs.Expect("tekst", ModalResult::OK);
    plat::MessageDlg("tekst", DlgType::Information, c.given);
    const auto& spec = platform.dialogs.shown.back();
    EXPECT_EQ(spec.buttons, c.shown);
    EXPECT_EQ(spec.focus, c.focus);
    EXPECT_EQ(spec.cancel, c.cancel);
  }
  EXPECT_EQ(plat::CaptionOf(DlgType::Confirmation), " Decyzja");
  EXPECT_EQ(plat::CaptionOf(DlgButton::Retry), "Powtó&rz");
  // The harness every dialog text check relies on: a wrong or unexpected dialog fails the test
  // even where the code under test catches every exception.
  const auto swallowed = [](const std::string& text) {
    try {
      plat::MessageDlg(text, DlgType::Error, {DlgButton::OK});
    } catch (...) {
    }
  };
  EXPECT_NONFATAL_FAILURE(swallowed("nikt nie czeka"), "unexpected dialog: \"nikt nie czeka\"");
  platform.dialogs.Expect("jeden", ModalResult::OK);
  EXPECT_NONFATAL_FAILURE(swallowed("drugi"), "\"drugi\" shown where \"jeden\" was expected");
}
