#include "platform/win32/temporary_copy.h"

#include "platform/win32/handles.h"
#include "platform/win32/wide.h"

namespace plat::win32 {

bool Win32TemporaryCopy::Start(const std::string& arguments) {
  wchar_t tempDir[MAX_PATH + 1] = {};
  wchar_t copy[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, tempDir);
  if (length == 0 || length > MAX_PATH || !GetTempFileNameW(tempDir, L"vun", 0, copy)) return false;
  WString self(MAX_PATH, L'\0');
  for (;;) {
    const DWORD got = GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size()));
    if (got == 0) return false;
    if (got < self.size()) {
      self.resize(got);
      break;
    }
    self.resize(self.size() * 2);
  }
  if (!CopyFileW(self.c_str(), copy, FALSE)) {
    DeleteFileW(copy);
    return false;
  }
  // The copy is opened for deletion on close and the handle handed down: the file goes when
  // the last process holding it ends, the copy itself included.
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  UniqueHandle doomed(CreateFileW(copy, DELETE, FILE_SHARE_READ | FILE_SHARE_DELETE, &inherit,
                                  OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  if (!doomed.Valid()) {
    DeleteFileW(copy);
    return false;
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  WString line = L"\"" + WString(copy) + L"\" " + Wide(arguments);
  if (!CreateProcessW(copy, line.data(), nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS, nullptr,
                      tempDir, &startup, &info))
    return false;
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return true;
}

uint32_t Win32TemporaryCopy::CurrentId() {
  return GetCurrentProcessId();
}

void Win32TemporaryCopy::WaitForEnd(uint32_t id, uint32_t milliseconds) {
  UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, id));
  if (process.Get()) WaitForSingleObject(process.Get(), milliseconds);
}

}  // namespace plat::win32
