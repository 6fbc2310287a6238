// The installation without the wizard on the headless backend: the same choices as the
// wizard's untouched pages, the answers the switches give, and nothing ever shown.
#include <gtest/gtest.h>

#include "engine/catalogue.h"
#include "engine/medium_kind.h"
#include "engine/run_state.h"
#include "engine_fixture.h"
#include "startup/entry.h"
#include "unattended/silent_run.h"
#include "wizard/instalator_form.h"

using plat::ModalResult;
using plat::RegRoot;

namespace {

constexpr char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const std::string kTarget = "C:\\Programy ąę\\Vortel PRO";
const std::string kLog = "C:\\Temp\\instalacja.log";

struct QuietChecks : startup::StartupChecks {
  bool running = false;
  bool CheckFreeResources(int, int, int) override { return true; }
  std::string ResourceMeterText() override { return std::string(); }
  bool IsAnyComponentRunning() override { return running; }
};

// A whole-package medium in D:\ and the shell folders the shortcuts go to.
class UnattendedTest : public ::testing::Test {
 protected:
  void SetUp() override {
    engine::ExitCode = 0;
    engine::MediumProducts = engine::kWholePackage;
    files.AddDrive('D');
    files.SetModulePath("D:\\Install.exe");
    files.PutFile("C:\\Temp\\.keep", "");
    for (const engine::FileList* list :
         {&engine::CommonFiles, &engine::VortelFiles, &engine::FtpClientFiles,
          &engine::FtpBatchFiles, &engine::FtpBatchScripts, &engine::FtpManualFiles,
          &engine::FtpServerFiles}) {
      for (const std::string& name : *list) {
        if (engine::KindOf(name) == engine::EntryKind::Stored)
          files.PutFile("D:\\" + engine::StoredName(name), enginetest::Deflate("nowy " + name));
        else if (engine::KindOf(name) == engine::EntryKind::Plain)
          files.PutFile("D:\\" + name, "nowy " + name);
      }
    }
    for (const char* folder : {"Common Desktop", "Common Startup", "Common Programs"}) {
      const std::string path = std::string("C:\\Wspólne\\") + folder;
      files.PutFile(path + "\\.keep", "");
      platform.registry.Set(RegRoot::LocalMachine, kShellFolders, folder, path);
    }
  }

  int Run(std::vector<std::string> args) {
    engine::CloseWithoutAsking = false;
    return startup::ProgramMain(args, checks);
  }
  std::string Log() { return files.ReadFile(kLog); }
  static bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
  }

  plat::headless::HeadlessPlatform platform;
  plat::headless::HeadlessFileSystem& files = platform.files;
  QuietChecks checks;
};

}  // namespace

TEST_F(UnattendedTest, ChoiceSwitchesAgainstTheMedium) {
  files.PutFile("D:\\appid.dat", "S");
  engine::ReadMediumKind("D:\\");
  const struct {
    std::vector<std::string> args;
    std::string error;
    engine::ProductChoice products;
    bool autostart;
  } cases[] = {
      {{"/SILENT"}, "", {false, false, false, true}, false},
      {{"/SILENT", "/TASKS=autostartftpserver,desktopvortel"},
       "",
       {false, false, false, true},
       true},
      {{"/SILENT", "/COMPONENTS=vortel"},
       "Produktu \"vortel\" nie ma na tym nośniku instalacyjnym.",
       {},
       false},
      {{"/SILENT", "/DIR=Programy"},
       "Katalog docelowy \"Programy\" nie jest pełną ścieżką.",
       {},
       false},
  };
  for (const auto& c : cases) {
    const unattended::Resolution r = unattended::ResolveChoices(unattended::ParseSwitches(c.args));
    EXPECT_EQ(r.error, c.error) << ::testing::PrintToString(c.args);
    if (!c.error.empty()) continue;
    EXPECT_EQ(r.choices.products, c.products);
    EXPECT_EQ(r.choices.options[engine::kAutostartFtpServer], c.autostart);
    EXPECT_FALSE(r.choices.options[engine::kDesktopVortel]);  // the emulator is not installed
  }
  const unattended::Resolution folders = unattended::ResolveChoices(
      unattended::ParseSwitches({"/SILENT", "/DIR=  F:\\Nowy  ", "/DIR3=", "/DIR0=G:\\Emu"}));
  EXPECT_EQ(folders.choices.folders.mainFolder, "F:\\Nowy");
  EXPECT_EQ(folders.choices.folders.ftpServer, "");
  EXPECT_EQ(folders.choices.folders.emulator, "G:\\Emu");
}

