#pragma once
// The installer's one working window: a fixed dialog with a picture panel on the left, a page
// area on the right and four buttons, around a page control whose pages only the program
// switches. All choices of an installation live in its controls.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "engine/installation.h"
#include "platform/gui.h"
#include "system/questions.h"
#include "ui/aligner.h"

namespace wizard {

class TInstalatorForm : public plat::gui::Form, public engine::InstallView {
 public:
  // `masteringArgs`: the command-line words when they master a medium ("DISC" first) or make a
  // setup file of one ("BUNDLE" first), which
  // the form does instead of showing any page; empty for the installation wizard.
  TInstalatorForm(plat::gui::Component* owner, std::string name,
                  std::vector<std::string> masteringArgs);

  int CurrentStep = -1;
  std::string SourceDir;
  engine::MediumKind Medium;
  // Requested when the user confirms closing the wizard while files are copied.
  engine::StopRequest Stop;
  // The folders of the last run, for the finish page.
  engine::Folders TargetDirs;
  // The Start-menu group, which no page offers (/NOICONS).
  bool ProgramGroup = true;
  // The choices the installation ran with, once it started (for /SAVEINF).
  std::optional<engine::InstallChoices> RanWith;
  // What the run asks and reports, and where the wizard's own log lines go; the program's start
  // sets it before the form is shown.
  sys::Questions* Asked = nullptr;
  // What the wizard ends with: cancelled until a run or the mastering says otherwise.
  engine::RunOutcome Outcome = engine::RunOutcome::Aborted;
  // Set when the program closes the wizard itself (after a run, after mastering), so that it
  // closes without asking "Przerwać proces instalacji ?".
  bool CloseWithoutAsking = false;

  void ShowStep(int n);
  void SetButtons(plat::gui::TabSheet* sheet, bool back, bool next, bool abort, bool finish);

  // The pages' preparations, checks and handlers.
  void PrepareProductList(bool initial);
  bool CheckProductSelection();
  void PrepareFolderPage();
  void Edit4Change();
  void SpeedButton2Click();
  void sbDirClick(plat::gui::Control* sender);
  void BrowseProductFolder(const std::string& title, plat::gui::Edit* edit);
  bool CheckFolders();
  void PrepareOptionsPage();
  void BuildSummary();
  void PrepareFinishPage();
  void FinishActions();
  // The user's choices as the controls hold them.
  engine::InstallChoices Choices() const;
  void ShowFolderTexts(const engine::FolderTexts& folders);
  std::array<plat::gui::CheckBox*, engine::kOptionCount> OptionBoxes() const;
  void RunInstallation();

  // What the run shows, on the progress and finish pages.
  void ShowInfo(const std::string& text) override;
  void ShowProgressPage() override { ShowStep(7); }
  void SetAnimation(bool running) override;
  void ShowProgress(int percent) override { ProgressBar1->SetPosition(percent); }
  void ShowFinishPage() override { ShowStep(8); }

  // The frame.
  plat::gui::Image *Image7, *Image8, *Image2;
  plat::gui::Panel* PicBack;
  plat::gui::Label *Label8, *lExtVersionSh, *lExtVersion;
  plat::gui::Bevel *Bevel3, *Bevel1;
  plat::gui::PageControl* PageControl1;
  plat::gui::TabSheet *Step1, *Step3, *Step4, *Step5, *Step6, *Step7, *Step8;
  plat::gui::BitBtn *BitBtn1, *BitBtn2, *BitBtn3, *BitBtn4;
  ui::TAligner* Aligner1;
  // Page images filled with "ICON_1".
  plat::gui::Image *Image9, *Image4, *Image10, *Image11, *Image5, *Image6;
  // Step1: the licence agreement.
  plat::gui::Label *Label1, *Label2, *Label3;
  plat::gui::Memo* MemoLicSh;
  plat::gui::CheckBox* CheckBox1;
  // Step3: the products.
  plat::gui::Label* Label18;
  plat::gui::CheckListBox* CheckListBox1;
  // Step4: the folders.
  plat::gui::Label *Label9, *Label21, *lbName0, *lbName1, *lbName3;
  plat::gui::Edit *Edit4, *edPath0, *edPath1, *edPath3;
  plat::gui::SpeedButton *SpeedButton2, *sbDir0, *sbDir1, *sbDir3;
  plat::gui::Bevel* Bevel4;
  // Step5: the options.
  plat::gui::Label* Label19;
  plat::gui::CheckBox *cbShortcutVortel, *cbShortcutFTPcli, *cbFTPsrvAutostart;
  // Step6: the summary.
  plat::gui::Label* Label20;
  plat::gui::Memo* Memo1;
  // Step7: copying.
  plat::gui::Label *Label10, *Info;
  plat::gui::Animate* Animate1;
  plat::gui::ProgressBar* ProgressBar1;
  // Step8: finished.
  plat::gui::Label *Label11, *Label12;
  plat::gui::CheckBox *CheckBox5, *CheckBox2, *CheckBox3;

 private:
  void BuildFrame();
  void BuildPages();
  void FormCreate();
  void FormShow();
  bool FormCloseQuery();
  void BitBtn1Click();
  void BitBtn2Click();
  void CheckBox1Click();
  void LoadAgreementText();

  std::vector<std::string> masteringArgs_;
};

}  // namespace wizard
