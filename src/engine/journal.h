#pragma once
// The installation journal: every change a run makes to the machine, in the order made, with
// what it replaced. It is a UTF-8 text file in the main folder beside Uninstall.exe, one change
// per line, appended and closed after every line, so that a run killed half-way leaves a
// readable prefix. A later installation appends its own run; the uninstaller undoes them all.
#include <string>
#include <vector>

#include "platform/platform.h"

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
// Every change of a journal's text in order. False when the text is not a journal of this
// version or a line is damaged. A last line without its end is a write cut short by a killed
// process and is left out.
bool ParseJournal(const std::string& text, std::vector<Change>& changes);
// The whole text of a file; raises plat::EFileError when it cannot be read.
std::string ReadWholeFile(plat::FileSystem& files, const std::string& path);

// The journal of one run, written through `files` (the platform below the one that records
// the changes, so the journal never records itself).
class Journal {
 public:
  // `mainFolder` ends in "\". An earlier journal there is kept and extended.
  Journal(plat::FileSystem& files, const std::string& mainFolder);

  const std::string& Path() const { return path_; }
  // Writes the change, and the ones held back while the main folder did not exist yet.
  void Record(const Change& change);
  const std::vector<Change>& RunChanges() const { return changes_; }
  // Takes this run out of the journal again: the earlier journal as it was, or none at all.
  // False when the file could not be put back.
  bool Retract();
  // After a successful run: the earlier versions kept aside are no longer needed.
  void DiscardKeptFiles();

 private:
  void Flush();

  plat::FileSystem& files_;
  std::string path_;
  bool hadEarlier_ = false;
  std::string earlier_;
  std::string pending_;
  std::vector<Change> changes_;
};

}  // namespace engine
