// The wizard's components, placed as the form was designed.
#include <utility>

#include "engine/choices.h"
#include "wizard/instalator_form.h"

namespace wizard {

using namespace plat::gui;

namespace {

Font FormFont() {
  Font f;
  f.name = "MS Sans Serif";
  f.height = -11;
  f.charset = kEastEuropeCharset;
  return f;
}

// The side panel's own lettering, in fonts of the east-European character set.
Font Styled(const char* name, int height, unsigned style, Color color) {
  Font f;
  f.name = name;
  f.height = height;
  f.style = style;
  f.color = color;
  f.charset = kEastEuropeCharset;
  return f;
}

Font Bold(Font f = FormFont()) {
  f.style |= fsBold;
  return f;
}

template <class T>
T* Place(Form* form, WinControl* parent, const char* name, int left, int top, int width,
         int height) {
  T* control = Make<T>(form, name);
  control->SetParent(parent);
  control->SetBounds(left, top, width, height);
  return control;
}

Label* AddLabel(Form* form, WinControl* parent, const char* name, const std::string& caption,
                int left, int top, const Font* font = nullptr) {
  Label* label = Place<Label>(form, parent, name, left, top, 0, 13);
  label->SetCaption(caption);
  label->SetTransparent(true);
  if (font) label->SetFont(*font);
  return label;
}

CheckBox* AddCheckBox(Form* form, WinControl* parent, const char* name, const std::string& caption,
                      int top, bool checked) {
  CheckBox* box = Place<CheckBox>(form, parent, name, 8, top, 345, 17);
  box->SetCaption(caption);
  box->SetChecked(checked);
  return box;
}

Image* AddPageIcon(Form* form, TabSheet* page, const char* name) {
  Image* image = Place<Image>(form, page, name, 304, 16, 41, 41);
  image->center = true;
  image->transparent = true;
  return image;
}

BitBtn* AddButton(Form* form, const char* name, const char* caption, int left) {
  BitBtn* button = Place<BitBtn>(form, form, name, left, 339, 75, 25);
  button->SetCaption(caption);
  return button;
}

// A folder row: the edit box with its small browse button at the right end, grouped on a
// bevel-less panel.
void AddFolderRow(Form* form, WinControl* parent, const char* panelName, int left, int top,
                  int width, const char* editName, Edit*& edit, const char* buttonName,
                  SpeedButton*& button) {
  Panel* row = Place<Panel>(form, parent, panelName, left, top, width, 21);
  row->bevel = false;
  edit = Place<Edit>(form, row, editName, 0, 0, width - 19, 21);
  button = Place<SpeedButton>(form, row, buttonName, width - 17, 2, 17, 17);
}

}  // namespace

void TInstalatorForm::BuildFrame() {
  SetCaption("Norvik-Soft - Instalator oprogramowania Vortel PRO");
  SetClientSize(518, 378);
  SetFont(FormFont());
  SetParentFont(false);
  borderStyle = BorderStyle::Single;
  centered = true;
  iconResource = "MAINICON";

  Image7 = Place<Image>(this, this, "Image7", 0, 0, 518, 378);
  Image8 = Place<Image>(this, this, "Image8", 0, 0, 105, 105);
  Image8->SetVisible(false);
  PicBack = Place<Panel>(this, this, "PicBack", 8, 8, 120, 363);
  Image2 = Place<Image>(this, PicBack, "Image2", 1, 1, 118, 361);
  Image2->stretch = true;
  const Font times = Styled("Times New Roman CE", -24, fsBold, clBlack);
  Label8 = AddLabel(this, PicBack, "Label8", "Norvik-Soft", 38, 47, &times);
  const Font shadow = Styled("Arial", -19, fsBold, clNavy);
  lExtVersionSh = AddLabel(this, PicBack, "lExtVersionSh", "pro", 17, 245, &shadow);
  const Font arial = Styled("Arial", -19, fsBold, clMaroon);
  lExtVersion = AddLabel(this, PicBack, "lExtVersion", "pro", 15, 243, &arial);

  Bevel3 = Place<Bevel>(this, this, "Bevel3", 139, 8, 371, 315);
  PageControl1 = Place<PageControl>(this, this, "PageControl1", 140, 9, 369, 313);
  Bevel1 = Place<Bevel>(this, this, "Bevel1", 139, 320, 371, 9);
  Bevel1->shape = BevelShape::BottomLine;

  BitBtn1 = AddButton(this, "BitBtn1", "&Cofnij", 144);
  BitBtn1->SetEnabled(false);
  BitBtn1->glyphResource = "GLYPH_BACK";
  BitBtn1->layout = GlyphLayout::Left;
  BitBtn2 = AddButton(this, "BitBtn2", "&Dalej", 232);
  BitBtn2->SetEnabled(false);
  BitBtn2->SetDefault(true);
  BitBtn2->glyphResource = "GLYPH_NEXT";
  BitBtn2->layout = GlyphLayout::Right;
  BitBtn3 = AddButton(this, "BitBtn3", "&Przerwij", 341);
  BitBtn4 = AddButton(this, "BitBtn4", "&Zakończ", 429);
  BitBtn4->SetEnabled(false);

  Aligner1 = Make<ui::TAligner>(this, "Aligner1");
  Aligner1->SetParent(this);
  Aligner1->SetBounds(296, 0, 55, 13);
}

void TInstalatorForm::BuildPages() {
  auto page = [this](const char* name) {
    TabSheet* sheet = Place<TabSheet>(this, PageControl1, name, 4, 4, 361, 305);
    sheet->SetVisible(false);
    return sheet;
  };
  Step1 = page("Step1");
  Step3 = page("Step3");
  Step4 = page("Step4");
  Step5 = page("Step5");
  Step6 = page("Step6");
  Step7 = page("Step7");
  Step8 = page("Step8");
  const Font bold = Bold();
  Font navy = FormFont();
  navy.color = clNavy;

  Label1 = AddLabel(this, Step1, "Label1",
                    "Firma \"Norvik-Soft\" dziękuje Państwu za okazane nam zaufanie\r\n"
                    "i wybór naszego produktu.",
                    8, 8, &bold);
  Label2 = AddLabel(this, Step1, "Label2",
                    "Prosimy zapoznać się z licencją zezwalającą na legalne\r\n"
                    "i zgodne z prawem użytkowanie tego oprogramowania.",
                    8, 44, &bold);
  Label3 = AddLabel(this, Step1, "Label3", "Umowa licencyjna", 8, 80, &navy);
  MemoLicSh = Place<Memo>(this, Step1, "MemoLicSh", 8, 96, 345, 172);
  MemoLicSh->SetReadOnly(true);
  MemoLicSh->verticalScrollBar = true;
  MemoLicSh->wordWrap = true;
  MemoLicSh->SetColor(clWindow);
  CheckBox1 = AddCheckBox(this, Step1, "CheckBox1",
                          "Zgadzam się z warunkami użytkowania oprogramowania", 278, false);
  CheckBox1->SetFont(bold);

  Image9 = AddPageIcon(this, Step3, "Image9");
  Label18 = AddLabel(this, Step3, "Label18",
                     "Proszę wybrać produkty, które mają zostać\r\nzainstalowane.", 8, 16, &bold);
  CheckListBox1 = Place<CheckListBox>(this, Step3, "CheckListBox1", 8, 72, 345, 76);
  CheckListBox1->SetItems(
      {"Emulator terminala Vortel", "Klient FTP", "Wsadowy klient FTP", "Serwer FTP"});

  Image4 = AddPageIcon(this, Step4, "Image4");
  Label9 = AddLabel(this, Step4, "Label9",
                    "Proszę wybrać katalogi, w których ma zostać \r\n"
                    "zainstalowane oprogramowanie.",
                    8, 16, &bold);
  Label21 = AddLabel(this, Step4, "Label21", "Katalog docelowy", 8, 64);
  AddFolderRow(this, Step4, "Panel1", 8, 80, 345, "Edit4", Edit4, "SpeedButton2", SpeedButton2);
  Bevel4 = Place<Bevel>(this, Step4, "Bevel4", 8, 112, 345, 156);
  lbName0 = AddLabel(this, Step4, "lbName0", "Emulator terminala Vortel", 16, 120);
  AddFolderRow(this, Step4, "Panel2", 16, 136, 329, "edPath0", edPath0, "sbDir0", sbDir0);
  lbName1 = AddLabel(this, Step4, "lbName1", "Klient FTP", 16, 168);
  AddFolderRow(this, Step4, "Panel3", 16, 184, 329, "edPath1", edPath1, "sbDir1", sbDir1);
  lbName3 = AddLabel(this, Step4, "lbName3", "Serwer FTP", 16, 216);
  AddFolderRow(this, Step4, "Panel4", 16, 232, 329, "edPath3", edPath3, "sbDir3", sbDir3);

  Image10 = AddPageIcon(this, Step5, "Image10");
  Label19 = AddLabel(this, Step5, "Label19", "Proszę zaznaczyć pożądane opcje.", 8, 16, &bold);
  cbShortcutVortel =
      AddCheckBox(this, Step5, "cbShortcutVortel", "Utwórz skrót na pulpit do emulatora terminala",
                  72, engine::Options[0].defaultTicked);
  cbShortcutFTPcli =
      AddCheckBox(this, Step5, "cbShortcutFTPcli", "Utwórz skrót na pulpit do klienta FTP", 96,
                  engine::Options[1].defaultTicked);
  cbFTPsrvAutostart = AddCheckBox(this, Step5, "cbFTPsrvAutostart",
                                  "Automatycznie uruchamiaj serwer FTP przy starcie Windows", 120,
                                  engine::Options[2].defaultTicked);

  Image11 = AddPageIcon(this, Step6, "Image11");
  Label20 =
      AddLabel(this, Step6, "Label20",
               "Na tym komputerze zostaną zainstalowane \r\nnastępujące składniki:", 8, 16, &bold);
  Memo1 = Place<Memo>(this, Step6, "Memo1", 8, 72, 345, 224);
  Memo1->SetReadOnly(true);
  Memo1->wordWrap = false;
  Memo1->verticalScrollBar = true;
  Memo1->SetColor(clBtnFace);

  Image5 = AddPageIcon(this, Step7, "Image5");
  Label10 =
      AddLabel(this, Step7, "Label10", "Trwa kopiowanie plików.\r\nProszę czekać...", 8, 16, &bold);
  Animate1 = Place<Animate>(this, Step7, "Animate1", 44, 100, 272, 60);
  Animate1->stopFrame = 34;
  Info = AddLabel(this, Step7, "Info", "Kopiowanie....", 8, 184);
  Info->SetAutoSize(false);
  Info->SetWidth(345);
  Info->SetAlignment(Alignment::Center);
  ProgressBar1 = Place<ProgressBar>(this, Step7, "ProgressBar1", 8, 208, 345, 16);

  Image6 = AddPageIcon(this, Step8, "Image6");
  Label11 = AddLabel(this, Step8, "Label11", "Instalacja zakończona", 8, 16, &bold);
  Label12 = AddLabel(this, Step8, "Label12", "Instalacja została zakończona sukcesem.", 8, 48);
  CheckBox5 = AddCheckBox(this, Step8, "CheckBox5",
                          "Pokaż najnowsze informacje o zainstalowanych produktach", 96, false);
  CheckBox2 = AddCheckBox(this, Step8, "CheckBox2", "Uruchom emulator Vortel", 120, false);
  CheckBox3 = AddCheckBox(this, Step8, "CheckBox3", "Uruchom klienta FTP", 144, false);

  const std::pair<Label*, WinControl*> named[] = {
      {Label3, MemoLicSh}, {Label18, CheckListBox1}, {Label21, Edit4}, {lbName0, edPath0},
      {lbName1, edPath1},  {lbName3, edPath3},       {Label20, Memo1}, {Label10, ProgressBar1}};
  for (const auto& [label, control] : named) label->focusControl = control;
}

}  // namespace wizard
