// Installing without the wizard; where files land and the silent exit codes are proven end to end.
#include <gtest/gtest.h>

#include "engine/medium_kind.h"
#include "install_fixture.h"
#include "module_state.h"
#include "platform/program_main.h"
#include "startup/entry.h"
#include "unattended/silent_run.h"
#include "wizard/instalator_form.h"

using plat::ModalResult;

namespace {

const std::string kTarget = "C:\\Programy ąę\\Vortel PRO";
const std::string kLog = "C:\\Temp\\instalacja.log";

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class UnattendedTest : public ::testing::Test, public installtest::Machine {
 protected:
  void SetUp() override {
    files.SetModulePath("D:\\Install.exe");
    files.PutFile("C:\\Temp\\.keep", "");
  }
  int Run(std::vector<std::string> args) {
    unittest::FreshModuleState();
    return startup::ProgramMain(args, checks);
  }

  plat::headless::HeadlessFileSystem& files = platform.files;
  installtest::FakeChecks checks;
};

}  // namespace

TEST_F(UnattendedTest, ChoiceSwitchesAgainstTheMedium) {
  files.PutFile("D:\\appid.dat", "S");
  engine::ReadMediumKind("D:\\");
  const std::tuple<bool, std::vector<std::string>, std::string> cases[] = {
      {false, {"/SILENT"}, ""},
      {true, {"/SILENT", "/TASKS=autostartftpserver,desktopvortel"}, ""},
      {false,
       {"/SILENT", "/COMPONENTS=vortel"},
       "Produktu \"vortel\" nie ma na tym nośniku instalacyjnym."},
      {false,
       {"/SILENT", "/DIR=C:\\P", "/DIR3=C:Srv"},
       "Katalog docelowy \"C:Srv\\\" nie jest pełną ścieżką."},
  };
  for (const auto& [autostart, args, error] : cases) {
    const unattended::Resolution r = unattended::ResolveChoices(unattended::ParseSwitches(args));
    EXPECT_EQ(r.error, error) << ::testing::PrintToString(args);
    if (error.empty()) {
      EXPECT_EQ(std::pair(r.choices.products, r.choices.options),
                std::pair(engine::ProductChoice{false, false, false, true},
                          std::array<bool, 3>{false, false, autostart}));
    }
  }
  const engine::FolderTexts folders =
      unattended::ResolveChoices(
          unattended::ParseSwitches({"/SILENT", "/DIR=  F:\\Nowy  ", "/DIR3=", "/DIR0=G:\\Emu"}))
          .choices.folders;
  EXPECT_EQ(folders.mainFolder + "|" + folders.emulator + "|" + folders.ftpServer,
            "F:\\Nowy|G:\\Emu|");
}

TEST_F(UnattendedTest, VerySilentInstallsWithoutAWindowAndLogsTheChoicesItApplied) {
  EXPECT_EQ(Run({"/VERYSILENT", "/DIR=" + kTarget, "/COMPONENTS=ftpserver,vortel",
                 "/TASKS=autostartftpserver", "/DIR3=D:\\Srv", "/OVERWRITE=none", "/LOG=" + kLog,
                 "/SAVEINF=C:\\Temp\\x.inf", "/NOICONS"}),
            0);
  EXPECT_TRUE(Has(files.ReadFile("C:\\Temp\\x.inf"),
                  "Components=vortel,ftpserver\r\nDir=" + kTarget +
                      "\r\nDir0=Vortel\\\r\nDir1=FTPCli\\\r\nDir3=D:\\Srv\r\nTasks="
                      "autostartftpserver\r\nOverwrite=none\r\nAssociate=yes\r\nNoIcons=yes\r\n"));
  EXPECT_TRUE(platform.dialogs.shown.empty() && platform.gui.shownForms.empty());
  const std::string log = files.ReadFile(kLog);
  EXPECT_TRUE(Has(log, "Produkty: vortel, ftpserver\r\nKatalog docelowy: " + kTarget +
                           "\\\r\nKatalog emulatora: " + kTarget +
                           "\\Vortel\\\r\nKatalog serwera FTP: D:\\Srv\\\r\nZadania: "
                           "autostartftpserver\r\nGrupa programów w menu Start: pominięta\r\n"
                           "Istniejące pliki: pozostawiane bez zmian\r\n"))
      << log;
  EXPECT_TRUE(Has(log, "Wynik: 0 (zainstalowano)"));
  EXPECT_EQ(files.ReadFile("D:\\Srv\\FTPSrv.hlp"), installtest::NewContents("FTPSrv.hlp"));
  EXPECT_TRUE(files.Exists(std::string(installtest::kStartup) + "\\Serwer FTP.lnk"));
}

