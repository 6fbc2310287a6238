#pragma once
// The installation run: the user's choices turned into installed products in one pass.
// The wizard (or an unattended caller) hands over the choices as plain data and shows what
// the run reports through InstallView.
#include <string>

#include "engine/configuration.h"
#include "engine/run_view.h"
#include "engine/target_dirs.h"

namespace engine {

struct InstallChoices {
  ProductChoice products{};  // by product index
  FolderTexts folders;
  // Options count only when the option's box was both enabled and ticked.
  bool desktopVortel = false, desktopFtpClient = false, autostartFtpServer = false;
};

class InstallView : public RunView {
 public:
  virtual void ShowProgressPage() = 0;
  virtual void SetAnimation(bool running) = 0;
  virtual void ShowFinishPage() = 0;
  // Ends the wizard after a failure: it closes without the closing question.
  virtual void CloseWizard() = 0;
};

enum class RunOutcome {
  Installed,
  FolderFailed,        // a target folder could not be created; nothing was copied
  CopyFailed,          // a file could not be expanded or copied; nothing after it was done
  Aborted,             // the user confirmed aborting (or closed the wizard) during the run
  RegistrationFailed,  // an error after every file was copied
};

// Runs the whole installation from the medium folder `sourceDir` (ending in "\").
RunOutcome RunInstallation(const InstallChoices& choices, InstallView& view,
                           const std::string& sourceDir);

}  // namespace engine
