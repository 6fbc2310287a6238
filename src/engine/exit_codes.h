#pragma once
// What the process ends with, for administrators' scripts: the same numbers whether the
// wizard or an unattended run installed (README, "Exit codes").
#include "engine/installation.h"

namespace engine {

enum ExitStatus {
  kExitInstalled = 0,
  kExitBadCommandLine = 1,
  kExitRefused = 2,
  kExitFolderFailed = 3,
  kExitCopyFailed = 4,
  kExitCancelled = 5,
  kExitRegistrationFailed = 6,
};

inline int ExitCodeOf(RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::Installed:
      return kExitInstalled;
    case RunOutcome::FolderFailed:
      return kExitFolderFailed;
    case RunOutcome::CopyFailed:
      return kExitCopyFailed;
    case RunOutcome::Aborted:
      return kExitCancelled;
    case RunOutcome::RegistrationFailed:
      break;
  }
  return kExitRegistrationFailed;
}

}  // namespace engine
