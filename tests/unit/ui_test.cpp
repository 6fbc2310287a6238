// The aligner's font and size rules and the background recolouring.
#include <gtest/gtest.h>

#include "platform/headless/headless.h"
#include "ui/aligner.h"
#include "ui/recolor.h"

using namespace plat::gui;
using ui::AdjustColor;
using ui::TAligner;

namespace {

constexpr Color Rgb(int r, int g, int b) {
  return r | (g << 8) | (b << 16);
}

Font Sized(int points, unsigned style = 0) {
  Font f;
  f.SetSize(points);
  f.style = style;
  return f;
}

// A form with the aligner, a few controls and a folder row on a panel.
struct AlignerForm {
  std::unique_ptr<Form> form = std::make_unique<Form>(nullptr, "Form1");
  TAligner* aligner;
  Label* boldLabel;
  Label* parentFontLabel;
  Label* bigLabel;
  Edit* edit;
  Memo* memo;
  SpeedButton* folderButton;
  SpeedButton* captionButton;
  std::vector<std::string> calls;

  explicit AlignerForm(int formPoints, int editHeight = 21) {
    form->SetFont(Sized(formPoints));
    form->OnShow = [this] { calls.push_back("FormShow"); };
    aligner = Make<TAligner>(form.get(), "Aligner1");
    aligner->SetFont(Sized(8, fsBold));
    boldLabel = Make<Label>(form.get(), "Bold");
    boldLabel->SetFont(Sized(8, fsBold));
    parentFontLabel = Make<Label>(form.get(), "Parent");
    bigLabel = Make<Label>(form.get(), "Big");
    bigLabel->SetFont(Sized(12));
    Panel* row = Make<Panel>(form.get(), "Row");
    row->SetParent(form.get());
    edit = Make<Edit>(form.get(), "Edit");
    edit->SetParent(row);
    edit->SetFont(Sized(8));
    edit->SetBounds(0, 0, 100, editHeight);
    memo = Make<Memo>(form.get(), "Memo");
    memo->SetFont(Sized(8));
    memo->SetBounds(0, 0, 100, 80);
    folderButton = Make<SpeedButton>(form.get(), "sbDir");
    folderButton->SetParent(row);
    folderButton->SetBounds(100, 2, 17, 17);
    captionButton = Make<SpeedButton>(form.get(), "sbCaption");
    captionButton->SetParent(row);
    captionButton->SetCaption("...");
    captionButton->SetBounds(120, 2, 17, 17);
    aligner->Loaded();
  }
};

class AlignerTest : public ::testing::Test {
 protected:
  plat::headless::HeadlessPlatform platform;
};

}  // namespace

TEST_F(AlignerTest, AtTheDesignSizeNothingChangesAndFolderButtonsStaySquare) {
  AlignerForm f(8);
  platform.gui.ShowForm(*f.form);
  EXPECT_EQ(f.boldLabel->GetFont().Size(), 8);
  EXPECT_EQ(f.boldLabel->GetFont().style, fsBold);
  EXPECT_EQ(f.aligner->Height(), 13);
  EXPECT_EQ(TAligner::MaxEditHeight, 17);
  EXPECT_EQ(f.folderButton->Width(), 17);
  EXPECT_EQ(f.folderButton->Height(), 17);
  EXPECT_EQ(f.calls, std::vector<std::string>{"FormShow"});
}

TEST_F(AlignerTest, ALargerFormFontCarriesOnlyControlsDesignedAtTheAlignersSize) {
  AlignerForm f(10, 25);
  platform.gui.ShowForm(*f.form);
  EXPECT_EQ(f.boldLabel->GetFont().Size(), 10);
  EXPECT_EQ(f.boldLabel->GetFont().style, fsBold);  // style kept
  EXPECT_TRUE(f.parentFontLabel->ParentFont());     // never touched
  EXPECT_EQ(f.bigLabel->GetFont().Size(), 12);      // other design size: left alone
  EXPECT_EQ(f.edit->GetFont().Size(), 10);
  EXPECT_EQ(f.memo->GetFont().Size(), 8);  // a memo is not an edit
  EXPECT_EQ(TAligner::MaxEditHeight, 21);
  EXPECT_EQ(f.folderButton->Height(), 21);
  EXPECT_EQ(f.folderButton->Width(), 21);
  EXPECT_EQ(f.captionButton->Height(), 17);  // has a caption: not a folder button
}

TEST_F(AlignerTest, MaxEditHeightOnlyGrowsAcrossShowings) {
  AlignerForm tall(8, 25);
  platform.gui.ShowForm(*tall.form);
  EXPECT_EQ(TAligner::MaxEditHeight, 21);
  AlignerForm shorter(8, 21);
  platform.gui.ShowForm(*shorter.form);
  platform.gui.ShowForm(*shorter.form);  // the rules run again on every showing
  EXPECT_EQ(TAligner::MaxEditHeight, 21);
  EXPECT_EQ(shorter.folderButton->Height(), 21);
  EXPECT_EQ(shorter.calls.size(), 2u);
}

