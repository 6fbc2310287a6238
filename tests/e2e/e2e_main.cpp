// The end-to-end tests drive the real Install.exe, whose path comes as the first argument.
#include <gtest/gtest.h>

#include "machine.h"

namespace e2e {
std::wstring installExe;
}

int wmain(int argc, wchar_t** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc < 2) {
    fprintf(stderr, "usage: e2e_tests <path of Install.exe>\n");
    return 2;
  }
  e2e::installExe = argv[1];
  const int failed = RUN_ALL_TESTS();
  // A filter that names no case, one renamed since ctest was configured, would pass unseen.
  return failed || ::testing::UnitTest::GetInstance()->test_to_run_count() == 0;
}
