#pragma once
// Document types under HKEY_CLASSES_ROOT: the extension names a ProgID that carries the
// description, icon and shell verbs. An extension that belongs to another program is only
// taken over when the user agrees.
#include <string>

#include "platform/platform.h"
#include "system/questions.h"

namespace sys {

// Registers one type through the caller's accessor and leaves its root at HKEY_CLASSES_ROOT.
// False when the user declined the takeover; nothing was written then. An empty verb2 means
// no second verb. A key that cannot be opened is reported (Questions::SteppedOver) and skipped.
bool RegisterFileType(plat::Text& text, plat::RegistryAccessor& reg, const std::string& ext,
                      const std::string& progId, const std::string& description,
                      const std::string& defaultIcon, const std::string& verb,
                      const std::string& verbCaption, const std::string& command,
                      const std::string& verb2, const std::string& verb2Caption,
                      const std::string& verb2Command, Questions& asked);

// Whether an existing registration of `ext` (naming `oldProgId`) may be replaced; asks the
// `asked` when another program would lose it.
bool ConfirmAssociationChange(plat::Text& text, plat::RegistryAccessor& reg, const std::string& ext,
                              const std::string& progId, const std::string& description,
                              const std::string& verb, const std::string& command,
                              const std::string& oldProgId, Questions& asked);

// The text between the first quotation mark and the next one; a command without quotation
// marks is returned unchanged, one with a single mark loses the part up to it.
std::string ExtractQuotedPath(const std::string& command);

// "\"" + exePath + "\" \"%1\"".
std::string QuotedCommand(const std::string& exePath);

// The batch client's template for new scripts: ".ftp\ShellNew" "FileName" = folder +
// "Pattern.ftp". Raises plat::ERegistryException for a failed write.
void RegisterFtpScriptTemplate(plat::RegistryAccessor& reg, const std::string& folder,
                               Questions& asked);

}  // namespace sys
