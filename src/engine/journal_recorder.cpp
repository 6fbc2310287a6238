#include "engine/journal_recorder.h"

#include "platform/errors.h"
#include "platform/text.h"

namespace engine {

namespace {

bool Exists(plat::FileSystem& files, const std::string& path) {
  return files.GetAttributes(path) != plat::kInvalidAttributes;
}

// A file or link about to be written: new, or replacing one that is first copied aside under
// a free name in its folder. Raises when the earlier file cannot be kept: it must not be lost.
Change AboutToWrite(plat::FileSystem& files, ChangeKind kind, const std::string& path) {
  Change change;
  change.kind = kind;
  change.path = path;
  if (!Exists(files, path)) return change;
  const std::string folder = path.substr(0, path.find_last_of("\\:") + 1);
  for (int n = 0; n < 1000 && change.aside.empty(); ++n) {
    const std::string name = folder + "~vp" + std::to_string(n) + ".old";
    if (!Exists(files, name)) change.aside = name;
  }
  if (change.aside.empty() || !files.CopyTo(path, change.aside, true))
    throw plat::EFileError(path, "nie można zachować poprzedniej wersji pliku");
  return change;
}

class RecordingFiles : public plat::FileSystem {
 public:
  RecordingFiles(plat::FileSystem& inner, Journal& journal) : inner_(inner), journal_(journal) {}

  uint32_t GetAttributes(const std::string& path) override { return inner_.GetAttributes(path); }
  bool SetAttributes(const std::string& path, uint32_t attributes) override {
    return inner_.SetAttributes(path, attributes);
  }
  uint64_t FileSize(const std::string& path) override { return inner_.FileSize(path); }
  bool CreateFolder(const std::string& path) override {
    const bool made = inner_.CreateFolder(path);
    if (made) {
      Change change;
      change.path = path;
      journal_.Record(change);
    }
    return made;
  }
  std::unique_ptr<plat::InputFile> OpenRead(const std::string& path) override {
    return inner_.OpenRead(path);
  }
  // Only temporary files are created directly; they are put in place by Replace.
  std::unique_ptr<plat::OutputFile> Create(const std::string& path) override {
    return inner_.Create(path);
  }
  bool CopyTo(const std::string& from, const std::string& to, bool failIfExists) override {
    if (failIfExists && Exists(inner_, to)) return false;
    journal_.Record(AboutToWrite(inner_, ChangeKind::File, to));
    return inner_.CopyTo(from, to, failIfExists);
  }
  bool Remove(const std::string& path) override { return inner_.Remove(path); }
  bool Replace(const std::string& from, const std::string& to) override {
    journal_.Record(AboutToWrite(inner_, ChangeKind::File, to));
    return inner_.Replace(from, to);
  }
  bool RemoveFolder(const std::string& path) override { return inner_.RemoveFolder(path); }
  std::vector<std::string> List(const std::string& folder) override { return inner_.List(folder); }
  std::unique_ptr<plat::OutputFile> Append(const std::string& path) override {
    return inner_.Append(path);
  }
  std::string CurrentDirectory() override { return inner_.CurrentDirectory(); }
  bool ChangeDirectory(const std::string& path) override { return inner_.ChangeDirectory(path); }
  std::string ModulePath() override { return inner_.ModulePath(); }
  std::string TempFolder() override { return inner_.TempFolder(); }

