// The pages between the agreement and the copying, and the finish page, driven through the
// wizard's own buttons on the headless backend.
#include <gtest/gtest.h>

#include "engine/run_state.h"
#include "engine/target_dirs.h"
#include "install_fixture.h"
#include "system/paths.h"
#include "system/registry_entries.h"
#include "wizard/instalator_form.h"

using installtest::Selection;
using plat::DlgButton;
using plat::DlgType;
using plat::ModalResult;
using plat::RegRoot;

namespace {

constexpr char kMakerKey[] = "Software\\Norvik-Soft";
constexpr char kVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";
const std::string kAppPaths = std::string(kVersionKey) + "\\App Paths\\";
const std::string kDefaultMain = "C:\\Program Files\\NorvikSoft\\VortelPRO\\";
const std::string kIndent = "    ";
const Selection kAll = {true, true, true, true};

std::string Question(const std::string& folder, bool exists) {
  return "Katalog \"" + folder + "\"" +
         (exists ? " już istnieje.\rKontynuować instalację?" : " nie istnieje.\rUtworzyć ?");
}

// Documents opened and programs started, in one order, with the folder each program started in.
class FinishLog : public plat::headless::HeadlessPlatform {
 public:
  std::vector<std::string> log;
  plat::Shell& ShellApi() override { return loggingShell; }
  plat::Processes& Process() override { return loggingProcesses; }

  struct Shell : plat::headless::HeadlessShell {
    explicit Shell(FinishLog& p) : owner(p) { files = &p.files; }
    bool OpenDocument(const std::string& path) override {
      owner.log.push_back("open " + path);
      return HeadlessShell::OpenDocument(path);
    }
    FinishLog& owner;
  } loggingShell{*this};
  struct Processes : plat::headless::HeadlessProcesses {
    explicit Processes(FinishLog& p) : HeadlessProcesses(p.files), owner(p) {}
    bool StartAndWaitIdle(const std::string& commandLine) override {
      owner.log.push_back("run " + commandLine + "in " + owner.files.CurrentDirectory());
      return HeadlessProcesses::StartAndWaitIdle(commandLine);
    }
    FinishLog& owner;
  } loggingProcesses{*this};
};

}  // namespace

class PagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    installtest::PrepareMachine(platform);
    platform.files.SetModulePath("D:\\Install.exe");
    form = std::make_unique<wizard::TInstalatorForm>(nullptr, "InstalatorForm",
                                                     std::vector<std::string>{});
    platform.gui.ShowForm(*form);
    form->CheckBox1->SetChecked(true);
  }
  void TearDown() override { EXPECT_TRUE(platform.dialogs.AllAnswered()); }

  void Next() { form->BitBtn2->Click(); }
  void Back() { form->BitBtn1->Click(); }
  // From any page to the folder page with these products, through the product check.
  void ToFolders(const Selection& chosen) {
    form->ShowStep(3);
    for (int i = 0; i < 4; ++i) form->CheckListBox1->SetChecked(i, chosen[i]);
    Next();
    ASSERT_EQ(form->CurrentStep, 4);
  }
  void ToOptions(const Selection& chosen) {
    ToFolders(chosen);
    platform.dialogs.Expect(Question(kDefaultMain, false), ModalResult::Yes);
    Next();
    ASSERT_EQ(form->CurrentStep, 5);
  }
  std::string RowText() const {
    return form->edPath0->Text() + "|" + form->edPath1->Text() + "|" + form->edPath3->Text();
  }
  std::array<bool, 3> Options(bool enabled) const {
    const plat::gui::CheckBox* boxes[] = {form->cbShortcutVortel, form->cbShortcutFTPcli,
                                          form->cbFTPsrvAutostart};
    std::array<bool, 3> state;
    for (int i = 0; i < 3; ++i) state[i] = enabled ? boxes[i]->Enabled() : boxes[i]->Checked();
    return state;
  }

  FinishLog platform;
  std::unique_ptr<wizard::TInstalatorForm> form;
};

