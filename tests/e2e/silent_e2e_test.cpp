// Unattended installations: what lands where, the exit codes, the log, and no stray window.
#include <shlwapi.h>

#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <tuple>

#include "machine.h"
#include "ui_driver.h"

using namespace e2e;

namespace {

const std::wstring kTarget = L"C:\\Programy testowe\\Vortel PRO łódź";
const std::wstring kProgress = L"Instalacja pakietu Vortel PRO";

std::wstring Medium() {
  return BuildFolder() + L"medium-e2e\\";
}

struct Result {
  long exitCode = -1;
  int windowsShown = 0;                // every window shown, top-level or not
  std::vector<std::wstring> captions;  // of the top-level ones
  std::string log;
};

Result RunInstaller(const std::wstring& arguments, const std::wstring& medium = Medium()) {
  const std::wstring log = TempFolder() + L"vortel-silent-e2e.log";
  DeleteFileW(log.c_str());
  App app;
  EXPECT_TRUE(app.Start(medium + L"Install.exe", arguments + L" /LOG=\"" + log + L"\""));
  Result r;
  r.exitCode = app.WaitExit(std::chrono::milliseconds(120000));
  r.windowsShown = app.WindowsShown();
  r.captions = app.TopCaptions();
  r.log = ReadAll(log);
  return r;
}

long QuietUninstall() {
  const std::wstring command =
      RegistryString(HKEY_LOCAL_MACHINE, kUninstallKey, L"QuietUninstallString");
  const size_t end = command.find(L'"', 1);
  App app;
  EXPECT_TRUE(app.Start(command.substr(1, end - 1), command.substr(end + 2)));
  const long code = app.WaitExit(std::chrono::milliseconds(120000));
  EXPECT_EQ(app.WindowsShown(), 0);
  return code;
}

std::string RemoveAndRestart(const std::map<std::wstring, std::string>& before) {
  EXPECT_EQ(QuietUninstall(), 0);
  EXPECT_EQ(RestartWindows(), 0);
  return Differences(before, Snapshot());
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class SilentE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Exists(Medium() + L"Install.exe")) << "no medium: the silent_medium fixture's";
    Clean();
  }
  // Nothing of one scenario may decide another's, nor the wizard's tests in this prefix.
  void TearDown() override { Clean(); }
  static void Clean() {
    RemoveTree(L"C:\\Programy testowe");
    RemoveTree(UninstallFolder());
    RemoveTree(TempFolder() + L"vortel-medium-copy");
    for (const std::wstring& key :
         {std::wstring(L"Software\\Norvik-Soft"), kUninstallKey, kAppPaths + L"Vortel.exe",
          kAppPaths + L"NorvikFTP.exe", kAppPaths + L"NorvikFTPBatch.exe",
          kAppPaths + L"NorvikFTPSrv.exe"})
      RegDeleteTreeW(HKEY_LOCAL_MACHINE, key.c_str());
    for (const wchar_t* key :
         {L".vl", L"VortelCfg", L".pft", L"NorvikFTPProfile", L".ftp", L"FTPBatchScript"})
      RegDeleteTreeW(HKEY_CLASSES_ROOT, key);
    RemoveShortcuts();
  }
  static std::wstring Dir() { return L"/DIR=\"" + kTarget + L"\""; }
};

}  // namespace