TEST_F(UnattendedTest, VerySilentInstallsEverythingWithoutAWindowOrAMessage) {
  EXPECT_EQ(Run({"/VERYSILENT", "/DIR=" + kTarget, "/LOG=" + kLog}), 0);
  EXPECT_TRUE(platform.dialogs.shown.empty());
  EXPECT_TRUE(platform.gui.shownForms.empty());
  const std::string log = Log();
  EXPECT_EQ(log.substr(0, 3), "\xEF\xBB\xBF");
  for (const auto& [list, folder] : {std::pair{&engine::VortelFiles, "\\Vortel\\"},
                                     {&engine::FtpServerFiles, "\\FTPSrv\\"},
                                     {&engine::FtpClientFiles, "\\FTPCli\\"}}) {
    for (const std::string& name : *list) {
      if (engine::KindOf(name) == engine::EntryKind::Installer) continue;
      const std::string path = kTarget + folder + name;
      EXPECT_EQ(files.ReadFile(path), "nowy " + name);
      EXPECT_TRUE(
          Has(log, "Zapisano plik: " + path + " (" + std::to_string(5 + name.size()) + " B)"))
          << path;
    }
  }
  EXPECT_TRUE(Has(log, "Utworzono katalog: C:\\Programy ąę"));
  EXPECT_TRUE(Has(log, "Utworzono skrót: C:\\Wspólne\\Common Desktop\\Vortel.lnk -> " + kTarget +
                           "\\Vortel\\Vortel.exe"));
  EXPECT_FALSE(Has(log, "Common Startup\\Serwer FTP.lnk"));  // not a default task
  EXPECT_TRUE(Has(log,
                  "Zapisano w rejestrze: HKEY_LOCAL_MACHINE\\Software\\Norvik-Soft\\ "
                  "\"Path\" = \"" +
                      kTarget + "\\\""));
  EXPECT_TRUE(Has(log, "Zapisano INI: " + kTarget + "\\Vortel\\Vortel.ini [CONFIG] USERDIR="));
  EXPECT_TRUE(Has(log, "Wynik: 0 (zainstalowano)"));
  EXPECT_EQ(platform.registry.Get(RegRoot::LocalMachine, "Software\\Norvik-Soft\\", "Path"),
            kTarget + "\\");
}

TEST_F(UnattendedTest, OverwriteNoneKeepsEveryFileAndAssociateNoKeepsOtherPrograms) {
  ASSERT_EQ(Run({"/VERYSILENT", "/DIR=" + kTarget}), 0);
  const std::string exe = kTarget + "\\Vortel\\Vortel.exe";
  files.PutFile(exe, "stary");
  platform.registry.Set(RegRoot::ClassesRoot, ".vl", "", "InnyProgram");
  platform.registry.Set(RegRoot::ClassesRoot, "InnyProgram", "", "Inny");
  EXPECT_EQ(
      Run({"/VERYSILENT", "/DIR=" + kTarget, "/OVERWRITE=none", "/ASSOCIATE=no", "/LOG=" + kLog}),
      0);
  EXPECT_TRUE(platform.dialogs.shown.empty());
  EXPECT_EQ(files.ReadFile(exe), "stary");
  EXPECT_EQ(platform.registry.Get(RegRoot::ClassesRoot, ".vl", ""), "InnyProgram");
  const std::string log = Log();
  EXPECT_TRUE(Has(log, "Pominięto plik (już istnieje, pozostawiony bez zmian): " + exe));
  EXPECT_FALSE(Has(log, "Zapisano plik: " + kTarget + "\\Vortel\\"));
  EXPECT_TRUE(Has(log, "Rejestrowane rozszerzenie (.vl)"));
  EXPECT_TRUE(Has(log, "odpowiedź: Nie"));
  // The existing desktop shortcut stays, with no numbered copy beside it.
  EXPECT_TRUE(Has(log, "Skrót 'Vortel' juz istnieje."));
  EXPECT_FALSE(files.Exists("C:\\Wspólne\\Common Desktop\\Vortel (1).lnk"));
}

