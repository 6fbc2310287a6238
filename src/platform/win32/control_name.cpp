#include "platform/win32/control_name.h"

#include <commctrl.h>

#include <atomic>

#include "platform/win32/wide.h"

namespace plat::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 0x564E;  // any value unique among our subclasses

LRESULT CALLBACK NamedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR data) {
  auto* name = reinterpret_cast<WString*>(data);
  if (message == ControlNameMessage()) return AnswerControlName(*name, wParam, lParam);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, NamedProc, kSubclassId);
    delete name;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

UINT ControlNameMessage() {
  // Registering is idempotent, so a lock-free lazy value does: a guarded local static would
  // link the C++ runtime's thread support (some 20 KiB) into a program with one thread.
  static std::atomic<UINT> message{0};
  if (!message) message = RegisterWindowMessageW(L"WM_GETCONTROLNAME");
  return message;
}

void AttachControlName(HWND window, const std::string& name) {
  auto* stored = new WString(Wide(name));
  if (!SetWindowSubclass(window, NamedProc, kSubclassId, reinterpret_cast<DWORD_PTR>(stored)))
    delete stored;
}

LRESULT AnswerControlName(const WString& name, WPARAM size, LPARAM buffer) {
  auto* out = reinterpret_cast<wchar_t*>(buffer);
  if (!out || size == 0) return 0;
  const size_t count = name.size() < size ? name.size() : size - 1;
  name.copy(out, count);
  out[count] = L'\0';
  return static_cast<LRESULT>(count);
}

}  // namespace plat::win32
