#include "platform/errors.h"

#include <cstdio>

namespace plat {
namespace {

std::string OleMessage(uint32_t hresult, uint32_t lastError) {
  char text[96];
  std::snprintf(text, sizeof text, "Wyjątek w funkcji OLE - HResult=$%X, GetLastError=$%X",
                static_cast<unsigned>(hresult), static_cast<unsigned>(lastError));
  return text;
}

std::string ReasonText(EFileError::Reason reason, uint32_t code) {
  switch (reason) {
    case EFileError::Reason::NotFound:
      return "plik lub katalog nie istnieje";
    case EFileError::Reason::AccessDenied:
      return "brak dostępu";
    case EFileError::Reason::DiskFull:
      return "brak miejsca na dysku";
    case EFileError::Reason::BadData:
      return "uszkodzone dane";
    case EFileError::Reason::Other:
      break;
  }
  return "błąd systemu nr " + std::to_string(code);
}

}  // namespace

EShellOleError::EShellOleError(uint32_t hresult, uint32_t lastError)
    : std::runtime_error(OleMessage(hresult, lastError)), hresult_(hresult) {}

EFileError::EFileError(const std::string& path, Reason reason, uint32_t systemCode)
    : std::runtime_error("\"" + path + "\": " + ReasonText(reason, systemCode)),
      path_(path),
      reason_(reason) {}

EFileError::EFileError(const std::string& path, const std::string& reasonText)
    : std::runtime_error("\"" + path + "\": " + reasonText), path_(path), reason_(Reason::Other) {}

}  // namespace plat
