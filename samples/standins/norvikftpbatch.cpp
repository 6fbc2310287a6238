// Stand-in for the batch FTP client; its main form's class is what identifies it even when
// its title changes.
#include "standin.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  return RunStandIn(instance, {L"Wsadowy klient FTP", L"TVortelFTPWsadForm", L"Wsadowy klient FTP",
                               L"Wsadowy klient FTP 1.081 (program zastępczy)"});
}
