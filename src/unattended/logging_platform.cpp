#include "unattended/logging_platform.h"

#include <vector>

#include "platform/forwarding.h"

namespace unattended {

namespace {

class LoggingFiles : public plat::ForwardingFiles {
 public:
  LoggingFiles(plat::FileSystem& inner, SetupLog& log) : ForwardingFiles(inner), log_(log) {}
  bool CreateFolder(const std::string& path) override {
    const bool made = inner_.CreateFolder(path);
    if (made) log_.Line("Utworzono katalog: " + path);
    return made;
  }
  // Expanded files are written under a temporary name and put in place here.
  bool Replace(const std::string& from, const std::string& to) override {
    const bool replaced = inner_.Replace(from, to);
    if (replaced) Written(to);
    return replaced;
  }

 private:
  void Written(const std::string& path) {
    if (!log_.Writing()) return;
    // The size from the directory; only where it says 0 (an empty file, or a query that
    // failed) is the file read, so a failure still shows its reason.
    uint64_t size = inner_.FileSize(path);
    if (size == 0) {
      try {
        auto in = inner_.OpenRead(path);
        std::vector<char> buffer(65536);
        while (const size_t got = in->Read(buffer.data(), buffer.size())) size += got;
      } catch (const plat::EFileError& e) {
        log_.Line("Zapisano plik: " + path + " (rozmiaru nie można odczytać: " + e.what() + ")");
        return;
      }
    }
    log_.Line("Zapisano plik: " + path + " (" + std::to_string(size) + " B)");
  }

  SetupLog& log_;
};

class LoggingIni : public plat::ForwardingIni {
 public:
  LoggingIni(plat::IniFiles& inner, SetupLog& log) : ForwardingIni(inner), log_(log) {}
  void Write(const std::string& file, const std::string& section, const std::string& key,
             const std::string& value) override {
    inner_.Write(file, section, key, value);
    log_.Line("Zapisano INI: " + file + " [" + section + "] " + key + "=" + value);
  }

 private:
  SetupLog& log_;
};

class LoggingAccessor : public plat::ForwardingAccessor {
 public:
  LoggingAccessor(std::unique_ptr<plat::RegistryAccessor> inner, SetupLog& log)
      : ForwardingAccessor(std::move(inner)), log_(log) {}
  bool OpenKey(const std::string& keyPath, bool create) override {
    const bool open = ForwardingAccessor::OpenKey(keyPath, create);
    key_ = keyPath.rfind('\\', 0) == 0 ? keyPath.substr(1) : keyPath;
    return open;
  }
  void WriteString(const std::string& name, const std::string& value) override {
    inner_->WriteString(name, value);
    LogText(name, value);
  }
  void WriteExpandString(const std::string& name, const std::string& value) override {
    inner_->WriteExpandString(name, value);
    LogText(name, value);
  }
  void WriteNumber(const std::string& name, uint32_t value) override {
    inner_->WriteNumber(name, value);
    log_.Line("Zapisano w rejestrze: " + plat::RootName(root_) + "\\" + key_ + " \"" + name +
              "\" = " + std::to_string(value));
  }

 private:
  void LogText(const std::string& name, const std::string& value) {
    log_.Line("Zapisano w rejestrze: " + plat::RootName(root_) + "\\" + key_ + " " +
              (name.empty() ? std::string("(domyślna)") : "\"" + name + "\"") + " = \"" + value +
              "\"");
  }

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

class LoggingLink : public plat::ForwardingLink {
 public:
  LoggingLink(std::unique_ptr<plat::ShellLinkObject> inner, SetupLog& log)
      : ForwardingLink(std::move(inner)), log_(log) {}
  uint32_t SetPath(const std::string& target) override {
    target_ = target;
    return inner_->SetPath(target);
  }
  uint32_t Save(const std::string& linkPath) override {
    const uint32_t result = inner_->Save(linkPath);
    if (result == 0) log_.Line("Utworzono skrót: " + linkPath + " -> " + target_);
    return result;
  }

 private:
  SetupLog& log_;
  std::string target_;
};

class LoggingLinks : public plat::ForwardingLinks {
 public:
  LoggingLinks(plat::ShellLinks& inner, SetupLog& log) : ForwardingLinks(inner), log_(log) {}

 private:
  std::unique_ptr<plat::ShellLinkObject> Wrap(
      std::unique_ptr<plat::ShellLinkObject> link) override {
    return std::make_unique<LoggingLink>(std::move(link), log_);
  }
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
    : ForwardingPlatform(inner),
      dialogs_(dialogs),
      files_(std::make_unique<LoggingFiles>(inner.Files(), log)),
      ini_(std::make_unique<LoggingIni>(inner.Ini(), log)),
      registry_(std::make_unique<LoggingRegistry>(inner.Reg(), log)),
      links_(std::make_unique<LoggingLinks>(inner.Links(), log)) {}

LoggingPlatform::~LoggingPlatform() = default;

}  // namespace unattended
