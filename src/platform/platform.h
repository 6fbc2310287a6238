#pragma once
// The operating system as the rest of the program sees it. Everything above this layer talks
// to these interfaces only; src/platform/win32 realises them with the real API and
// src/platform/headless with deterministic, fault-injectable stand-ins for the unit tests.
// Paths are UTF-8 Windows paths with backslashes.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/gui.h"
#include "platform/ini_files.h"
#include "platform/os_version.h"
#include "platform/registry.h"
#include "platform/shell_links.h"

namespace plat {

// File attribute bits as the platform reports them.
constexpr uint32_t kAttrReadOnly = 0x01;
constexpr uint32_t kAttrDirectory = 0x10;
constexpr uint32_t kAttrArchive = 0x20;
constexpr uint32_t kAttrReparsePoint = 0x400;  // a junction or link: the name itself, not followed
constexpr uint32_t kInvalidAttributes = 0xFFFFFFFF;

class InputFile {
 public:
  virtual ~InputFile() = default;
  // Returns the number of bytes read, 0 at the end; raises EFileError on a read failure.
  virtual size_t Read(void* buffer, size_t size) = 0;
  // The next Read starts `offset` bytes from the file's start. Raises EFileError.
  virtual void Seek(uint64_t offset) = 0;
};

class OutputFile {
 public:
  virtual ~OutputFile() = default;
  // Writes all or raises EFileError (a short write is a failure, never silent).
  virtual void Write(const void* data, size_t size) = 0;
  // Makes what was written durable, so a crash after a later rename cannot leave an empty
  // file where a good one was. Raises EFileError.
  virtual void Flush() = 0;
  // Flushes and closes; raises EFileError when the data did not reach the disk. The destructor
  // closes too, but swallows errors, so a caller that cares calls Close itself.
  virtual void Close() = 0;
  // The file goes when it is closed: removed through this handle, not by its name, which another
  // file may have taken meanwhile. Raises EFileError.
  virtual void Discard() = 0;
};

// The calls that change or create something never pass through a junction or link in any
// folder of the path: such a path fails, as if access were denied.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // kInvalidAttributes when the query fails (no such file, no such drive, ...).
  virtual uint32_t GetAttributes(const std::string& path) = 0;
  virtual bool SetAttributes(const std::string& path, uint32_t attributes) = 0;
  // The size of a file in bytes; 0 when it cannot be queried.
  virtual uint64_t FileSize(const std::string& path) = 0;
  // One level only; false when the parent is missing, the folder exists or the drive does not.
  // Made protected, whatever its parent grants: Administrators and SYSTEM may change it, Users
  // only read it.
  virtual bool CreateFolder(const std::string& path) = 0;
  // Whether nobody but administrators and the system can have made or changed the file or
  // folder: not a link, a file with one name only, owned by Administrators, SYSTEM or
  // TrustedInstaller and writable by no one else.
  virtual bool Trusted(const std::string& path) = 0;
  // Raise EFileError when the file cannot be opened or created (a read-only file cannot be
  // created over, as on Windows).
  virtual std::unique_ptr<InputFile> OpenRead(const std::string& path) = 0;
  // Whatever has the name (a link or junction someone planted included) is replaced by a new
  // file, never written through.
  virtual std::unique_ptr<OutputFile> Create(const std::string& path) = 0;
  // A file only where nothing has the name yet, not even a link: null when the name is taken.
  virtual std::unique_ptr<OutputFile> CreateNew(const std::string& path) = 0;
  // Gives a file another name in its folder, keeping its rights, owner and identity; false when
  // `to` exists or the file cannot be renamed (a program holds it).
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
  // Copies onto a new file as CreateNew makes it (file times and attributes as the platform's
  // copy carries them), flushed; false when the name is taken or the copy fails.
  virtual bool CopyNew(const std::string& from, const std::string& to) = 0;
  virtual bool Remove(const std::string& path) = 0;
  // Removes an empty folder; false when it has contents or cannot be removed.
  virtual bool RemoveFolder(const std::string& path) = 0;
  // Removes the file, or the folder then empty, when Windows next starts: for what is in use
  // now, such as the running program's own file.
  virtual bool RemoveAtRestart(const std::string& path) = 0;
  // The names of the files and folders in `folder` (ending in "\"), a folder's name with a
  // trailing "\"; empty when the folder is missing.
  virtual std::vector<std::string> List(const std::string& folder) = 0;
  // Opens a file for writing at its end, creating it when missing. Raises EFileError.
  virtual std::unique_ptr<OutputFile> Append(const std::string& path) = 0;
  // Puts `from` in place of `to`, replacing it even when it is read-only; a link at `to` is
  // replaced, not followed. Both lie in one folder.
  virtual bool Replace(const std::string& from, const std::string& to) = 0;
  // Why the last call that returned false failed, as an error naming `path`.
  virtual EFileError LastError(const std::string& path) = 0;
  virtual std::string CurrentDirectory() = 0;
  virtual bool ChangeDirectory(const std::string& path) = 0;
  // Full path of the running program.
  virtual std::string ModulePath() = 0;
  // The user's folder for temporary files (%TEMP%), ending in "\".
  virtual std::string TempFolder() = 0;
  // Windows' own program folder (system32), ending in "\": where an elevated program finds
  // the system's programs, rather than through a search a user can put something into.
  virtual std::string SystemFolder() = 0;
  // Whether the Authenticode signature of the program file `path` holds (the system's trust
  // check); false for an unsigned file.
  virtual bool SignatureHolds(const std::string& path) = 0;
};