TEST_F(PagesTest, ProductCheckRequiresOneProductAndPreparesStartBoxesAndFolderRows) {
  struct Case {
    Selection chosen;
    bool emulatorBox, clientBox;  // enabled and ticked alike
    std::array<bool, 3> rows;     // emulator, both clients, server
  } cases[] = {{{false, false, true, false}, false, false, {false, true, false}},
               {{true, false, false, true}, true, false, {true, false, true}},
               {{false, true, false, false}, false, true, {false, true, false}}};
  for (const auto& c : cases) {
    ToFolders(c.chosen);
    EXPECT_EQ(form->CheckBox2->Enabled(), c.emulatorBox);
    EXPECT_EQ(form->CheckBox2->Checked(), c.emulatorBox);
    EXPECT_EQ(form->CheckBox3->Enabled(), c.clientBox);
    EXPECT_EQ(form->CheckBox3->Checked(), c.clientBox);
    const plat::gui::Control* row[3][3] = {{form->lbName0, form->edPath0, form->sbDir0},
                                           {form->lbName1, form->edPath1, form->sbDir1},
                                           {form->lbName3, form->edPath3, form->sbDir3}};
    for (int r = 0; r < 3; ++r)
      for (const auto* control : row[r])
        EXPECT_EQ(control->Enabled(), c.rows[r]) << control->Name();
  }
  form->ShowStep(3);
  for (int i = 0; i < 4; ++i) form->CheckListBox1->SetChecked(i, false);
  platform.dialogs.Expect("Proszę wybrać instalowane produkty.", ModalResult::OK);
  Next();
  EXPECT_EQ(form->CurrentStep, 3);
}

TEST_F(PagesTest, FolderPageShowsTheProposalsOnEveryEntryAndADifferentMainFolderResetsRows) {
  platform.registry.Set(RegRoot::LocalMachine, kAppPaths + "NorvikFTP.exe", "Path",
                        kDefaultMain + "C\\");
  platform.registry.Set(RegRoot::LocalMachine, kAppPaths + "NorvikFTPSrv.exe", "Path",
                        kDefaultMain + "S\\");
  const std::string proposed = "Vortel\\|C\\|S\\";
  ToFolders(kAll);
  EXPECT_EQ(form->Edit4->Text(), kDefaultMain);
  EXPECT_EQ(RowText(), proposed);
  form->edPath0->SetText("Moje\\");
  form->Edit4->SetText("c:\\program files\\NorvikSoft\\VortelPRO ");  // the default still
  EXPECT_EQ(RowText(), "Moje\\|C\\|S\\");
  form->Edit4->SetText("E:\\Inny");
  EXPECT_EQ(RowText(), "Vortel\\|FTPCli\\|FTPSrv\\");
  platform.dialogs.Expect(Question("E:\\Inny", false), ModalResult::Yes);
  Next();
  Back();
  EXPECT_EQ(form->Edit4->Text(), kDefaultMain);
  EXPECT_EQ(RowText(), proposed);
  // Only the rows in use are reset.
  ToFolders({false, false, false, true});
  form->Edit4->SetText("E:\\Inny");
  EXPECT_EQ(RowText(), "Vortel\\|C\\|FTPSrv\\");
}

TEST_F(PagesTest, BrowsingStoresFoldersBelowTheMainFolderRelativeToIt) {
  ToFolders(kAll);
  form->Edit4->SetText("C:\\Pack");  // compared with a backslash added
  const struct {
    plat::gui::SpeedButton* button;
    plat::gui::Edit* edit;
    std::string answer, stored, title;
  } cases[] = {
      {form->sbDir0, form->edPath0, "C:\\Pack\\", "",
       "Wybierz podkatalog, w którym bądzie zainstalowany emulator terminala Vortel."},
      {form->sbDir1, form->edPath1, "c:\\PACK\\Sub", "Sub\\",
       "Wybierz podkatalog, w którym bądzie zainstalowany klient FTP."},
      {form->sbDir3, form->edPath3, "C:\\Package\\", "C:\\Package\\",
       "Wybierz podkatalog, w którym bądzie zainstalowany serwer FTP."},
      {form->sbDir3, form->edPath3, "", "C:\\Package\\", ""},  // cancelled
  };
  for (const auto& c : cases) {
    platform.loggingShell.browseAnswers.push_back(c.answer);
    c.button->Click();
    EXPECT_EQ(c.edit->Text(), c.stored) << c.answer;
    if (c.title.empty()) continue;
    EXPECT_EQ(platform.loggingShell.browseCaptions.back(), c.title);
  }
  platform.loggingShell.browseAnswers = {"", "E:\\Nowy"};
  form->SpeedButton2->Click();
  EXPECT_EQ(form->Edit4->Text(), "C:\\Pack");
  form->SpeedButton2->Click();
  EXPECT_EQ(form->Edit4->Text(), "E:\\Nowy\\");
  EXPECT_EQ(RowText(), "Vortel\\|FTPCli\\|FTPSrv\\");
  EXPECT_EQ(platform.loggingShell.browseCaptions.back(),
            "Wybierz katalog, w którym bądą zainstalowane wybrane elementy.");
}

