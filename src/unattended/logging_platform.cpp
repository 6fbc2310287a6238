#include "unattended/logging_platform.h"

#include <vector>

namespace unattended {

namespace {

std::string KeyName(const engine::Change& change) {
  return plat::RootName(change.root) + "\\" + change.path;
}

}  // namespace

void ChangeLog::Changed(const engine::Change& change) {
  using Kind = engine::ChangeKind;
  switch (change.kind) {
    case Kind::Folder:
      log_.Line("Utworzono katalog: " + change.path);
      return;
    case Kind::File:
      return Written(change.path);
    case Kind::Shortcut:
      log_.Line("Utworzono skrót: " + change.path + " -> " + change.after.text);
      return;
    case Kind::Ini:
      log_.Line("Zapisano INI: " + change.path + " [" + change.section + "] " + change.name + "=" +
                change.after.text);
      return;
    case Kind::Value:
      if (change.after.kind == plat::RegValue::Kind::Number)
        log_.Line("Zapisano w rejestrze: " + KeyName(change) + " \"" + change.name +
                  "\" = " + std::to_string(change.after.number));
      else
        log_.Line("Zapisano w rejestrze: " + KeyName(change) + " " +
                  (change.name.empty() ? std::string("(domyślna)") : "\"" + change.name + "\"") +
                  " = \"" + change.after.text + "\"");
      return;
    case Kind::Key:
      return;
  }
}

void ChangeLog::Written(const std::string& path) {
  if (!log_.Writing()) return;
  // The size from the directory; only where it says 0 (an empty file, or a query that
  // failed) is the file read, so a failure still shows its reason.
  uint64_t size = files_.FileSize(path);
  if (size == 0) {
    try {
      auto in = files_.OpenRead(path);
      std::vector<char> buffer(65536);
      while (const size_t got = in->Read(buffer.data(), buffer.size())) size += got;
    } catch (const plat::EFileError& e) {
      log_.Line("Zapisano plik: " + path + " (rozmiaru nie można odczytać: " + e.what() + ")");
      return;
    }
  }
  log_.Line("Zapisano plik: " + path + " (" + std::to_string(size) + " B)");
}

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
    : ChangeLog(inner.Files(), log),
      ObservedPlatform(inner, static_cast<ChangeLog&>(*this)),
      dialogs_(dialogs) {}

}  // namespace unattended
