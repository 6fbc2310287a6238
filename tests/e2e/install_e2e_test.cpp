// Installing from the mastered sample medium, driven through the wizard as a user does it.
#include <shlobj.h>

#include <gtest/gtest.h>

#include "machine.h"
#include "ui_driver.h"

using namespace e2e;

namespace {

const std::wstring kWizard = L"Norvik-Soft - Instalator oprogramowania Vortel PRO";

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

struct TitleSearch {
  const std::wstring* part;
  const wchar_t* cls;
  HWND found = nullptr;
};

BOOL CALLBACK MatchTitle(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<TitleSearch*>(p);
  wchar_t cls[64] = {}, title[256] = {};
  GetClassNameW(w, cls, 64);
  GetWindowTextW(w, title, 256);
  if ((!s->cls || std::wstring(cls) == s->cls) &&
      std::wstring(title).find(*s->part) != std::wstring::npos)
    s->found = w;
  return !s->found;
}

// A top-level window of any process whose title contains `part` (and of class `cls`).
HWND windowTitled(const std::wstring& part, const wchar_t* cls) {
  TitleSearch search{&part, cls};
  EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// One run of the installer from a medium, page by page.
struct Installer {
  App app;
  HWND form = nullptr;

  void Start(const std::wstring& medium) {
    ASSERT_TRUE(app.Start(medium + L"Install.exe", L"", medium));
    form = app.WaitTop(kWizard, L"TVortelForm");
    ASSERT_NE(form, nullptr) << "the wizard did not appear";
  }
  HWND Control(const char* name) { return FindControl(form, name); }
  void Page(const char* sheet, std::chrono::milliseconds timeout = kTimeout) {
    ASSERT_TRUE(WaitFor([&] { return Visible(Control(sheet)); }, timeout)) << sheet;
  }
  void Next() { Click(Control("BitBtn2")); }
  // Licence, products (toggling the given items), folders up to the folder question.
  void ToFolderQuestion(const std::wstring& mainFolder, std::initializer_list<int> untick = {}) {
    Click(Control("CheckBox1"));
    ASSERT_TRUE(WaitFor([&] { return Enabled(Control("BitBtn2")); }));
    Next();
    ASSERT_NO_FATAL_FAILURE(Page("Step3"));
    for (int item : untick) ToggleListItem(Control("CheckListBox1"), item);
    Next();
    ASSERT_NO_FATAL_FAILURE(Page("Step4"));
    SetEditText(Control("Edit4"), mainFolder);
    Next();
  }
  HWND Dialog(const std::wstring& caption, std::wstring* text = nullptr) {
    return WaitDialog(app, caption, text);
  }
  void Answer(HWND dialog, const char* button) {
    ASSERT_NE(dialog, nullptr);
    Click(FindControl(dialog, button));
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
  }
  // From the folder question's "&Tak" through options and summary to the start of the run.
  void ConfirmAndRun() {
    ASSERT_NO_FATAL_FAILURE(Answer(Dialog(L" Uwaga"), "Yes"));
    ASSERT_NO_FATAL_FAILURE(Page("Step5"));
    Next();
    ASSERT_NO_FATAL_FAILURE(Page("Step6"));
    Next();
  }
  void Install(const std::wstring& medium, const std::wstring& folder,
               std::initializer_list<int> untick = {}) {
    ASSERT_NO_FATAL_FAILURE(Start(medium));
    ASSERT_NO_FATAL_FAILURE(ToFolderQuestion(folder, untick));
    ASSERT_NO_FATAL_FAILURE(ConfirmAndRun());
  }
  // Waits for the finish page. An earlier installation in another folder owns the document
  // types, so the takeover questions may come; they are answered "&Tak". Any other dialog
  // fails the test.
  void RunToFinish() {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(120000);
    while (!Visible(Control("Step8")) && std::chrono::steady_clock::now() < end) {
      HWND dialog = nullptr;
      WaitFor([&] { return (dialog = app.MessageForm()) || Visible(Control("Step8")); });
      if (!dialog) continue;
      const std::wstring text = Text(FindControl(dialog, "Message"));
      ASSERT_EQ(text.rfind(L"Rejestrowane rozszerzenie", 0), 0u) << "unexpected: " << Utf8(text);
      ASSERT_NO_FATAL_FAILURE(Answer(dialog, "Yes"));
    }
    ASSERT_TRUE(Visible(Control("Step8")));
  }
  // Leaves the finish page with every box unticked, through Finish or the close box (which
  // asks nothing on the last page).
  void FinishWithoutActions(bool closeBox = false) {
    ASSERT_NO_FATAL_FAILURE(RunToFinish());
    for (const char* box : {"CheckBox5", "CheckBox2", "CheckBox3"}) {
      HWND w = Control(box);
      if (Visible(w) && Checked(w)) Click(w);
    }
    ASSERT_TRUE(
        WaitFor([&] { return !Checked(Control("CheckBox2")) && !Checked(Control("CheckBox3")); }));
    if (closeBox)
      CloseBox(form);
    else
      Click(Control("BitBtn4"));
    EXPECT_EQ(app.WaitExit(), 0);
  }
};

}  // namespace

TEST(InstallE2E, WholePackageWithDefaultsThenFinishStartsTheProgramsAndOpensTheNotes) {
  const std::wstring medium = CopyMedium(L"medium-whole");
  const std::wstring folder = L"C:\\Testy\\Vortel PRO zażółć";
  Installer run;
  ASSERT_NO_FATAL_FAILURE(run.Install(medium, folder));
  ASSERT_NO_FATAL_FAILURE(run.RunToFinish());

  const std::wstring main = folder + L"\\";
  for (const wchar_t* file : {L"Uninstall.exe", L"Zamowienie.doc", L"Vortel\\Vortel.exe",
                              L"Vortel\\wydruk", L"Vortel\\readme.txt", L"FTPCli\\NorvikFtp.exe",
                              L"FTPCli\\NorvikFtpBatch.exe", L"FTPCli\\Scripts\\vortelpro.ftp",
                              L"FTPSrv\\NorvikFTPsrv.exe", L"FTPSrv\\ftproot\\incoming"})
    EXPECT_TRUE(Exists(main + file)) << file;
  EXPECT_FALSE(Exists(main + L"Install.exe"));
  const std::wstring ini = main + L"Vortel\\Vortel.ini";
  wchar_t value[512] = {};
  GetPrivateProfileStringW(L"FTP", L"CLIENT", L"?", value, 512, ini.c_str());
  EXPECT_EQ(std::wstring(value), main + L"FTPCli\\NorvikFtp.exe");
  GetPrivateProfileStringW(L"FTP", L"SERVER", L"?", value, 512, ini.c_str());
  EXPECT_EQ(std::wstring(value), main + L"FTPSrv\\NorvikFTPsrv.exe");
  GetPrivateProfileStringW(L"CONFIG", L"USERDIR", L"?", value, 512, ini.c_str());
  EXPECT_EQ(std::wstring(value), L"");

  EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, L"Software\\Norvik-Soft", L"Path"), main);
  EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE,
                           L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Vortel.exe",
                           L"Path"),
            main + L"Vortel\\");
  EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE,
                           L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vortel PRO",
                           L"UninstallString"),
            L"\"" + main + L"Uninstall.exe\" /uninstall");
  EXPECT_EQ(RegistryString(HKEY_CLASSES_ROOT, L".vl", L""), L"VortelCfg");
  EXPECT_EQ(RegistryString(HKEY_CLASSES_ROOT, L".ftp", L""), L"FTPBatchScript");
  EXPECT_TRUE(Exists(ShellFolder(L"Common Desktop") + L"\\Vortel.lnk"));
  EXPECT_TRUE(Exists(ShellFolder(L"Common Desktop") + L"\\Norvik-FTP.lnk"));
  EXPECT_TRUE(Exists(ShellFolder(L"Common Programs") + L"\\Vortel PRO"));

  // Finish with the release notes ticked too: the notes open, the two programs start.
  HWND notes = run.Control("CheckBox5");
  Click(notes);
  ASSERT_TRUE(WaitFor([&] { return Checked(notes); }));
  EXPECT_TRUE(Checked(run.Control("CheckBox2")));
  EXPECT_TRUE(Checked(run.Control("CheckBox3")));
  Click(run.Control("BitBtn4"));
  EXPECT_EQ(run.app.WaitExit(std::chrono::milliseconds(120000)), 0);
  HWND vortel = nullptr, client = nullptr, readme = nullptr;
  EXPECT_TRUE(
      WaitFor([&] { return (vortel = windowTitled(L"Vortel", L"TApplication")) != nullptr; }));
  EXPECT_TRUE(
      WaitFor([&] { return (client = windowTitled(L"Klient FTP", L"TApplication")) != nullptr; }));
  EXPECT_TRUE(WaitFor([&] { return (readme = windowTitled(L"readme", nullptr)) != nullptr; }));
  for (HWND w : {vortel, client, readme})
    if (w) PostMessageW(w, WM_CLOSE, 0, 0);
}

