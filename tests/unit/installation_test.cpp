// The installation run: the steps a choice plans, each product's settings, applying them, its ends.
#include "engine/installation.h"

#include <gtest/gtest.h>

#include "engine/configuration.h"
#include "engine/install_plan.h"
#include "install_fixture.h"
#include "system/paths.h"

using engine::RunOutcome;
using installtest::LoggingView;
using installtest::Machine;
using installtest::NewContents;
using installtest::Selection;
using plat::ModalResult;
using namespace engine;

namespace {

const Selection kAll = {true, true, true, true};
const std::string kShortcuts = "info Tworzenie skrótów do programów.";
const std::string kRegistering = "info Rejestrowanie programów.";

std::string Copying(const std::string& name) {
  return "info Kopiowanie pliku \"" + name + "\".";
}

const Folders kDirs = {"C:\\VP\\", "C:\\VP\\Emu\\", "C:\\VP\\Ftp\\", "D:\\Srv\\"};

std::string ListName(const FileList* list) {
  const std::pair<const FileList*, const char*> names[] = {
      {&CommonFiles, "common"},          {&VortelFiles, "vortel"},
      {&FtpClientFiles, "ftpclient"},    {&FtpBatchFiles, "ftpbatch"},
      {&FtpManualFiles, "ftpmanual"},    {&FtpServerFiles, "ftpserver"},
      {&UninstallerFiles, "uninstaller"}};
  for (const auto& [known, name] : names)
    if (known == list) return name;
  return "?";
}

// One line per run of like steps, "; " between: list or product, folder; link, target, description.
std::vector<std::string> Describe(const RunPlan& plan) {
  const char* const kinds[] = {"folder ", "files ", "link ", "configure ", "register ", "group "};
  std::vector<std::string> lines;
  for (const RunStep& s : plan.steps) {
    std::string line;
    if (s.files) line += ListName(s.files) + " ";
    if (s.product >= 0) line += std::to_string(s.product) + " ";
    if (s.kind == StepKind::Shortcut)
      line += s.shellFolder + "\\" + s.linkName + " " + s.folder + s.program + " \"" +
              s.description + "\"";
    else
      line += s.folder;
    const std::string kind = kinds[static_cast<int>(s.kind)];
    if (!lines.empty() && lines.back().rfind(kind, 0) == 0)
      lines.back() += "; " + line;
    else
      lines.push_back(kind + line);
  }
  return lines;
}

const std::string kIni = "C:\\VP\\Vortel\\Vortel.ini";
const std::string kClient = "CLIENT=C:\\VP\\FTPCli\\NorvikFtp.exe\r\n";
const std::string kServer = "SERVER=C:\\VP\\FTPSrv\\NorvikFTPsrv.exe\r\n";

struct ConfigurationTest : ::testing::Test, Machine {
  void SetUp() override {
    for (const auto& folder : dirs) ASSERT_TRUE(sys::CreateDirectoryPath(platform.files, folder));
    copier.OverwriteAll = true;  // the sample script of an earlier case is simply replaced
  }
  void Configure(const std::string& chosen) {
    const engine::ProductChoice c = {chosen[0] == '+', chosen[1] == '+', chosen[2] == '+',
                                     chosen[3] == '+'};
    if (c[engine::kVortel]) engine::ConfigureVortel(platform, c, dirs);
    if (c[engine::kFtpClient]) engine::ConfigureFtpClient(platform, c, dirs, shown.asked);
    EXPECT_TRUE(!c[engine::kFtpBatch] || engine::ConfigureFtpBatch(c, dirs, copier));
    if (c[engine::kFtpServer]) engine::ConfigureFtpServer(platform, c, dirs, shown.asked);
  }

  engine::Folders dirs = {"C:\\VP\\", "C:\\VP\\Vortel\\", "C:\\VP\\FTPCli\\", "C:\\VP\\FTPSrv\\"};
  installtest::Shown shown{platform.dialogs};
  engine::Copier copier{platform, stop, view, shown.asked, installtest::kMedium};
};

}  // namespace

