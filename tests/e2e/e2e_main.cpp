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
  return RUN_ALL_TESTS();
}
