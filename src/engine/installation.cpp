#include "engine/installation.h"

#include <exception>

#include "engine/run_state.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "system/registry_entries.h"
#include "system/shell_links.h"

namespace engine {

namespace {

bool EnsureTargetFolders(const ProductChoice& chosen) {
  bool ok = EnsureFolder(TargetDirs[0]);
  if (ok && chosen[kVortel]) ok = EnsureFolder(TargetDirs[1]);
  if (ok && (chosen[kFtpClient] || chosen[kFtpBatch])) ok = EnsureFolder(TargetDirs[2]);
  if (ok && chosen[kFtpServer]) ok = EnsureFolder(TargetDirs[3]);
  return ok;
}

bool CopyLists(const ProductChoice& chosen, Copier& copier) {
  struct Step {
    const FileList& list;
    int slot;
    bool wanted;
  };
  const Step steps[] = {
      {CommonFiles, 0, true},
      {FtpServerFiles, 3, chosen[kFtpServer]},
      {FtpBatchFiles, 2, chosen[kFtpBatch]},
      {FtpClientFiles, 2, chosen[kFtpClient]},
      {FtpManualFiles, 2, chosen[kFtpClient] || chosen[kFtpBatch]},
      {VortelFiles, 1, chosen[kVortel]},
  };
  for (const Step& step : steps) {
    if (step.wanted && !copier.CopyFileList(step.list, LastIndex(step.list), TargetDirs[step.slot]))
      return false;
  }
  return true;
}

void CreateShortcuts(const InstallChoices& choices) {
  struct Link {
    bool wanted;
    const char* name;
    int slot;
    const char* program;
    const char* folder;
    const char* description;
  };
  const Link links[] = {
      {choices.desktopVortel, "Vortel", 1, "Vortel.exe", "Desktop", "Emulator terminala Vortel"},
      {choices.desktopFtpClient, "Norvik-FTP", 2, "NorvikFtp.exe", "Desktop",
       "Klient FTP firmy Norvik-Soft"},
      {choices.autostartFtpServer, "Serwer FTP", 3, "NorvikFTPsrv.exe", "Startup",
       "Serwer FTP firmy Norvik-Soft"},
  };
  for (const Link& link : links) {
    if (!link.wanted) continue;
    std::string finalName;
    bool failed = false;
    sys::CreateShortcut(link.name, TargetDirs[link.slot] + link.program, TargetDirs[link.slot], "",
                        link.description, link.folder, true, true, finalName, failed);
  }
}

void Configure(const ProductChoice& chosen, Copier& copier) {
  if (chosen[kVortel]) ConfigureVortel(chosen);
  if (chosen[kFtpClient]) ConfigureFtpClient(chosen);
  // A confirmed abort at the sample script's question, or a close confirmed while it expanded,
  // ends the run like any other abort.
  if (chosen[kFtpBatch] && (!ConfigureFtpBatch(chosen, copier) || StopRequested)) return;
  if (chosen[kFtpServer]) ConfigureFtpServer(chosen);
}

void RegisterProducts(const ProductChoice& chosen) {
  if (chosen[kFtpServer]) sys::RegisterFtpServer(TargetDirs[3]);
  if (chosen[kFtpBatch]) sys::RegisterFtpBatch(TargetDirs[2]);
  if (chosen[kFtpClient]) sys::RegisterFtpClient(TargetDirs[2]);
  if (chosen[kVortel]) sys::RegisterEmulator(TargetDirs[1], "Vortel", "Vortel.exe");
}

// The common end after a failure: the message (unless the user aborted), then the wizard goes.
void CopyFailed(const Copier& copier, InstallView& view) {
  if (!copier.InstallAborted)
    plat::MessageDlg("Wystąpił błąd podczas kopiowania plików.", plat::DlgType::Error,
                     {plat::DlgButton::OK});
  CloseWithoutAsking = true;
  view.CloseWizard();
}

}  // namespace

RunOutcome RunInstallation(const InstallChoices& choices, InstallView& view,
                           const std::string& sourceDir) {
  const ProductChoice& chosen = choices.products;
  ComputeTargetDirs(choices.folders);
  view.ShowProgressPage();
  if (!EnsureTargetFolders(chosen)) {
    CloseWithoutAsking = true;
    view.CloseWizard();
    return RunOutcome::FolderFailed;
  }
  Copier copier(view, sourceDir);
  bool filesDone = false;
  view.SetAnimation(true);
  // A confirmed abort, or the wizard closed while messages were processed (during the last
  // file, the sample script or just before registering): nothing more is done.
  auto stopped = [&] { return copier.InstallAborted || StopRequested; };
  auto stop = [&] {
    copier.InstallAborted = true;
    view.SetAnimation(false);
    CopyFailed(copier, view);
    return RunOutcome::Aborted;
  };
  try {
    const bool copied = CopyLists(chosen, copier);
    if (stopped()) return stop();
    if (!copied) {
      view.SetAnimation(false);
      CopyFailed(copier, view);
      return RunOutcome::CopyFailed;
    }
    filesDone = true;
    view.ShowInfo("Tworzenie skrótów do programów.");
    CreateShortcuts(choices);
    Configure(chosen, copier);
    if (stopped()) return stop();
    view.ShowInfo("Rejestrowanie programów.");
    plat::Current().Pump().ProcessPending();
    if (stopped()) return stop();
    RegisterProducts(chosen);
    sys::CreateProgramGroup(chosen[kVortel], chosen[kFtpClient], chosen[kFtpBatch],
                            chosen[kFtpServer]);
    view.ShowFinishPage();
    view.SetAnimation(false);
    return RunOutcome::Installed;
  } catch (const std::exception&) {
    // The guard: whatever failed, the user hears of it once and the wizard closes.
    view.SetAnimation(false);
    CopyFailed(copier, view);
    return filesDone ? RunOutcome::RegistrationFailed : RunOutcome::CopyFailed;
  }
}

}  // namespace engine
