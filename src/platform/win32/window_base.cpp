#include "platform/win32/window_base.h"

#include <exception>

#include "platform/program_main.h"
#include "platform/win32/system_dlls.h"
#include "platform/win32/wide.h"

namespace plat::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 0x5742;  // any value unique among our subclasses

bool quietFailures = false;

}  // namespace

void QuietFailures(bool quiet) {
  quietFailures = quiet;
}

void ReportFailure(HWND window, const char* what) noexcept {
  constexpr wchar_t kCaption[] = L" B\u0142\u0105d";
  const UINT style = MB_OK | MB_ICONERROR | (window ? 0 : MB_TASKMODAL);
  try {
    const std::string text = what ? what : "Nieoczekiwany błąd programu.";
    if (quietFailures) return ReportQuietly(text);
    MessageBoxW(window, Wide(text).c_str(), kCaption, style);
  } catch (...) {
    // Out of memory for the text: the general one, which needs none.
    if (!quietFailures)
      MessageBoxW(window, L"Nieoczekiwany b\u0142\u0105d programu.", kCaption, style);
  }
}

void WindowBase::RegisterWindowClass(const wchar_t* name, HICON icon, HBRUSH background) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = ClassProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hIcon = icon;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  RegisterClassW(&wc);  // fails harmlessly when the class is registered already
}

WindowBase::~WindowBase() {
  if (!IsWindow(window_)) return;
  if (subclassed_)
    Comctl().RemoveWindowSubclass(window_, SubclassProc, kSubclassId);
  else
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

HWND WindowBase::Create(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                        int x, int y, int width, int height, HWND parent, HMENU menu) {
  return CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, menu,
                         GetModuleHandleW(nullptr), this);
}

void WindowBase::Subclass(HWND window) {
  window_ = window;
  subclassed_ = Comctl().SetWindowSubclass(window, SubclassProc, kSubclassId,
                                           reinterpret_cast<DWORD_PTR>(this)) != FALSE;
}

LRESULT WindowBase::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  return subclassed_ ? Comctl().DefSubclassProc(window_, message, wParam, lParam)
                     : DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT CALLBACK WindowBase::ClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return self ? self->Dispatch(message, wParam, lParam)
              : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK WindowBase::SubclassProc(HWND, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR self) {
  return reinterpret_cast<WindowBase*>(self)->Dispatch(message, wParam, lParam);
}

LRESULT WindowBase::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return OnMessage(message, wParam, lParam);
  } catch (const std::exception& e) {
    ReportFailure(window_, e.what());
  } catch (...) {
    ReportFailure(window_, nullptr);
  }
  return 0;
}

}  // namespace plat::win32