 private:
  plat::FileSystem& inner_;
  Journal& journal_;
};

class RecordingIni : public plat::IniFiles {
 public:
  RecordingIni(plat::IniFiles& inner, plat::FileSystem& files, Journal& journal)
      : inner_(inner), files_(files), journal_(journal) {}
  std::string Read(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& fallback) override {
    return inner_.Read(file, section, key, fallback);
  }
  std::vector<std::string> Keys(const std::string& file, const std::string& section) override {
    return inner_.Keys(file, section);
  }
  void Write(const std::string& file, const std::string& section, const std::string& key,
             const std::string& value) override {
    if (!Exists(files_, file)) {
      Change made;
      made.kind = ChangeKind::File;
      made.path = file;
      journal_.Record(made);
    }
    Change change;
    change.kind = ChangeKind::Ini;
    change.path = file;
    change.section = section;
    change.name = key;
    change.before = ReadIniValue(inner_, file, section, key);
    change.after.kind = plat::RegValue::Kind::String;
    change.after.text = value;
    journal_.Record(change);
    inner_.Write(file, section, key, value);
  }
  void Remove(const std::string& file, const std::string& section,
              const std::string& key) override {
    inner_.Remove(file, section, key);
  }

 private:
  plat::IniFiles& inner_;
  plat::FileSystem& files_;
  Journal& journal_;
};

class RecordingAccessor : public plat::RegistryAccessor {
 public:
  RecordingAccessor(plat::Registry& registry, Journal& journal)
      : registry_(registry), inner_(registry.NewAccessor()), journal_(journal) {}
  bool OpenKey(const std::string& keyPath, bool create) override {
    inner_->SetRoot(root_);
    inner_->SetAccess(access_);
    key_ = keyPath.rfind('\\', 0) == 0 ? keyPath.substr(1) : keyPath;
    if (!key_.empty() && key_.back() == '\\') key_.pop_back();
    if (create) RecordMissingKeys();
    return inner_->OpenKey(keyPath, create);
  }
  void CloseKey() override { inner_->CloseKey(); }
  bool HasOpenKey() const override { return inner_->HasOpenKey(); }
  std::string ReadString(const std::string& name) override { return inner_->ReadString(name); }
  plat::RegValue ReadValue(const std::string& name) override { return inner_->ReadValue(name); }
  void WriteString(const std::string& name, const std::string& value) override {
    plat::RegValue after;
    after.kind = plat::RegValue::Kind::String;
    after.text = value;
    RecordValue(name, after);
    inner_->WriteString(name, value);
  }
  void WriteNumber(const std::string& name, uint32_t value) override {
    plat::RegValue after;
    after.kind = plat::RegValue::Kind::Number;
    after.number = value;
    RecordValue(name, after);
    inner_->WriteNumber(name, value);
  }
  bool DeleteValue(const std::string& name) override { return inner_->DeleteValue(name); }
  bool DeleteEmptyKey(const std::string& keyPath) override {
    inner_->SetRoot(root_);
    inner_->SetAccess(access_);
    return inner_->DeleteEmptyKey(keyPath);
  }

 private:
  // Each level of the key that the creating open is about to make, from the top down.
  void RecordMissingKeys() {
    auto probe = registry_.NewAccessor();
    probe->SetRoot(root_);
    probe->SetAccess(plat::RegAccess::Read);
    bool missing = false;
    for (size_t end = 0; end != std::string::npos;) {
      end = key_.find('\\', end + 1);
      const std::string level = key_.substr(0, end);
      missing = missing || !probe->OpenKey(level, false);
      if (!missing) continue;
      Change change;
      change.kind = ChangeKind::Key;
      change.root = root_;
      change.path = level;
      journal_.Record(change);
    }
  }
  void RecordValue(const std::string& name, const plat::RegValue& after) {
    Change change;
    change.kind = ChangeKind::Value;
    change.root = root_;
    change.path = key_;
    change.name = name;
    change.before = inner_->ReadValue(name);
    change.after = after;
    journal_.Record(change);
  }

  plat::Registry& registry_;
  std::unique_ptr<plat::RegistryAccessor> inner_;
  Journal& journal_;
  std::string key_;
};

class RecordingRegistry : public plat::Registry {
 public:
  RecordingRegistry(plat::Registry& inner, Journal& journal) : inner_(inner), journal_(journal) {}
  std::unique_ptr<plat::RegistryAccessor> NewAccessor() override {
    return std::make_unique<RecordingAccessor>(inner_, journal_);
  }

