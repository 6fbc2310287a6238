// Sizes at the monitor's DPI: the components keep the documents' 96-DPI positions, and the
// windows and painting scale them, so nothing is stretched (and blurred) by the system.
#include <algorithm>

#include "platform/win32/gui_win32.h"
#include "platform/win32/wide.h"

namespace plat::win32 {

using namespace gui;

int Win32Gui::WindowDpi(HWND window) {
  // Only Windows 10 knows a DPI per window (per monitor); older ones have the system's.
  using DpiForWindow = UINT(WINAPI*)(HWND);
  static const auto forWindow = reinterpret_cast<DpiForWindow>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (window && forWindow)
    if (const UINT dpi = forWindow(window)) return static_cast<int>(dpi);
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

int Win32Gui::Dpi(const Control& control) const {
  const Form* form = control.ParentForm();
  auto* r = form ? dynamic_cast<WindowRealization*>(form->realization.get()) : nullptr;
  return r ? r->dpi : 96;
}

RECT Win32Gui::DeviceRect(const Control& control) const {
  const Rect& b = control.Bounds();
  return {Px(control, b.left), Px(control, b.top), Px(control, b.left + b.width),
          Px(control, b.top + b.height)};
}

RECT Win32Gui::Placement(const Control& control) {
  RECT r = DeviceRect(control);
  if (dynamic_cast<const CheckBox*>(&control) && control.Parent()) {
    // Showing the whole caption wins over the documented width: the box and its gap, then the
    // text, as far as the parent reaches.
    const int needed = r.left + Px(control, 20) + TextWidth(ScaledFont(control), control.Caption());
    r.right = std::max<int>(r.right, std::min(needed, Px(control, control.Parent()->Width())));
  }
  return r;
}

HFONT Win32Gui::WindowFont(const Control& control) {
  if (!dynamic_cast<const CheckBox*>(&control)) return DeviceFont(control);
  const RECT r = Placement(control);
  const HDC screen = GetDC(nullptr);
  const Font font = FittedFont(control, r.right - r.left - Px(control, 20), screen);
  ReleaseDC(nullptr, screen);
  return FontHandle(font);
}

Font Win32Gui::ScaledFont(const Control& control) {
  Font font = EffectiveFont(control);
  font.height = Px(control, font.height);
  return font;
}

int Win32Gui::ItemHeight(const CheckListBox& list) {
  return TextHeight(ScaledFont(list)) + Px(list, 2);
}

void Win32Gui::Relayout(WinControl& parent) {
  for (Control* child : parent.Children()) {
    auto* r = dynamic_cast<WindowRealization*>(child->realization.get());
    if (!r) continue;
    r->Changed(*child, Prop::Bounds);
    r->Changed(*child, Prop::Font);
    if (auto* list = dynamic_cast<CheckListBox*>(child))
      SendMessageW(r->Window(), LB_SETITEMHEIGHT, 0, ItemHeight(*list));
    if (auto* container = dynamic_cast<WinControl*>(child)) Relayout(*container);
  }
}

void Win32Gui::ChangeDpi(Form& form, int dpi, const RECT* suggested) {
  auto* r = static_cast<WindowRealization*>(form.realization.get());
  r->dpi = dpi;
  const HWND window = r->Window();
  if (form.maximized) {
    RECT client;
    GetClientRect(window, &client);
    form.SetClientSize(MulDiv(client.right, 96, dpi), MulDiv(client.bottom, 96, dpi));
  } else if (suggested) {
    SetWindowPos(window, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  r->Changed(form, Prop::Bounds);
  r->Changed(form, Prop::Font);
  Relayout(form);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace plat::win32
