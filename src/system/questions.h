#pragma once
// What a run asks and reports while it works, one method per question or failure, with plain
// data in and a typed answer out. How the answer is found (a message box, the switches, a
// documented default) and how the user hears of a failure is the implementation's business, so
// nothing that decides depends on a message's wording.
#include <string>
#include <vector>

namespace sys {

// What a run decided or met that leaves no trace on disk, for the log of a logged run. What
// was actually written (folders, files, registry, links) is seen where it is written.
class RunLog {
 public:
  virtual ~RunLog() = default;
  // An existing file kept because the overwrite question was answered "no".
  virtual void FileSkipped(const std::string& /*path*/) {}
  // A file that could not be installed, with the reason; the run stops after it.
  virtual void FileFailed(const std::string& /*path*/, const std::string& /*reason*/) {}
  // Any other event worth a line (the removal's steps, for one); `error` marks a failure.
  virtual void Note(const std::string& /*text*/, bool /*error*/ = false) {}
};

enum class Overwrite { Yes, All, No, Abort };

// A document type that another registration holds: the type we register, and what it is now.
struct FileTypeHolder {
  std::string ext;          // ".vl"
  std::string description;  // our type's description
  bool sameType = false;    // our own type name, opened with another program
  std::string otherType;    // the other type's description (when not sameType)
  std::string program;      // the program the extension opens now
};

class Questions : public RunLog {
 public:
  // An existing file is about to be replaced.
  virtual Overwrite OverwriteFile(const std::string& path) = 0;
  // The overwrite question was answered with abort: true when the run really stops.
  virtual bool ConfirmAbort() = 0;
  // A shortcut of this name exists: true for another one beside it, numbered.
  virtual bool AnotherShortcut(const std::string& name) = 0;
  // True when the type is taken over from its holder.
  virtual bool TakeOverFileType(const FileTypeHolder& holder) = 0;
  virtual void FolderFailed(const std::string& folder) = 0;
  // The copying (or anything up to the registration) failed; the run is undone after it.
  virtual void CopyFailed() = 0;
  // The rollback could not undo these steps, named.
  virtual void UndoFailed(const std::vector<std::string>& steps) = 0;
  // A key, shortcut or program-group entry that the registration and shortcut routines step
  // over and go on without, as is their habit, with the system's reason.
  virtual void SteppedOver(const std::string& what) { Note(what, true); }
};

}  // namespace sys
