#pragma once
// Undoing journalled changes: after a run that did not install (the run's own changes), and
// for the uninstaller (every run's). A change that someone else has made over ours since is
// left alone: the value is no longer ours to restore.
#include <string>
#include <vector>

#include "engine/journal.h"

namespace engine {

// The start of the one message that names the steps of a rollback that failed.
constexpr char kUndoFailedText[] = "Nie udało się cofnąć wszystkich zmian instalacji:";

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

// Undoes `changes` on `platform`. Files in `untouched` (the running
// uninstaller, the journal) are left for later and are neither reported nor kept.
UndoReport Undo(plat::Platform& platform, const std::vector<Change>& changes, UndoOrder order,
                const std::vector<std::string>& untouched = {});

// A run that did not install: undoes its changes and takes those undone out of the journal,
// naming the ones that failed in one message (which a silent run only logs). False when any
// failed.
bool RollBack(plat::Platform& platform, Journal& journal);

}  // namespace engine
