// A dialog the script did not expect fails the test it happens in, even where the code under
// test catches every exception.
#include <gtest/gtest.h>

#include "platform/headless/scripted_dialogs.h"

namespace {
const bool reported = [] {
  plat::headless::ScriptedDialogs::reportMismatch = [](const std::string& what) {
    ADD_FAILURE() << what;
  };
  return true;
}();
}  // namespace