// How a program or document the user asked for was started. The installer runs as
// administrator; what it starts for the user must not: the desktop's shell starts it, or, where
// the shell does not answer, it runs with the shell process's own token; where there is no shell
// process at all it is not started.
enum class Launch { Failed, ByUserShell, WithShellToken, NoUserShell };

class Processes {
 public:
  virtual ~Processes() = default;
  // Starts `program` (a full path) with `parameters` in the current directory, shown normally.
  // Started with the shell's token, it is given a few seconds at most to become ready for input.
  virtual Launch Start(const std::string& program, const std::string& parameters) = 0;
};

class Shell {
 public:
  virtual ~Shell() = default;
  // The shell's folder-browse dialog. Returns the chosen folder's path as the shell gives it,
  // or an empty string when the user cancels or the choice has no file-system path that fits.
  // Raises EShellOleError when the desktop folder cannot be obtained.
  virtual std::string BrowseForFolder(const std::string& caption,
                                      const std::string& initialFolder) = 0;
  // Opens a document with the program registered for it (the verb "open", shown normally), as
  // Processes::Start starts a program. Failed when it cannot be opened; nothing is shown.
  virtual Launch OpenDocument(const std::string& path) = 0;
  // Tells the shell that document types were registered or removed (SHCNE_ASSOCCHANGED).
  virtual void AssociationsChanged() = 0;
};

class MessagePump {
 public:
  virtual ~MessagePump() = default;
  // Handles the window messages waiting now, so long work keeps the windows painted.
  virtual void ProcessPending() = 0;
};

class Text {
 public:
  virtual ~Text() = default;
  // Upper-casing by the user's locale, for comparisons of paths and names.
  virtual std::string UpperCase(const std::string& text) = 0;
};

class Platform {
 public:
  virtual ~Platform() = default;
  virtual FileSystem& Files() = 0;
  virtual Processes& Process() = 0;
  virtual Shell& ShellApi() = 0;
  virtual MessagePump& Pump() = 0;
  virtual Text& Texts() = 0;
  virtual Dialogs& Dlg() = 0;
  virtual gui::Gui& Ui() = 0;
  virtual ResourceMeter& Meter() = 0;
  virtual Desktop& Windows() = 0;
  virtual IniFiles& Ini() = 0;
  virtual Registry& Reg() = 0;
  virtual ShellLinks& Links() = 0;
  virtual OsVersion& Version() = 0;
};

// The one platform of the process: the Win32 one in the program, a headless one per test.
Platform& Current();
// Installs a platform and returns the one it replaces.
Platform* SetCurrent(Platform* platform);

// The current platform for the life of the scope: an entry's, for the code that still finds
// its platform as the current one.
class CurrentScope {
 public:
  explicit CurrentScope(Platform& platform) : previous_(SetCurrent(&platform)) {}
  ~CurrentScope() { SetCurrent(previous_); }
  CurrentScope(const CurrentScope&) = delete;
  CurrentScope& operator=(const CurrentScope&) = delete;

 private:
  Platform* previous_;
};

}  // namespace plat
