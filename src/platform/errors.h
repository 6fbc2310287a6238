#pragma once
// Exceptions for unexpected failures. They are caught once at the documented guards; expected
// refusals are Boolean results instead.
#include <cstdint>
#include <exception>
#include <string>

namespace plat {

// The base of the program's own exceptions: it keeps its message in an ordinary string, where
// std::runtime_error would bring the C++ library's second, copy-on-write string implementation
// into the shipped program (some 40 KiB of a small medium).
class Error : public std::exception {
 public:
  explicit Error(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// A failed COM call: "Wyjątek w funkcji OLE - HResult=$%x, GetLastError=$%x" with both
// numbers in upper-case hexadecimal without leading zeros.
class EShellOleError : public Error {
 public:
  EShellOleError(uint32_t hresult, uint32_t lastError);
  uint32_t HResult() const { return hresult_; }

 private:
  uint32_t hresult_;
};

// A missing shell-folder key or value, or a failed registry write; the message is the caller's.
class ERegistryException : public Error {
 public:
  using Error::Error;
};

// A file that could not be opened, read, written or closed. The message names the file and
// the reason in Polish, because mastering shows it to the user as it is.
class EFileError : public Error {
 public:
  enum class Reason { NotFound, AccessDenied, InUse, TooLong, DiskFull, BadData, Other };
  EFileError(const std::string& path, Reason reason, uint32_t systemCode = 0);
  EFileError(const std::string& path, const std::string& reasonText);
  Reason Why() const { return reason_; }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  Reason reason_;
};

// Why a call of the system failed, for the logs: the meaning of the common codes in Polish and
// the code itself, "brak dostępu (błąd systemu nr 5)".
std::string SystemReason(uint32_t code);

}  // namespace plat
