// Installing from the mastered sample medium, driven through the wizard as a user does it.
#include <algorithm>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>

#include "machine.h"
#include "ui_driver.h"

// user32 exports it; MinGW's headers do not declare it.
extern "C" __declspec(dllimport) BOOL WINAPI SetShellWindow(HWND);

using namespace e2e;

namespace {

// A private copy of the whole-package medium, so a test may damage it.
std::wstring CopyMedium(const std::wstring& name) {
  const std::wstring to = TempFolder() + name + L"\\";
  RemoveTree(to);
  CreateDirectoryW(to.c_str(), nullptr);
  const auto files = Tree(BuildFolder() + L"medium-test");
  EXPECT_FALSE(files.empty()) << "no mastered medium";
  for (const auto& [file, bytes] : files) WriteAll(to + file, bytes);
  return to;
}

struct Installer : Wizard {
  std::wstring arguments;
  void Install(const std::wstring& medium, const std::wstring& folder,
               std::initializer_list<int> untick = {}) {
    ASSERT_NO_FATAL_FAILURE(Start(medium + L"Install.exe", medium, arguments));
    ASSERT_NO_FATAL_FAILURE(Agree());
    ASSERT_NO_FATAL_FAILURE(Next("Step3"));
    for (int item : untick) ToggleListItem(Control("CheckListBox1"), item);
    ASSERT_NO_FATAL_FAILURE(Next("Step4"));
    SetEditText(Control("Edit4"), folder);
    Click(Control("BitBtn2"));
    ASSERT_NO_FATAL_FAILURE(Answer(L" Uwaga", "Yes"));
    ASSERT_NO_FATAL_FAILURE(WaitPage("Step5"));
    ASSERT_NO_FATAL_FAILURE(Next("Step6"));
    Click(Control("BitBtn2"));
  }
  // To the finish page, pressing `button` in each dialog, whose text must start with `expected`.
  void RunToFinish(const std::wstring& expected = L"Rejestrowane rozszerzenie",
                   const char* button = "Yes") {
    const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    while (!OnPage("Step8") && std::chrono::steady_clock::now() < end) {
      HWND dialog = nullptr;
      WaitFor([&] { return (dialog = app.MessageForm()) || OnPage("Step8"); });
      if (!dialog) continue;
      const std::wstring text = Text(FindControl(dialog, "Message"));
      ASSERT_EQ(text.rfind(expected, 0), 0u) << "unexpected: " << Utf8(text);
      Click(FindControl(dialog, button));
      ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
    }
    ASSERT_TRUE(OnPage("Step8"));
  }
  // Finishes with the notes ticked too, each start logged in `log`. Wine's desktop has no shell
  // window, without which nothing would start: this test's window stands in for it.
  void FinishStartingEverything(const std::wstring& log) {
    const HWND shell = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                       nullptr, nullptr);
    ASSERT_TRUE(SetShellWindow(shell));
    HWND notes = Control("CheckBox5");
    Click(notes);
    ASSERT_TRUE(WaitFor([&] { return Checked(notes); }));
    Click(Control("BitBtn4"));
    EXPECT_EQ(app.WaitExit(std::chrono::minutes(2)), 0);
    for (const auto& [title, cls] : {std::pair{L"Vortel", L"TApplication"},
                                     {L"Klient FTP", L"TApplication"},
                                     {L"readme", nullptr}}) {
      HWND window = nullptr;
      EXPECT_TRUE(WaitFor([&] { return (window = AnyWindowTitled(title, cls)) != nullptr; }))
          << Utf8(title);
      if (window) PostMessageW(window, WM_CLOSE, 0, 0);
    }
    const std::string text = ReadAll(log);
    int started = 0;
    for (size_t at = 0;
         (at = text.find("\nUruchomiono z uprawnieniami powłoki", at)) != std::string::npos; ++at)
      ++started;
    EXPECT_EQ(started, 3) << text;
    DestroyWindow(shell);
  }
};

