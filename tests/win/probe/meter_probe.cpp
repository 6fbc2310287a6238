// Prints the free-resources meter; --older checks the 16-bit thunk answered (0..100, not -1).
#include <cstdio>
#include <cstring>

#include "platform/win32/win32_platform.h"
#include "startup/res_meter.h"

int main(int argc, char** argv) {
  plat::win32::Win32Platform platform;
  const bool nt = platform.Version().IsNtFamily();
  const int readings[3] = {startup::FreeResourcePercent(startup::kSystemResources),
                           startup::FreeResourcePercent(startup::kGdiResources),
                           startup::FreeResourcePercent(startup::kUserResources)};
  std::printf("nt=%d system=%d gdi=%d user=%d\n", nt ? 1 : 0, readings[0], readings[1],
              readings[2]);
  if (argc > 1 && std::strcmp(argv[1], "--older") == 0) {
    if (nt) return 1;
    for (int r : readings)
      if (r < 0 || r > 100) return 2;
  } else if (nt) {
    for (int r : readings)
      if (r != -1) return 3;
  }
  return 0;
}
