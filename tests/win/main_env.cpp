#include "main_env.h"

#include <ole2.h>

#include <gtest/gtest.h>

#include "platform/win32/win32_platform.h"

namespace wintest {

std::string MakeScratchFolder(const std::string& name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::string folder = plat::win32::Narrow(temp) + "vortel-test-" +
                       std::to_string(GetCurrentProcessId()) + "-" + name;
  CreateDirectoryW(plat::win32::Wide(folder).c_str(), nullptr);
  return folder;
}

std::string ProgramFolder() {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::string s = plat::win32::Narrow(path, n);
  return s.substr(0, s.rfind('\\') + 1);
}

namespace {
// The real platform, with COM up, for the whole test program, as the installer has it.
class Win32Environment : public ::testing::Environment {
 public:
  void SetUp() override {
    OleInitialize(nullptr);
    platform_ = new plat::win32::Win32Platform;
  }
  void TearDown() override {
    delete platform_;
    OleUninitialize();
  }

 private:
  plat::win32::Win32Platform* platform_ = nullptr;
};
const auto* const environment = ::testing::AddGlobalTestEnvironment(new Win32Environment);
}  // namespace

}  // namespace wintest