TEST_F(SilentE2E, VerySilentInstallsTheWholePackageWithoutAnyWindow) {
  // As package managers start it; a doubled final backslash (C runtime quoting) is the same folder.
  const Result r =
      RunInstaller(L"/SP- /VERYSILENT /SUPPRESSMSGBOXES /NORESTART /DIR=\"" + kTarget + L"\\\\\"");
  EXPECT_EQ(r.exitCode, 0) << r.log;
  EXPECT_EQ(r.windowsShown, 0);

  // The bytes are the installed_files test's; here each file is logged.
  const auto files = Tree(kTarget);
  int written = 0;
  for (const auto& [name, bytes] : files) {
    if (name == L"Vortel\\Vortel.ini") continue;  // written through the profile API
    ++written;
    EXPECT_TRUE(Has(r.log, "Zapisano plik: " + Utf8(kTarget + L"\\" + name) + " (" +
                               std::to_string(bytes.size()) + " B)"))
        << Utf8(name);
  }
  EXPECT_GT(written, 20);

  // The emulator's INI file is ANSI text; on a Polish system the Polish letters survive.
  const std::wstring ini = kTarget + L"\\Vortel\\Vortel.ini";
  EXPECT_EQ(IniValue(ini, L"FTP", L"CLIENT"), kTarget + L"\\FTPCli\\NorvikFtp.exe");
  EXPECT_EQ(IniValue(ini, L"FTP", L"SERVER"), kTarget + L"\\FTPSrv\\NorvikFTPsrv.exe");
  EXPECT_EQ(Registration(), kTarget + L"\\\n" + kTarget + L"\\Vortel\\\n" + kTarget +
                                L"\\FTPCli\\\n" + kTarget + L"\\FTPSrv\\\n\"" + UninstallFolder() +
                                L"\\Uninstall.exe\" /uninstall\nVortelCfg\nFTPBatchScript\n");

  // The wizard's default options: both desktop shortcuts, no start-up entry.
  EXPECT_EQ(Shortcuts(), L"Vortel.lnk\nNorvik-FTP.lnk\nVortel PRO\nVortel PRO\\Odinstaluj.lnk\n");
  EXPECT_TRUE(Has(r.log, "Utworzono skrót: " + Utf8(ShellFolder(L"Common Desktop")) +
                             "\\Vortel.lnk -> " + Utf8(kTarget) + "\\Vortel\\Vortel.exe"));

  // Again with /OVERWRITE=none: every file stays as it was, a changed one included.
  const std::wstring exe = kTarget + L"\\Vortel\\Vortel.exe";
  WriteAll(exe, "zmieniony");
  const auto before = Tree(kTarget);
  const Result again = RunInstaller(L"/VERYSILENT /OVERWRITE=none " + Dir());
  EXPECT_EQ(again.exitCode, 0) << again.log;
  EXPECT_EQ(Tree(kTarget), before);
  EXPECT_FALSE(Has(again.log, "Zapisano plik: " + Utf8(kTarget)));
  EXPECT_TRUE(
      Has(again.log, "Pominięto plik (już istnieje, pozostawiony bez zmian): " + Utf8(exe)));
}

TEST_F(SilentE2E, SilentServerOnlyWithItsStartUpEntryShowsOnlyTheProgressWindow) {
  const Result r =
      RunInstaller(L"/SILENT /COMPONENTS=ftpserver /TASKS=autostartftpserver /NOICONS " + Dir());
  EXPECT_EQ(r.exitCode, 0) << r.log;
  // Nothing but the progress window, and the application window that is its task-bar button.
  EXPECT_EQ(r.captions,
            (std::vector<std::wstring>{L"Instalator pakietu Vor - tel PRO", kProgress}));
  EXPECT_TRUE(Exists(kTarget + L"\\FTPSrv\\NorvikFTPsrv.exe"));
  EXPECT_FALSE(Exists(kTarget + L"\\Vortel") || Exists(kTarget + L"\\FTPCli"));
  EXPECT_EQ(Shortcuts(), L"Serwer FTP.lnk\n");
}

TEST_F(SilentE2E, AWizardRunSavedWithSaveInfReplaysVerySilentlyToTheSameMachine) {
  const std::wstring inf = TempFolder() + L"vortel-e2e.inf";
  DeleteFileW(inf.c_str());
  Wizard run;
  // Boxes without a documented answer (the folder question) are still shown.
  ASSERT_NO_FATAL_FAILURE(run.Start(Medium() + L"Install.exe", L"",
                                    L"/SUPPRESSMSGBOXES /NOICONS /SAVEINF=\"" + inf + L"\""));
  ASSERT_NO_FATAL_FAILURE(run.Agree());
  ASSERT_NO_FATAL_FAILURE(run.Next("Step3"));
  ToggleListItem(run.Control("CheckListBox1"), 2);  // no batch client
  ASSERT_NO_FATAL_FAILURE(run.Next("Step4"));
  SetEditText(run.Control("Edit4"), kTarget);
  SetEditText(run.Control("edPath3"), L"C:\\Programy testowe\\Serwer FTP");
  Click(run.Control("BitBtn2"));
  ASSERT_NO_FATAL_FAILURE(run.Answer(L" Uwaga", "Yes"));
  ASSERT_NO_FATAL_FAILURE(run.WaitPage("Step5"));
  Click(run.Control("cbShortcutFTPcli"));
  Click(run.Control("cbFTPsrvAutostart"));
  ASSERT_NO_FATAL_FAILURE(run.Next("Step6"));
  ASSERT_NO_FATAL_FAILURE(run.Next("Step8"));
  ASSERT_NO_FATAL_FAILURE(run.LeaveFinishPage());
  // A shortcut holds its target's file times, which the replay's new copy changes.
  const auto state = [] {
    auto state = Snapshot();
    for (auto& [name, value] : state)
      if (name.size() > 4 && name.compare(name.size() - 4, 4, L".lnk") == 0) value.clear();
    return state;
  };
  const auto wizardState = state();
  EXPECT_TRUE(Exists(kTarget + L"\\FTPCli\\NorvikFtp.exe"));
  EXPECT_FALSE(Exists(kTarget + L"\\FTPCli\\NorvikFtpBatch.exe"));
  EXPECT_TRUE(Exists(L"C:\\Programy testowe\\Serwer FTP\\NorvikFTPsrv.exe"));
  EXPECT_EQ(Shortcuts(), L"Vortel.lnk\nSerwer FTP.lnk\n");

  Clean();
  const Result r = RunInstaller(L"/VERYSILENT /LOADINF=\"" + inf + L"\"");
  EXPECT_EQ(r.exitCode, 0) << r.log;
  EXPECT_EQ(Differences(wizardState, state()), "");
}

