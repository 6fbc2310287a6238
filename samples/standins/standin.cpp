#include "standin.h"

namespace {

const StandIn* current = nullptr;

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      RECT area;
      GetClientRect(window, &area);
      DrawTextW(dc, current->text, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wp, lp);
}

// The hidden application window closes the program too, as its namesake does.
LRESULT CALLBACK ApplicationProc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
  if (message == WM_CLOSE) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wp, lp);
}

ATOM Register(HINSTANCE instance, const wchar_t* name, WNDPROC proc) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = name;
  return RegisterClassW(&wc);
}

}  // namespace

int RunStandIn(HINSTANCE instance, const StandIn& program) {
  current = &program;
  HWND application = nullptr;
  if (program.applicationTitle) {
    Register(instance, L"TApplication", ApplicationProc);
    application = CreateWindowExW(0, L"TApplication", program.applicationTitle,
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                                  nullptr, nullptr, instance, nullptr);
  }
  Register(instance, program.mainClass, MainProc);
  HWND main =
      CreateWindowExW(0, program.mainClass, program.mainCaption, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                      CW_USEDEFAULT, 480, 240, application, nullptr, instance, nullptr);
  ShowWindow(main, SW_SHOWNORMAL);
  UpdateWindow(main);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (application) DestroyWindow(application);
  return 0;
}
