#pragma once
// The headless platform: deterministic stand-ins for the tests, with the faults a real machine
// produces (read-only files, missing drives, full disks) available on request. Files are real
// files below a private sandbox folder, one subfolder per drive letter ("C:\A\b" is
// <sandbox>/C/A/b); names are matched without regard to letter case, as on Windows.
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/headless/headless_desktop.h"
#include "platform/headless/headless_gui.h"
#include "platform/headless/headless_ini.h"
#include "platform/headless/registry.h"
#include "platform/headless/scripted_dialogs.h"
#include "platform/headless/shell_links.h"
#include "platform/platform.h"

namespace plat::headless {

class HeadlessFileSystem : public FileSystem {
 public:
  explicit HeadlessFileSystem(std::filesystem::path sandbox);

  // Faults and fixtures.
  void AddDrive(char letter);
  void RemoveDrive(char letter);
  // Writes on the drive fail with "disk full" once this many more bytes would be written.
  void SetFreeSpace(char letter, uint64_t bytes);
  // A running program holds the file: replacing it fails.
  void SetInUse(const std::string& path);
  // Someone without rights made or may change it: Trusted() says no.
  void SetUntrusted(const std::string& path);
  // Whether the folder was made with the protected descriptor.
  bool Protected(const std::string& path);
  // What RemoveAtRestart scheduled, in order; Restart() carries it out as Windows' start would.
  std::vector<std::string> atRestart;
  void Restart();
  void SetModulePath(const std::string& path) { modulePath_ = path; }
  void PutFile(const std::string& path, const std::string& contents);  // makes parent folders
  std::string ReadFile(const std::string& path);                       // raises when missing
  bool Exists(const std::string& path) { return GetAttributes(path) != kInvalidAttributes; }
  // The real file behind a Windows path (for benchmarks and inspection); empty when its
  // drive is missing.
  std::filesystem::path HostPath(const std::string& path);

