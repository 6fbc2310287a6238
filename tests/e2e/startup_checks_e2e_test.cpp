// The refusal to start while a program of the package runs, against real windows and processes.
#include <gtest/gtest.h>
#include <tuple>

#include "machine.h"
#include "ui_driver.h"

using namespace e2e;

namespace {

const std::wstring kRefusal =
    L"Instalator wykrył, że są uruchomione niektóre komponenty\r\npakietu Vortel PRO.\r\n"
    L"Przed instalacją obecnej wersji należy je zakończyć.";

struct Probe {
  App app;
  Probe(const std::wstring& name, const std::wstring& title, const std::wstring& cls = L"") {
    const std::wstring dir =
        TempFolder() + L"vortel-probe-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(dir.c_str(), nullptr);
    const std::wstring exe = dir + L"\\" + name;
    CopyFileW((BuildFolder() + L"component_probe.exe").c_str(), exe.c_str(), FALSE);
    EXPECT_TRUE(app.Start(exe, L"\"" + title + L"\" " + cls));
    EXPECT_TRUE(WaitFor([&] { return app.FindTop(L"probe") != nullptr; }));
  }
};

void ExpectRefusal(const wchar_t* arguments = L"") {
  App installer;
  ASSERT_TRUE(installer.Start(installExe, arguments));
  std::wstring text;
  HWND dialog = WaitDialog(installer, L" Informacja", &text);
  ASSERT_NE(dialog, nullptr) << "no refusal";
  EXPECT_EQ(text, kRefusal);
  Click(FindControl(dialog, "OK"));
  EXPECT_EQ(installer.WaitExit(), 2);
  EXPECT_EQ(installer.TopCaptions(), std::vector<std::wstring>{L" Informacja"});
}

}  // namespace

// A very silent run refuses with the same code, without a window, its reason in the log.
TEST(StartupChecksE2E, EachSampleProgramRefusesTheStartWhileItRuns) {
  const std::wstring log = TempFolder() + L"vortel-refusal-e2e.log";
  for (const wchar_t* program :
       {L"Vortel.exe", L"NorvikFtp.exe", L"NorvikFtpBatch.exe", L"NorvikFTPsrv.exe"}) {
    SCOPED_TRACE(testing::Message() << program);
    App standIn, silent;
    ASSERT_TRUE(standIn.Start(BuildFolder() + L"standins\\" + program, L""));
    ASSERT_TRUE(WaitFor([&] { return !standIn.TopWindows().empty(); }));
    ExpectRefusal();
    DeleteFileW(log.c_str());
    ASSERT_TRUE(silent.Start(installExe, L"/VERYSILENT /LOG=\"" + log + L"\""));
    EXPECT_EQ(silent.WaitExit(), 2);
    EXPECT_EQ(silent.WindowsShown(), 0);
    EXPECT_NE(ReadAll(log).find("BŁĄD: Instalator wykrył, że są uruchomione niektóre komponenty"),
              std::string::npos);
    // The stand-in ends on WM_CLOSE, as the real programs do.
    for (HWND w : standIn.TopWindows()) PostMessageW(w, WM_CLOSE, 0, 0);
    EXPECT_EQ(standIn.WaitExit(), 0);
  }
}

// Found by its title (as unit tests and stand-ins list them) or, whatever the title, by the batch
// client's form or a file name in any letter case; only the exact "DISC" skips the check.
TEST(StartupChecksE2E, TitlesTheBatchClientsFormAndFileNamesRefuseTheStartUnlessExactlyDisc) {
  const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*> probes[] = {
      {L"przemianowany.exe", L"Wsadowy klient FTP", L""},
      {L"inny.exe", L"Bez tytułu", L"TVortelFTPWsadForm"},
      {L"norvikftpsrv.EXE", L"Inny program", L""},
  };
  for (const auto& [name, title, cls] : probes) {
    SCOPED_TRACE(testing::Message() << name << " " << title);
    Probe running(name, title, cls);
    ExpectRefusal(L"disc");
  }
  // Its default target A:\ does not exist here: it ends with its own message and exit code 1.
  Probe running(L"przemianowany.exe", L"Vortel");
  App installer;
  ASSERT_TRUE(installer.Start(installExe, L"DISC"));
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (dialog = installer.MessageForm()) != nullptr; }));
  const std::wstring text = Text(FindControl(dialog, "Message"));
  EXPECT_EQ(text.rfind(L"Nie udało się utworzyć nośnika instalacyjnego w \"A:\\\".", 0), 0u)
      << Utf8(text);
  Click(FindControl(dialog, "OK"));
  EXPECT_EQ(installer.WaitExit(), 1);
}