// Faults end a silent run with 6, the reason logged; a number read as a type's name is no type.
TEST_F(UnattendedTest, SilentRunsSayWhyTheyFailedAndShowNothing) {
  using plat::RegRoot;
  const std::string folders =
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
  const std::string vortelApp =
      "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Vortel.exe";
  // Each fault stays for the rows after it: the rows that succeed come first.
  const struct {
    std::function<void()> fault;
    std::vector<std::string> args;
    std::string line;
    int code;
  } cases[] = {
      {[&] { platform.registry.SetDword(RegRoot::ClassesRoot, ".vl", "", 1); },
       {"/VERYSILENT"},
       "Zapisano w rejestrze: HKEY_CLASSES_ROOT\\.vl (domyślna) = \"VortelCfg\"",
       0},
      {[] {}, {"/?", "/VERYSILENT"}, "Instalator pakietu Vortel PRO - parametry", 0},
      {[&] { platform.registry.DenyOpen(RegRoot::LocalMachine, vortelApp); },
       {"/VERYSILENT"},
       "BŁĄD: Nie można otworzyć klucza \"HKEY_LOCAL_MACHINE\\" + vortelApp +
           "\" Rejestru: brak dostępu (błąd systemu nr 5)",
       6},
      {[&] { platform.registry.Set(RegRoot::LocalMachine, folders, "Common Desktop", ""); },
       {"/VERYSILENT"},
       "BŁĄD: Nie utworzono skrótu \"Vortel\": Element \"Common Desktop\" nie znaleziony w "
       "Rejestrze",
       6},
      {[&] { platform.registry.DenyWrites(RegRoot::ClassesRoot, "VortelCfg"); },
       {"/SILENT"},
       "BŁĄD: Nie można zapisać wartości \"\" w kluczu \"HKEY_CLASSES_ROOT\\VortelCfg\" Rejestru: "
       "brak dostępu (błąd systemu nr 5)",
       6},
      {[&] { checks.fault = true; }, {"/VERYSILENT"}, "BŁĄD: awaria", 6},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    c.fault();
    std::vector<std::string> args = c.args;
    args.insert(args.end(), {"/DIR=" + kTarget, "/LOG=" + kLog});
    EXPECT_EQ(Run(args), c.code);
    EXPECT_TRUE(Has(files.ReadFile(kLog), c.line)) << files.ReadFile(kLog);
    EXPECT_TRUE(platform.dialogs.shown.empty());
  }
  // The default log never writes through a name someone made first.
  files.PutFile("C:\\Temp\\Vortel PRO Setup.log", "obcy");
  EXPECT_EQ(Run({"/VERYSILENT", "/FOO"}), 1);
  EXPECT_EQ(files.ReadFile("C:\\Temp\\Vortel PRO Setup.log"), "obcy");
  EXPECT_TRUE(Has(files.ReadFile("C:\\Temp\\Vortel PRO Setup (2).log"), "\"/FOO\""));
  // Asked by the programs' last guards before anything else runs.
  EXPECT_TRUE(plat::SilentSetup({"/verysilent"}) && plat::SilentRemoval({"/SILENT", "/LOG"}));
  EXPECT_FALSE(plat::SilentSetup({"/LOG"}) || plat::SilentRemoval({"/uninstall"}));
}

