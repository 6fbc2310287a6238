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

template <typename T>
T* Sized(Component* owner, const char* name, int points, unsigned style = 0) {
  T* control = Make<T>(owner, name);
  Font f;
  f.SetSize(points);
  f.style = style;
  control->SetFont(f);
  return control;
}

// A form in `formPoints` with controls designed at the aligner's 8 points (a bold label, an edit
// of `editHeight`, a memo), a 12-point label, and on a panel a folder button and a captioned one.
std::string ShowForm(plat::headless::HeadlessPlatform& platform, int formPoints, int editHeight) {
  Form form(nullptr, "Form1");
  Font f;
  f.SetSize(formPoints);
  form.SetFont(f);
  int shows = 0;
  form.OnShow = [&] { ++shows; };
  auto* aligner = Sized<TAligner>(&form, "Aligner1", 8, fsBold);
  auto* bold = Sized<Label>(&form, "Bold", 8, fsBold);
  auto* parentFont = Make<Label>(&form, "Parent");
  auto* big = Sized<Label>(&form, "Big", 12);
  Panel* row = Make<Panel>(&form, "Row");
  row->SetParent(&form);
  auto* edit = Sized<Edit>(&form, "Edit", 8);
  edit->SetParent(row);
  edit->SetBounds(0, 0, 100, editHeight);
  auto* memo = Sized<Memo>(&form, "Memo", 8);  // a memo is not an edit
  auto* folder = Make<SpeedButton>(&form, "sbDir");
  folder->SetParent(row);
  folder->SetBounds(100, 2, 17, 17);
  auto* captioned = Make<SpeedButton>(&form, "sbCaption");
  captioned->SetParent(row);
  captioned->SetCaption("...");
  captioned->SetBounds(120, 2, 17, 17);
  aligner->Loaded();
  platform.gui.ShowForm(form);
  EXPECT_TRUE(shows == 1 && parentFont->ParentFont() && bold->GetFont().style == fsBold);
  std::string seen;
  for (int v : {bold->GetFont().Size(), big->GetFont().Size(), edit->GetFont().Size(),
                memo->GetFont().Size(), aligner->Height(), folder->Width(), folder->Height(),
                captioned->Height(), TAligner::MaxEditHeight})
    seen += std::to_string(v) + " ";
  return seen;
}

}  // namespace

TEST(Aligner, ControlsDesignedAtItsSizeFollowTheFormAndFolderButtonsMatchTheTallestEdit) {
  plat::headless::HeadlessPlatform platform;
  // bold label, 12-point label, edit, memo, aligner height, folder button, captioned, max edit
  EXPECT_EQ(ShowForm(platform, 8, 21), "8 12 8 8 13 17 17 17 17 ");
  TAligner::MaxEditHeight = -1;
  EXPECT_EQ(ShowForm(platform, 10, 25), "10 12 10 8 16 21 21 17 21 ");
  EXPECT_EQ(ShowForm(platform, 8, 21), "8 12 8 8 13 21 21 17 21 ");  // the height only grows
}

TEST(Recolor, KeyColoursBecomeShadesOfTheButtonFace) {
  const Color face = Rgb(212, 208, 200);
  EXPECT_EQ(AdjustColor(Rgb(0, 0, 0), 40), Rgb(102, 102, 102));
  EXPECT_EQ(AdjustColor(Rgb(10, 30, 0), -15), Rgb(8, 26, 0));  // halves to even: 8.5, 25.5
  plat::headless::HeadlessPlatform platform;
  platform.gui.buttonFace = face;
  const Color grey = Rgb(160, 160, 164), dark = Rgb(64, 64, 64), stray = Rgb(1, 2, 3);
  // Background (0,0), shade (0,7) and light (0,4) are keys; the shade wins if the light matches.
  auto tile = [&](Color light) {
    plat::gui::Bitmap b;
    b.width = 4;
    b.height = 8;
    b.pixels.assign(32, grey);
    for (auto [x, y, color] :
         {std::tuple{0, 7, dark}, {2, 6, dark}, {0, 4, light}, {1, 1, light}, {3, 3, stray}})
      b.SetPixel(x, y, color);
    return b;
  };
  for (const Color light : {Rgb(250, 250, 250), dark}) {
    auto b = tile(light);
    ui::RecolorPatternToFace(b);
    ASSERT_EQ(b.palette.size(), 256u);
    const Color lit = light == dark ? Rgb(180, 177, 170) : Rgb(229, 227, 222);
    EXPECT_EQ(std::vector<Color>({Color(b.bitsPerPixel), b.palette[1], b.palette[255],
                                  b.Pixel(0, 0), b.Pixel(2, 6), b.Pixel(1, 1), b.Pixel(3, 3)}),
              std::vector<Color>({8, Rgb(180, 177, 170), Rgb(192, 192, 192), face,
                                  Rgb(180, 177, 170), lit, stray}));
  }
  platform.gui.buttonFace = grey;  // a pattern already in the face colour is left untouched
  auto b = tile(Rgb(250, 250, 250));
  const auto before = b.pixels;
  ui::RecolorPatternToFace(b);
  EXPECT_TRUE(b.bitsPerPixel == 24 && b.pixels == before);
}