TEST_F(PagesTest, FolderCheckAsksAboutTheTrimmedMainFolderAndRefusesAPartialPath) {
  platform.files.PutFile("C:\\Jest\\plik", "");
  const struct {
    std::string typed;
    bool exists;
    ModalResult answer;
  } asked[] = {
      {"  C:\\Jest  ", true, ModalResult::Yes},
      {"c:\\Nowy\\", false, ModalResult::No},
  };
  for (const auto& c : asked) {
    ToFolders(kAll);
    form->Edit4->SetText(c.typed);
    const std::string trimmed = sys::TrimSpaces(c.typed);
    platform.dialogs.Expect(Question(trimmed, c.exists), c.answer);
    Next();
    EXPECT_EQ(form->CurrentStep, c.answer == ModalResult::Yes ? 5 : 4) << c.typed;
    EXPECT_EQ(form->Edit4->Text(), trimmed);
  }
  // A relative path would install below the current folder.
  form->Edit4->SetText("C:Vortel");
  platform.dialogs.Expect("Proszę podać pełną ścieżkę katalogu docelowego.", ModalResult::OK);
  Next();
  EXPECT_EQ(form->CurrentStep, 4);
}

TEST_F(PagesTest, OptionBoxesFollowTheProductsAndEnablingNeverTicksOne) {
  ToOptions(kAll);
  EXPECT_EQ(Options(true), (std::array<bool, 3>{true, true, true}));
  EXPECT_EQ(Options(false), (std::array<bool, 3>{true, true, false}));
  form->cbFTPsrvAutostart->SetChecked(true);
  Back();
  ToOptions({true, false, false, false});
  EXPECT_EQ(Options(true), (std::array<bool, 3>{true, false, false}));
  EXPECT_EQ(Options(false), (std::array<bool, 3>{true, false, false}));
  Back();
  ToOptions(kAll);
  EXPECT_EQ(Options(true), (std::array<bool, 3>{true, true, true}));
  EXPECT_EQ(Options(false), (std::array<bool, 3>{true, false, false}));
  Next();
  Back();  // from the summary: the boxes keep what they had
  EXPECT_EQ(Options(false), (std::array<bool, 3>{true, false, false}));
  ToOptions({false, false, true, false});
  EXPECT_EQ(Options(true), (std::array<bool, 3>{false, false, false}));
  EXPECT_EQ(Options(false), (std::array<bool, 3>{false, false, false}));
  // A box ticked but disabled does not count.
  form->cbShortcutVortel->SetChecked(true);
  EXPECT_FALSE(form->Choices().options[engine::kDesktopVortel]);
}

TEST_F(PagesTest, SummaryListsProductsFoldersAndOptionsLineByLine) {
  const std::string main = kIndent + kDefaultMain;
  const std::string serverOption = "Automatycznie uruchamiaj serwer FTP przy starcie Windows";
  const struct {
    Selection chosen;
    bool autostart;
    std::vector<std::string> lines;
  } cases[] = {
      {{true, false, false, true},
       true,
       {"Instalowane elementy:", kIndent + "Emulator terminala Vortel  ver.3.30",
        kIndent + "Serwer FTP  ver.1.151", "", "Folder docelowy:", main,
        "Emulator terminala Vortel", kIndent + "Vortel\\", "Serwer FTP", kIndent + "FTPSrv\\", "",
        "Opcje dodatkowe:", kIndent + "Utwórz skrót na pulpit do emulatora terminala",
        kIndent + serverOption}},
      {{false, false, true, false},
       false,
       {"Instalowane elementy:", kIndent + "Wsadowy klient FTP  ver.1.081", "",
        "Folder docelowy:", main, "Klient FTP", kIndent + "FTPCli\\", ""}},
  };
  for (const auto& c : cases) {
    ToOptions(c.chosen);
    form->cbFTPsrvAutostart->SetChecked(c.autostart);
    Next();
    ASSERT_EQ(form->CurrentStep, 6);
    EXPECT_EQ(form->Memo1->Lines(), c.lines);
  }
}

