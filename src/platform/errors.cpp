#include "platform/errors.h"

namespace plat {
namespace {

// Upper-case hexadecimal without leading zeros, as "%X" writes it. Spelled out by hand: a
// printf here would bring the C runtime's whole formatting engine into the shipped program.
std::string Hex(uint32_t value) {
  std::string digits;
  do {
    digits.insert(digits.begin(), "0123456789ABCDEF"[value & 0xF]);
    value >>= 4;
  } while (value);
  return digits;
}

std::string OleMessage(uint32_t hresult, uint32_t lastError) {
  return "Wyjątek w funkcji OLE - HResult=$" + Hex(hresult) + ", GetLastError=$" + Hex(lastError);
}

std::string ReasonText(EFileError::Reason reason, uint32_t code) {
  switch (reason) {
    case EFileError::Reason::NotFound:
      return "plik lub katalog nie istnieje";
    case EFileError::Reason::AccessDenied:
      return "brak dostępu";
    case EFileError::Reason::InUse:
      return "plik jest używany przez uruchomiony program";
    case EFileError::Reason::TooLong:
      return "ścieżka jest za długa";
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

std::string SystemReason(uint32_t code) {
  const char* meaning = nullptr;
  switch (code) {
    case 2:  // ERROR_FILE_NOT_FOUND
    case 3:  // ERROR_PATH_NOT_FOUND
      meaning = "nie istnieje";
      break;
    case 5:  // ERROR_ACCESS_DENIED
      meaning = "brak dostępu";
      break;
    case 32:  // ERROR_SHARING_VIOLATION
      meaning = "używany przez inny program";
      break;
    case 112:  // ERROR_DISK_FULL
      meaning = "brak miejsca na dysku";
      break;
    case 206:  // ERROR_FILENAME_EXCED_RANGE
      meaning = "ścieżka jest za długa";
      break;
  }
  const std::string number = "błąd systemu nr " + std::to_string(code);
  return meaning ? std::string(meaning) + " (" + number + ")" : number;
}

EShellOleError::EShellOleError(uint32_t hresult, uint32_t lastError)
    : Error(OleMessage(hresult, lastError)), hresult_(hresult) {}

EFileError::EFileError(const std::string& path, Reason reason, uint32_t systemCode)
    : Error("\"" + path + "\": " + ReasonText(reason, systemCode)), path_(path), reason_(reason) {}

EFileError::EFileError(const std::string& path, const std::string& reasonText)
    : Error("\"" + path + "\": " + reasonText), path_(path), reason_(Reason::Other) {}

}  // namespace plat
