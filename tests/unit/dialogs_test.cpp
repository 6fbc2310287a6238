#include "platform/dialogs.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "platform/headless/headless.h"

using plat::DlgButton;
using plat::DlgType;
using plat::ModalResult;

class DialogsTest : public ::testing::Test {
 protected:
  plat::headless::HeadlessPlatform platform;
  plat::headless::ScriptedDialogs& dialogs = platform.dialogs;
};

TEST_F(DialogsTest, StandardDialogSortsButtonsAndChoosesFocusAndEsc) {
  struct Case {
    std::vector<DlgButton> given, shown;
    int focus, cancel;
  } cases[] = {
      {{DlgButton::No, DlgButton::Yes}, {DlgButton::Yes, DlgButton::No}, 0, 1},
      {{DlgButton::OK}, {DlgButton::OK}, 0, 0},
      {{DlgButton::Cancel, DlgButton::OK}, {DlgButton::OK, DlgButton::Cancel}, 0, 1},
      {{DlgButton::Ignore, DlgButton::Retry, DlgButton::Abort},
       {DlgButton::Abort, DlgButton::Retry, DlgButton::Ignore},
       1,
       -1},
      {{DlgButton::Yes, DlgButton::Yes}, {DlgButton::Yes}, 0, -1},
  };
  for (const auto& c : cases) {
    dialogs.Expect("tekst", ModalResult::OK);
    plat::MessageDlg("tekst", DlgType::Information, c.given);
    const auto& spec = dialogs.shown.back();
    EXPECT_EQ(spec.buttons, c.shown);
    EXPECT_EQ(spec.focus, c.focus);
    EXPECT_EQ(spec.cancel, c.cancel);
  }
}

TEST_F(DialogsTest, OrderedDialogPassesTheCallersChoicesThrough) {
  dialogs.Expect("Plik \"C:\\a\" już istnieje.\rNadpisać ?", ModalResult::All);
  const auto result = plat::OrderedMessageDlg(
      "Plik \"C:\\a\" już istnieje.\rNadpisać ?", DlgType::Confirmation,
      {DlgButton::Yes, DlgButton::All, DlgButton::No, DlgButton::Abort}, 0, -1);
  EXPECT_EQ(result, ModalResult::All);
  EXPECT_EQ(dialogs.shown.back().cancel, -1);
  EXPECT_TRUE(dialogs.AllAnswered());
}

TEST_F(DialogsTest, UnexpectedOrDifferentDialogsFailTheTestEvenWhenCaught) {
  const auto swallowed = [](const std::string& text) {
    try {
      plat::MessageDlg(text, DlgType::Error, {DlgButton::OK});
    } catch (...) {
    }
  };
  EXPECT_NONFATAL_FAILURE(swallowed("nikt nie czeka"), "unexpected dialog: \"nikt nie czeka\"");
  dialogs.Expect("jeden", ModalResult::OK);
  EXPECT_NONFATAL_FAILURE(swallowed("drugi"), "\"drugi\" shown where \"jeden\" was expected");
}

TEST(DialogTexts, CaptionsArePolishWithTheirAccelerators) {
  EXPECT_EQ(plat::CaptionOf(DlgType::Error), " Błąd");
  EXPECT_EQ(plat::CaptionOf(DlgType::Confirmation), " Decyzja");
  EXPECT_EQ(plat::CaptionOf(DlgButton::Retry), "Powtó&rz");
  EXPECT_EQ(plat::CaptionOf(DlgButton::NoToAll), "Nie, wszystkie");
  EXPECT_EQ(plat::ResultOf(DlgButton::All), ModalResult::All);
}