TEST(InstallE2E, OnlyTheServerOrOnlyTheBatchClient) {
  const std::wstring medium = CopyMedium(L"medium-single");
  {
    Installer run;
    ASSERT_NO_FATAL_FAILURE(run.Install(medium, L"C:\\Testy\\Tylko serwer", {0, 1, 2}));
    ASSERT_NO_FATAL_FAILURE(run.FinishWithoutActions(true));
    EXPECT_TRUE(Exists(L"C:\\Testy\\Tylko serwer\\FTPSrv\\NorvikFTPsrv.exe"));
    EXPECT_FALSE(Exists(L"C:\\Testy\\Tylko serwer\\Vortel"));
    EXPECT_FALSE(Exists(L"C:\\Testy\\Tylko serwer\\FTPCli"));
  }
  {
    Installer run;
    ASSERT_NO_FATAL_FAILURE(run.Install(medium, L"C:\\Testy\\Tylko wsadowy", {0, 1, 3}));
    ASSERT_NO_FATAL_FAILURE(run.FinishWithoutActions());
    const std::wstring cli = L"C:\\Testy\\Tylko wsadowy\\FTPCli\\";
    EXPECT_TRUE(Exists(cli + L"NorvikFtpBatch.exe"));
    EXPECT_TRUE(Exists(cli + L"Norvik-FTP - Dokumentacja Techniczna.pdf"));
    EXPECT_TRUE(Exists(cli + L"Scripts\\vortelpro.ftp"));
    EXPECT_FALSE(Exists(cli + L"NorvikFtp.exe"));
    EXPECT_FALSE(Exists(L"C:\\Testy\\Tylko wsadowy\\FTPSrv"));
  }
}

