// The real platform with COM up, as the installer has it; an unexpected dialog fails its test.
#include <ole2.h>

#include <gtest/gtest.h>

#include "platform/headless/scripted_dialogs.h"
#include "platform/win32/win32_platform.h"

namespace {

class Win32Environment : public ::testing::Environment {
 public:
  void SetUp() override {
    OleInitialize(nullptr);
    platform_ = new plat::win32::Win32Platform;
    plat::headless::ScriptedDialogs::reportMismatch = [](const std::string& what) {
      ADD_FAILURE() << what;
    };
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
