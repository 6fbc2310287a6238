#include "engine/observed_platform.h"

#include "platform/text.h"

namespace engine {

namespace {

Change Named(ChangeKind kind, const std::string& path) {
  Change change;
  change.kind = kind;
  change.path = path;
  return change;
}

class ObservedFiles : public plat::ForwardingFiles {
 public:
  ObservedFiles(plat::FileSystem& inner, ChangeObserver& observer)
      : ForwardingFiles(inner), observer_(observer) {}
  bool CreateFolder(const std::string& path) override {
    const bool made = inner_.CreateFolder(path);
    if (made) observer_.Changed(Named(ChangeKind::Folder, path));
    return made;
  }
  bool Replace(const std::string& from, const std::string& to) override {
    Change change = Named(ChangeKind::File, to);
    observer_.Changing(change);
    const bool replaced = inner_.Replace(from, to);
    if (replaced) observer_.Changed(change);
    return replaced;
  }

 private:
  ChangeObserver& observer_;
};

class ObservedIni : public plat::ForwardingIni {
 public:
  ObservedIni(plat::IniFiles& inner, plat::FileSystem& files, ChangeObserver& observer)
      : ForwardingIni(inner), files_(files), observer_(observer) {}
  void Write(const std::string& file, const std::string& section, const std::string& key,
             const std::string& value) override {
    if (files_.GetAttributes(file) == plat::kInvalidAttributes) {
      Change made = Named(ChangeKind::File, file);
      observer_.Changing(made);
    }
    Change change = Named(ChangeKind::Ini, file);
    change.section = section;
    change.name = key;
    change.before = ReadIniValue(inner_, file, section, key);
    change.after.kind = plat::RegValue::Kind::String;
    change.after.text = value;
    observer_.Changing(change);
    inner_.Write(file, section, key, value);
    observer_.Changed(change);
  }

 private:
  plat::FileSystem& files_;
  ChangeObserver& observer_;
};

class ObservedAccessor : public plat::ForwardingAccessor {
 public:
  ObservedAccessor(plat::Registry& registry, ChangeObserver& observer)
      : ForwardingAccessor(registry.NewAccessor()), registry_(registry), observer_(observer) {}
  bool OpenKey(const std::string& keyPath, bool create) override {
    key_ = keyPath.rfind('\\', 0) == 0 ? keyPath.substr(1) : keyPath;
    if (create) MissingKeys();
    return ForwardingAccessor::OpenKey(keyPath, create);
  }
  void WriteString(const std::string& name, const std::string& value) override {
    Change change = Text(name, plat::RegValue::Kind::String, value);
    inner_->WriteString(name, value);
    observer_.Changed(change);
  }
  void WriteExpandString(const std::string& name, const std::string& value) override {
    Change change = Text(name, plat::RegValue::Kind::ExpandString, value);
    inner_->WriteExpandString(name, value);
    observer_.Changed(change);
  }
  void WriteNumber(const std::string& name, uint32_t value) override {
    plat::RegValue after;
    after.kind = plat::RegValue::Kind::Number;
    after.number = value;
    Change change = Value(name, after);
    inner_->WriteNumber(name, value);
    observer_.Changed(change);
  }

 private:
  // Each level of the key that the creating open is about to make, from the top down.
  void MissingKeys() {
    const std::string key =
        key_.empty() || key_.back() != '\\' ? key_ : key_.substr(0, key_.size() - 1);
    auto probe = registry_.NewAccessor();
    probe->SetRoot(root_);
    probe->SetAccess(plat::RegAccess::Read);
    bool missing = false;
    for (size_t end = 0; end != std::string::npos;) {
      end = key.find('\\', end + 1);
      const std::string level = key.substr(0, end);
      missing = missing || !probe->OpenKey(level, false);
      if (!missing) continue;
      Change change = Named(ChangeKind::Key, level);
      change.root = root_;
      observer_.Changing(change);
    }
  }
  Change Text(const std::string& name, plat::RegValue::Kind kind, const std::string& text) {
    plat::RegValue after;
    after.kind = kind;
    after.text = text;
    return Value(name, after);
  }
  // The change announced, to be reported once made.
  Change Value(const std::string& name, const plat::RegValue& after) {
    Change change = Named(ChangeKind::Value, key_);
    change.root = root_;
    change.name = name;
    change.before = inner_->ReadValue(name);
    change.after = after;
    observer_.Changing(change);
    return change;
  }

  plat::Registry& registry_;
  ChangeObserver& observer_;
  std::string key_;  // as opened, without a leading "\\"
};

class ObservedRegistry : public plat::Registry {
 public:
  ObservedRegistry(plat::Registry& inner, ChangeObserver& observer)
      : inner_(inner), observer_(observer) {}
  std::unique_ptr<plat::RegistryAccessor> NewAccessor() override {
    return std::make_unique<ObservedAccessor>(inner_, observer_);
  }

 private:
  plat::Registry& inner_;
  ChangeObserver& observer_;
};

class ObservedLink : public plat::ForwardingLink {
 public:
  ObservedLink(std::unique_ptr<plat::ShellLinkObject> inner, ChangeObserver& observer)
      : ForwardingLink(std::move(inner)), observer_(observer) {}
  uint32_t SetPath(const std::string& target) override {
    target_ = target;
    return inner_->SetPath(target);
  }
  uint32_t Save(const std::string& linkPath) override {
    Change change = Named(ChangeKind::Shortcut, linkPath);
    change.after.kind = plat::RegValue::Kind::String;
    change.after.text = target_;
    observer_.Changing(change);
    const uint32_t result = inner_->Save(linkPath);
    if (result == 0) observer_.Changed(change);
    return result;
  }

 private:
  ChangeObserver& observer_;
  std::string target_;
};

class ObservedLinks : public plat::ForwardingLinks {
 public:
  ObservedLinks(plat::ShellLinks& inner, ChangeObserver& observer)
      : ForwardingLinks(inner), observer_(observer) {}

 private:
  std::unique_ptr<plat::ShellLinkObject> Wrap(
      std::unique_ptr<plat::ShellLinkObject> link) override {
    return std::make_unique<ObservedLink>(std::move(link), observer_);
  }
  ChangeObserver& observer_;
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

ObservedPlatform::ObservedPlatform(plat::Platform& inner, ChangeObserver& observer)
    : ForwardingPlatform(inner),
      files_(std::make_unique<ObservedFiles>(inner.Files(), observer)),
      ini_(std::make_unique<ObservedIni>(inner.Ini(), inner.Files(), observer)),
      registry_(std::make_unique<ObservedRegistry>(inner.Reg(), observer)),
      links_(std::make_unique<ObservedLinks>(inner.Links(), observer)) {}

ObservedPlatform::~ObservedPlatform() = default;

}  // namespace engine
