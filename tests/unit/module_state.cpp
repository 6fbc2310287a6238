// Each test starts from fresh module-level values; an unexpected dialog fails it, even if caught.
#include "module_state.h"

#include <gtest/gtest.h>

#include "platform/headless/scripted_dialogs.h"
#include "ui/aligner.h"

void unittest::FreshModuleState() {
  ui::TAligner::MaxEditHeight = -1;
}

namespace {

class FreshStateForEveryTest : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override { unittest::FreshModuleState(); }
};

const bool registered = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new FreshStateForEveryTest);
  plat::headless::ScriptedDialogs::reportMismatch = [](const std::string& what) {
    ADD_FAILURE() << what;
  };
  return true;
}();

}  // namespace