void InstallAndLeave(const std::wstring& medium, const std::wstring& folder,
                     std::initializer_list<int> untick, bool closeBox = false) {
  Installer run;
  ASSERT_NO_FATAL_FAILURE(run.Install(medium, folder, untick));
  ASSERT_NO_FATAL_FAILURE(run.RunToFinish());
  ASSERT_NO_FATAL_FAILURE(run.LeaveFinishPage(closeBox));
}

}  // namespace

// Not version.dll or msimg32.dll: Wine's user32 and uxtheme load those from beside any program.
TEST(InstallE2E, WholePackageWithDefaultsThenFinishStartsTheProgramsAndNoPlantedDllLoads) {
  const std::wstring medium = CopyMedium(L"medium-whole");
  const std::string probe = ReadAll(BuildFolder() + L"planted_dll.dll");
  ASSERT_FALSE(probe.empty());
  const std::wstring names[] = {L"uxtheme",  L"dwmapi",  L"cryptbase", L"profapi",  L"userenv",
                                L"propsys",  L"winmm",   L"shfolder",  L"comctl32", L"oleacc",
                                L"wtsapi32", L"sspicli", L"dbghelp"};
  // WINEDLLOVERRIDES would not pass from this process to the ones it starts.
  const std::wstring appDefaults = L"Software\\Wine\\AppDefaults\\Install.exe";
  HKEY overrides = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (appDefaults + L"\\DllOverrides").c_str(), 0,
                            nullptr, 0, KEY_SET_VALUE, nullptr, &overrides, nullptr),
            ERROR_SUCCESS);
  const wchar_t nativeFirst[] = L"native,builtin";
  for (const std::wstring& name : names) {
    WriteAll(medium + name + L".dll", probe);
    RegSetValueExW(overrides, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(nativeFirst),
                   sizeof nativeFirst);
  }
  RegCloseKey(overrides);
  const std::wstring folder = L"C:\\Testy\\Vortel PRO zażółć";
  const std::wstring log = TempFolder() + L"vortel-wizard-e2e.log";
  DeleteFileW(log.c_str());
  RemoveShortcuts();
  [&] {
    Installer run;
    run.arguments = L"/LOG=\"" + log + L"\"";
    ASSERT_NO_FATAL_FAILURE(run.Install(medium, folder));
    ASSERT_NO_FATAL_FAILURE(run.RunToFinish());
    const std::vector<int> bar = run.app.ProgressPositions();
    ASSERT_GE(bar.size(), 3u);
    EXPECT_GE(bar.front(), 0);
    EXPECT_EQ(std::adjacent_find(bar.begin(), bar.end(), std::greater_equal<int>()), bar.end());
    EXPECT_EQ(bar.back(), 100);
    // The files are the installed_files test's; the registration and INI file the silent cases'.
    EXPECT_TRUE(Exists(folder + L"\\FTPSrv\\ftproot\\incoming"));
    EXPECT_FALSE(Exists(folder + L"\\Install.exe"));
    EXPECT_EQ(Shortcuts(), L"Vortel.lnk\nNorvik-FTP.lnk\nVortel PRO\nVortel PRO\\Odinstaluj.lnk\n");
    run.FinishStartingEverything(log);
  }();
  App silent;
  EXPECT_TRUE(
      silent.Start(medium + L"Install.exe", L"/VERYSILENT /DIR=\"C:\\Testy\\Cicho\"", medium));
  EXPECT_EQ(silent.WaitExit(std::chrono::minutes(2)), 0);
  RegDeleteTreeW(HKEY_CURRENT_USER, appDefaults.c_str());
  for (const std::wstring& name : names)
    EXPECT_FALSE(Exists(medium + name + L".dll.loaded")) << Utf8(name);
}

