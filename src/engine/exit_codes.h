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

// What a deployment tool should make of a code: done, worth another try later (a program of
// the package was running, resources were short, or a user closed the wizard), or failed.
enum class Deployment { Success, RetryLater, Failed };
struct ExitCodeInfo {
  int code;
  const char* brief;  // as /? names it
  Deployment deployment;
};
// Every code the program ends with, in order: the table /? and the package manifest follow.
inline constexpr ExitCodeInfo ExitCodes[] = {
    {kExitInstalled, "zainstalowano", Deployment::Success},
    {kExitBadCommandLine, "błędny wiersz poleceń", Deployment::Failed},
    {kExitRefused, "odmowa uruchomienia", Deployment::RetryLater},
    {kExitFolderFailed, "nie można utworzyć katalogu", Deployment::Failed},
    {kExitCopyFailed, "błąd kopiowania pliku", Deployment::Failed},
    {kExitCancelled, "przerwano", Deployment::RetryLater},
    {kExitRegistrationFailed, "błąd rejestracji", Deployment::Failed},
};

// The one mapping of an outcome to the process's exit code.
inline int ExitCodeOf(RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::Installed:
      return kExitInstalled;
    case RunOutcome::BadCommandLine:
    case RunOutcome::MasteringFailed:
      return kExitBadCommandLine;
    case RunOutcome::Refused:
      return kExitRefused;
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
