// Stand-in: a hidden "TApplication" window titled by argument 1, a main window of class argument 2.
#include <windows.h>

#include <shellapi.h>

static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_CLOSE || m == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(w, m, wp, lp);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const wchar_t* title = argc > 1 ? argv[1] : L"Vortel";
  const wchar_t* mainClass = argc > 2 ? argv[2] : L"TProbeMainForm";
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.lpszClassName = L"TApplication";
  RegisterClassW(&wc);
  wc.lpszClassName = mainClass;
  RegisterClassW(&wc);
  CreateWindowW(L"TApplication", title, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
  HWND main = CreateWindowW(mainClass, L"probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
                            nullptr, nullptr, instance, nullptr);
  // Ends by itself too, so a failed test leaves nothing running for long.
  SetTimer(main, 1, 60000, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER) break;
    DispatchMessageW(&msg);
  }
  return 0;
}
