#include "unattended/logging_platform.h"

#include <vector>

namespace unattended {

namespace {

std::string RootName(plat::RegRoot root) {
  switch (root) {
    case plat::RegRoot::CurrentUser:
      return "HKEY_CURRENT_USER";
    case plat::RegRoot::LocalMachine:
      return "HKEY_LOCAL_MACHINE";
    case plat::RegRoot::ClassesRoot:
      break;
  }
  return "HKEY_CLASSES_ROOT";
}

class LoggingFiles : public plat::FileSystem {
 public:
  LoggingFiles(plat::FileSystem& inner, SetupLog& log) : inner_(inner), log_(log) {}

  uint32_t GetAttributes(const std::string& path) override { return inner_.GetAttributes(path); }
  bool SetAttributes(const std::string& path, uint32_t attributes) override {
    return inner_.SetAttributes(path, attributes);
  }
  uint64_t FileSize(const std::string& path) override { return inner_.FileSize(path); }
  bool CreateFolder(const std::string& path) override {
    const bool made = inner_.CreateFolder(path);
    if (made) log_.Line("Utworzono katalog: " + path);
    return made;
  }
  std::unique_ptr<plat::InputFile> OpenRead(const std::string& path) override {
    return inner_.OpenRead(path);
  }
  std::unique_ptr<plat::OutputFile> Create(const std::string& path) override {
    return inner_.Create(path);
  }
  bool CopyTo(const std::string& from, const std::string& to, bool failIfExists) override {
    const bool copied = inner_.CopyTo(from, to, failIfExists);
    if (copied) Written(to);
    return copied;
  }
  bool Remove(const std::string& path) override { return inner_.Remove(path); }
  bool RemoveFolder(const std::string& path) override { return inner_.RemoveFolder(path); }
  std::vector<std::string> List(const std::string& folder) override { return inner_.List(folder); }
  std::unique_ptr<plat::OutputFile> Append(const std::string& path) override {
    return inner_.Append(path);
  }
  // Expanded files are written under a temporary name and put in place here.
  bool Replace(const std::string& from, const std::string& to) override {
    const bool replaced = inner_.Replace(from, to);
    if (replaced) Written(to);
    return replaced;
  }
  std::string CurrentDirectory() override { return inner_.CurrentDirectory(); }
  bool ChangeDirectory(const std::string& path) override { return inner_.ChangeDirectory(path); }
  std::string ModulePath() override { return inner_.ModulePath(); }
  std::string TempFolder() override { return inner_.TempFolder(); }

 private:
  void Written(const std::string& path) {
    if (!log_.Writing()) return;  // the size costs a second reading of the file
    uint64_t size = 0;
    try {
      auto in = inner_.OpenRead(path);
      std::vector<char> buffer(65536);
      while (const size_t got = in->Read(buffer.data(), buffer.size())) size += got;
    } catch (const plat::EFileError& e) {
      log_.Line("Zapisano plik: " + path + " (rozmiaru nie można odczytać: " + e.what() + ")");
      return;
    }
    log_.Line("Zapisano plik: " + path + " (" + std::to_string(size) + " B)");
  }

  plat::FileSystem& inner_;
  SetupLog& log_;
};

class LoggingIni : public plat::IniFiles {
 public:
  LoggingIni(plat::IniFiles& inner, SetupLog& log) : inner_(inner), log_(log) {}
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
    log_.Line("Zapisano INI: " + file + " [" + section + "] " + key + "=" + value);
  }
  void Remove(const std::string& file, const std::string& section,
              const std::string& key) override {
    inner_.Remove(file, section, key);
  }