TEST(InstallE2E, ReinstallingAnswersEachOverwriteQuestionAndAbortClosesWithoutAnError) {
  const std::wstring medium = CopyMedium(L"medium-again");
  const std::wstring folder = L"C:\\Testy\\Ponownie";
  ASSERT_NO_FATAL_FAILURE(InstallAndLeave(medium, folder, {0, 1, 2}, true));
  const std::wstring server = folder + L"\\FTPSrv\\NorvikFTPsrv.exe";
  WriteAll(server, "stary plik");
  // "&Nie" to every question: the old file stays, the run still ends on the finish page.
  Installer second;
  ASSERT_NO_FATAL_FAILURE(second.Install(medium, folder, {0, 1, 2}));
  ASSERT_NO_FATAL_FAILURE(second.RunToFinish(L"Plik \"" + folder + L"\\", "No"));
  ASSERT_NO_FATAL_FAILURE(second.LeaveFinishPage());
  EXPECT_EQ(ReadAll(server), "stary plik");
  // "&Wszystkie" once: every file is replaced without another question.
  Installer third;
  ASSERT_NO_FATAL_FAILURE(third.Install(medium, folder, {0, 1, 2}));
  ASSERT_NO_FATAL_FAILURE(third.Answer(L" Decyzja", "All"));
  ASSERT_NO_FATAL_FAILURE(third.RunToFinish());
  ASSERT_NO_FATAL_FAILURE(third.LeaveFinishPage());
  EXPECT_NE(ReadAll(server), "stary plik");
  // "&Przerwij" asks once more and closes without an error.
  Installer fourth;
  ASSERT_NO_FATAL_FAILURE(fourth.Install(medium, folder, {0, 1, 2}));
  fourth.Answer(L" Decyzja", "Abort");
  EXPECT_EQ(fourth.Answer(L" Uwaga", "Yes"), L"Przerwać proces instalacji ?");
  EXPECT_EQ(fourth.app.WaitExit(), 5);
  for (const std::wstring& caption : fourth.app.TopCaptions())
    EXPECT_NE(caption, L" B\u0142\u0105d");
}

// Made by BUNDLE from a copy of the medium and run alone from an empty folder.
TEST(InstallE2E, ASetupFileAloneInstallsWhatItsMediumDoesAndNothingWithAByteChanged) {
  const std::wstring medium = CopyMedium(L"medium-bundle"), alone = TempFolder() + L"bundle\\";
  RemoveTree(alone);
  CreateDirectoryW(alone.c_str(), nullptr);
  App bundling;
  ASSERT_TRUE(bundling.Start(
      medium + L"Install.exe",
      L"BUNDLE \"" + medium.substr(0, medium.size() - 1) + L"\" \"" + alone + L"Install.exe\""));
  ASSERT_EQ(bundling.WaitExit(std::chrono::minutes(2)), 0);
  const std::string bundle = ReadAll(alone + L"Install.exe");
  const auto silently = [&](const std::wstring& from, const std::wstring& folder) {
    App app;
    EXPECT_TRUE(app.Start(from + L"Install.exe", L"/VERYSILENT /DIR=\"" + folder + L"\"", from));
    return app.WaitExit(std::chrono::minutes(2));
  };
  // A byte in the middle of the carried files: the trailer's last field says where they start.
  uint64_t carried = 0, catalogue = 0;
  std::memcpy(&carried, bundle.data() + bundle.size() - 8, 8);
  std::memcpy(&catalogue, bundle.data() + bundle.size() - 24, 8);
  std::string changed = bundle;
  changed[carried + (catalogue - carried) / 2] ^= 1;
  WriteAll(alone + L"Install.exe", changed);
  RemoveShortcuts();
  RemoveTree(UninstallFolder());
  const auto before = Snapshot();
  EXPECT_EQ(silently(alone, L"C:\\Testy\\Zmieniony"), 4);
  EXPECT_EQ(Differences(before, Snapshot()), "");
  WriteAll(alone + L"Install.exe", bundle);
  ASSERT_NO_FATAL_FAILURE(InstallAndLeave(alone, L"C:\\Testy\\Z pliku", {}));
  ASSERT_EQ(silently(alone, L"C:\\Testy\\Z pliku cicho"), 0);
  ASSERT_EQ(silently(medium, L"C:\\Testy\\Z nośnika"), 0);
  // The emulator's INI file names its folder; every other byte is the medium's.
  auto installed = Tree(L"C:\\Testy\\Z nośnika");
  installed.erase(L"Vortel\\Vortel.ini");
  for (const wchar_t* folder : {L"C:\\Testy\\Z pliku", L"C:\\Testy\\Z pliku cicho"}) {
    auto tree = Tree(folder);
    EXPECT_EQ(tree.erase(L"Vortel\\Vortel.ini"), 1u);
    EXPECT_TRUE(tree == installed) << Utf8(folder);
  }
  EXPECT_GT(installed.size(), 20u);
  EXPECT_EQ(std::vector<std::wstring>{L"Install.exe"}, [&] {
    std::vector<std::wstring> names;
    for (const auto& entry : Tree(alone)) names.push_back(entry.first);
    return names;
  }());
}