TEST(InstallE2E, ReinstallingAnswersEachOverwriteQuestion) {
  const std::wstring medium = CopyMedium(L"medium-again");
  const std::wstring folder = L"C:\\Testy\\Ponownie";
  {
    Installer first;
    ASSERT_NO_FATAL_FAILURE(first.Install(medium, folder, {0, 1, 2}));
    ASSERT_NO_FATAL_FAILURE(first.FinishWithoutActions());
  }
  const std::wstring server = folder + L"\\FTPSrv\\NorvikFTPsrv.exe";
  WriteAll(server, "stary plik");
  {
    // "&Nie" to every question: the old file stays, the run still ends on the finish page.
    Installer second;
    ASSERT_NO_FATAL_FAILURE(second.Start(medium));
    ASSERT_NO_FATAL_FAILURE(second.ToFolderQuestion(folder, {0, 1, 2}));
    std::wstring text;
    ASSERT_NO_FATAL_FAILURE(second.Answer(second.Dialog(L" Uwaga", &text), "Yes"));
    EXPECT_NE(text.find(L"już istnieje."), std::wstring::npos);
    ASSERT_NO_FATAL_FAILURE(second.Page("Step5"));
    second.Next();
    ASSERT_NO_FATAL_FAILURE(second.Page("Step6"));
    second.Next();
    for (int answered = 0; answered < 20 && !Visible(second.Control("Step8"));) {
      HWND question = nullptr;
      WaitFor([&] {
        return (question = second.app.FindTop(L" Decyzja", L"TMessageForm")) != nullptr ||
               Visible(second.Control("Step8"));
      });
      if (!question) break;
      EXPECT_NE(Text(FindControl(question, "Message")).find(L"już istnieje."), std::wstring::npos);
      ASSERT_NO_FATAL_FAILURE(second.Answer(question, "No"));
      ++answered;
    }
    ASSERT_NO_FATAL_FAILURE(second.FinishWithoutActions());
    EXPECT_EQ(ReadAll(server), "stary plik");
  }
  {
    // "&Wszystkie" once: every file is replaced without another question.
    Installer third;
    ASSERT_NO_FATAL_FAILURE(third.Install(medium, folder, {0, 1, 2}));
    ASSERT_NO_FATAL_FAILURE(third.Answer(third.Dialog(L" Decyzja"), "All"));
    ASSERT_NO_FATAL_FAILURE(third.FinishWithoutActions());
    EXPECT_NE(ReadAll(server), "stary plik");
  }
}

