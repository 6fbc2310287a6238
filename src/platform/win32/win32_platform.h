#pragma once
// The real platform: every operation is the Win32 API, called through its W form.
#include "platform/platform.h"
#include "platform/win32/desktop_win32.h"
#include "platform/win32/gui_win32.h"
#include "platform/win32/os_version.h"
#include "platform/win32/registry.h"
#include "platform/win32/shell_links.h"

namespace plat::win32 {

class Win32Files : public FileSystem {
 public:
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
  std::string CurrentDirectory() override;
  bool ChangeDirectory(const std::string& path) override;
  std::string ModulePath() override;
  std::string TempFolder() override;
  std::string SystemFolder() override;
  bool SignatureHolds(const std::string& path) override;
};

class Win32Processes : public Processes {
 public:
  Launch Start(const std::string& program, const std::string& parameters) override;
};

class Win32Shell : public Shell {
 public:
  std::string BrowseForFolder(const std::string& caption,
                              const std::string& initialFolder) override;
  Launch OpenDocument(const std::string& path) override;
  void AssociationsChanged() override;
};

class Win32Ini : public IniFiles {
 public:
  std::string Read(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& fallback) override;
  std::vector<std::string> Keys(const std::string& file, const std::string& section) override;
  void Write(const std::string& file, const std::string& section, const std::string& key,
             const std::string& value) override;
  void Remove(const std::string& file, const std::string& section, const std::string& key) override;
};

class Win32Pump : public MessagePump {
 public:
  void ProcessPending() override;
};

class Win32Text : public Text {
 public:
  std::string UpperCase(const std::string& text) override;
};

class Win32Dialogs : public Dialogs {
 public:
  ModalResult Show(const DialogRequest& request) override;
};

class Win32Platform : public Platform {
 public:
  Win32Platform() { previous_ = SetCurrent(this); }
  ~Win32Platform() override { SetCurrent(previous_); }
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  FileSystem& Files() override { return files_; }
  Processes& Process() override { return processes_; }
  Shell& ShellApi() override { return shell_; }
  MessagePump& Pump() override { return pump_; }
  Text& Texts() override { return text_; }
  Dialogs& Dlg() override { return dialogs_; }
  gui::Gui& Ui() override { return gui_; }
  ResourceMeter& Meter() override { return meter_; }
  Desktop& Windows() override { return desktop_; }
  IniFiles& Ini() override { return ini_; }
  Registry& Reg() override { return registry_; }
  ShellLinks& Links() override { return links_; }
  OsVersion& Version() override { return version_; }

 private:
  Win32Files files_;
  Win32Processes processes_;
  Win32Shell shell_;
  Win32Pump pump_;
  Win32Text text_;
  Win32Dialogs dialogs_;
  Win32Gui gui_;
  Win32Meter meter_;
  Win32Desktop desktop_{gui_};
  Win32Ini ini_;
  Win32Registry registry_;
  Win32ShellLinks links_;
  Win32Version version_;
  Platform* previous_;
};

}  // namespace plat::win32
