// A hook on the watched program's main thread records every window as shown, however briefly.
#include "window_watch.h"

#include <commctrl.h>

extern "C" __declspec(dllexport) LRESULT CALLBACK WindowMessage(int code, WPARAM wp, LPARAM lp) {
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lp);
  static e2e::WindowLog* log = [] {
    HANDLE section =
        OpenFileMappingW(FILE_MAP_WRITE, FALSE, e2e::WindowLogName(GetCurrentProcessId()).c_str());
    return section ? static_cast<e2e::WindowLog*>(MapViewOfFile(section, FILE_MAP_WRITE, 0, 0, 0))
                   : nullptr;
  }();
  if (code == HC_ACTION && log && call->message == WM_SHOWWINDOW && call->wParam) {
    InterlockedIncrement(&log->shown);
    if (GetAncestor(call->hwnd, GA_ROOT) == call->hwnd) {
      const LONG slot = InterlockedIncrement(&log->captions) - 1;
      if (slot < 16) GetWindowTextW(call->hwnd, log->caption[slot], 128);
    }
  }
  if (code == HC_ACTION && log && call->message == PBM_SETPOS) {
    const LONG slot = InterlockedIncrement(&log->positions) - 1;
    if (slot < 256)
      log->position[slot] = IsWindowVisible(call->hwnd) ? static_cast<LONG>(call->wParam) : -1;
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}
