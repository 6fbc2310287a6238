#pragma once
// The installation run: the user's choices turned into installed products in one pass. The
// wizard (or an unattended caller) hands over the choices as plain data and shows what the
// run reports through InstallView; what happens to the caller's window afterwards is the
// caller's decision.
#include <string>

#include "engine/choices.h"
#include "engine/run_context.h"
#include "engine/run_view.h"

namespace engine {

class InstallView : public RunView {
 public:
  virtual void ShowProgressPage() = 0;
  virtual void SetAnimation(bool running) = 0;
  virtual void ShowFinishPage() = 0;
};

enum class RunOutcome {
  Installed,
  FolderFailed,        // a target folder could not be created; nothing was copied
  CopyFailed,          // a file could not be expanded or copied; nothing after it was done
  Aborted,             // the user confirmed aborting (or closed the wizard) during the run
  RegistrationFailed,  // an error after every file was copied
};

// Runs the whole installation from the context's medium folder on its platform: fills the
// context's folders from the choices, plans the run and applies the plan.
RunOutcome RunInstallation(RunContext& run, const InstallChoices& choices, InstallView& view);

}  // namespace engine