TEST(InstallE2E, AbortAtAnOverwriteQuestionClosesWithoutAnError) {
  const std::wstring medium = CopyMedium(L"medium-abort");
  const std::wstring folder = L"C:\\Testy\\Przerwij";
  {
    Installer first;
    ASSERT_NO_FATAL_FAILURE(first.Install(medium, folder, {0, 1, 2}));
    ASSERT_NO_FATAL_FAILURE(first.FinishWithoutActions());
  }
  Installer second;
  ASSERT_NO_FATAL_FAILURE(second.Install(medium, folder, {0, 1, 2}));
  ASSERT_NO_FATAL_FAILURE(second.Answer(second.Dialog(L" Decyzja"), "Abort"));
  std::wstring text;
  HWND confirm = second.Dialog(L" Uwaga", &text);
  EXPECT_EQ(text, L"Przerwać proces instalacji ?");
  ASSERT_NO_FATAL_FAILURE(second.Answer(confirm, "Yes"));
  EXPECT_EQ(second.app.WaitExit(), 5);
  for (const std::wstring& caption : second.app.TopCaptions())
    EXPECT_NE(caption, L" B\u0142\u0105d");
}

TEST(InstallE2E, ACorruptStoredFileStopsTheRunAndKeepsTheOldFile) {
  const std::wstring medium = CopyMedium(L"medium-corrupt");
  const std::wstring folder = L"C:\\Testy\\Uszkodzony";
  const std::wstring target = folder + L"\\FTPSrv\\FTPSrv.hlp";
  CreateDirectoryW(L"C:\\Testy", nullptr);
  CreateDirectoryW(folder.c_str(), nullptr);
  CreateDirectoryW((folder + L"\\FTPSrv").c_str(), nullptr);
  WriteAll(target, "poprzednia pomoc");
  std::string stored = ReadAll(medium + L"FTPSrv.hl_");
  stored.resize(stored.size() / 2);  // a stream that ends early
  WriteAll(medium + L"FTPSrv.hl_", stored);
  Installer run;
  ASSERT_NO_FATAL_FAILURE(run.Install(medium, folder, {0, 1, 2}));
  ASSERT_NO_FATAL_FAILURE(run.Answer(run.Dialog(L" Decyzja"), "Yes"));  // overwrite FTPSrv.hlp
  std::wstring text;
  HWND error = run.Dialog(L" B\u0142\u0105d", &text);
  EXPECT_EQ(text, L"Wystąpił błąd podczas kopiowania plików.");
  ASSERT_NO_FATAL_FAILURE(run.Answer(error, "OK"));
  EXPECT_EQ(run.app.WaitExit(), 4);
  EXPECT_EQ(ReadAll(target), "poprzednia pomoc");
}

TEST(InstallE2E, AMainFolderOnAMissingDriveCopiesNothing) {
  const std::wstring medium = CopyMedium(L"medium-drive");
  const std::wstring folder = FreeDriveLetter() + L":\\Vortel";
  Installer run;
  ASSERT_NO_FATAL_FAILURE(run.Install(medium, folder));
  std::wstring text;
  HWND error = run.Dialog(L" B\u0142\u0105d", &text);
  EXPECT_EQ(text, L"Nie można utworzyć katalogu \"" + folder + L"\\\"");
  ASSERT_NO_FATAL_FAILURE(run.Answer(error, "OK"));
  EXPECT_EQ(run.app.WaitExit(), 3);
}

TEST(InstallE2E, AnEmptyMainFolderIsRefused) {
  const std::wstring medium = CopyMedium(L"medium-empty");
  Installer run;
  ASSERT_NO_FATAL_FAILURE(run.Start(medium));
  ASSERT_NO_FATAL_FAILURE(run.ToFolderQuestion(L""));
  std::wstring text;
  HWND error = run.Dialog(L" B\u0142\u0105d", &text);
  EXPECT_EQ(text, L"Proszę podać pełną ścieżkę katalogu docelowego.");
  ASSERT_NO_FATAL_FAILURE(run.Answer(error, "OK"));
  EXPECT_TRUE(Visible(run.Control("Step4")));
  run.app.Kill();
}
