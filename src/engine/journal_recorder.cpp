#include "engine/journal_recorder.h"

#include "platform/errors.h"
#include "platform/forwarding.h"
#include "platform/text.h"

namespace engine {

namespace {

bool Exists(plat::FileSystem& files, const std::string& path) {
  return files.GetAttributes(path) != plat::kInvalidAttributes;
}

// Records a file or link about to be written: new, or replacing one that is first renamed
// aside under a free name in its folder, so that it keeps its rights, owner and identity. The
// line goes first: a run killed at the rename still finds the file where the line says. Raises
// why when the earlier file cannot be kept (a program holds it): it must not be lost.
void AboutToWrite(plat::FileSystem& files, Journal& journal, ChangeKind kind,
                  const std::string& path) {
  Change change;
  change.kind = kind;
  change.path = path;
  if (Exists(files, path)) {
    const std::string folder = path.substr(0, path.find_last_of("\\:") + 1);
    for (int n = 0; n < 1000 && change.aside.empty(); ++n) {
      const std::string name = folder + "~vp" + std::to_string(n) + ".old";
      if (!Exists(files, name)) change.aside = name;
    }
    if (change.aside.empty())
      throw plat::EFileError(path, "nie można zachować poprzedniej wersji pliku");
  }
  journal.Record(change);
  if (change.aside.empty() || files.Rename(path, change.aside)) return;
  const plat::EFileError why = files.LastError(path);  // before the journal's own calls
  journal.Withdraw();
  throw why;
}

// Files are created directly only under temporary names; they are put in place by Replace.
class RecordingFiles : public plat::ForwardingFiles {
 public:
  RecordingFiles(plat::FileSystem& inner, Journal& journal)
      : ForwardingFiles(inner), journal_(journal) {}
  bool CreateFolder(const std::string& path) override {
    const bool made = inner_.CreateFolder(path);
    if (made) {
      Change change;
      change.path = path;
      journal_.Record(change);
    }
    return made;
  }
  bool Replace(const std::string& from, const std::string& to) override {
    AboutToWrite(inner_, journal_, ChangeKind::File, to);
    return inner_.Replace(from, to);
  }

 private:
  Journal& journal_;
};

class RecordingIni : public plat::ForwardingIni {
 public:
  RecordingIni(plat::IniFiles& inner, plat::FileSystem& files, Journal& journal)
      : ForwardingIni(inner), files_(files), journal_(journal) {}
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

 private:
  plat::FileSystem& files_;
  Journal& journal_;
};

class RecordingAccessor : public plat::ForwardingAccessor {
 public:
  RecordingAccessor(plat::Registry& registry, Journal& journal)
      : ForwardingAccessor(registry.NewAccessor()), registry_(registry), journal_(journal) {}
  bool OpenKey(const std::string& keyPath, bool create) override {
    key_ = keyPath.rfind('\\', 0) == 0 ? keyPath.substr(1) : keyPath;
    if (!key_.empty() && key_.back() == '\\') key_.pop_back();
    if (create) RecordMissingKeys();
    return ForwardingAccessor::OpenKey(keyPath, create);
  }
  void WriteString(const std::string& name, const std::string& value) override {
    RecordText(name, plat::RegValue::Kind::String, value);
    inner_->WriteString(name, value);
  }
  void WriteExpandString(const std::string& name, const std::string& value) override {
    RecordText(name, plat::RegValue::Kind::ExpandString, value);
    inner_->WriteExpandString(name, value);
  }
  void WriteNumber(const std::string& name, uint32_t value) override {
    plat::RegValue after;
    after.kind = plat::RegValue::Kind::Number;
    after.number = value;
    RecordValue(name, after);
    inner_->WriteNumber(name, value);
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
  void RecordText(const std::string& name, plat::RegValue::Kind kind, const std::string& text) {
    plat::RegValue after;
    after.kind = kind;
    after.text = text;
    RecordValue(name, after);
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

class RecordingLink : public plat::ForwardingLink {
 public:
  RecordingLink(std::unique_ptr<plat::ShellLinkObject> inner, plat::FileSystem& files,
                Journal& journal)
      : ForwardingLink(std::move(inner)), files_(files), journal_(journal) {}
  uint32_t Save(const std::string& linkPath) override {
    AboutToWrite(files_, journal_, ChangeKind::Shortcut, linkPath);
    return inner_->Save(linkPath);
  }

 private:
  plat::FileSystem& files_;
  Journal& journal_;
};

class RecordingLinks : public plat::ForwardingLinks {
 public:
  RecordingLinks(plat::ShellLinks& inner, plat::FileSystem& files, Journal& journal)
      : ForwardingLinks(inner), files_(files), journal_(journal) {}

 private:
  std::unique_ptr<plat::ShellLinkObject> Wrap(
      std::unique_ptr<plat::ShellLinkObject> link) override {
    return std::make_unique<RecordingLink>(std::move(link), files_, journal_);
  }
  plat::FileSystem& files_;
  Journal& journal_;
};

// The platform of one step: the one below, with the changes recorded on their way. It is the
// current platform while it exists.
class RecordingPlatform : public plat::ForwardingPlatform {
 public:
  RecordingPlatform(plat::Platform& inner, Journal& journal)
      : ForwardingPlatform(inner),
        files_(inner.Files(), journal),
        ini_(inner.Ini(), inner.Files(), journal),
        registry_(inner.Reg(), journal),
        links_(inner.Links(), inner.Files(), journal) {}

  plat::FileSystem& Files() override { return files_; }
  plat::IniFiles& Ini() override { return ini_; }
  plat::Registry& Reg() override { return registry_; }
  plat::ShellLinks& Links() override { return links_; }

 private:
  RecordingFiles files_;
  RecordingIni ini_;
  RecordingRegistry registry_;
  RecordingLinks links_;
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
