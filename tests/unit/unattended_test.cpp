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
  const engine::MediumKind medium = engine::ReadMediumKind(files, "D:\\");
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
    const unattended::Resolution r =
        unattended::ResolveChoices(platform, medium, unattended::ParseSwitches(args));
    EXPECT_EQ(r.error, error) << ::testing::PrintToString(args);
    if (error.empty()) {
      EXPECT_EQ(std::pair(r.choices.products, r.choices.options),
                std::pair(engine::ProductChoice{false, false, false, true},
                          std::array<bool, 3>{false, false, autostart}));
    }
  }
  const engine::FolderTexts folders =
      unattended::ResolveChoices(
          platform, medium,
          unattended::ParseSwitches({"/SILENT", "/DIR=  F:\\Nowy  ", "/DIR3=", "/DIR0=G:\\Emu"}))
          .choices.folders;
  EXPECT_EQ(folders.mainFolder, "F:\\Nowy");
  EXPECT_EQ(folders.emulator, "G:\\Emu");
  EXPECT_EQ(folders.ftpServer, "");
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
  for (const std::string& line : std::vector<std::string>{
           "Utworzono katalog: D:\\Srv\r\n", "Zapisano plik: D:\\Srv\\NorvikFTPsrv.exe (20 B)",
           "Utworzono skrót: C:\\Autostart\\Serwer FTP.lnk -> D:\\Srv\\NorvikFTPsrv.exe",
           "Zapisano INI: " + kTarget + "\\Vortel\\Vortel.ini [CONFIG] USERDIR=\r\n",
           "\\Uninstall\\Vortel PRO \"NoModify\" = 1\r\n", "Wynik: 0 (zainstalowano)"})
    EXPECT_TRUE(Has(log, line)) << line;
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
      {[&] {
         platform.registry.Set(RegRoot::ClassesRoot, ".vl", "", "Inny");
         platform.registry.Set(RegRoot::ClassesRoot, "Inny", "", "Obcy typ");
       },
       {"/VERYSILENT", "/ASSOCIATE=no"},
       "aktualnie instalowany program ?\" - odpowiedź: Nie",
       0},
      {[] {}, {"/VERYSILENT", "/DIR0=Q:\\Emu"}, "Wynik: 3 (nie można utworzyć katalogu)", 3},
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
      {[&] {  // a file where the client's working folder goes
         std::filesystem::remove_all(files.HostPath(kTarget + "\\FTPCli\\Profiles"));
         files.PutFile(kTarget + "\\FTPCli\\Profiles", "");
       },
       {"/VERYSILENT"},
       "BŁĄD: Komunikat: \"Nie można utworzyć katalogu \"" + kTarget + "\\FTPCli\\Profiles\"\"",
       3},
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
  // Taken over by no run since /ASSOCIATE=no: the failed ones gave it back.
  EXPECT_EQ(platform.registry.Get(RegRoot::ClassesRoot, ".vl", ""), "Inny");
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

TEST_F(UnattendedTest, SilentAndSuppressedQuestionsTakeTheSwitchesAnswersTheWizardKeepsTheUsers) {
  const sys::FileTypeHolder holder{".vl", "Vortel - plik konfiguracji", false, "Inny", ""};
  for (const bool yes : {false, true}) {  // /OVERWRITE=all and /ASSOCIATE=yes, or neither
    {
      unattended::SetupLog log(kLog, files.Create(kLog));
      unattended::SilentQuestions silent(log, {yes, yes});
      unattended::WizardQuestions suppressed(platform.dialogs, log, {yes, yes}, true);
      for (sys::Questions* asked : std::initializer_list<sys::Questions*>{&silent, &suppressed}) {
        EXPECT_EQ(asked->OverwriteFile("C:\\a b\\x.exe"),
                  yes ? sys::Overwrite::All : sys::Overwrite::No);
        EXPECT_EQ(asked->TakeOverFileType(holder), yes);
        EXPECT_FALSE(asked->AnotherShortcut("Vortel"));
        asked->FolderFailed("Q:\\x\\");
      }
      // Never asked of a run that never aborts: answering it would guess.
      EXPECT_THROW(silent.ConfirmAbort(), unattended::EUnexpectedDialog);
      platform.dialogs.Expect("Przerwać proces instalacji ?", ModalResult::No);
      EXPECT_FALSE(suppressed.ConfirmAbort());
    }
    const std::string log = files.ReadFile(kLog);
    EXPECT_TRUE(Has(log,
                    "Komunikat: \"Skrót 'Vortel' juz istnieje. Czy utworzyć następny ?\" - "
                    "odpowiedź: Nie\r\nBŁĄD: Komunikat: \"Nie można utworzyć katalogu"))
        << log;
    EXPECT_TRUE(Has(log, "BŁĄD: nieoczekiwany komunikat: \"Przerwać"));
  }
  EXPECT_EQ(platform.dialogs.shown.size(), 2u);
  // The overwrite answers and the file-type answer given (None: not asked); what is kept.
  const std::tuple<std::vector<ModalResult>, ModalResult, bool, bool> asked[] = {
      {{}, ModalResult::None, false, false},  // nothing asked: the switches' answers stand
      {{ModalResult::Yes, ModalResult::No}, ModalResult::Yes, false, true},
      {{ModalResult::No, ModalResult::All}, ModalResult::None, true, false},
      {{ModalResult::Abort}, ModalResult::None, false, false},
  };
  for (const auto& [overwrite, takeOver, all, associate] : asked) {
    sys::RunLog none;
    unattended::WizardQuestions wizard(platform.dialogs, none, {false, false}, false);
    for (const ModalResult answer : overwrite) {
      platform.dialogs.Expect("Plik \"C:\\a b\\x.exe\" już istnieje.\rNadpisać ?", answer);
      wizard.OverwriteFile("C:\\a b\\x.exe");
    }
    if (takeOver != ModalResult::None) {
      platform.dialogs.Expect(
          "Rejestrowane rozszerzenie (.vl) typu: \"Vortel - plik konfiguracji\"\rjest już "
          "zarejestrowane w systemie jako: \"Inny\"\roraz skojarzone z programem: \"\".\rZmienić "
          "przyporządkowanie rozszerzenia tak aby było domyślnie uruchamiane przez aktualnie "
          "instalowany program ?",
          takeOver);
      wizard.TakeOverFileType(holder);
    }
    EXPECT_EQ(std::pair(wizard.Given().overwriteAll, wizard.Given().associate),
              std::pair(all, associate));
  }
}
