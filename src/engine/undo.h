#pragma once
// Undoing journalled changes: after a run that did not install (the run's own changes), and
// for the uninstaller (every run's). A change that someone else has made over ours since is
// left alone: the value is no longer ours to restore.
#include <string>
#include <vector>

#include "engine/journal.h"
#include "system/questions.h"

namespace engine {

struct UndoReport {
  std::vector<std::string> failed;  // each change that could not be undone, named
  std::vector<Change> left;         // the same changes, in the journal's order
  std::vector<std::string> kept;    // what the user made in our folders, left there
  bool associations = false;        // a document type was given back or removed
};

enum class UndoOrder {
  Reverse,  // strictly from the last change to the first
  // For removal: shortcuts, then the registry, the INI values, the files and the folders,
  // each from the last change to the first.
  Removal,
};

// Undoes `changes` on `platform`, each step in `log`. Files in `untouched` (the running
// uninstaller, the journal) are left for later and are neither reported nor kept.
UndoReport Undo(plat::Platform& platform, const std::vector<Change>& changes, UndoOrder order,
                sys::RunLog& log, const std::vector<std::string>& untouched = {});

// A run that did not install: undoes its changes and takes those undone out of the journal,
// telling `asked` the ones that failed. False when any failed.
bool RollBack(plat::Platform& platform, Journal& journal, sys::Questions& asked);

}  // namespace engine
