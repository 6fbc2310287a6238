#pragma once
// Services that hand every call to the ones below them. They are the base of the layers that
// watch what a run changes on the machine (its log, its journal): such a layer overrides only
// the calls it watches.
#include <memory>
#include <string>
#include <vector>

#include "platform/ini_files.h"
#include "platform/platform.h"
#include "platform/registry.h"
#include "platform/shell_links.h"

namespace plat {

class ForwardingFiles : public FileSystem {
 public:
  explicit ForwardingFiles(FileSystem& inner) : inner_(inner) {}
  uint32_t GetAttributes(const std::string& path) override { return inner_.GetAttributes(path); }
  bool SetAttributes(const std::string& path, uint32_t attributes) override {
    return inner_.SetAttributes(path, attributes);
  }
  uint64_t FileSize(const std::string& path) override { return inner_.FileSize(path); }
  bool CreateFolder(const std::string& path) override { return inner_.CreateFolder(path); }
  std::unique_ptr<InputFile> OpenRead(const std::string& path) override {
    return inner_.OpenRead(path);
  }
  std::unique_ptr<OutputFile> Create(const std::string& path) override {
    return inner_.Create(path);
  }
  std::unique_ptr<OutputFile> CreateNew(const std::string& path) override {
    return inner_.CreateNew(path);
  }
  bool Rename(const std::string& from, const std::string& to) override {
    return inner_.Rename(from, to);
  }
  bool Trusted(const std::string& path) override { return inner_.Trusted(path); }
  bool RemoveAtRestart(const std::string& path) override { return inner_.RemoveAtRestart(path); }
  bool CopyNew(const std::string& from, const std::string& to) override {
    return inner_.CopyNew(from, to);
  }
  bool Remove(const std::string& path) override { return inner_.Remove(path); }
  bool RemoveFolder(const std::string& path) override { return inner_.RemoveFolder(path); }
  std::vector<std::string> List(const std::string& folder) override { return inner_.List(folder); }
  std::unique_ptr<OutputFile> Append(const std::string& path) override {
    return inner_.Append(path);
  }
  bool Replace(const std::string& from, const std::string& to) override {
    return inner_.Replace(from, to);
  }
  EFileError LastError(const std::string& path) override { return inner_.LastError(path); }
  std::string CurrentDirectory() override { return inner_.CurrentDirectory(); }
  bool ChangeDirectory(const std::string& path) override { return inner_.ChangeDirectory(path); }
  std::string ModulePath() override { return inner_.ModulePath(); }
  std::string TempFolder() override { return inner_.TempFolder(); }
  std::string SystemFolder() override { return inner_.SystemFolder(); }
  bool SignatureHolds(const std::string& path) override { return inner_.SignatureHolds(path); }

 protected:
  FileSystem& inner_;
};

class ForwardingIni : public IniFiles {
 public:
  explicit ForwardingIni(IniFiles& inner) : inner_(inner) {}
  std::string Read(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& fallback) override {
    return inner_.Read(file, section, key, fallback);
  }
  std::vector<std::string> Keys(const std::string& file, const std::string& section) override {
    return inner_.Keys(file, section);
  }
  void Write(const std::string& file, const std::string& section, const std::string& key,
             const std::string& value) override {
    inner_.Write(file, section, key, value);
  }
  void Remove(const std::string& file, const std::string& section,
              const std::string& key) override {
    inner_.Remove(file, section, key);
  }

