#include "engine/installation.h"

#include <exception>

#include "engine/configuration.h"
#include "engine/install_plan.h"
#include "engine/journal_recorder.h"
#include "engine/run_log.h"
#include "engine/run_state.h"
#include "engine/undo.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/platform.h"
#include "system/failures.h"
#include "system/paths.h"
#include "system/registry_entries.h"
#include "system/shell_links.h"

namespace engine {

namespace {

constexpr uint32_t kPathTooLong = 206;  // ERROR_FILENAME_EXCED_RANGE

// The plan's steps carried out on this machine.
class MachineSteps : public StepApplier {
 public:
  MachineSteps(const RunPlan& plan, Copier& copier) : plan_(plan), copier_(copier) {}

  bool Apply(const RunStep& step) override {
    switch (step.kind) {
      case StepKind::Folder:
        return EnsureFolder(step.folder);
      case StepKind::Files:
        return copier_.CopyFileList(*step.files, LastIndex(*step.files), step.folder);
      case StepKind::Shortcut: {
        std::string finalName;
        bool failed = false;
        sys::CreateShortcut(step.linkName, step.folder + step.program, step.folder, "",
                            step.description, step.shellFolder, true, true, finalName, failed);
        return true;
      }
      case StepKind::Configure:
        return Configure(step.product);
      case StepKind::Register:
        Register(step.product, step.folder);
        sys::WriteEstimatedSize(InstalledBytes());
        return true;
      case StepKind::ProgramGroup: {
        std::array<std::string, kProductCount> productFolders;
        for (int product = 0; product < kProductCount; ++product)
          if (plan_.products[product]) productFolders[product] = plan_.folders[SlotOf(product)];
        sys::CreateProgramGroup(step.folder, productFolders);
        return true;
      }
    }
    return false;
  }

 private:
  bool Configure(int product) {
    const ProductChoice& chosen = plan_.products;
    switch (product) {
      case kVortel:
        ConfigureVortel(chosen, plan_.folders);
        return true;
      case kFtpClient:
        ConfigureFtpClient(chosen, plan_.folders);
        return true;
      case kFtpBatch:
        // A confirmed abort at the sample script's question, or a close confirmed while it
        // expanded, ends the run like any other abort.
        return ConfigureFtpBatch(chosen, plan_.folders, copier_) && !StopRequested;
      default:
        ConfigureFtpServer(chosen, plan_.folders);
        return true;
    }
  }

  void Register(int product, const std::string& dir) {
    const std::string& main = plan_.folders[0];
    switch (product) {
      case kFtpServer:
        return sys::RegisterFtpServer(main, dir);
      case kFtpBatch:
        return sys::RegisterFtpBatch(main, dir);
      case kFtpClient:
        return sys::RegisterFtpClient(main, dir);
      default:
        return sys::RegisterEmulator(main, dir, "Vortel", Products[kVortel].program);
    }
  }

  // What the package's entry reports as its size: the files of the plan's lists.
  uint64_t InstalledBytes() const {
    auto& files = plat::Current().Files();
    uint64_t bytes = 0;
    for (const RunStep& step : plan_.steps)
      if (step.kind == StepKind::Files)
        for (const std::string& entry : *step.files)
          if (!entry.empty() && KindOf(entry) != EntryKind::Installer)
            bytes += files.FileSize(step.folder + entry);
    return bytes;
  }