  uint32_t GetAttributes(const std::string& path) override;
  bool SetAttributes(const std::string& path, uint32_t attributes) override;
  uint64_t FileSize(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
  std::unique_ptr<InputFile> OpenRead(const std::string& path) override;
  std::unique_ptr<OutputFile> Create(const std::string& path) override;
  std::unique_ptr<OutputFile> CreateNew(const std::string& path) override;
  bool Rename(const std::string& from, const std::string& to) override;
  bool Trusted(const std::string& path) override;
  bool RemoveAtRestart(const std::string& path) override;
  bool CopyNew(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;
  bool Replace(const std::string& from, const std::string& to) override;
  EFileError LastError(const std::string& path) override;
  bool RemoveFolder(const std::string& path) override;
  std::vector<std::string> List(const std::string& folder) override;
  std::unique_ptr<OutputFile> Append(const std::string& path) override;
  std::string CurrentDirectory() override { return currentDir_; }
  bool ChangeDirectory(const std::string& path) override;
  std::string ModulePath() override { return modulePath_; }
  std::string TempFolder() override { return "C:\\Temp\\"; }
  std::string SystemFolder() override { return "C:\\Windows\\system32\\"; }
  bool SignatureHolds(const std::string&) override { return signatureHolds; }
  bool signatureHolds = true;  // what the trust check says of any signed program

  struct Drive {
    std::optional<uint64_t> freeBytes;  // unlimited when empty
  };

 private:
  // Resolves a Windows path to the host path; nullopt when the drive is missing or the path
  // has no drive this backend knows.
  std::optional<std::filesystem::path> Map(const std::string& path);
  Drive* DriveOf(const std::string& path);
  bool IsReadOnly(const std::filesystem::path& host);
  static bool Taken(const std::filesystem::path& host);
  // A link among the folders above the file: the operation must not go through it.
  bool ThroughLink(const std::filesystem::path& host);
  bool Copy(const std::filesystem::path& src, const std::filesystem::path& dst,
            const std::string& to);
  // Renames the host file, its attributes with it.
  bool Move(const std::filesystem::path& src, const std::filesystem::path& dst);
  std::unique_ptr<OutputFile> OpenForWriting(const std::string& path, const char* mode);

  std::filesystem::path sandbox_;
  std::map<char, Drive> drives_;
  std::map<std::string, uint32_t> attributes_;  // by host path; only files whose bits were set
  std::set<std::string> inUse_;                 // by host path
  std::set<std::string> untrusted_;             // by host path
  std::set<std::string> protected_;             // by host path
  EFileError::Reason lastError_ = EFileError::Reason::Other;
  // Windows' path limit without long-path support, counted in characters of the whole path.
  static constexpr size_t kMaxPath = 260;
  std::string currentDir_ = "C:\\";
  std::string modulePath_ = "C:\\Install.exe";
};

class HeadlessProcesses : public Processes {
 public:
  explicit HeadlessProcesses(FileSystem& files) : files_(files) {}
  struct Started {
    std::string commandLine;
    std::string currentDirectory;
  };
  std::vector<Started> started;

  // Whether a shell process runs on the desktop. Without one nothing is started, since the only
  // other way would run it as administrator.
  bool userShell = true;

  // Records the command line the program would run with; the shell starts it exactly when the
  // program exists, as it would for a full path.
  Launch Start(const std::string& program, const std::string& parameters) override;

 private:
  FileSystem& files_;
};

class HeadlessShell : public Shell {
 public:
  // Each expected browse dialog answers with the next queued folder ("" = cancelled); a dialog
  // nobody expected raises, so a test never passes through an unnoticed dialog.
  std::deque<std::string> browseAnswers;
  std::vector<std::string> browseCaptions;

  std::string BrowseForFolder(const std::string& caption,
                              const std::string& initialFolder) override;
  // Records the document the shell opens, when it exists and a shell runs.
  Launch OpenDocument(const std::string& path) override;
  void AssociationsChanged() override { ++associationNotices; }
  std::vector<std::string> opened;
  int associationNotices = 0;
  FileSystem* files = nullptr;
  const HeadlessProcesses* processes = nullptr;
};

class HeadlessPump : public MessagePump {
 public:
  int calls = 0;
  std::function<void()> onPump;  // lets a test act "while messages are processed"
  void ProcessPending() override;
};

class HeadlessText : public Text {
 public:
  std::string UpperCase(const std::string& text) override;
};

// A complete headless platform in a fresh sandbox, installed as the current platform for its
// lifetime; the sandbox is removed with it.
class HeadlessPlatform : public Platform {
 public:
  HeadlessPlatform();
  ~HeadlessPlatform() override;
  HeadlessPlatform(const HeadlessPlatform&) = delete;
  HeadlessPlatform& operator=(const HeadlessPlatform&) = delete;

  FileSystem& Files() override { return files; }
  Processes& Process() override { return processes; }
  Shell& ShellApi() override { return shell; }
  MessagePump& Pump() override { return pump; }
  Text& Texts() override { return text; }
  Dialogs& Dlg() override { return dialogs; }
  gui::Gui& Ui() override { return gui; }
  ResourceMeter& Meter() override { return meter; }
  Desktop& Windows() override { return desktop; }
  IniFiles& Ini() override { return ini; }
  Registry& Reg() override { return registry; }
  ShellLinks& Links() override { return links; }
  OsVersion& Version() override { return version; }

  std::filesystem::path sandbox;
  HeadlessFileSystem files;
  HeadlessProcesses processes;
  HeadlessShell shell;
  HeadlessPump pump;
  HeadlessText text;
  ScriptedDialogs dialogs;
  HeadlessGui gui;
  HeadlessMeter meter;
  HeadlessDesktop desktop;
  HeadlessIni ini{files};
  HeadlessRegistry registry;
  HeadlessShellLinks links{files};
  HeadlessVersion version;

 private:
  Platform* previous_;
};

}  // namespace plat::headless