TEST_F(UnattendedTest, FailuresEndWithTheirCodeAndTheReasonInTheLog) {
  ASSERT_EQ(Run({"/VERYSILENT", "/DIR=" + kTarget}), 0);
  const std::string exe = kTarget + "\\Vortel\\Vortel.exe";
  files.PutFile("D:\\Vortel.ex_", "to nie jest strumień zlib");
  EXPECT_EQ(Run({"/SILENT", "/DIR=" + kTarget, "/LOG=" + kLog}), 4);
  EXPECT_EQ(files.ReadFile(exe), "nowy Vortel.exe");
  EXPECT_TRUE(Has(Log(), "BŁĄD: nie zainstalowano pliku " + exe + ": "));
  EXPECT_TRUE(Has(Log(), "Wynik: 4"));

  EXPECT_EQ(Run({"/VERYSILENT", "/DIR=Q:\\Vortel", "/LOG=" + kLog}), 3);
  EXPECT_TRUE(Has(Log(), "BŁĄD: Komunikat: \"Nie można utworzyć katalogu \"Q:\\Vortel\\\""));

  checks.running = true;
  EXPECT_EQ(Run({"/VERYSILENT", "/LOG=" + kLog}), 2);
  EXPECT_TRUE(Has(Log(), "BŁĄD: Instalator wykrył, że są uruchomione niektóre komponenty"));
  checks.running = false;

  EXPECT_EQ(Run({"/VERYSILENT", "/COMPONENTS=vortel,ftp", "/LOG=" + kLog}), 1);
  EXPECT_TRUE(Has(Log(), "BŁĄD: Nieznany produkt w /COMPONENTS: \"ftp\""));
  // A log the administrator named but that cannot be made stops the run before it starts.
  EXPECT_EQ(Run({"/VERYSILENT", "/LOG=C:\\Brak\\x.log"}), 1);
  // Without /LOG the silent modes write to the user's temporary folder.
  EXPECT_EQ(Run({"/VERYSILENT", "/FOO"}), 1);
  EXPECT_TRUE(Has(files.ReadFile("C:\\Temp\\Vortel PRO Setup.log"), "\"/FOO\""));
  EXPECT_TRUE(platform.dialogs.shown.empty());
  // Only /SILENT's progress window was ever shown.
  EXPECT_EQ(platform.gui.shownForms, std::vector<std::string>{"ProgressWindow"});
}

TEST_F(UnattendedTest, WithoutASilentModeFaultsAndRefusalsAreShown) {
  platform.dialogs.ExpectStartingWith("Nieznany parametr wiersza poleceń: \"/FOO\".\r\r",
                                      ModalResult::OK);
  EXPECT_EQ(Run({"/FOO"}), 1);
  platform.dialogs.ExpectStartingWith("Instalator pakietu Vortel PRO - parametry", ModalResult::OK);
  EXPECT_EQ(Run({"/?"}), 0);
  checks.running = true;
  platform.dialogs.ExpectStartingWith("Instalator wykrył", ModalResult::OK);
  EXPECT_EQ(Run({"/LOG=" + kLog}), 2);
  // The wizard without switches refuses with the same code.
  platform.dialogs.ExpectStartingWith("Instalator wykrył", ModalResult::OK);
  EXPECT_EQ(Run({}), 2);
  EXPECT_TRUE(platform.dialogs.AllAnswered());
  EXPECT_TRUE(platform.gui.shownForms.empty());
}

