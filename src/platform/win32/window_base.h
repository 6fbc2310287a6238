#pragma once
// The base of every window whose messages the program handles, whether of a class of its own
// (bound to its object at WM_NCCREATE) or a system control it subclasses. Its procedure is the
// one place where an exception from a handler stops: it is reported and the program goes on,
// since unwinding through the system's window procedure is undefined.
#include <windows.h>

namespace plat::win32 {

// What escaped the program's logic, in a box owned by `window` (the text `what`, or a general
// one when null); in the silent modes, once QuietFailures(true), to plat::ReportQuietly only.
void ReportFailure(HWND window, const char* what) noexcept;
void QuietFailures(bool quiet);

class WindowBase {
 public:
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;
  HWND Window() const { return window_; }

  // Registers a class of our own, whose windows dispatch to the object that creates them.
  static void RegisterWindowClass(const wchar_t* name, HICON icon, HBRUSH background);

  // A window of a class of our own, bound to this object from its first message on.
  HWND Create(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x,
              int y, int width, int height, HWND parent, HMENU menu);
  // A system control whose messages this object sees first.
  void Subclass(HWND window);
  // A system control this object owns without seeing its messages.
  void Adopt(HWND window) { window_ = window; }

 protected:
  WindowBase() = default;
  // Unbinds and destroys the window: no message reaches the object while it goes.
  virtual ~WindowBase();

  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  // The class's own (or, subclassed, the control's own) handling.
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK ClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR self);
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  bool subclassed_ = false;
};

}  // namespace plat::win32