TEST_F(UnattendedTest, WithoutASilentModeFaultsAndRefusalsAreShown) {
  platform.dialogs.ExpectStartingWith("Nieznany parametr wiersza poleceń: \"/FOO\".\r\r",
                                      ModalResult::OK);
  EXPECT_EQ(Run({"/FOO"}), 1);
  platform.dialogs.ExpectStartingWith("Instalator pakietu Vortel PRO - parametry", ModalResult::OK);
  EXPECT_EQ(Run({"/?"}), 0);
  platform.dialogs.Expect(
      "Nie można utworzyć dziennika instalacji: \"Q:\\x.log\": plik lub katalog nie istnieje",
      ModalResult::OK);
  EXPECT_EQ(Run({"/LOG=Q:\\x.log"}), 1);
  // A signed program changed after signing installs nothing; silent, only its log says so.
  files.PutFile("D:\\Install.exe", enginetest::Program(0x400, 8) + "signatur");
  files.signatureHolds = false;
  platform.dialogs.ExpectStartingWith("Instalator pakietu Vortel PRO\rPodpis cyfrowy programu",
                                      ModalResult::OK);
  EXPECT_EQ(Run({}), 4);
  EXPECT_EQ(Run({"/VERYSILENT", "/LOG=" + kLog}), 4);
  EXPECT_TRUE(Has(files.ReadFile(kLog), "jest nieważny: plik został zmieniony po podpisaniu"));
  files.signatureHolds = true;
  checks.running = true;
  platform.dialogs.ExpectStartingWith("Instalator wykrył", ModalResult::OK);
  EXPECT_EQ(Run({"/LOG=" + kLog}), 2);
  checks.fault = true;  // the wizard shows what it cannot explain, and ends with 6
  for (const std::vector<std::string>& args : {std::vector<std::string>{"/LOG=" + kLog}, {}}) {
    platform.dialogs.Expect("awaria", ModalResult::OK);
    EXPECT_EQ(Run(args), 6);
  }
  EXPECT_TRUE(platform.gui.shownForms.empty());
}

TEST_F(UnattendedTest, TheWizardEndsWithTheSameCodesAndLogsWithLog) {
  auto install = [](const std::string& mainFolder) {
    return [mainFolder](plat::gui::Form& shown) {
      auto& w = dynamic_cast<wizard::TInstalatorForm&>(shown);
      w.CheckBox1->SetChecked(true);
      w.BitBtn2->Click();
      w.BitBtn2->Click();
      w.Edit4->SetText(mainFolder);
      for (int page = 4; page <= 6; ++page) w.BitBtn2->Click();
      if (w.CurrentStep == 8) w.BitBtn4->Click();
    };
  };
  const struct {
    std::function<void(plat::gui::Form&)> user;
    std::vector<std::pair<std::string, ModalResult>> messages;
    int code;
  } cases[] = {
      {install(kTarget), {{"Katalog \"" + kTarget + "\"", ModalResult::Yes}}, 0},
      {install("Q:\\Nowy"),
       {{"Katalog \"Q:\\Nowy\"", ModalResult::Yes},
        {"Nie można utworzyć katalogu \"Q:\\Nowy\\\"", ModalResult::OK}},
       3},
      {[](plat::gui::Form& shown) { shown.Close(); },
       {{"Przerwać proces instalacji ?", ModalResult::Yes}},
       5},
      {install("C:\\Rej"),  // the registry refuses the writes
       {{"Katalog \"C:\\Rej\"", ModalResult::Yes},
        {"Skrót 'Vortel' juz", ModalResult::No},
        {"Skrót 'Norvik-FTP' juz", ModalResult::No},
        {"Wystąpił błąd podczas kopiowania plików.", ModalResult::OK}},
       6},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    platform.gui = plat::headless::HeadlessGui();  // a new process: not terminated
    platform.gui.whileModal = c.user;
    if (c.code == 6)
      platform.registry.DenyWrites(plat::RegRoot::LocalMachine, "Software\\Norvik-Soft");
    for (const auto& [text, answer] : c.messages) platform.dialogs.ExpectStartingWith(text, answer);
    EXPECT_EQ(Run({"/LOG=" + kLog, "/SAVEINF=C:\\Temp\\w.inf"}), c.code);
    EXPECT_TRUE(platform.dialogs.AllAnswered());
    // Only a wizard that started the installation leaves its settings.
    EXPECT_EQ(files.Exists("C:\\Temp\\w.inf"), c.code != 5);
    const std::string log = files.ReadFile(kLog);
    EXPECT_TRUE(Has(log, "Wynik: " + std::to_string(c.code)));
    for (const auto& [text, answer] : c.messages) EXPECT_TRUE(Has(log, "Komunikat: \"" + text));
    EXPECT_TRUE(Has(log, "- odpowiedź: Tak"));
  }
}

