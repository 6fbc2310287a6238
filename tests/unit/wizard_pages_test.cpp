// Pages between the agreement and the copying, via the wizard's buttons; the rules: choices_test.
#include <gtest/gtest.h>

#include "engine/target_dirs.h"
#include "install_fixture.h"
#include "system/paths.h"
#include "wizard/instalator_form.h"

using installtest::Selection;
using plat::ModalResult;

namespace {

const std::string kAppPaths = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
const std::string kDefaultMain = "C:\\Program Files\\NorvikSoft\\VortelPRO\\";
const std::string kIndent = "    ";
const Selection kAll = {true, true, true, true};

std::string Question(const std::string& folder, bool exists) {
  return "Katalog \"" + folder + "\"" +
         (exists ? " już istnieje.\rKontynuować instalację?" : " nie istnieje.\rUtworzyć ?");
}

std::string Marks(std::initializer_list<bool> states) {
  std::string s;
  for (bool on : states) s += on ? '+' : '-';
  return s;
}

}  // namespace

class PagesTest : public ::testing::Test, public installtest::Machine {
 protected:
  void SetUp() override {
    platform.files.SetModulePath("D:\\Install.exe");
    platform.gui.ShowForm(*form);
    form->CheckBox1->SetChecked(true);
  }

  void Next() { form->BitBtn2->Click(); }
  void Back() { form->BitBtn1->Click(); }
  void Choose(const Selection& chosen) {
    form->ShowStep(3);
    for (int i = 0; i < 4; ++i) form->CheckListBox1->SetChecked(i, chosen[i]);
  }
  void ToFolders(const Selection& chosen) {
    Choose(chosen);
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
  std::string Options() const {
    auto b = form->OptionBoxes();
    return Marks({b[0]->Enabled(), b[1]->Enabled(), b[2]->Enabled()}) + " " +
           Marks({b[0]->Checked(), b[1]->Checked(), b[2]->Checked()});
  }

  std::unique_ptr<wizard::TInstalatorForm> form = std::make_unique<wizard::TInstalatorForm>(
      nullptr, "InstalatorForm", std::vector<std::string>{});
};

TEST_F(PagesTest, ProductAndFolderChecksPrepareTheNextPageBrowseOrRefuseWithTheirMessage) {
  Choose({});
  platform.dialogs.Expect("Proszę wybrać instalowane produkty.", ModalResult::OK);
  Next();
  EXPECT_EQ(form->CurrentStep, 3);
  platform.registry.Set(plat::RegRoot::LocalMachine, kAppPaths + "NorvikFTPSrv.exe", "Path",
                        kDefaultMain + "S\\");
  // Emulator's and client's start boxes (enabled, ticked), the folder rows, those after a new main.
  const std::tuple<Selection, const char*, const char*> cases[] = {
      {{true, false, false, true}, "++-- +-+", "Vortel\\|FTPCli\\|FTPSrv\\"},
      {{false, true, false, false}, "--++ -+-", "Vortel\\|FTPCli\\|S\\"}};
  for (const auto& [chosen, expected, reset] : cases) {
    ToFolders(chosen);
    std::string rows;
    for (auto [label, edit, button] : {std::tuple{form->lbName0, form->edPath0, form->sbDir0},
                                       {form->lbName1, form->edPath1, form->sbDir1},
                                       {form->lbName3, form->edPath3, form->sbDir3}}) {
      EXPECT_EQ(label->Enabled(), edit->Enabled() && button->Enabled());
      rows += label->Enabled() ? '+' : '-';
    }
    EXPECT_EQ(Marks({form->CheckBox2->Enabled(), form->CheckBox2->Checked(),
                     form->CheckBox3->Enabled(), form->CheckBox3->Checked()}) +
                  " " + rows,
              expected);
    EXPECT_EQ(form->Edit4->Text(), kDefaultMain);
    EXPECT_EQ(RowText(), "Vortel\\|FTPCli\\|S\\");
    form->Edit4->SetText("E:\\Inny");
    EXPECT_EQ(RowText(), reset);
  }
  // The folder question names the trimmed main folder; a partial path is refused.
  platform.files.PutFile("C:\\Jest\\plik", "");
  const std::tuple<std::string, bool, ModalResult> asked[] = {
      {"  C:\\Jest  ", true, ModalResult::Yes}, {"c:\\Nowy\\", false, ModalResult::No}};
  for (const auto& [typed, exists, answer] : asked) {
    ToFolders(kAll);
    form->Edit4->SetText(typed);
    platform.dialogs.Expect(Question(sys::TrimSpaces(typed), exists), answer);
    Next();
    EXPECT_EQ(form->CurrentStep, answer == ModalResult::Yes ? 5 : 4);
    EXPECT_EQ(form->Edit4->Text(), sys::TrimSpaces(typed));
  }
  form->Edit4->SetText("C:\\Pack");  // compared with a backslash added
  const std::string sub = "Wybierz podkatalog, w którym bądzie zainstalowany ";
  const std::tuple<plat::gui::SpeedButton*, plat::gui::Edit*, std::string, std::string, std::string>
      browsed[] = {
          {form->sbDir0, form->edPath0, "C:\\Pack\\", "", sub + "emulator terminala Vortel."},
          {form->sbDir1, form->edPath1, "c:\\PACK\\Sub", "Sub\\", sub + "klient FTP."},
          {form->sbDir3, form->edPath3, "", "FTPSrv\\", sub + "serwer FTP."},  // cancelled
          {form->SpeedButton2, form->Edit4, "E:\\Nowy", "E:\\Nowy\\",
           "Wybierz katalog, w którym bądą zainstalowane wybrane elementy."},
      };
  for (const auto& [button, edit, answer, stored, title] : browsed) {
    platform.shell.browseAnswers.push_back(answer);
    button->Click();
    EXPECT_EQ(edit->Text(), stored);
    EXPECT_EQ(platform.shell.browseCaptions.back(), title);
  }
  // Would install below the current folder, or above a drive's root: the main folder or row named.
  const std::tuple<const char*, const char*, const char*> refused[] = {
      {"C:Vortel", "Vortel\\", "C:Vortel"},
      {"C:\\VP", "..\\..\\Inny", "C:\\VP\\..\\..\\Inny\\"},
      {" ", "", ""}};
  for (const auto& [main, row, named] : refused) {
    form->Edit4->SetText(main);
    form->edPath0->SetText(row);
    platform.dialogs.Expect(std::string("Katalog docelowy \"") + named +
                                "\" nie jest pełną ścieżką.\rProszę podać pełną ścieżkę "
                                "katalogu docelowego.",
                            ModalResult::OK);
    Next();
    EXPECT_EQ(form->CurrentStep, 4);
  }
}

TEST_F(PagesTest, OptionBoxesFollowTheProductsAndTheSummaryListsEverythingLineByLine) {
  const std::tuple<Selection, bool, std::vector<std::string>> cases[] = {
      {{true, false, false, true},
       true,
       {"Instalowane elementy:", kIndent + "Emulator terminala Vortel  ver.3.30",
        kIndent + "Serwer FTP  ver.1.151", "", "Folder docelowy:", kIndent + kDefaultMain,
        "Emulator terminala Vortel", kIndent + "Vortel\\", "Serwer FTP", kIndent + "FTPSrv\\", "",
        "Opcje dodatkowe:", kIndent + "Utwórz skrót na pulpit do emulatora terminala",
        kIndent + "Automatycznie uruchamiaj serwer FTP przy starcie Windows"}},
      {{false, false, true, false},
       false,
       {"Instalowane elementy:", kIndent + "Wsadowy klient FTP  ver.1.081", "",
        "Folder docelowy:", kIndent + kDefaultMain, "Klient FTP", kIndent + "FTPCli\\", ""}},
  };
  for (const auto& [chosen, autostart, lines] : cases) {
    ToOptions(chosen);
    form->cbFTPsrvAutostart->SetChecked(autostart);
    Next();
    ASSERT_EQ(form->CurrentStep, 6);
    EXPECT_EQ(form->Memo1->Lines(), lines);
  }
  ToOptions(kAll);
  EXPECT_EQ(Options(), "+++ ---");  // enabling never ticks a box
  form->cbFTPsrvAutostart->SetChecked(true);
  Back();
  ToOptions({true, false, false, false});
  EXPECT_EQ(Options(), "+-- ---");
  form->cbShortcutVortel->SetChecked(true);
  Next();
  Back();  // from the summary: the boxes keep what they had
  EXPECT_EQ(Options(), "+-- +--");
  ToOptions({false, false, true, false});
  form->cbShortcutVortel->SetChecked(true);  // ticked but disabled does not count
  EXPECT_FALSE(form->Choices().options[engine::kDesktopVortel]);
}

// Without a shell process nothing is started: the only other way would run it as administrator.
TEST_F(PagesTest, FinishOpensTheNotesOfEachChosenSlotThenStartsTheEmulatorThenTheClient) {
  for (const char* file :
       {"Emu\\Vortel.exe", "Ftp\\NorvikFtp.exe", "Emu\\readme.txt", "Srv\\readme.txt"})
    platform.files.PutFile(std::string("C:\\P\\") + file, "");
  struct : sys::RunLog {
    std::string lines;
    void Note(const std::string& text, bool) override {
      lines += text.substr(0, text.find(' ')) + "|";
    }
  } log;
  unattended::WizardQuestions asked(platform.dialogs, log, {}, false);
  for (const bool shell : {true, false}) {
    platform.processes.userShell = shell;
    form = std::make_unique<wizard::TInstalatorForm>(nullptr, "InstalatorForm",
                                                     std::vector<std::string>{});
    form->Asked = &asked;
    form->TargetDirs = {"C:\\P\\", "C:\\P\\Emu\\", "C:\\P\\Ftp\\", "C:\\P\\Srv\\"};
    platform.gui.ShowForm(*form);
    Choose({true, false, true, true});
    form->ShowStep(8);
    for (auto* box : {form->CheckBox5, form->CheckBox2, form->CheckBox3}) box->SetChecked(true);
    form->BitBtn4->Click();
    EXPECT_TRUE(form->Closed());
  }
  std::string done;
  for (const auto& file : platform.shell.opened) done += file + "|";
  for (const auto& p : platform.processes.started)
    done += p.commandLine + "in " + p.currentDirectory + "|";
  EXPECT_EQ(done,
            "C:\\P\\Emu\\readme.txt|C:\\P\\Srv\\readme.txt|\"C:\\P\\Emu\\Vortel.exe\" in "
            "C:\\P\\Emu|\"C:\\P\\Ftp\\NorvikFtp.exe\" in C:\\P\\Ftp|");
  EXPECT_EQ(log.lines, "Uruchomiono|Uruchomiono|Uruchomiono|Uruchomiono|Nie|Nie|Nie|Nie|");
  EXPECT_EQ(platform.gui.cursors, (std::vector<plat::gui::Cursor>{
                                      plat::gui::Cursor::HourGlass, plat::gui::Cursor::Default,
                                      plat::gui::Cursor::HourGlass, plat::gui::Cursor::Default}));
}