TEST_F(SilentE2E, QuietUninstallStringRemovesItAllAndGivesTheTypeBackToItsProgram) {
  const wchar_t other[] = L"\"C:\\windows\\notepad.exe\" \"%1\"";
  RegSetKeyValueW(HKEY_CLASSES_ROOT, L".vl", nullptr, REG_SZ, L"InnyProgram.vl", 30);
  RegSetKeyValueW(HKEY_CLASSES_ROOT, L"InnyProgram.vl\\shell\\open\\command", nullptr, REG_SZ,
                  other, sizeof other);
  const auto before = Snapshot();
  const Result r = RunInstaller(L"/VERYSILENT " + Dir());
  ASSERT_EQ(r.exitCode, 0) << r.log;
  EXPECT_EQ(RegistryString(HKEY_CLASSES_ROOT, L".vl", L""), L"VortelCfg");
  // The entry's other values are the registry unit tests'; the size is counted from real files.
  EXPECT_GT(wcstol(RegistryString(HKEY_LOCAL_MACHINE, kUninstallKey, L"EstimatedSize").c_str(),
                   nullptr, 10),
            10);
  // Only administrators write the journal; one line outside the package and none of it is obeyed.
  const std::wstring journal = UninstallFolder() + L"\\Install.log";
  EXPECT_TRUE(Exists(UninstallFolder() + L"\\Uninstall.exe") &&
              !Exists(kTarget + L"\\Install.log"));
  const std::string lines = ReadAll(journal);
  ASSERT_FALSE(lines.empty());
  WriteAll(journal, lines + "file\tC:\\windows\\win.ini\t-\n");
  const auto installed = Snapshot();
  EXPECT_EQ(QuietUninstall(), 6);
  const std::string log = ReadAll(TempFolder() + L"Vortel PRO Uninstall.log");
  EXPECT_TRUE(Has(log, "spoza pakietu Vortel PRO:") && Has(log, "file C:\\windows\\win.ini -"))
      << log;
  EXPECT_EQ(Differences(installed, Snapshot()), "");
  WriteAll(journal, lines);
  EXPECT_EQ(RemoveAndRestart(before), "");
  // The shell opens the type with the other program again.
  wchar_t command[MAX_PATH] = {};
  DWORD length = MAX_PATH;
  AssocQueryStringW(0, ASSOCSTR_COMMAND, L".vl", L"open", command, &length);
  EXPECT_EQ(std::wstring(command), other);
  RegDeleteTreeW(HKEY_CLASSES_ROOT, L"InnyProgram.vl");
}

// Runs a very silent installation until `reached`, then kills it, as a machine switched off.
long KilledWhen(const std::function<bool()>& reached) {
  App app;
  EXPECT_TRUE(app.Start(Medium() + L"Install.exe", L"/VERYSILENT /DIR=\"" + kTarget + L"\""));
  EXPECT_TRUE(WaitFor(reached, std::chrono::milliseconds(120000)));
  app.Kill();
  return app.WaitExit();  // 99: killed before its end
}

