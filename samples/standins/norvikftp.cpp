// Stand-in for the FTP client.
#include "standin.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  return RunStandIn(instance, {L"Klient FTP", L"TNorvikFtpForm", L"Norvik-FTP",
                               L"Klient FTP 1.081 (program zastępczy)"});
}
