#pragma once
// The installation run: the user's choices turned into installed products in one pass. The
// wizard (or an unattended caller) hands over the choices as plain data and shows what the
// run reports through InstallView; what happens to the caller's window afterwards is the
// caller's decision.
#include <string>

#include "engine/choices.h"
#include "engine/run_context.h"
#include "engine/run_view.h"
#include "system/questions.h"

namespace engine {

class InstallView : public RunView {
 public:
  virtual void ShowProgressPage() = 0;
  virtual void SetAnimation(bool running) = 0;
  virtual void ShowFinishPage() = 0;
};

// What Install.exe ends with, whichever of its modes ran; its exit code is the entry's business
// (ExitCodeOf).
enum class RunOutcome {
  Installed,           // also a medium mastered, or the switches shown
  BadCommandLine,      // also a file named on it that cannot be made
  Refused,             // a program of the package runs, or resources are short
  FolderFailed,        // a target folder (in a silent run also a working folder) was not made
  CopyFailed,          // a file could not be expanded or copied; nothing after it was done
  Aborted,             // the user confirmed aborting (or closed the wizard) during the run
  RegistrationFailed,  // an error after every file was copied, or anything unexpected
  MasteringFailed,     // a medium could not be written whole
};

// Runs the whole installation from the context's medium folder on its platform: fills the
// context's folders from the choices, plans the run and applies the plan. What the run asks and
// reports goes to the context's questions; the outcome is one of Installed to
// RegistrationFailed.
RunOutcome RunInstallation(RunContext& run, const InstallChoices& choices, InstallView& view);

}  // namespace engine
