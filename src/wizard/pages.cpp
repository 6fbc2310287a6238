// The pages between the licence and the copying: products, folders, options, summary, finish.
#include <tuple>

#include "engine/catalogue.h"
#include "engine/choices.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "system/paths.h"
#include "wizard/instalator_form.h"

namespace wizard {

using namespace plat::gui;
using plat::DlgButton;
using plat::DlgType;

namespace {

// Which way the finish page started a program or opened the notes, always as the signed-in
// user: through the shell, or with the shell process's token; without a shell, not at all.
void LogLaunch(sys::RunLog& log, plat::Launch how, const std::string& what) {
  switch (how) {
    case plat::Launch::ByUserShell:
      log.Note("Uruchomiono przez powłokę użytkownika: " + what);
      break;
    case plat::Launch::WithShellToken:
      log.Note("Uruchomiono z uprawnieniami powłoki użytkownika: " + what);
      break;
    case plat::Launch::NoUserShell:
      log.Note(
          "Nie uruchomiono (brak powłoki użytkownika; instalator nie uruchamia programów jako "
          "administrator): " +
          what);
      break;
    case plat::Launch::Failed:
      log.Note("Nie udało się uruchomić: " + what, true);
      break;
  }
}

}  // namespace

void TInstalatorForm::PrepareProductList(bool initial) {
  const engine::ProductChoice offered = engine::OfferedProducts(Medium);
  for (int i = 0; i < engine::kProductCount; ++i) {
    CheckListBox1->SetItemEnabled(i, offered[i]);
    if (initial || !offered[i]) CheckListBox1->SetChecked(i, offered[i]);
  }
  for (int i = 0; i < engine::kProductCount; ++i)
    CheckListBox1->SetItemCaption(i, engine::Products[i].caption);
  CheckListBox1->SetItemIndex(0);
  CheckListBox1->ClearSelection();
}

bool TInstalatorForm::CheckProductSelection() {
  const engine::ProductChoice chosen = Choices().products;
  if (!engine::AnyProduct(chosen)) {
    plat::MessageDlg("Proszę wybrać instalowane produkty.", DlgType::Error, {DlgButton::OK});
    return false;
  }
  CheckBox2->SetEnabled(chosen[engine::kVortel]);
  CheckBox2->SetChecked(CheckBox2->Enabled());
  CheckBox3->SetEnabled(chosen[engine::kFtpClient]);
  CheckBox3->SetChecked(CheckBox3->Enabled());
  ShowStep(4);
  return true;
}

void TInstalatorForm::ShowFolderTexts(const engine::FolderTexts& folders) {
  Edit4->SetText(folders.mainFolder);
  Edit* const edits[] = {edPath0, edPath1, edPath3};
  for (int slot = 1; slot <= 3; ++slot) edits[slot - 1]->SetText(folders.*engine::SlotTexts[slot]);
}

void TInstalatorForm::PrepareFolderPage() {
  ShowFolderTexts(engine::ProposedFolders(plat::Current()));
  const engine::ProductChoice chosen = Choices().products;
  const std::tuple<Label*, Edit*, SpeedButton*> rows[] = {
      {lbName0, edPath0, sbDir0}, {lbName1, edPath1, sbDir1}, {lbName3, edPath3, sbDir3}};
  for (int slot = 1; slot <= 3; ++slot) {
    const bool inUse = engine::SlotInUse(slot, chosen);
    std::get<0>(rows[slot - 1])->SetEnabled(inUse);
    std::get<1>(rows[slot - 1])->SetEnabled(inUse);
    std::get<2>(rows[slot - 1])->SetEnabled(inUse);
  }
}

void TInstalatorForm::Edit4Change() {
  engine::InstallChoices choices = Choices();
  engine::ApplyMainFolder(plat::Current(), choices.folders, Edit4->Text(), choices.products);
  ShowFolderTexts(choices.folders);
}

void TInstalatorForm::SpeedButton2Click() {
  const std::string folder =
      sys::BrowseForFolder(plat::Current().ShellApi(),
                           "Wybierz katalog, w którym bądą zainstalowane wybrane elementy.", "");
  if (!folder.empty()) Edit4->SetText(folder);
}

void TInstalatorForm::sbDirClick(Control* sender) {
  if (sender == sbDir0)
    BrowseProductFolder(
        "Wybierz podkatalog, w którym bądzie zainstalowany emulator terminala Vortel.", edPath0);
  else if (sender == sbDir1)
    BrowseProductFolder("Wybierz podkatalog, w którym bądzie zainstalowany klient FTP.", edPath1);
  else if (sender == sbDir3)
    BrowseProductFolder("Wybierz podkatalog, w którym bądzie zainstalowany serwer FTP.", edPath3);
}

void TInstalatorForm::BrowseProductFolder(const std::string& title, Edit* edit) {
  auto& platform = plat::Current();
  const std::string folder = sys::BrowseForFolder(platform.ShellApi(), title, "");
  if (folder.empty()) return;
  edit->SetText(sys::MakeRelativeTo(platform.Texts(), Edit4->Text(), folder));
}

bool TInstalatorForm::CheckFolders() {
  const std::string folder = engine::TrimmedMainFolder(Edit4->Text());
  Edit4->SetText(folder);
  const engine::InstallChoices choices = Choices();
  if (const auto refused =
          engine::RefusedFolder(plat::Current().Files(), choices.folders, choices.products)) {
    plat::MessageDlg(
        engine::RefusedFolderText(*refused) + "\rProszę podać pełną ścieżkę katalogu docelowego.",
        DlgType::Error, {DlgButton::OK});
    return false;
  }
  const std::string question =
      "Katalog \"" + folder + "\"" +
      (sys::DirectoryExists(plat::Current().Files(), sys::AddBackslash(folder))
           ? " już istnieje.\rKontynuować instalację?"
           : " nie istnieje.\rUtworzyć ?");
  if (plat::MessageDlg(question, DlgType::Warning, {DlgButton::Yes, DlgButton::No}) !=
      plat::ModalResult::Yes)
    return false;
  ShowStep(5);
  return true;
}

void TInstalatorForm::PrepareOptionsPage() {
  engine::InstallChoices choices = Choices();
  engine::DropUnofferedOptions(choices);
  for (int i = 0; i < engine::kOptionCount; ++i) {
    OptionBoxes()[i]->SetEnabled(engine::OptionOffered(i, choices.products));
    OptionBoxes()[i]->SetChecked(choices.options[i]);
  }
}

void TInstalatorForm::BuildSummary() {
  const engine::InstallChoices choices = Choices();
  const std::string indent = "    ";
  std::vector<std::string> lines{"Instalowane elementy:"};
  for (int i = 0; i < engine::kProductCount; ++i)
    if (choices.products[i]) lines.push_back(indent + CheckListBox1->Items()[i].caption);
  lines.push_back("");
  lines.push_back("Folder docelowy:");
  lines.push_back(indent + choices.folders.mainFolder);
  const Label* const names[] = {lbName0, lbName1, lbName3};
  for (int slot = 1; slot <= 3; ++slot) {
    if (!engine::SlotInUse(slot, choices.products)) continue;
    lines.push_back(names[slot - 1]->Caption());
    lines.push_back(indent + choices.folders.*engine::SlotTexts[slot]);
  }
  lines.push_back("");
  bool anyOption = false;
  for (bool option : choices.options) anyOption = anyOption || option;
  if (anyOption) {
    lines.push_back("Opcje dodatkowe:");
    for (int i = 0; i < engine::kOptionCount; ++i)
      if (choices.options[i]) lines.push_back(indent + OptionBoxes()[i]->Caption());
  }
  Memo1->SetLines(lines);
}

void TInstalatorForm::PrepareFinishPage() {
  CheckBox5->SetVisible(CheckListBox1->Checked(engine::kVortel));
  CheckBox2->SetVisible(CheckListBox1->Checked(engine::kVortel));
  CheckBox3->SetVisible(CheckListBox1->Checked(engine::kFtpClient));
}

void TInstalatorForm::FinishActions() {
  if (!CheckBox5->Checked() && !CheckBox2->Checked() && !CheckBox3->Checked()) {
    Close();
    return;
  }
  auto& platform = plat::Current();
  sys::RunLog nowhere;
  sys::RunLog& log = Asked ? *Asked : nowhere;
  platform.Ui().SetCursor(Cursor::HourGlass);
  try {
    if (CheckBox5->Checked()) {
      for (int product : {engine::kVortel, engine::kFtpClient, engine::kFtpServer}) {
        if (!CheckListBox1->Checked(product)) continue;
        const std::string notes = TargetDirs[engine::SlotOf(product)] + "readme.txt";
        LogLaunch(log, platform.ShellApi().OpenDocument(notes), notes);
      }
    }
    const std::pair<CheckBox*, int> programs[] = {{CheckBox2, engine::kVortel},
                                                  {CheckBox3, engine::kFtpClient}};
    for (const auto& [box, product] : programs) {
      if (!box->Checked()) continue;
      const std::string& folder = TargetDirs[engine::SlotOf(product)];
      platform.Files().ChangeDirectory(folder);
      const std::string program = sys::AddBackslash(folder) + engine::Products[product].program;
      LogLaunch(log, sys::RunProgram(platform.Process(), program, ""), program);
    }
  } catch (const std::exception&) {
    // Nothing here may keep the wizard from closing; the cursor comes back in any case.
  }
  platform.Ui().SetCursor(Cursor::Default);
  Close();
}

std::array<CheckBox*, engine::kOptionCount> TInstalatorForm::OptionBoxes() const {
  return {cbShortcutVortel, cbShortcutFTPcli, cbFTPsrvAutostart};
}

engine::InstallChoices TInstalatorForm::Choices() const {
  engine::InstallChoices choices;
  for (int i = 0; i < engine::kProductCount; ++i) choices.products[i] = CheckListBox1->Checked(i);
  choices.folders = {Edit4->Text(), edPath0->Text(), edPath1->Text(), edPath3->Text()};
  for (int i = 0; i < engine::kOptionCount; ++i)
    choices.options[i] = OptionBoxes()[i]->Enabled() && OptionBoxes()[i]->Checked();
  choices.programGroup = ProgramGroup;
  return choices;
}

void TInstalatorForm::RunInstallation() {
  Stop.Clear();
  RanWith = Choices();
  engine::RunContext run{plat::Current(), SourceDir, Medium, Stop, *Asked};
  Outcome = engine::RunInstallation(run, *RanWith, *this);
  TargetDirs = run.folders;
  // After a failure the wizard ends at once, without the closing question.
  if (Outcome != engine::RunOutcome::Installed) {
    CloseWithoutAsking = true;
    Close();
  }
}

void TInstalatorForm::ShowInfo(const std::string& text) {
  Info->SetCaption(text);
}

void TInstalatorForm::SetAnimation(bool running) {
  Animate1->SetActive(running);
}

}  // namespace wizard