TEST_F(UnattendedTest, TheWizardEndsWithTheSameCodesAndLogsWithLog) {
  // Walks the wizard to the summary with `mainFolder`, runs the installation and finishes.
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
  using Script = std::vector<std::pair<std::string, ModalResult>>;
  const struct {
    const char* name;
    std::function<void(plat::gui::Form&)> user;
    Script messages;
    int code;
  } cases[] = {
      {"installed", install(kTarget), {{"Katalog \"" + kTarget + "\"", ModalResult::Yes}}, 0},
      {"again, answering the questions",
       install(kTarget),
       {{"Katalog \"" + kTarget + "\" już", ModalResult::Yes},
        {"Plik \"" + kTarget + "\\Uninstall.exe\" już istnieje.", ModalResult::All},
        {"Skrót 'Vortel' juz", ModalResult::No},
        {"Skrót 'Norvik-FTP' juz", ModalResult::No}},
       0},
      {"folder failed",
       install("Q:\\Nowy"),
       {{"Katalog \"Q:\\Nowy\"", ModalResult::Yes},
        {"Nie można utworzyć katalogu \"Q:\\Nowy\\\"", ModalResult::OK}},
       3},
      {"closed at once",
       [](plat::gui::Form& shown) { shown.Close(); },
       {{"Przerwać proces instalacji ?", ModalResult::Yes}},
       5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    platform.gui = plat::headless::HeadlessGui();  // a new process: not terminated
    platform.gui.whileModal = c.user;
    for (const auto& [text, answer] : c.messages) platform.dialogs.ExpectStartingWith(text, answer);
    EXPECT_EQ(Run({"/LOG=" + kLog}), c.code);
    EXPECT_TRUE(platform.dialogs.AllAnswered());
    const std::string log = Log();
    EXPECT_TRUE(Has(log, "Wynik: " + std::to_string(c.code)));
    // Every message the user answered is in the log with the answer.
    for (const auto& [text, answer] : c.messages) EXPECT_TRUE(Has(log, "Komunikat: \"" + text));
  }
  EXPECT_TRUE(Has(Log(), "- odpowiedź: Tak"));
}

TEST_F(UnattendedTest, OnlyTheRunsKnownMessagesAreAnsweredAndAnythingElseFails) {
  using plat::DlgButton;
  using plat::DlgType;
  const std::vector<DlgButton> overwrite = {DlgButton::Yes, DlgButton::All, DlgButton::No,
                                            DlgButton::Abort};
  const std::vector<DlgButton> yesNo = {DlgButton::Yes, DlgButton::No};
  const std::string takeOver =
      "Rejestrowane rozszerzenie (.vl) typu: \"Vortel - plik konfiguracji\"\rjest już "
      "zarejestrowane w systemie jako: \"Inny\"\roraz skojarzone z programem: \"\".\rZmienić "
      "przyporządkowanie rozszerzenia tak aby było domyślnie uruchamiane przez aktualnie "
      "instalowany program ?";
  const struct {
    bool overwriteAll, associate;
    std::string text;
    std::vector<DlgButton> buttons;
    ModalResult answer;  // None: the run fails
  } cases[] = {
      {true, true, "Plik \"C:\\a b\\x.exe\" już istnieje.\rNadpisać ?", overwrite,
       ModalResult::All},
      {false, true, "Plik \"C:\\a b\\x.exe\" już istnieje.\rNadpisać ?", overwrite,
       ModalResult::No},
      {true, true, "Skrót 'Vortel' juz istnieje.\rCzy utworzyć następny ?", yesNo, ModalResult::No},
      {true, true, takeOver, yesNo, ModalResult::Yes},
      {true, false, takeOver, yesNo, ModalResult::No},
      {true, true, "Nie można utworzyć katalogu \"Q:\\x\\\"", {DlgButton::OK}, ModalResult::OK},
      {true, true, "Wystąpił błąd podczas kopiowania plików.", {DlgButton::OK}, ModalResult::OK},
      // Never asked by a run that never aborts; answering it would guess.
      {true, true, "Przerwać proces instalacji ?", yesNo, ModalResult::None},
      {true, true, "Proszę wybrać instalowane produkty.", {DlgButton::OK}, ModalResult::None},
      // A known text with other buttons than expected is not the known question any more.
      {true, true, "Plik \"C:\\x.exe\" już istnieje.\rNadpisać ?", yesNo, ModalResult::None},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    {
      unattended::SetupLog log(files, kLog);
      unattended::AnsweringDialogs answers(log, {c.overwriteAll, c.associate});
      const plat::DialogSpec spec{c.text, DlgType::Warning, c.buttons, 0, -1, 0};
      if (c.answer == ModalResult::None)
        EXPECT_THROW(answers.Show(spec), unattended::EUnexpectedDialog);
      else
        EXPECT_EQ(answers.Show(spec), c.answer);
    }
    // The log file is complete once the log is gone.
    EXPECT_TRUE(Has(
        Log(), c.answer == ModalResult::None ? "BŁĄD: nieoczekiwany komunikat" : "Komunikat: \""));
  }
}
