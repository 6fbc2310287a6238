// Process-start probe: writes its second argument to the file named first, waits till closed.
#include <windows.h>

#include <shellapi.h>

#include <string>

static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_DESTROY || (m == WM_TIMER)) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(w, m, wp, lp);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argc >= 3) {
    std::string text;
    for (const wchar_t* p = argv[2]; *p; ++p) text += static_cast<char>(*p);
    HANDLE f = CreateFileW(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(f);
  }
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.lpszClassName = L"VortelProbeChild";
  RegisterClassW(&wc);
  HWND w = CreateWindowW(L"VortelProbeChild", L"probe", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                         nullptr, nullptr, instance, nullptr);
  // Ends by itself too, so a test that fails before closing it leaves nothing running.
  SetTimer(w, 1, 30000, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