TEST_F(AlignerTest, WithoutEditsOrFolderButtonsTheButtonsStayAsTheyAre) {
  auto form = std::make_unique<Form>(nullptr, "Form1");
  form->SetFont(Sized(8));
  auto* aligner = Make<TAligner>(form.get(), "Aligner1");
  Panel* row = Make<Panel>(form.get(), "Row");
  auto* button = Make<SpeedButton>(form.get(), "sb");
  button->SetParent(row);
  button->SetBounds(0, 0, 30, 12);
  aligner->Loaded();
  platform.gui.ShowForm(*form);
  EXPECT_EQ(TAligner::MaxEditHeight, -1);
  EXPECT_EQ(button->Height(), 12);
  EXPECT_EQ(button->Width(), 30);
}

TEST_F(AlignerTest, AnAlignerNotOwnedByAFormChainsIntoNothing) {
  auto form = std::make_unique<Form>(nullptr, "Form1");
  Panel* panel = Make<Panel>(form.get(), "Panel");
  bool shown = false;
  form->OnShow = [&] { shown = true; };
  auto* aligner = Make<TAligner>(panel, "Aligner1");
  aligner->Loaded();
  platform.gui.ShowForm(*form);
  EXPECT_TRUE(shown);
  EXPECT_EQ(TAligner::MaxEditHeight, -1);
}

TEST(AdjustColor, WorkedExampleAndExtremes) {
  const Color face = Rgb(212, 208, 200);
  EXPECT_EQ(AdjustColor(face, 0), face);
  EXPECT_EQ(AdjustColor(face, -15), Rgb(180, 177, 170));
  EXPECT_EQ(AdjustColor(face, 40), Rgb(229, 227, 222));
  EXPECT_EQ(AdjustColor(Rgb(255, 255, 255), -15), Rgb(217, 217, 217));
  EXPECT_EQ(AdjustColor(Rgb(255, 255, 255), 40), Rgb(255, 255, 255));
  EXPECT_EQ(AdjustColor(Rgb(0, 0, 0), -15), Rgb(0, 0, 0));
  EXPECT_EQ(AdjustColor(Rgb(0, 0, 0), 40), Rgb(102, 102, 102));
  // Halves go to the even neighbour: 10 * 0.85 = 8.5 -> 8, 30 * 0.85 = 25.5 -> 26.
  EXPECT_EQ(AdjustColor(Rgb(10, 30, 0), -15), Rgb(8, 26, 0));
}

namespace {
plat::gui::Bitmap Tile(Color background, Color shade, Color light, Color other) {
  plat::gui::Bitmap b;
  b.width = 4;
  b.height = 8;
  b.pixels.assign(32, background);
  b.SetPixel(0, 7, shade);
  b.SetPixel(0, 4, light);
  b.SetPixel(3, 3, other);
  b.SetPixel(2, 6, shade);
  b.SetPixel(1, 1, light);
  return b;
}
}  // namespace

TEST(Recolor, KeyColoursBecomeShadesOfTheButtonFace) {
  plat::headless::HeadlessPlatform platform;
  platform.gui.buttonFace = Rgb(212, 208, 200);
  const Color grey = Rgb(160, 160, 164), dark = Rgb(64, 64, 64), white = Rgb(250, 250, 250);
  const Color stray = Rgb(1, 2, 3);
  auto b = Tile(grey, dark, white, stray);
  ui::RecolorPatternToFace(b);
  EXPECT_EQ(b.bitsPerPixel, 8);
  ASSERT_EQ(b.palette.size(), 256u);
  EXPECT_EQ(b.palette[1], Rgb(180, 177, 170));
  EXPECT_EQ(b.palette[255], Rgb(192, 192, 192));
  EXPECT_EQ(b.Pixel(0, 0), Rgb(212, 208, 200));
  EXPECT_EQ(b.Pixel(2, 6), Rgb(180, 177, 170));
  EXPECT_EQ(b.Pixel(1, 1), Rgb(229, 227, 222));
  EXPECT_EQ(b.Pixel(3, 3), stray);
}

TEST(Recolor, APatternAlreadyInTheFaceColourIsLeftUntouched) {
  plat::headless::HeadlessPlatform platform;
  platform.gui.buttonFace = Rgb(160, 160, 164);
  auto b = Tile(Rgb(160, 160, 164), Rgb(64, 64, 64), Rgb(250, 250, 250), Rgb(1, 2, 3));
  const auto before = b.pixels;
  ui::RecolorPatternToFace(b);
  EXPECT_EQ(b.bitsPerPixel, 24);
  EXPECT_EQ(b.pixels, before);
}

TEST(Recolor, EqualKeysResolveInTheOrderBackgroundShadeLight) {
  plat::headless::HeadlessPlatform platform;
  platform.gui.buttonFace = Rgb(212, 208, 200);
  const Color same = Rgb(64, 64, 64);
  auto b = Tile(Rgb(160, 160, 164), same, same, Rgb(1, 2, 3));
  ui::RecolorPatternToFace(b);
  EXPECT_EQ(b.Pixel(0, 4), Rgb(180, 177, 170));  // the shade rule won over the light one
}