TEST_F(PagesTest, FinishOpensTheNotesOfEachSlotThenStartsTheEmulatorThenTheClient) {
  engine::TargetDirs = {"C:\\P\\", "C:\\P\\Emu\\", "C:\\P\\Ftp\\", "C:\\P\\Srv\\"};
  for (const char* file : {"Emu\\Vortel.exe", "Emu\\readme.txt", "Ftp\\NorvikFtp.exe"})
    platform.files.PutFile(std::string("C:\\P\\") + file, "");
  platform.files.PutFile("C:\\P\\Srv\\NorvikFTPsrv.exe", "");
  const std::string emulator = "run \"C:\\P\\Emu\\Vortel.exe\" in C:\\P\\Emu";
  const std::string client = "run \"C:\\P\\Ftp\\NorvikFtp.exe\" in C:\\P\\Ftp";
  const std::string emuNotes = "open C:\\P\\Emu\\readme.txt",
                    ftpNotes = "open C:\\P\\Ftp\\readme.txt",
                    srvNotes = "open C:\\P\\Srv\\readme.txt";
  const struct {
    Selection chosen;
    bool notes, emulator, client;
    std::vector<std::string> log;
  } cases[] = {
      {kAll, true, true, true, {emuNotes, ftpNotes, srvNotes, emulator, client}},
      {{true, false, false, true}, true, false, false, {emuNotes, srvNotes}},
      {{false, false, true, true}, true, false, false, {srvNotes}},
      {kAll, false, false, true, {client}},
      {kAll, false, false, false, {}},
  };
  for (const auto& c : cases) {
    platform.log.clear();
    platform.gui.cursors.clear();
    form->Reopen();
    form->ShowStep(3);
    for (int i = 0; i < 4; ++i) form->CheckListBox1->SetChecked(i, c.chosen[i]);
    form->ShowStep(8);
    form->CheckBox5->SetChecked(c.notes);
    form->CheckBox2->SetChecked(c.emulator);
    form->CheckBox3->SetChecked(c.client);
    form->BitBtn4->Click();
    EXPECT_TRUE(form->Closed());
    EXPECT_EQ(platform.log, c.log);
    const bool any = c.notes || c.emulator || c.client;
    const std::vector<plat::gui::Cursor> hourglass = {plat::gui::Cursor::HourGlass,
                                                      plat::gui::Cursor::Default};
    EXPECT_EQ(platform.gui.cursors, any ? hourglass : std::vector<plat::gui::Cursor>{});
  }
}

TEST_F(PagesTest, NextOnTheSummaryInstallsTheChoicesAndEndsOnTheFinishPageOrClosed) {
  engine::StopRequested = true;  // left over from an earlier close question: no bearing here
  ToOptions({true, false, false, true});
  Next();
  Next();
  ASSERT_EQ(form->CurrentStep, 8);
  EXPECT_FALSE(form->Closed());
  EXPECT_FALSE(form->Animate1->Active());
  EXPECT_EQ(platform.files.ReadFile(kDefaultMain + "Vortel\\Vortel.exe"),
            installtest::NewContents("Vortel.exe"));
  EXPECT_TRUE(platform.files.Exists(std::string(installtest::kDesktop) + "\\Vortel.lnk"));
  EXPECT_FALSE(platform.files.Exists(std::string(installtest::kStartup) + "\\Serwer FTP.lnk"));
  EXPECT_FALSE(sys::DirectoryExists(kDefaultMain + "FTPCli"));

  // A failed run closes the wizard without the closing question.
  ToFolders(kAll);
  form->Edit4->SetText("Q:\\VP");
  platform.dialogs.Expect(Question("Q:\\VP", false), ModalResult::Yes);
  Next();
  Next();
  platform.dialogs.Expect("Nie można utworzyć katalogu \"Q:\\VP\\\"", ModalResult::OK);
  Next();
  EXPECT_TRUE(form->Closed());
  EXPECT_EQ(form->CurrentStep, 7);
}
