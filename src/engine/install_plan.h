#pragma once
// The installation run as data: everything a run will do, listed from the choices before
// anything is touched, in the order it is done.
#include <string>
#include <vector>

#include "engine/choices.h"

namespace engine {

enum class StepKind { Folder, Files, Shortcut, Configure, Register, ProgramGroup };

struct RunStep {
  StepKind kind = StepKind::Folder;
  // Folder: the folder made; Files: where the list goes; Shortcut: the program's folder (also
  // the working folder); Register: the product's folder.
  std::string folder;
  const FileList* files = nullptr;  // Files
  int product = -1;                 // Configure, Register
  // Shortcut: the link's name, the program in `folder`, the shell folder and the description.
  std::string linkName, program, shellFolder, description;
};

struct RunPlan {
  ProductChoice products{};
  Folders folders;  // as TargetDirs
  std::string uninstallFolder;
  std::vector<RunStep> steps;
};

// Folders, each file list with its folder, shortcuts, configuration steps, registrations and
// the program group (when chosen), for `folders` computed from the choices' folder texts.
// `uninstallFolder` receives the uninstaller (it is the journal's, made with it).
RunPlan PlanInstallation(const InstallChoices& choices, const Folders& folders,
                         const std::string& uninstallFolder);

// A Files step's folder followed by the longest name (in UTF-16 units, as the path limit counts)
// of the files it installs: the longest path the step will write.
std::string LongestPath(const RunStep& step);

// Where a plan is carried out; one step at a time, so that a record of the run can watch
// every change on its way. False when the step failed or the user stopped the run there.
class StepApplier {
 public:
  virtual ~StepApplier() = default;
  virtual bool Apply(const RunStep& step) = 0;
};

}  // namespace engine
