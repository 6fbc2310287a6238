#include "engine/installation.h"

#include <exception>

#include "engine/configuration.h"
#include "engine/install_plan.h"
#include "engine/journal_recorder.h"
#include "engine/undo.h"
#include "platform/errors.h"
#include "platform/platform.h"
#include "system/paths.h"
#include "system/registry_entries.h"
#include "system/shell_links.h"

namespace engine {

namespace {

constexpr uint32_t kPathTooLong = 206;  // ERROR_FILENAME_EXCED_RANGE

// The plan's steps carried out on this machine.
class MachineSteps : public StepApplier {
 public:
  MachineSteps(const RunPlan& plan, Copier& copier)
      : plan_(plan), copier_(copier), platform_(copier.Platform()), asked_(copier.Asked()) {}

  bool Apply(const RunStep& step) override {
    switch (step.kind) {
      case StepKind::Folder:
        return EnsureFolder(platform_.Files(), step.folder, asked_);
      case StepKind::Files:
        return copier_.CopyFileList(*step.files, LastIndex(*step.files), step.folder);
      case StepKind::Shortcut: {
        std::string finalName;
        bool failed = false;
        sys::CreateShortcut(platform_, step.linkName, step.folder + step.program, step.folder, "",
                            step.description, step.shellFolder, true, true, finalName, failed,
                            asked_);
        return true;
      }
      case StepKind::Configure:
        return Configure(step.product);
      case StepKind::Register:
        Register(step.product, step.folder);
        sys::WriteEstimatedSize(platform_.Reg(), InstalledBytes(), asked_);
        return true;
      case StepKind::ProgramGroup: {
        std::array<std::string, kProductCount> productFolders;
        for (int product = 0; product < kProductCount; ++product)
          if (plan_.products[product]) productFolders[product] = plan_.folders[SlotOf(product)];
        sys::CreateProgramGroup(platform_, step.folder, productFolders, asked_);
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
        ConfigureVortel(platform_, chosen, plan_.folders);
        return true;
      case kFtpClient:
        ConfigureFtpClient(platform_, chosen, plan_.folders, asked_);
        return true;
      case kFtpBatch:
        // A confirmed abort at the sample script's question, or a close confirmed while it
        // expanded, ends the run like any other abort.
        return ConfigureFtpBatch(chosen, plan_.folders, copier_) && !copier_.StopRequested();
      default:
        ConfigureFtpServer(platform_, chosen, plan_.folders, asked_);
        return true;
    }
  }

  void Register(int product, const std::string& dir) {
    const std::string& main = plan_.folders[0];
    switch (product) {
      case kFtpServer:
        return sys::RegisterFtpServer(platform_, main, dir, asked_);
      case kFtpBatch:
        return sys::RegisterFtpBatch(platform_, main, dir, asked_);
      case kFtpClient:
        return sys::RegisterFtpClient(platform_, main, dir, asked_);
      default:
        return sys::RegisterEmulator(platform_, main, dir, "Vortel", Products[kVortel].program,
                                     asked_);
    }
  }

  // What the package's entry reports as its size: the files of the plan's lists.
  uint64_t InstalledBytes() const {
    auto& files = platform_.Files();
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
  plat::Platform& platform_;
  sys::Questions& asked_;
};

// Applies the plan's steps of one kind in order; false at the first that fails.
bool ApplyAll(const RunPlan& plan, StepKind kind, StepApplier& applier) {
  for (const RunStep& step : plan.steps)
    if (step.kind == kind && !applier.Apply(step)) return false;
  return true;
}

// The caller's questions, with a count of the failures that the routines step over and go on
// from: a silent run may not end as installed after them.
class CountingQuestions : public sys::Questions {
 public:
  explicit CountingQuestions(sys::Questions& inner) : inner_(inner) {}
  void FileSkipped(const std::string& path) override { inner_.FileSkipped(path); }
  void FileFailed(const std::string& path, const std::string& reason) override {
    inner_.FileFailed(path, reason);
  }
  void Note(const std::string& text, bool error = false) override { inner_.Note(text, error); }
  sys::Overwrite OverwriteFile(const std::string& path) override {
    return inner_.OverwriteFile(path);
  }
  bool ConfirmAbort() override { return inner_.ConfirmAbort(); }
  bool AnotherShortcut(const std::string& name) override { return inner_.AnotherShortcut(name); }
  bool TakeOverFileType(const sys::FileTypeHolder& holder) override {
    return inner_.TakeOverFileType(holder);
  }
  void FolderFailed(const std::string& folder) override {
    ++folders;
    inner_.FolderFailed(folder);
  }
  void CopyFailed() override { inner_.CopyFailed(); }
  void UndoFailed(const std::vector<std::string>& steps) override { inner_.UndoFailed(steps); }
  void SteppedOver(const std::string& what) override {
    ++steppedOver;
    inner_.SteppedOver(what);
  }

  int folders = 0, steppedOver = 0;

 private:
  sys::Questions& inner_;
};

// The common end after a failure: the message, unless the user aborted.
void ReportFailure(const Copier& copier) {
  if (!copier.InstallAborted) copier.Asked().CopyFailed();
}

// The plan applied in its phases, with the messages of a failure; the journal is the caller's.
RunOutcome ApplyPlan(const RunPlan& plan, bool unattended, Journal& journal, StepApplier& machine,
                     Copier& copier, CountingQuestions& asked, InstallView& view,
                     plat::Platform& platform) {
  view.ShowProgressPage();
  // A file whose whole path passes the limit would fail half-way, after its folders were made
  // and earlier files copied; refused before anything is made, as a folder that cannot be.
  for (const RunStep& step : plan.steps)
    if (step.kind == StepKind::Files && !sys::FitsMaxPath(LongestPath(step))) {
      asked.Note("\"" + LongestPath(step) + "\": " + plat::SystemReason(kPathTooLong), true);
      asked.FolderFailed(step.folder);
      return RunOutcome::FolderFailed;
    }
  copier.StartProgress(plan);
  bool journalOpen = false, filesDone = false;
  // A confirmed abort, or the wizard closed while messages were processed (during the last
  // file, the sample script or just before registering): nothing more is done.
  auto stopped = [&] { return copier.InstallAborted || copier.StopRequested(); };
  auto stop = [&] {
    copier.InstallAborted = true;
    view.SetAnimation(false);
    return RunOutcome::Aborted;
  };
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
    const int foldersBefore = asked.folders;
    ApplyAll(plan, StepKind::Configure, machine);
    if (stopped()) return stop();
    // Nobody is there to make a working folder by hand later: the silent run fails for it.
    if (unattended && asked.folders > foldersBefore) {
      view.SetAnimation(false);
      return RunOutcome::FolderFailed;
    }
    view.ShowInfo("Rejestrowanie programów.");
    platform.Pump().ProcessPending();
    if (stopped()) return stop();
    ApplyAll(plan, StepKind::Register, machine);
    platform.ShellApi().AssociationsChanged();
    ApplyAll(plan, StepKind::ProgramGroup, machine);
    if (unattended && asked.steppedOver > 0) {
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
    if (filesDone || !journalOpen) asked.Note(e.what(), true);
    view.SetAnimation(false);
    ReportFailure(copier);
    return filesDone ? RunOutcome::RegistrationFailed : RunOutcome::CopyFailed;
  }
}

}  // namespace

RunOutcome RunInstallation(RunContext& run, const InstallChoices& choices, InstallView& view) {
  run.folders = TargetDirsOf(choices.folders);
  auto& files = run.platform.Files();
  const RunPlan plan =
      PlanInstallation(choices, run.folders, sys::UninstallFolder(run.platform.Reg()));
  CountingQuestions asked(run.asked);
  std::vector<std::string> packageFolders;
  for (int slot = 0; slot < static_cast<int>(plan.folders.size()); ++slot) {
    if (!SlotInUse(slot, plan.products)) continue;
    const std::string& folder = plan.folders[slot];
    packageFolders.push_back(folder);
    // Taking over a folder that was there before could break whatever else it holds for its
    // users; it is used as it is, and what the elevated programs obey lives elsewhere anyway.
    if (files.GetAttributes(folder) != plat::kInvalidAttributes && !files.Trusted(folder))
      asked.Note("Uwaga: katalog \"" + folder +
                 "\" istniał wcześniej i mogą go zmieniać użytkownicy bez uprawnień "
                 "administratora; zainstalowane w nim programy nie są chronione przed podmianą.");
  }
  // The journal is written below the platform that records into it, so it never records itself.
  Journal journal(files, plan.uninstallFolder, packageFolders, asked);
  JournalRecorder recorder(files, journal);
  engine::ObservedPlatform recorded(run.platform, recorder);
  Copier copier(recorded, run.stop, view, asked, run.sourceDir);
  MachineSteps machine(plan, copier);
  const RunOutcome outcome =
      ApplyPlan(plan, choices.unattended, journal, machine, copier, asked, view, run.platform);
  // After the run's own messages: a run that did not install leaves nothing of itself.
  if (outcome == RunOutcome::Installed)
    journal.DiscardKeptFiles();
  else
    RollBack(run.platform, journal, asked);
  return outcome;
}

}  // namespace engine
