// Stand-in for the FTP server.
#include "standin.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  return RunStandIn(instance, {L"Serwer FTP", L"TNorvikFTPsrvForm", L"Norvik-FTPSrv",
                               L"Serwer FTP 1.151 (program zastępczy)"});
}