 private:
  plat::Registry& inner_;
  Journal& journal_;
};

class RecordingLink : public plat::ShellLinkObject {
 public:
  RecordingLink(std::unique_ptr<plat::ShellLinkObject> inner, plat::FileSystem& files,
                Journal& journal)
      : inner_(std::move(inner)), files_(files), journal_(journal) {}
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
  uint32_t Save(const std::string& linkPath) override {
    journal_.Record(AboutToWrite(files_, ChangeKind::Shortcut, linkPath));
    return inner_->Save(linkPath);
  }

 private:
  std::unique_ptr<plat::ShellLinkObject> inner_;
  plat::FileSystem& files_;
  Journal& journal_;
};

class RecordingLinks : public plat::ShellLinks {
 public:
  RecordingLinks(plat::ShellLinks& inner, plat::FileSystem& files, Journal& journal)
      : inner_(inner), files_(files), journal_(journal) {}
  uint32_t Create(std::unique_ptr<plat::ShellLinkObject>& link) override {
    std::unique_ptr<plat::ShellLinkObject> made;
    const uint32_t result = inner_.Create(made);
    if (made) link = std::make_unique<RecordingLink>(std::move(made), files_, journal_);
    return result;
  }
  bool Read(const std::string& linkPath, plat::ShellLinkInfo& info) override {
    return inner_.Read(linkPath, info);
  }
  uint32_t LastError() override { return inner_.LastError(); }

 private:
  plat::ShellLinks& inner_;
  plat::FileSystem& files_;
  Journal& journal_;
};

// The platform of one step: the one below, with the changes recorded on their way. It is the
// current platform while it exists.
class RecordingPlatform : public plat::Platform {
 public:
  RecordingPlatform(plat::Platform& inner, Journal& journal)
      : inner_(inner),
        files_(inner.Files(), journal),
        ini_(inner.Ini(), inner.Files(), journal),
        registry_(inner.Reg(), journal),
        links_(inner.Links(), inner.Files(), journal),
        previous_(plat::SetCurrent(this)) {}
  ~RecordingPlatform() override { plat::SetCurrent(previous_); }
  RecordingPlatform(const RecordingPlatform&) = delete;
  RecordingPlatform& operator=(const RecordingPlatform&) = delete;

  plat::FileSystem& Files() override { return files_; }
  plat::Processes& Process() override { return inner_.Process(); }
  plat::Shell& ShellApi() override { return inner_.ShellApi(); }
  plat::MessagePump& Pump() override { return inner_.Pump(); }
  plat::Text& Texts() override { return inner_.Texts(); }
  plat::Dialogs& Dlg() override { return inner_.Dlg(); }
  plat::gui::Gui& Ui() override { return inner_.Ui(); }
  plat::ResourceMeter& Meter() override { return inner_.Meter(); }
  plat::Desktop& Windows() override { return inner_.Windows(); }
  plat::IniFiles& Ini() override { return ini_; }
  plat::Registry& Reg() override { return registry_; }
  plat::ShellLinks& Links() override { return links_; }
  plat::OsVersion& Version() override { return inner_.Version(); }

 private:
  plat::Platform& inner_;
  RecordingFiles files_;
  RecordingIni ini_;
  RecordingRegistry registry_;
  RecordingLinks links_;
  plat::Platform* previous_;
};

}  // namespace

plat::RegValue ReadIniValue(plat::IniFiles& ini, const std::string& file,
                            const std::string& section, const std::string& key) {
  plat::RegValue value;
  for (const std::string& name : ini.Keys(file, section))
    if (plat::InvariantUpper(name) == plat::InvariantUpper(key)) {
      value.kind = plat::RegValue::Kind::String;
      value.text = ini.Read(file, section, key, std::string());
    }
  return value;
}

bool JournaledSteps::Apply(const RunStep& step) {
  RecordingPlatform recording(plat::Current(), journal_);
  return inner_.Apply(step);
}

}  // namespace engine
