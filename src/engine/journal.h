#pragma once
// The installation journal: every change a run makes to the machine, in the order made, with
// what it replaced. It is a UTF-8 text file, one change per line, appended and closed after
// every line, so that a run killed half-way leaves a readable prefix. A later installation
// appends its own run; the uninstaller undoes them all. It lives in the package's uninstall
// folder, beside the registered Uninstall.exe, where only administrators and the system can
// write: the elevated uninstaller obeys it, so no one else may have changed it.
#include <string>
#include <vector>

#include "platform/platform.h"
#include "system/questions.h"

namespace engine {

constexpr char kJournalName[] = "Install.log";

enum class ChangeKind { Folder, File, Shortcut, Key, Value, Ini };

struct Change {
  ChangeKind kind = ChangeKind::Folder;
  // Folder, File, Shortcut: its path; Key, Value: the key below `root`; Ini: the INI file.
  std::string path;
  // File, Shortcut: where the earlier file was kept aside for this run; empty when it was new.
  std::string aside;
  plat::RegRoot root = plat::RegRoot::LocalMachine;
  std::string section;  // Ini
  std::string name;     // Value: the value's name ("" for the default); Ini: the key
  // Value, Ini: before and after the change (Missing: there was none).
  plat::RegValue before, after;
};

// One journal line (without its end) and back; false for a line that is no change.
std::string FormatChange(const Change& change);
bool ParseChange(const std::string& line, Change& change);

struct JournalContents {
  std::vector<Change> changes;       // in order
  std::vector<std::string> folders;  // the package's folders each run names, ending in "\"
};
// False when the text is not a journal of this version or a line is damaged. A last line
// without its end is a write cut short by a killed process and is left out.
bool ParseJournal(const std::string& text, JournalContents& contents);
// The whole text of a file; raises plat::EFileError when it cannot be read.
std::string ReadWholeFile(plat::FileSystem& files, const std::string& path);

// The journal of one run, written through `files` (the platform below the one that records
// the changes, so the journal never records itself).
class Journal {
 public:
  // `folder` (ending in "\") is the uninstall folder; `packageFolders` are the run's main and
  // product folders, which the run line names. A line that cannot be written is noted in `log`.
  Journal(plat::FileSystem& files, const std::string& folder,
          const std::vector<std::string>& packageFolders, sys::RunLog& log);

  const std::string& Path() const { return path_; }
  // Makes the uninstall folder, protected, or makes sure that the one there is trusted, and
  // reads an earlier journal to extend. Raises plat::EFileError when the folder or a file of
  // that name is not safe to use, or is not a journal, or cannot be read.
  void Open();
  // Writes the change; raises plat::EFileError, after noting it in the run's log.
  void Record(const Change& change);
  // Takes the last recorded change out again: it was not made after all.
  void Withdraw();
  const std::vector<Change>& RunChanges() const { return changes_; }
  // After a rollback: the journal keeps of this run only `left`, the changes that could not be
  // undone, so that the uninstaller still finds them; with none left, it is the earlier
  // journal as it was, or none at all. False when the file could not be written.
  bool Retract(const std::vector<Change>& left);
  // After a successful run: the earlier versions kept aside are no longer needed.
  void DiscardKeptFiles();

 private:
  void Write(const std::vector<Change>& runChanges);

  plat::FileSystem& files_;
  sys::RunLog& log_;
  std::string folder_, path_, runLine_;
  bool madeFolder_ = false, hadEarlier_ = false, started_ = false;
  std::string earlier_;
  std::vector<Change> changes_;
};

}  // namespace engine
