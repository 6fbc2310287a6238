#include "system/file_types.h"

#include "platform/dialogs.h"
#include "platform/platform.h"
#include "system/failures.h"
#include "system/paths.h"

namespace sys {
namespace {

constexpr char kTakeOverQuestion[] =
    "Zmienić przyporządkowanie rozszerzenia tak aby było domyślnie uruchamiane przez aktualnie "
    "instalowany program ?";

// The default value of `keyPath`; a key that cannot be opened is reported and skipped, as the
// registration of one type must not fail on one key.
void WriteDefault(plat::RegistryAccessor& reg, const std::string& keyPath,
                  const std::string& value) {
  if (!OpenKeyForWriting(reg, keyPath)) return;
  plat::OpenKeyScope open(reg);
  reg.WriteString(std::string(), value);
}

std::string ReadDefault(plat::RegistryAccessor& reg) {
  plat::OpenKeyScope open(reg);
  return reg.ReadString(std::string());
}

bool SameProgram(plat::Text& text, const std::string& a, const std::string& b) {
  return text.UpperCase(a) == text.UpperCase(b);
}

}  // namespace

std::string ExtractQuotedPath(const std::string& command) {
  const auto first = command.find('"');
  if (first == std::string::npos) return command;
  const std::string rest = command.substr(first + 1);
  return rest.substr(0, rest.find('"'));
}

std::string QuotedCommand(const std::string& exePath) {
  return "\"" + exePath + "\" \"%1\"";
}

bool ConfirmAssociationChange(plat::Text& text, plat::RegistryAccessor& reg, const std::string& ext,
                              const std::string& progId, const std::string& description,
                              const std::string& verb, const std::string& command,
                              const std::string& oldProgId) {
  if (oldProgId.empty()) return true;
  reg.SetRoot(plat::RegRoot::ClassesRoot);
  std::string question = "Rejestrowane rozszerzenie (" + ext + ") typu: \"" + description + "\"\r";
  if (oldProgId == progId) {
    if (!reg.OpenKey(progId + "\\shell\\" + verb + "\\command", true)) return true;
    const std::string current = ExtractQuotedPath(ReadDefault(reg));
    if (SameProgram(text, current, ExtractQuotedPath(command))) return true;
    question += "jest już skojarzone z programem: \"" + current + "\".\r";
  } else {
    if (!reg.OpenKey(oldProgId, false)) return true;
    const std::string oldDescription = ReadDefault(reg);
    std::string current;
    if (reg.OpenKey(oldProgId + "\\shell\\" + verb + "\\command", false))
      current = ExtractQuotedPath(ReadDefault(reg));
    question += "jest już zarejestrowane w systemie jako: \"" + oldDescription +
                "\"\roraz skojarzone z programem: \"" + current + "\".\r";
  }
  question += kTakeOverQuestion;
  return plat::MessageDlg(question, plat::DlgType::Warning,
                          {plat::DlgButton::Yes, plat::DlgButton::No}) == plat::ModalResult::Yes;
}

bool RegisterFileType(plat::Text& text, plat::RegistryAccessor& reg, const std::string& ext,
                      const std::string& progId, const std::string& description,
                      const std::string& defaultIcon, const std::string& verb,
                      const std::string& verbCaption, const std::string& command,
                      const std::string& verb2, const std::string& verb2Caption,
                      const std::string& verb2Command) {
  reg.SetRoot(plat::RegRoot::ClassesRoot);
  bool goAhead = true;
  if (reg.OpenKey(ext, false)) {
    const std::string oldProgId = ReadDefault(reg);
    goAhead =
        ConfirmAssociationChange(text, reg, ext, progId, description, verb, command, oldProgId);
  }
  if (!goAhead) return false;
  WriteDefault(reg, ext, progId);
  WriteDefault(reg, progId, description);
  WriteDefault(reg, progId + "\\DefaultIcon", defaultIcon);
  WriteDefault(reg, progId + "\\shell\\" + verb, verbCaption);
  WriteDefault(reg, progId + "\\shell\\" + verb + "\\command", command);
  if (!verb2.empty()) {
    WriteDefault(reg, progId + "\\shell\\" + verb2, verb2Caption);
    WriteDefault(reg, progId + "\\shell\\" + verb2 + "\\command", verb2Command);
  }
  return true;
}

void RegisterFtpScriptTemplate(plat::RegistryAccessor& reg, const std::string& folder) {
  reg.SetRoot(plat::RegRoot::ClassesRoot);
  if (!OpenKeyForWriting(reg, ".ftp\\ShellNew")) return;
  plat::OpenKeyScope open(reg);
  reg.WriteString("FileName", AddBackslash(folder) + "Pattern.ftp");
}

}  // namespace sys
