// Stand-in for the terminal emulator.
#include "standin.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  return RunStandIn(instance, {L"Vortel", L"TVortelForm", L"Vortel - emulator terminala",
                               L"Emulator terminala Vortel 3.30 (program zastępczy)"});
}