TEST(InstallPlan, ListsEveryStepInTheRunsOrderWithItsFolder) {
  const struct {
    ProductChoice products;
    std::array<bool, kOptionCount> options;
    std::vector<std::string> steps;
  } cases[] = {
      {{true, true, true, true},
       {true, true, true},
       {"folder C:\\VP\\; C:\\VP\\Emu\\; C:\\VP\\Ftp\\; D:\\Srv\\",
        "files common C:\\VP\\; uninstaller C:\\U\\; ftpserver D:\\Srv\\; ftpbatch C:\\VP\\Ftp\\; "
        "ftpclient C:\\VP\\Ftp\\; ftpmanual C:\\VP\\Ftp\\; vortel C:\\VP\\Emu\\",
        "link Desktop\\Vortel C:\\VP\\Emu\\Vortel.exe \"Emulator terminala Vortel\"; "
        "Desktop\\Norvik-FTP C:\\VP\\Ftp\\NorvikFtp.exe \"Klient FTP firmy Norvik-Soft\"; "
        "Startup\\Serwer FTP D:\\Srv\\NorvikFTPsrv.exe \"Serwer FTP firmy Norvik-Soft\"",
        "configure 0 C:\\VP\\Emu\\; 1 C:\\VP\\Ftp\\; 2 C:\\VP\\Ftp\\; 3 D:\\Srv\\",
        "register 3 D:\\Srv\\; 2 C:\\VP\\Ftp\\; 1 C:\\VP\\Ftp\\; 0 C:\\VP\\Emu\\",
        "group C:\\VP\\"}},
      // The batch client alone still brings the FTP manual and the clients' folder.
      {{false, false, true, false},
       {false, false, false},
       {"folder C:\\VP\\; C:\\VP\\Ftp\\",
        "files common C:\\VP\\; uninstaller C:\\U\\; ftpbatch C:\\VP\\Ftp\\; ftpmanual "
        "C:\\VP\\Ftp\\",
        "configure 2 C:\\VP\\Ftp\\", "register 2 C:\\VP\\Ftp\\", "group C:\\VP\\"}},
      {{true, false, false, true},
       {false, false, true},
       {"folder C:\\VP\\; C:\\VP\\Emu\\; D:\\Srv\\",
        "files common C:\\VP\\; uninstaller C:\\U\\; ftpserver D:\\Srv\\; vortel C:\\VP\\Emu\\",
        "link Startup\\Serwer FTP D:\\Srv\\NorvikFTPsrv.exe \"Serwer FTP firmy Norvik-Soft\"",
        "configure 0 C:\\VP\\Emu\\; 3 D:\\Srv\\", "register 3 D:\\Srv\\; 0 C:\\VP\\Emu\\",
        "group C:\\VP\\"}},
  };
  for (const auto& c : cases) {
    InstallChoices choices;
    choices.products = c.products;
    choices.options = c.options;
    const RunPlan plan = PlanInstallation(choices, kDirs, "C:\\U\\");
    EXPECT_EQ(Describe(plan), c.steps);
    EXPECT_EQ(plan.folders, kDirs);
    EXPECT_EQ(plan.products, c.products);
  }
  // /NOICONS: everything but the Start-menu group.
  InstallChoices noIcons;
  noIcons.products = {true, false, false, false};
  noIcons.programGroup = false;
  EXPECT_EQ(Describe(PlanInstallation(noIcons, kDirs, "C:\\U\\")).back(),
            "register 0 C:\\VP\\Emu\\");
}