 protected:
  IniFiles& inner_;
};

// The root and the access are set on this accessor; they reach the one below when a key is
// opened or removed.
class ForwardingAccessor : public RegistryAccessor {
 public:
  explicit ForwardingAccessor(std::unique_ptr<RegistryAccessor> inner) : inner_(std::move(inner)) {}
  bool OpenKey(const std::string& keyPath, bool create) override {
    Pass();
    return inner_->OpenKey(keyPath, create);
  }
  void CloseKey() override { inner_->CloseKey(); }
  bool HasOpenKey() const override { return inner_->HasOpenKey(); }
  uint32_t OpenError() const override { return inner_->OpenError(); }
  std::string ReadString(const std::string& name) override { return inner_->ReadString(name); }
  void WriteString(const std::string& name, const std::string& value) override {
    inner_->WriteString(name, value);
  }
  void WriteExpandString(const std::string& name, const std::string& value) override {
    inner_->WriteExpandString(name, value);
  }
  void WriteNumber(const std::string& name, uint32_t value) override {
    inner_->WriteNumber(name, value);
  }
  RegValue ReadValue(const std::string& name) override { return inner_->ReadValue(name); }
  bool DeleteValue(const std::string& name) override { return inner_->DeleteValue(name); }
  bool DeleteEmptyKey(const std::string& keyPath) override {
    Pass();
    return inner_->DeleteEmptyKey(keyPath);
  }

 protected:
  void Pass() {
    inner_->SetRoot(root_);
    inner_->SetAccess(access_);
  }
  std::unique_ptr<RegistryAccessor> inner_;
};

class ForwardingLink : public ShellLinkObject {
 public:
  explicit ForwardingLink(std::unique_ptr<ShellLinkObject> inner) : inner_(std::move(inner)) {}
  uint32_t SetPath(const std::string& target) override { return inner_->SetPath(target); }
  uint32_t SetArguments(const std::string& arguments) override {
    return inner_->SetArguments(arguments);
  }
  uint32_t SetWorkingDirectory(const std::string& folder) override {
    return inner_->SetWorkingDirectory(folder);
  }
  uint32_t SetDescription(const std::string& description) override {
    return inner_->SetDescription(description);
  }
  uint32_t SetIconLocation(const std::string& file, int index) override {
    return inner_->SetIconLocation(file, index);
  }
  uint32_t Save(const std::string& linkPath) override { return inner_->Save(linkPath); }

 protected:
  std::unique_ptr<ShellLinkObject> inner_;
};

// Hands out the links of the service below, each wrapped by `Wrap`.
class ForwardingLinks : public ShellLinks {
 public:
  explicit ForwardingLinks(ShellLinks& inner) : inner_(inner) {}
  uint32_t Create(std::unique_ptr<ShellLinkObject>& link) override {
    std::unique_ptr<ShellLinkObject> made;
    const uint32_t result = inner_.Create(made);
    if (made) link = Wrap(std::move(made));
    return result;
  }
  bool Read(const std::string& linkPath, ShellLinkInfo& info) override {
    return inner_.Read(linkPath, info);
  }
  uint32_t LastError() override { return inner_.LastError(); }

 protected:
  virtual std::unique_ptr<ShellLinkObject> Wrap(std::unique_ptr<ShellLinkObject> link) = 0;
  ShellLinks& inner_;
};

// The platform below with some services replaced.
class ForwardingPlatform : public Platform {
 public:
  explicit ForwardingPlatform(Platform& inner) : inner_(inner) {}
  ForwardingPlatform(const ForwardingPlatform&) = delete;
  ForwardingPlatform& operator=(const ForwardingPlatform&) = delete;

  FileSystem& Files() override { return inner_.Files(); }
  Processes& Process() override { return inner_.Process(); }
  Shell& ShellApi() override { return inner_.ShellApi(); }
  MessagePump& Pump() override { return inner_.Pump(); }
  Text& Texts() override { return inner_.Texts(); }
  Dialogs& Dlg() override { return inner_.Dlg(); }
  gui::Gui& Ui() override { return inner_.Ui(); }
  ResourceMeter& Meter() override { return inner_.Meter(); }
  Desktop& Windows() override { return inner_.Windows(); }
  IniFiles& Ini() override { return inner_.Ini(); }
  Registry& Reg() override { return inner_.Reg(); }
  ShellLinks& Links() override { return inner_.Links(); }
  OsVersion& Version() override { return inner_.Version(); }

 protected:
  Platform& inner_;
};

}  // namespace plat
