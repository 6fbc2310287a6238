#include "wizard/instalator_form.h"

#include "engine/bundle.h"
#include "engine/mastering.h"
#include "engine/medium_kind.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "platform/text.h"
#include "system/paths.h"
#include "ui/recolor.h"
#include "wizard/licence.h"

namespace wizard {

using namespace plat::gui;

TInstalatorForm::TInstalatorForm(Component* owner, std::string name,
                                 std::vector<std::string> masteringArgs)
    : Form(owner, std::move(name)), masteringArgs_(std::move(masteringArgs)) {
  BuildFrame();
  BuildPages();
  BitBtn1->OnClick = [this] { BitBtn1Click(); };
  BitBtn2->OnClick = [this] { BitBtn2Click(); };
  BitBtn3->OnClick = [this] { Close(); };
  BitBtn4->OnClick = [this] { FinishActions(); };
  Edit4->OnChange = [this] { Edit4Change(); };
  SpeedButton2->OnClick = [this] { SpeedButton2Click(); };
  for (SpeedButton* button : {sbDir0, sbDir1, sbDir3})
    button->OnClick = [this, button] { sbDirClick(button); };
  CheckBox1->OnClick = [this] { CheckBox1Click(); };
  OnCloseQuery = [this] { return FormCloseQuery(); };
  OnShow = [this] { FormShow(); };
  FormCreate();
  Aligner1->Loaded();
}

void TInstalatorForm::FormCreate() {
  auto& gui = plat::Current().Ui();
  for (Image* image : {Image9, Image4, Image10, Image11, Image5, Image6}) {
    image->iconResource = "ICON_1";
    image->PictureChanged();
  }
  // The background: the tile recoloured to the user's button face, repeated over the form.
  if (gui.LoadBitmapResource("PATTERN", Image8->picture) && Image8->picture.width > 0) {
    ui::RecolorPatternToFace(Image8->picture);
    const Bitmap& tile = Image8->picture;
    Bitmap& back = Image7->picture;
    back.width = ClientWidth();
    back.height = ClientHeight();
    back.pixels.resize(static_cast<size_t>(back.width) * back.height);
    for (int y = 0; y < back.height; ++y)
      for (int x = 0; x < back.width; ++x)
        back.SetPixel(x, y, tile.Pixel(x % tile.width, y % tile.height));
    Image7->PictureChanged();
  }
  gui.LoadBitmapResource("SIDE", Image2->picture);
  Image2->PictureChanged();
  lExtVersionSh->SetCaption(lExtVersion->Caption());
}

void TInstalatorForm::FormShow() {
  if (!masteringArgs_.empty()) {
    // The mastering mode writes a medium instead of installing; no page is ever shown.
    const bool bundle = plat::InvariantUpper(masteringArgs_[0]) == "BUNDLE";
    const int code = bundle ? engine::BundleMedium(plat::Current(), masteringArgs_)
                            : engine::MasterMedium(plat::Current(), masteringArgs_);
    Outcome = code == 0 ? engine::RunOutcome::Installed : engine::RunOutcome::MasteringFailed;
    CloseWithoutAsking = true;
    plat::Current().Ui().Terminate();
    return;
  }
  CurrentStep = -1;
  ShowStep(1);
  auto& files = plat::Current().Files();
  const std::string self = files.ModulePath();
  SourceDir = sys::AddBackslash(self.substr(0, self.rfind('\\') + 1));
  Medium = engine::ReadMediumKind(files, SourceDir);
  PrepareProductList(true);
  LoadAgreementText();
}

void TInstalatorForm::LoadAgreementText() {
  MemoLicSh->SetLines(AgreementLines(Medium.agreement));
}

void TInstalatorForm::ShowStep(int n) {
  if (n == CurrentStep) return;
  switch (n) {
    case 1:
      SetButtons(Step1, false, CheckBox1->Checked(), true, false);
      break;
    case 3:
      PrepareProductList(false);
      SetButtons(Step3, true, true, true, false);
      break;
    case 4:
      PrepareFolderPage();
      SetButtons(Step4, true, true, true, false);
      break;
    case 5:
      PrepareOptionsPage();
      SetButtons(Step5, true, true, true, false);
      break;
    case 6:
      BuildSummary();
      SetButtons(Step6, true, true, true, false);
      plat::Current().Ui().Focus(*BitBtn2);
      break;
    case 7:
      SetButtons(Step7, false, false, false, false);
      break;
    case 8:
      PrepareFinishPage();
      SetButtons(Step8, false, false, false, true);
      plat::Current().Ui().Focus(*BitBtn4);
      break;
    default:
      return;
  }
  CurrentStep = n;
}

void TInstalatorForm::SetButtons(TabSheet* sheet, bool back, bool next, bool abort, bool finish) {
  for (TabSheet* page : PageControl1->Pages()) page->SetVisible(page == sheet);
  PageControl1->SetActivePage(sheet);
  BitBtn1->SetEnabled(back);
  BitBtn2->SetEnabled(next);
  BitBtn3->SetEnabled(abort);
  BitBtn4->SetEnabled(finish);
  BitBtn2->SetDefault(next);
  BitBtn4->SetDefault(finish);
}

void TInstalatorForm::BitBtn2Click() {
  switch (CurrentStep) {
    case 1:
      ShowStep(3);
      break;
    case 3:
      CheckProductSelection();
      break;
    case 4:
      CheckFolders();
      break;
    case 5:
      ShowStep(6);
      break;
    case 6:
      RunInstallation();
      break;
    default:
      break;
  }
}

void TInstalatorForm::BitBtn1Click() {
  switch (CurrentStep) {
    case 3:
      ShowStep(1);
      break;
    case 4:
      ShowStep(3);
      break;
    case 5:
      ShowStep(4);
      break;
    case 6:
      ShowStep(5);
      break;
    default:
      break;
  }
}

void TInstalatorForm::CheckBox1Click() {
  BitBtn2->SetEnabled(CheckBox1->Checked());
  if (BitBtn2->Enabled()) BitBtn2->SetDefault(true);
}

bool TInstalatorForm::FormCloseQuery() {
  if (CurrentStep == 8 || CloseWithoutAsking) return true;
  const bool close =
      plat::MessageDlg("Przerwać proces instalacji ?", plat::DlgType::Confirmation,
                       {plat::DlgButton::Yes, plat::DlgButton::No}) == plat::ModalResult::Yes;
  // Confirmed while files are copied: the run notices at the next file boundary.
  if (close && CurrentStep == 7) Stop.Request();
  return close;
}

}  // namespace wizard