TEST_F(SilentE2E, ACorruptStoredFileEndsWithFourAndAKilledRunIsCompletedByTheNextOrRemoved) {
  // Another file's valid stream in place of a stored file, a plain file changed, one missing, a
  // kind added, and last (left for the rest) the stored file in the middle of the emulator's
  // list cut in half: none installs anything.
  const std::wstring damaged = TempFolder() + L"vortel-medium-copy\\";
  using Files = std::map<std::wstring, std::string>;
  const std::function<void(Files&)> faults[] = {
      [](Files& t) { t[L"cnvCSK-852.fn_"] = t[L"ramki852.fn_"]; },
      [](Files& t) { t[L"wydruk"] += "x"; },
      [](Files& t) { t.erase(L"FTPSrv.cn_"); },
      [](Files& t) { t[L"appid.dat"] = "A"; },
      [](Files& t) { t[L"cnvCSK-852.fn_"].resize(t[L"cnvCSK-852.fn_"].size() / 2); },
  };
  std::map<std::wstring, std::string> before;
  for (const auto& fault : faults) {
    RemoveTree(damaged);
    CreateDirectoryW(damaged.c_str(), nullptr);
    Files medium = Tree(Medium().substr(0, Medium().size() - 1));
    fault(medium);
    for (const auto& [name, bytes] : medium) WriteAll(damaged + name, bytes);
    before = Snapshot();
    const Result r = RunInstaller(L"/VERYSILENT " + Dir(), damaged);
    EXPECT_EQ(r.exitCode, 4) << r.log;
    EXPECT_EQ(Differences(before, Snapshot()), "");
  }
  EXPECT_EQ(KilledWhen([] { return Exists(kTarget + L"\\FTPCli\\NorvikFtp.exe"); }), 99);
  EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayName"), L"<missing>");
  ASSERT_EQ(RunInstaller(L"/VERYSILENT " + Dir()).exitCode, 0);
  const auto installed = Snapshot();
  // The damaged file's old copy among them, and not a window on the way.
  const Result r = RunInstaller(L"/VERYSILENT " + Dir(), damaged);
  EXPECT_EQ(r.exitCode, 4);
  EXPECT_EQ(r.windowsShown, 0);
  EXPECT_EQ(Differences(installed, Snapshot()), "") << r.log;
  EXPECT_TRUE(Has(
      r.log, "BŁĄD: nie zainstalowano pliku " + Utf8(kTarget + L"\\Vortel\\cnvCSK-852.fnt") + ": "))
      << r.log;
  EXPECT_TRUE(Has(r.log, "Wynik: 4"));
  EXPECT_EQ(RemoveAndRestart(before), "");
  EXPECT_EQ(KilledWhen([] {
              return RegistryString(HKEY_LOCAL_MACHINE, kUninstallKey, L"QuietUninstallString") !=
                     L"<missing>";
            }),
            99);
  EXPECT_EQ(RemoveAndRestart(before), "");
}

TEST_F(SilentE2E, AFaultyCommandLineOrAFolderThatCannotBeMadeEndWithTheReason) {
  const std::wstring folder = FreeDriveLetter() + L":\\Vortel PRO";
  const std::tuple<std::wstring, long, std::string> cases[] = {
      {L"/SILENT /UNKNOWN", 1, "BŁĄD: Nieznany parametr wiersza poleceń: \"/UNKNOWN\"."},
      {L"/VERYSILENT /DIR=\"" + folder + L"\"", 3,
       "BŁĄD: Komunikat: \"Nie można utworzyć katalogu \"" + Utf8(folder) + "\\\"\""},
  };
  for (const auto& [arguments, code, reason] : cases) {
    const Result r = RunInstaller(arguments);
    EXPECT_EQ(r.exitCode, code) << Utf8(arguments);
    EXPECT_EQ(r.windowsShown, 0) << Utf8(arguments);
    EXPECT_TRUE(Has(r.log, reason)) << r.log;
    EXPECT_FALSE(Has(r.log, "Zapisano plik:"));
  }
  // Without /LOG the reason still goes to the temporary folder, renamed if the usual name is taken.
  const std::wstring defaultLog = TempFolder() + L"Vortel PRO Setup.log",
                     second = TempFolder() + L"Vortel PRO Setup (2).log";
  WriteAll(defaultLog, "obcy");
  DeleteFileW(second.c_str());
  App app;
  ASSERT_TRUE(app.Start(Medium() + L"Install.exe", L"/VERYSILENT /OVERWRITE=some"));
  EXPECT_EQ(app.WaitExit(), 1);
  EXPECT_EQ(ReadAll(defaultLog), "obcy");
  EXPECT_TRUE(Has(ReadAll(second), "/OVERWRITE przyjmuje wartość all albo none"));
}
