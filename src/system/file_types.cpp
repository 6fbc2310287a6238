#include "system/file_types.h"

#include "platform/platform.h"
#include "system/failures.h"
#include "system/paths.h"

namespace sys {
namespace {

// The default value of `keyPath`; a key that cannot be opened is reported and skipped, as the
// registration of one type must not fail on one key.
void WriteDefault(plat::RegistryAccessor& reg, const std::string& keyPath, const std::string& value,
                  Questions& asked) {
  if (!OpenKeyForWriting(reg, keyPath, asked)) return;
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
                              const std::string& oldProgId, Questions& asked) {
  if (oldProgId.empty()) return true;
  reg.SetRoot(plat::RegRoot::ClassesRoot);
  FileTypeHolder holder{ext, description, oldProgId == progId, "", ""};
  if (holder.sameType) {
    if (!reg.OpenKey(progId + "\\shell\\" + verb + "\\command", true)) return true;
    holder.program = ExtractQuotedPath(ReadDefault(reg));
    if (SameProgram(text, holder.program, ExtractQuotedPath(command))) return true;
  } else {
    if (!reg.OpenKey(oldProgId, false)) return true;
    holder.otherType = ReadDefault(reg);
    if (reg.OpenKey(oldProgId + "\\shell\\" + verb + "\\command", false))
      holder.program = ExtractQuotedPath(ReadDefault(reg));
  }
  return asked.TakeOverFileType(holder);
}

bool RegisterFileType(plat::Text& text, plat::RegistryAccessor& reg, const std::string& ext,
                      const std::string& progId, const std::string& description,
                      const std::string& defaultIcon, const std::string& verb,
                      const std::string& verbCaption, const std::string& command,
                      const std::string& verb2, const std::string& verb2Caption,
                      const std::string& verb2Command, Questions& asked) {
  reg.SetRoot(plat::RegRoot::ClassesRoot);
  bool goAhead = true;
  if (reg.OpenKey(ext, false)) {
    const std::string oldProgId = ReadDefault(reg);
    goAhead = ConfirmAssociationChange(text, reg, ext, progId, description, verb, command,
                                       oldProgId, asked);
  }
  if (!goAhead) return false;
  WriteDefault(reg, ext, progId, asked);
  WriteDefault(reg, progId, description, asked);
  WriteDefault(reg, progId + "\\DefaultIcon", defaultIcon, asked);
  WriteDefault(reg, progId + "\\shell\\" + verb, verbCaption, asked);
  WriteDefault(reg, progId + "\\shell\\" + verb + "\\command", command, asked);
  if (!verb2.empty()) {
    WriteDefault(reg, progId + "\\shell\\" + verb2, verb2Caption, asked);
    WriteDefault(reg, progId + "\\shell\\" + verb2 + "\\command", verb2Command, asked);
  }
  return true;
}

void RegisterFtpScriptTemplate(plat::RegistryAccessor& reg, const std::string& folder,
                               Questions& asked) {
  reg.SetRoot(plat::RegRoot::ClassesRoot);
  if (!OpenKeyForWriting(reg, ".ftp\\ShellNew", asked)) return;
  plat::OpenKeyScope open(reg);
  reg.WriteString("FileName", AddBackslash(folder) + "Pattern.ftp");
}

}  // namespace sys