  const RunPlan& plan_;
  Copier& copier_;
};

// Applies the plan's steps of one kind in order; false at the first that fails.
bool ApplyAll(const RunPlan& plan, StepKind kind, StepApplier& applier) {
  for (const RunStep& step : plan.steps)
    if (step.kind == kind && !applier.Apply(step)) return false;
  return true;
}

// The common end after a failure: the message, unless the user aborted.
void ReportFailure(const Copier& copier) {
  if (!copier.InstallAborted)
    plat::MessageDlg("Wystąpił błąd podczas kopiowania plików.", plat::DlgType::Error,
                     {plat::DlgButton::OK});
}

// What the registration and shortcut routines step over, each in the log as it happens.
class SteppedOverCount : public sys::FailureReport {
 public:
  void SteppedOver(const std::string& what) override {
    ++count;
    Log().Note(what, true);
  }
  int count = 0;
};

// The plan applied in its phases, with the messages of a failure; the journal is the caller's.
RunOutcome ApplyPlan(const RunPlan& plan, bool unattended, Journal& journal, StepApplier& machine,
                     Copier& copier, InstallView& view) {
  view.ShowProgressPage();
  // A file whose whole path passes the limit would fail half-way, after its folders were made
  // and earlier files copied; refused before anything is made, as a folder that cannot be.
  for (const RunStep& step : plan.steps)
    if (step.kind == StepKind::Files && !sys::FitsMaxPath(LongestPath(step))) {
      Log().Note("\"" + LongestPath(step) + "\": " + plat::SystemReason(kPathTooLong), true);
      plat::MessageDlg("Nie można utworzyć katalogu \"" + step.folder + "\"", plat::DlgType::Error,
                       {plat::DlgButton::OK});
      return RunOutcome::FolderFailed;
    }
  copier.StartProgress(plan);
  bool journalOpen = false, filesDone = false;
  // A confirmed abort, or the wizard closed while messages were processed (during the last
  // file, the sample script or just before registering): nothing more is done.
  auto stopped = [&] { return copier.InstallAborted || StopRequested; };
  auto stop = [&] {
    copier.InstallAborted = true;
    view.SetAnimation(false);
    return RunOutcome::Aborted;
  };
  SteppedOverCount steppedOver;
  sys::FailureReportScope reporting(steppedOver);
  try {
    journal.Open();
    journalOpen = true;
    copier.CheckMedium();
    if (!ApplyAll(plan, StepKind::Folder, machine)) return RunOutcome::FolderFailed;
    view.SetAnimation(true);
    const bool copied = ApplyAll(plan, StepKind::Files, machine);
    if (stopped()) return stop();
    if (!copied) {
      view.SetAnimation(false);
      ReportFailure(copier);
      return RunOutcome::CopyFailed;
    }
    filesDone = true;
    view.ShowInfo("Tworzenie skrótów do programów.");
    ApplyAll(plan, StepKind::Shortcut, machine);
    ApplyAll(plan, StepKind::Configure, machine);
    if (stopped()) return stop();
    view.ShowInfo("Rejestrowanie programów.");
    plat::Current().Pump().ProcessPending();
    if (stopped()) return stop();
    ApplyAll(plan, StepKind::Register, machine);
    plat::Current().ShellApi().AssociationsChanged();
    ApplyAll(plan, StepKind::ProgramGroup, machine);
    if (unattended && steppedOver.count > 0) {
      view.SetAnimation(false);
      ReportFailure(copier);
      return RunOutcome::RegistrationFailed;
    }
    view.ShowFinishPage();
    view.SetAnimation(false);
    return RunOutcome::Installed;
  } catch (const std::exception& e) {
    // The guard: whatever failed, the user hears of it once. A file or journal line that
    // failed is logged where it failed; anything else is logged here, with its reason.
    if (filesDone || !journalOpen) Log().Note(e.what(), true);
    view.SetAnimation(false);
    ReportFailure(copier);
    return filesDone ? RunOutcome::RegistrationFailed : RunOutcome::CopyFailed;
  }
}

}  // namespace

RunOutcome RunInstallation(const InstallChoices& choices, InstallView& view,
                           const std::string& sourceDir) {
  ComputeTargetDirs(choices.folders);
  const RunPlan plan = PlanInstallation(choices, TargetDirs, sys::UninstallFolder());
  Copier copier(view, sourceDir);
  MachineSteps machine(plan, copier);
  std::vector<std::string> packageFolders;
  auto& files = plat::Current().Files();
  for (int slot = 0; slot < static_cast<int>(plan.folders.size()); ++slot) {
    if (!SlotInUse(slot, plan.products)) continue;
    const std::string& folder = plan.folders[slot];
    packageFolders.push_back(folder);
    // Taking over a folder that was there before could break whatever else it holds for its
    // users; it is used as it is, and what the elevated programs obey lives elsewhere anyway.
    if (files.GetAttributes(folder) != plat::kInvalidAttributes && !files.Trusted(folder))
      Log().Note("Uwaga: katalog \"" + folder +
                 "\" istniał wcześniej i mogą go zmieniać użytkownicy bez uprawnień "
                 "administratora; zainstalowane w nim programy nie są chronione przed podmianą.");
  }
  Journal journal(files, plan.uninstallFolder, packageFolders);
  JournaledSteps steps(machine, journal);
  const RunOutcome outcome = ApplyPlan(plan, choices.unattended, journal, steps, copier, view);
  // After the run's own messages: a run that did not install leaves nothing of itself.
  if (outcome == RunOutcome::Installed)
    journal.DiscardKeptFiles();
  else
    RollBack(journal);
  return outcome;
}

}  // namespace engine