 private:
  plat::IniFiles& inner_;
  SetupLog& log_;
};

class LoggingAccessor : public plat::RegistryAccessor {
 public:
  LoggingAccessor(std::unique_ptr<plat::RegistryAccessor> inner, SetupLog& log)
      : inner_(std::move(inner)), log_(log) {}
  bool OpenKey(const std::string& keyPath, bool create) override {
    // The root and mask are set here on the accessor that does the work.
    inner_->SetRoot(root_);
    inner_->SetAccess(access_);
    const bool open = inner_->OpenKey(keyPath, create);
    key_ = keyPath.rfind('\\', 0) == 0 ? keyPath.substr(1) : keyPath;
    return open;
  }
  void CloseKey() override { inner_->CloseKey(); }
  bool HasOpenKey() const override { return inner_->HasOpenKey(); }
  std::string ReadString(const std::string& name) override { return inner_->ReadString(name); }
  void WriteString(const std::string& name, const std::string& value) override {
    inner_->WriteString(name, value);
    log_.Line("Zapisano w rejestrze: " + RootName(root_) + "\\" + key_ + " " +
              (name.empty() ? std::string("(domyślna)") : "\"" + name + "\"") + " = \"" + value +
              "\"");
  }
  void WriteNumber(const std::string& name, uint32_t value) override {
    inner_->WriteNumber(name, value);
    log_.Line("Zapisano w rejestrze: " + RootName(root_) + "\\" + key_ + " \"" + name +
              "\" = " + std::to_string(value));
  }
  plat::RegValue ReadValue(const std::string& name) override { return inner_->ReadValue(name); }
  bool DeleteValue(const std::string& name) override { return inner_->DeleteValue(name); }
  bool DeleteEmptyKey(const std::string& keyPath) override {
    inner_->SetRoot(root_);
    inner_->SetAccess(access_);
    return inner_->DeleteEmptyKey(keyPath);
  }

 private:
  std::unique_ptr<plat::RegistryAccessor> inner_;
  SetupLog& log_;
  std::string key_;
};

class LoggingRegistry : public plat::Registry {
 public:
  LoggingRegistry(plat::Registry& inner, SetupLog& log) : inner_(inner), log_(log) {}
  std::unique_ptr<plat::RegistryAccessor> NewAccessor() override {
    return std::make_unique<LoggingAccessor>(inner_.NewAccessor(), log_);
  }

 private:
  plat::Registry& inner_;
  SetupLog& log_;
};

class LoggingLink : public plat::ShellLinkObject {
 public:
  LoggingLink(std::unique_ptr<plat::ShellLinkObject> inner, SetupLog& log)
      : inner_(std::move(inner)), log_(log) {}
  uint32_t SetPath(const std::string& target) override {
    target_ = target;
    return inner_->SetPath(target);
  }
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
    const uint32_t result = inner_->Save(linkPath);
    if (result == 0) log_.Line("Utworzono skrót: " + linkPath + " -> " + target_);
    return result;
  }

 private:
  std::unique_ptr<plat::ShellLinkObject> inner_;
  SetupLog& log_;
  std::string target_;
};

class LoggingLinks : public plat::ShellLinks {
 public:
  LoggingLinks(plat::ShellLinks& inner, SetupLog& log) : inner_(inner), log_(log) {}
  uint32_t Create(std::unique_ptr<plat::ShellLinkObject>& link) override {
    std::unique_ptr<plat::ShellLinkObject> made;
    const uint32_t result = inner_.Create(made);
    if (made) link = std::make_unique<LoggingLink>(std::move(made), log_);
    return result;
  }
  bool Read(const std::string& linkPath, plat::ShellLinkInfo& info) override {
    return inner_.Read(linkPath, info);
  }
  uint32_t LastError() override { return inner_.LastError(); }

 private:
  plat::ShellLinks& inner_;
  SetupLog& log_;
};

}  // namespace

std::string DescribeAnswer(const plat::DialogRequest& request, plat::ModalResult answer) {
  std::string caption = "(zamknięte)";
  for (plat::DlgButton button : request.buttons)
    if (plat::ResultOf(button) == answer) caption = plat::CaptionOf(button);
  std::string shown;
  for (char c : caption)
    if (c != '&') shown += c;
  return "Komunikat: \"" + request.text + "\" - odpowiedź: " + shown;
}

plat::ModalResult LoggedDialogs::Show(const plat::DialogRequest& request) {
  const plat::ModalResult answer = inner_.Show(request);
  log_.Line(DescribeAnswer(request, answer));
  return answer;
}

LoggingPlatform::LoggingPlatform(plat::Platform& inner, SetupLog& log, plat::Dialogs& dialogs)
    : inner_(inner),
      dialogs_(dialogs),
      files_(std::make_unique<LoggingFiles>(inner.Files(), log)),
      ini_(std::make_unique<LoggingIni>(inner.Ini(), log)),
      registry_(std::make_unique<LoggingRegistry>(inner.Reg(), log)),
      links_(std::make_unique<LoggingLinks>(inner.Links(), log)),
      previous_(plat::SetCurrent(this)) {}

LoggingPlatform::~LoggingPlatform() {
  plat::SetCurrent(previous_);
}

}  // namespace unattended