TEST(InstallationRun, AppliesThePlanFilesShortcutsConfigurationAndRegistrationsInOrder) {
  Machine m;
  // A sample script of several input blocks, so the progress must move within one file.
  const std::string script = enginetest::MixedBytes(300000, 3);
  m.platform.files.PutFile("D:\\vortelpro.ft_", enginetest::Deflate(script));
  bool linkBeforeScript = false;
  m.platform.pump.onPump = [&] {
    if (m.view.log.back() == Copying("vortelpro.ftp"))
      linkBeforeScript =
          m.platform.files.Exists(std::string(installtest::kDesktop) + "\\Vortel.lnk");
  };
  ASSERT_EQ(m.Run(kAll, "C:\\VP", {true, true, true}), RunOutcome::Installed);
  EXPECT_TRUE(linkBeforeScript);
  engine::InstallChoices choices;
  choices.products = kAll;
  std::vector<std::string> copied;
  for (const auto& step :
       engine::PlanInstallation(choices, m.folders, installtest::kUninstallFolder).steps) {
    if (step.kind != engine::StepKind::Files) continue;
    for (const auto& entry : *step.files) {
      if (engine::KindOf(entry) == engine::EntryKind::Installer) continue;
      copied.push_back(Copying(entry));
      EXPECT_EQ(m.platform.files.ReadFile(step.folder + entry), NewContents(entry)) << entry;
    }
  }
  copied.push_back(Copying("vortelpro.ftp"));  // the sample script, while configuring
  EXPECT_FALSE(m.platform.files.Exists("C:\\VP\\Install.exe"));
  EXPECT_EQ(m.platform.files.ReadFile("C:\\VP\\FTPCli\\Scripts\\vortelpro.ftp"), script);
  std::vector<std::string> copies, signs;  // the copying, and the rest with the sample script
  for (const auto& line : m.view.log) {
    if (line.rfind("info Kopiowanie", 0) == 0) copies.push_back(line);
    if (line.rfind("info Kopiowanie", 0) != 0 || line == copied.back()) signs.push_back(line);
  }
  EXPECT_EQ(copies, copied);
  EXPECT_EQ(signs, (std::vector<std::string>{"progress", "animation on", kShortcuts,
                                             Copying("vortelpro.ftp"), kRegistering, "finish",
                                             "animation off"}));
  const auto& shown = m.view.percents;
  ASSERT_GE(shown.size(), 2u);
  EXPECT_EQ(std::pair(shown.front().first, shown.back().first), std::pair(0, 100));
  for (size_t i = 1; i < shown.size(); ++i) EXPECT_GT(shown[i].first, shown[i - 1].first);
  const auto& log = m.view.log;
  const size_t atScript = std::find(log.begin(), log.end(), Copying("vortelpro.ftp")) - log.begin();
  EXPECT_GE(std::count_if(shown.begin(), shown.end(),
                          [&](const auto& p) { return p.second == atScript + 1; }),
            3);
  EXPECT_LT(shown.back().second, size_t(std::find(log.begin(), log.end(), "finish") - log.begin()));
  for (const char* key : {"Vortel", "Klient FTP", "Wsadowy klient FTP", "Server FTP"})
    EXPECT_NE(m.platform.registry.Get(plat::RegRoot::LocalMachine,
                                      std::string("Software\\Norvik-Soft\\") + key, "Path"),
              "")
        << key;
}

// The ends only a staged machine reaches; the others are proven end to end.
TEST(InstallationRun, AProductFolderThatFailsOrAnAbortAtTheSampleScriptEndsBeforeRegistering) {
  Machine folder;
  const std::string folderBefore = folder.State();
  folder.platform.dialogs.Expect("Nie można utworzyć katalogu \"Q:\\Emu\\\"", ModalResult::OK);
  EXPECT_EQ(folder.Run(kAll, "C:\\VP", {}, "Q:\\Emu"), RunOutcome::FolderFailed);
  EXPECT_EQ(folder.view.log, (std::vector<std::string>{"progress"}));
  EXPECT_EQ(folder.platform.dialogs.shown.back().type, plat::DlgType::Error);
  Machine script;
  const std::string path = "C:\\VP\\FTPCli\\Scripts\\vortelpro.ftp";
  script.platform.files.PutFile(path, "old");
  const std::string scriptBefore = script.State();
  script.platform.dialogs.Expect("Plik \"" + path + "\" już istnieje.\rNadpisać ?",
                                 ModalResult::Abort);
  script.platform.dialogs.Expect("Przerwać proces instalacji ?", ModalResult::Yes);
  EXPECT_EQ(script.Run({false, false, true, false}, "C:\\VP"), RunOutcome::Aborted);
  EXPECT_EQ(script.view.log.back(), "animation off");
  // Undone: the main folder made before the failing one, the sample script's folders.
  EXPECT_EQ(folder.State(), folderBefore);
  EXPECT_EQ(script.State(), scriptBefore);
  // Folders that fit, with a file name that would take a path past the limit: nothing is made.
  Machine deep;
  const std::string main = "C:\\" + std::string(215, 'k');
  deep.platform.dialogs.ExpectStartingWith("Nie można utworzyć katalogu \"" + main + "\\",
                                           ModalResult::OK);
  EXPECT_EQ(deep.Run(kAll, main), RunOutcome::FolderFailed);
  EXPECT_EQ(deep.view.log, (std::vector<std::string>{"progress"}));
  EXPECT_FALSE(deep.platform.files.Exists(main));
  for (Machine* m : {&folder, &script, &deep})
    EXPECT_TRUE(m->platform.registry.writes.empty() &&
                !m->platform.files.Exists(std::string(installtest::kPrograms) + "\\Vortel PRO"));
}

