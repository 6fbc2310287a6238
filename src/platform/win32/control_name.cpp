#include "platform/win32/control_name.h"

#include <atomic>

#include "platform/win32/system_dlls.h"
#include "platform/win32/wide.h"

namespace plat::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 0x564E;  // any value unique among our subclasses

LRESULT CALLBACK NamedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR atom) {
  if (message == ControlNameMessage()) return static_cast<LRESULT>(atom);
  if (message == WM_NCDESTROY) {
    Comctl().RemoveWindowSubclass(window, NamedProc, kSubclassId);
    GlobalDeleteAtom(static_cast<ATOM>(atom));
  }
  return Comctl().DefSubclassProc(window, message, wParam, lParam);
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
  // Equal names share one atom, counted once for each window that holds it.
  const ATOM atom = GlobalAddAtomW(Wide(name).c_str());
  if (atom && !Comctl().SetWindowSubclass(window, NamedProc, kSubclassId, atom))
    GlobalDeleteAtom(atom);
}

}  // namespace plat::win32