namespace {

using plat::DlgButton;
const std::vector<DlgButton> kOverwrite = {DlgButton::Yes, DlgButton::All, DlgButton::No,
                                           DlgButton::Abort};
const std::string kFile = "Plik \"C:\\a b\\x.exe\" już istnieje.\rNadpisać ?";
const std::string kTakeOver =
    "Rejestrowane rozszerzenie (.vl) typu: \"Vortel - plik konfiguracji\"\rjest już "
    "zarejestrowane w systemie jako: \"Inny\"\roraz skojarzone z programem: \"\".\rZmienić "
    "przyporządkowanie rozszerzenia tak aby było domyślnie uruchamiane przez aktualnie "
    "instalowany program ?";

}  // namespace

TEST_F(UnattendedTest, OnlyKnownMessagesAreAnsweredAnythingElseFailsTheWizardKeepsTheLastAnswers) {
  const std::vector<DlgButton> yesNo = {DlgButton::Yes, DlgButton::No};
  // Overwrite all, associate; the text and buttons; the answer (None: the run fails).
  const std::tuple<bool, bool, std::string, std::vector<DlgButton>, ModalResult> cases[] = {
      {true, true, kFile, kOverwrite, ModalResult::All},
      {true, true, "Skrót 'Vortel' juz istnieje.\rCzy utworzyć następny ?", yesNo, ModalResult::No},
      {true, true, kTakeOver, yesNo, ModalResult::Yes},
      {true, false, kTakeOver, yesNo, ModalResult::No},
      {true, true, "Nie można utworzyć katalogu \"Q:\\x\\\"", {DlgButton::OK}, ModalResult::OK},
      // Never asked by a run that never aborts; answering it would guess.
      {true, true, "Przerwać proces instalacji ?", yesNo, ModalResult::None},
      // A known text with other buttons than expected is not the known question any more.
      {true, true, kFile, yesNo, ModalResult::None},
  };
  for (const auto& [overwriteAll, associate, text, buttons, answer] : cases) {
    SCOPED_TRACE(text);
    const plat::DialogRequest request{text, plat::DlgType::Warning, buttons, 0, -1, 0};
    {
      unattended::SetupLog log(kLog, files.Create(kLog));
      unattended::AnsweringDialogs answers(log, {overwriteAll, associate});
      if (answer == ModalResult::None)
        EXPECT_THROW(answers.Show(request), unattended::EUnexpectedDialog);
      else
        EXPECT_EQ(answers.Show(request), answer);
    }
    // The log file is complete once the log is gone.
    EXPECT_TRUE(Has(files.ReadFile(kLog), answer == ModalResult::None
                                              ? "BŁĄD: nieoczekiwany komunikat"
                                              : "Komunikat: \""));
    // The wizard with /SUPPRESSMSGBOXES takes the same answers and shows only the others.
    if (answer == ModalResult::None) platform.dialogs.Expect(text, ModalResult::Cancel);
    unattended::WizardDialogs wizard(platform.dialogs, {overwriteAll, associate}, true);
    EXPECT_EQ(wizard.Show(request), answer == ModalResult::None ? ModalResult::Cancel : answer);
  }
  const std::pair<std::vector<std::pair<std::string, ModalResult>>, engine::Answers> asked[] = {
      {{}, {false, false}},  // nothing asked: the switches' answers stand
      {{{kFile, ModalResult::Yes}, {kFile, ModalResult::No}, {kTakeOver, ModalResult::Yes}},
       {false, true}},
      {{{kFile, ModalResult::No}, {kFile, ModalResult::All}}, {true, false}},
      {{{kFile, ModalResult::Abort}}, {false, false}},
  };
  for (const auto& [script, given] : asked) {
    unattended::WizardDialogs wizard(platform.dialogs, {false, false}, false);
    for (const auto& [text, answer] : script) {
      platform.dialogs.Expect(text, answer);
      wizard.Show({text, plat::DlgType::Confirmation, kOverwrite, 0, -1, 0});
    }
    EXPECT_EQ(std::pair(wizard.Given().overwriteAll, wizard.Given().associate),
              std::pair(given.overwriteAll, given.associate));
  }
}