// The run ends after that file (nothing may follow the last file, script or pump) and is undone.
TEST(InstallationRun, AStopRequestedWhileMessagesArePumpedEndsTheRunThere) {
  const struct {
    Selection chosen;
    std::string trigger;
  } cases[] = {
      {{true, false, false, false}, Copying("Vortel.hlp")},
      {{false, false, false, true}, Copying("Norvik-FTPSrv - Dokumentacja Techniczna.pdf")},
      {{false, false, true, true}, Copying("vortelpro.ftp")},
      {{false, false, false, true}, kRegistering},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.trigger);
    Machine m;
    m.platform.files.PutFile(kIni, "[FTP]\r\n");
    const std::string before = m.State();
    bool stopped = false;
    m.platform.pump.onPump = [&] {
      if (m.view.log.back() == c.trigger) m.stop.Request(), stopped = true;
    };
    EXPECT_EQ(m.Run(c.chosen, "C:\\VP", {false, false, true}), RunOutcome::Aborted);
    ASSERT_TRUE(stopped);
    EXPECT_EQ(std::vector(m.view.log.end() - 2, m.view.log.end()),
              (std::vector<std::string>{c.trigger, "animation off"}));
    EXPECT_TRUE(m.platform.registry.writes.empty());
    EXPECT_EQ(m.State(), before);
  }
}

TEST_F(ConfigurationTest, TheEmulatorsIniGainsMissingLinksAndAUserFolderKeyOnly) {
  // The products; the INI before and after ("-": no file).
  const std::tuple<const char*, std::string, std::string> cases[] = {
      {"++++", "-", "[CONFIG]\r\nUSERDIR=\r\n[FTP]\r\n" + kClient + kServer},
      {"---+", "[FTP]\r\nCLIENT=C:\\S\\x.exe\r\n", "[FTP]\r\nCLIENT=C:\\S\\x.exe\r\n" + kServer},
      {"---+", "[FTP]\r\nSERVER=E:\\x.exe\r\n", "[FTP]\r\nSERVER=E:\\x.exe\r\n"},  // stays
      {"---+", "-", "-"},  // no emulator: no file
      {"--+-", "[FTP]\r\nCLIENT=\r\nSERVER=x\r\n", "[FTP]\r\n" + kClient + "SERVER=x\r\n"},
      {"++--", "[config]\r\nuserdir=C:\\U\r\n", "[config]\r\nuserdir=C:\\U\r\n[FTP]\r\n" + kClient},
      {"+---", "; moje\r\n[INNE]\r\nA=1\r\n",
       "; moje\r\n[INNE]\r\nA=1\r\n[CONFIG]\r\nUSERDIR=\r\n"},
  };
  for (const auto& [chosen, before, after] : cases) {
    platform.files.Remove(kIni);
    if (before != "-") platform.files.PutFile(kIni, before);
    Configure(chosen);
    EXPECT_EQ(platform.files.Exists(kIni) ? platform.files.ReadFile(kIni) : "-", after) << before;
  }
}

TEST_F(ConfigurationTest, FtpProgramsGetTheirWorkingFoldersAndTheSampleScript) {
  Configure("-+++");
  for (const char* folder :
       {"FTPCli\\Profiles", "FTPCli\\Scripts", "FTPSrv\\ftproot", "FTPSrv\\ftproot\\incoming",
        "FTPSrv\\ftproot\\outgoing", "FTPSrv\\ftproot\\pub", "FTPSrv\\ftproot\\tmp"})
    EXPECT_TRUE(sys::DirectoryExists(platform.files, std::string("C:\\VP\\") + folder)) << folder;
  EXPECT_EQ(platform.files.ReadFile("C:\\VP\\FTPCli\\Scripts\\vortelpro.ftp"),
            installtest::NewContents("vortelpro.ftp"));
  // A folder that cannot be made is reported and the rest goes on.
  dirs[3] = "Q:\\Srv\\";
  for (const char* folder : {"", "incoming\\", "outgoing\\", "pub\\", "tmp\\"})
    platform.dialogs.Expect(
        "Nie można utworzyć katalogu \"Q:\\Srv\\ftproot\\" + std::string(folder) + "\"",
        plat::ModalResult::OK);
  platform.files.PutFile(kIni, "[FTP]\r\n");
  engine::ConfigureFtpServer(platform, {false, false, false, true}, dirs, shown.asked);
  EXPECT_EQ(platform.files.ReadFile(kIni), "[FTP]\r\nSERVER=Q:\\Srv\\NorvikFTPsrv.exe\r\n");
}
