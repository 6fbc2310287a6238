#pragma once
// Exceptions for unexpected failures. They are caught once at the documented guards; expected
// refusals are Boolean results instead.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace plat {

// A failed COM call: "Wyjątek w funkcji OLE - HResult=$%x, GetLastError=$%x" with both
// numbers in upper-case hexadecimal without leading zeros.
class EShellOleError : public std::runtime_error {
 public:
  EShellOleError(uint32_t hresult, uint32_t lastError);
  uint32_t HResult() const { return hresult_; }

 private:
  uint32_t hresult_;
};

// A missing shell-folder key or value, or a failed registry write; the message is the caller's.
class ERegistryException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file that could not be opened, read, written or closed. The message names the file and
// the reason in Polish, because mastering shows it to the user as it is.
class EFileError : public std::runtime_error {
 public:
  enum class Reason { NotFound, AccessDenied, DiskFull, BadData, Other };
  EFileError(const std::string& path, Reason reason, uint32_t systemCode = 0);
  EFileError(const std::string& path, const std::string& reasonText);
  Reason Why() const { return reason_; }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  Reason reason_;
};

}  // namespace plat
