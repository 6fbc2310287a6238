// The pages between the licence and the copying: products, folders, options, summary, finish.
#include "engine/catalogue.h"
#include "engine/exit_codes.h"
#include "engine/medium_kind.h"
#include "engine/proposals.h"
#include "engine/run_state.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "system/paths.h"
#include "wizard/instalator_form.h"

namespace wizard {

using namespace plat::gui;
using plat::DlgButton;
using plat::DlgType;

namespace {

std::string Upper(const std::string& s) {
  return plat::Current().Texts().UpperCase(s);
}

}  // namespace

void TInstalatorForm::PrepareProductList(bool initial) {
  for (int i = 0; i < engine::kProductCount; ++i) {
    const bool offered = engine::ProductOnMedium(i);
    CheckListBox1->SetItemEnabled(i, offered);
    if (initial || !offered) CheckListBox1->SetChecked(i, offered);
  }
  for (int i = 0; i < engine::kProductCount; ++i)
    CheckListBox1->SetItemCaption(i, engine::Products[i].caption);
  CheckListBox1->SetItemIndex(0);
  CheckListBox1->ClearSelection();
}

bool TInstalatorForm::CheckProductSelection() {
  bool any = false;
  for (int i = 0; i < engine::kProductCount; ++i) any = any || CheckListBox1->Checked(i);
  if (!any) {
    plat::MessageDlg("Proszę wybrać instalowane produkty.", DlgType::Error, {DlgButton::OK});
    return false;
  }
  CheckBox2->SetEnabled(CheckListBox1->Checked(engine::kVortel));
  CheckBox2->SetChecked(CheckBox2->Enabled());
  CheckBox3->SetEnabled(CheckListBox1->Checked(engine::kFtpClient));
  CheckBox3->SetChecked(CheckBox3->Enabled());
  ShowStep(4);
  return true;
}

std::string TInstalatorForm::DefaultMainFolder() {
  return engine::DefaultMainFolder();
}

std::string TInstalatorForm::ProductSubfolder(const std::string& program,
                                              const std::string& defaultSubfolder) {
  // Compared with the main folder's text exactly as it stands, neither trimmed nor completed.
  return engine::ProductSubfolder(program, defaultSubfolder, Edit4->Text());
}

void TInstalatorForm::PrepareFolderPage() {
  Edit4->SetText(DefaultMainFolder());
  Edit* const edits[] = {edPath0, edPath1, edPath3};
  for (size_t i = 0; i < engine::FolderRows.size(); ++i)
    edits[i]->SetText(
        ProductSubfolder(engine::FolderRows[i].program, engine::FolderRows[i].defaultSubfolder));
  const engine::ProductChoice ticked = Choices().products;
  Label* const labels[] = {lbName0, lbName1, lbName3};
  for (size_t i = 0; i < engine::FolderRows.size(); ++i)
    labels[i]->SetEnabled(engine::RowInUse(static_cast<int>(i), ticked));
  const std::pair<Label*, std::pair<Edit*, SpeedButton*>> rows[] = {
      {lbName0, {edPath0, sbDir0}}, {lbName1, {edPath1, sbDir1}}, {lbName3, {edPath3, sbDir3}}};
  for (const auto& [label, row] : rows) {
    row.first->SetEnabled(label->Enabled());
    row.second->SetEnabled(label->Enabled());
  }
}

void TInstalatorForm::Edit4Change() {
  if (Upper(sys::AddBackslash(Edit4->Text())) == Upper(sys::AddBackslash(DefaultMainFolder())))
    return;
  Edit* const edits[] = {edPath0, edPath1, edPath3};
  for (size_t i = 0; i < engine::FolderRows.size(); ++i)
    if (edits[i]->Enabled()) edits[i]->SetText(engine::FolderRows[i].defaultSubfolder);
}

void TInstalatorForm::SpeedButton2Click() {
  const std::string folder =
      sys::BrowseForFolder("Wybierz katalog, w którym bądą zainstalowane wybrane elementy.", "");
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
  const std::string folder = sys::BrowseForFolder(title, "");
  if (folder.empty()) return;
  edit->SetText(sys::MakeRelativeTo(Edit4->Text(), folder));
}

bool TInstalatorForm::CheckFolders() {
  Edit4->SetText(sys::TrimSpaces(Edit4->Text()));
  const std::string folder = Edit4->Text();
  // An empty or relative main folder would install below whatever the current folder is
  // (usually the medium itself), so only a full path is accepted.
  if (!engine::IsFullFolderPath(sys::AddBackslash(folder))) {
    plat::MessageDlg("Proszę podać pełną ścieżkę katalogu docelowego.", DlgType::Error,
                     {DlgButton::OK});
    return false;
  }
  const std::string question =
      "Katalog \"" + folder + "\"" +
      (sys::DirectoryExists(sys::AddBackslash(folder)) ? " już istnieje.\rKontynuować instalację?"
                                                       : " nie istnieje.\rUtworzyć ?");
  if (plat::MessageDlg(question, DlgType::Warning, {DlgButton::Yes, DlgButton::No}) !=
      plat::ModalResult::Yes)
    return false;
  ShowStep(5);
  return true;
}

void TInstalatorForm::PrepareOptionsPage() {
  CheckBox* const boxes[] = {cbShortcutVortel, cbShortcutFTPcli, cbFTPsrvAutostart};
  for (size_t i = 0; i < engine::Options.size(); ++i) {
    boxes[i]->SetEnabled(CheckListBox1->Checked(engine::Options[i].product));
    if (!boxes[i]->Enabled()) boxes[i]->SetChecked(false);
  }
}

void TInstalatorForm::BuildSummary() {
  const std::string indent = "    ";
  std::vector<std::string> lines{"Instalowane elementy:"};
  for (int i = 0; i < engine::kProductCount; ++i)
    if (CheckListBox1->Checked(i)) lines.push_back(indent + CheckListBox1->Items()[i].caption);
  lines.push_back("");
  lines.push_back("Folder docelowy:");
  lines.push_back(indent + Edit4->Text());
  if (CheckListBox1->Checked(0)) {
    lines.push_back(lbName0->Caption());
    lines.push_back(indent + edPath0->Text());
  }
  if (CheckListBox1->Checked(1) || CheckListBox1->Checked(2)) {
    lines.push_back(lbName1->Caption());
    lines.push_back(indent + edPath1->Text());
  }
  if (CheckListBox1->Checked(3)) {
    lines.push_back(lbName3->Caption());
    lines.push_back(indent + edPath3->Text());
  }
  lines.push_back("");
  const CheckBox* options[] = {cbShortcutVortel, cbShortcutFTPcli, cbFTPsrvAutostart};
  if (options[0]->Checked() || options[1]->Checked() || options[2]->Checked()) {
    lines.push_back("Opcje dodatkowe:");
    for (const CheckBox* box : options)
      if (box->Enabled() && box->Checked()) lines.push_back(indent + box->Caption());
  }
  Memo1->SetLines(lines);
}

void TInstalatorForm::PrepareFinishPage() {
  CheckBox5->SetVisible(CheckListBox1->Checked(0));
  CheckBox2->SetVisible(CheckListBox1->Checked(0));
  CheckBox3->SetVisible(CheckListBox1->Checked(1));
}

void TInstalatorForm::FinishActions() {
  if (!CheckBox5->Checked() && !CheckBox2->Checked() && !CheckBox3->Checked()) {
    Close();
    return;
  }
  auto& platform = plat::Current();
  platform.Ui().SetCursor(Cursor::HourGlass);
  try {
    if (CheckBox5->Checked()) {
      const std::pair<int, int> slots[] = {{1, 0}, {2, 1}, {3, 3}};
      for (const auto& [slot, product] : slots)
        if (CheckListBox1->Checked(product))
          platform.ShellApi().OpenDocument(engine::TargetDirs[slot] + "readme.txt");
    }
    const std::pair<CheckBox*, std::pair<int, const char*>> programs[] = {
        {CheckBox2, {1, "Vortel.exe"}}, {CheckBox3, {2, "NorvikFtp.exe"}}};
    for (const auto& [box, program] : programs) {
      if (!box->Checked()) continue;
      const std::string& folder = engine::TargetDirs[program.first];
      platform.Files().ChangeDirectory(folder);
      sys::RunProgram(sys::AddBackslash(folder) + program.second, "");
    }
  } catch (const std::exception&) {
    // Nothing here may keep the wizard from closing; the cursor comes back in any case.
  }
  platform.Ui().SetCursor(Cursor::Default);
  Close();
}

engine::InstallChoices TInstalatorForm::Choices() const {
  engine::InstallChoices choices;
  for (int i = 0; i < engine::kProductCount; ++i) choices.products[i] = CheckListBox1->Checked(i);
  choices.folders = {Edit4->Text(), edPath0->Text(), edPath1->Text(), edPath3->Text()};
  auto counts = [](const CheckBox* box) { return box->Enabled() && box->Checked(); };
  choices.desktopVortel = counts(cbShortcutVortel);
  choices.desktopFtpClient = counts(cbShortcutFTPcli);
  choices.autostartFtpServer = counts(cbFTPsrvAutostart);
  return choices;
}

void TInstalatorForm::RunInstallation() {
  engine::StopRequested = false;
  engine::ExitCode = engine::ExitCodeOf(engine::RunInstallation(Choices(), *this, SourceDir));
}

void TInstalatorForm::ShowInfo(const std::string& text) {
  Info->SetCaption(text);
}

void TInstalatorForm::SetAnimation(bool running) {
  Animate1->SetActive(running);
}

void TInstalatorForm::CloseWizard() {
  engine::CloseWithoutAsking = true;
  Close();
}

}  // namespace wizard
