// Stand-in for the package's uninstaller.
#include "standin.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  return RunStandIn(instance, {nullptr, L"TUninstallForm", L"Odinstalowanie Vortel PRO",
                               L"Odinstalowanie pakietu Vortel PRO (program zastępczy)"});
}