// The Uninstall entry's command asks once, removes all but the user's profile and names it.
TEST(InstallE2E, ClosingWhileCopyingUndoesTheRunAndTheUninstallStringRemovesAllTheUserDidNotMake) {
  const std::wstring medium = CopyMedium(L"medium-remove");
  const std::wstring folder = L"C:\\Testy\\Do usunięcia";
  // Leftover shortcuts would bring questions, and an earlier journal would undo its run too.
  RemoveShortcuts();
  RemoveTree(UninstallFolder());
  const auto before = Snapshot();
  Installer closed;
  ASSERT_NO_FATAL_FAILURE(closed.Install(medium, folder));
  CloseBox(closed.form);  // handled by the run's message pump, between two files
  EXPECT_EQ(closed.Answer(L" Decyzja", "Yes"), L"Przerwać proces instalacji ?");
  EXPECT_EQ(closed.app.WaitExit(), 5);
  EXPECT_EQ(Differences(before, Snapshot()), "");
  ASSERT_NO_FATAL_FAILURE(InstallAndLeave(medium, folder, {}));
  const std::wstring profile = folder + L"\\FTPCli\\Profiles\\mój serwer.pft";
  WriteAll(profile, "host=ftp.example");
  const std::wstring uninstaller = UninstallFolder() + L"\\Uninstall.exe";
  ASSERT_EQ(RegistryString(HKEY_LOCAL_MACHINE, kUninstallKey, L"UninstallString"),
            L"\"" + uninstaller + L"\" /uninstall");
  App app;
  ASSERT_TRUE(app.Start(uninstaller, L"/uninstall"));
  const std::pair<std::wstring, std::wstring> dialogs[] = {
      {L" Decyzja", L"Czy usunąć pakiet Vortel PRO i wszystkie jego składniki z komputera ?"},
      {L" Informacja",
       L"Pakiet Vortel PRO został usunięty z komputera.\r\n\r\nPozostawiono pliki i "
       L"katalogi utworzone przez użytkownika:\r\n" +
           profile}};
  for (const auto& [caption, expected] : dialogs) {
    std::wstring text;
    HWND dialog = WaitDialog(app, caption, &text);
    ASSERT_NE(dialog, nullptr) << Utf8(caption);
    EXPECT_EQ(text, expected);
    Click(FindControl(dialog, caption == L" Decyzja" ? "Yes" : "OK"));
  }
  EXPECT_EQ(app.WaitExit(), 0);
  // The uninstaller and the profile's folders wait for the next start of Windows.
  EXPECT_EQ(ReadAll(profile), "host=ftp.example");
  EXPECT_FALSE(Exists(folder + L"\\Uninstall.exe") || Exists(UninstallFolder() + L"\\Install.log"));
  DeleteFileW(profile.c_str());
  EXPECT_EQ(RestartWindows(), 0);
  EXPECT_EQ(Differences(before, Snapshot()), "");
}
