// What the windows of the component model do with their messages: our own containers paint
// themselves and their graphic controls, pass commands on to the components and draw the
// check-list items; the check-list box toggles items itself.
#include <windows.h>

#include <commctrl.h>

#include "platform/win32/gui_win32.h"
#include "platform/win32/wide.h"

namespace plat::win32 {

using namespace gui;

namespace {

constexpr int kCheckWidth = 16;

POINT PointOf(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

LRESULT WindowRealization::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (auto* list = dynamic_cast<CheckListBox*>(&control))
    return CheckListMessage(*list, message, wParam, lParam);
  if (auto* container = dynamic_cast<WinControl*>(&control))
    return ContainerMessage(*container, message, wParam, lParam);
  return Default(message, wParam, lParam);
}

LRESULT WindowRealization::ContainerMessage(WinControl& container, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT paints everything, double-buffered
    case WM_PAINT:
      PaintBuffered(container);
      return 0;
    case WM_COMMAND:
      Command(container, wParam, lParam);
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return ControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (auto* list =
              dynamic_cast<CheckListBox*>(gui_.ControlOfId(static_cast<int>(measure->CtlID))))
        measure->itemHeight = static_cast<UINT>(gui_.ItemHeight(*list));
      return TRUE;
    }
    case WM_DRAWITEM:
      DrawCheckListItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: {
      // The speed buttons are placed at 96 DPI.
      const int dpi = gui_.Dpi(container);
      const int x = MulDiv(PointOf(lParam).x, 96, dpi), y = MulDiv(PointOf(lParam).y, 96, dpi);
      if (message == WM_LBUTTONDOWN)
        gui_.MouseDown(container, x, y);
      else
        gui_.MouseUp(container, x, y);
      return 0;
    }
    case WM_DPICHANGED:
      if (auto* form = dynamic_cast<Form*>(&container)) {
        gui_.ChangeDpi(*form, HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
      }
      break;
    case WM_SETCURSOR:
      if (!gui_.ScreenCursor()) break;
      ::SetCursor(gui_.ScreenCursor());
      return TRUE;
    case WM_CLOSE:
      if (auto* form = dynamic_cast<Form*>(&container)) form->Close();
      return 0;
    case WM_ACTIVATE:
      // As a dialog does: the keyboard comes back to where it was when the form lost it.
      if (auto* form = dynamic_cast<Form*>(&container)) {
        const HWND focus = GetFocus();
        if (LOWORD(wParam) == WA_INACTIVE) {
          if (focus && IsChild(Window(), focus)) lastFocus_ = focus;
        } else if (!HIWORD(wParam)) {
          if (lastFocus_ && IsChild(Window(), lastFocus_) && IsWindowVisible(lastFocus_) &&
              IsWindowEnabled(lastFocus_))
            SetFocus(lastFocus_);
          else
            gui_.FocusFirst(form);
        }
        return 0;
      }
      break;
    case DM_GETDEFID:
      return 0;  // Enter arrives as IDOK and finds the default button itself
    case WM_NEXTDLGCTL: {
      // Asked by a multi-line edit for Tab, and by the dialog manager for an Alt letter, as
      // they would ask a dialog.
      const HWND top = GetAncestor(Window(), GA_ROOT);
      const HWND next = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                       : GetNextDlgTabItem(top, GetFocus(), wParam != 0);
      if (next) SetFocus(next);
      return 0;
    }
    default:
      if (message >= WM_USER && message < 0x8000) {
        if (auto* form = dynamic_cast<Form*>(&container); form && form->OnMessage)
          form->OnMessage(message);
        return 0;
      }
      break;
  }
  return Default(message, wParam, lParam);
}

void WindowRealization::PaintBuffered(WinControl& container) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(Window(), &ps);
  RECT client;
  GetClientRect(Window(), &client);
  HDC memory = CreateCompatibleDC(dc);
  UniqueBitmap bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
  HGDIOBJ old = SelectObject(memory, bitmap.Get());
  gui_.PaintContainer(container, memory, client);
  BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  EndPaint(Window(), &ps);
}

void WindowRealization::Command(WinControl& container, WPARAM wParam, LPARAM lParam) {
  Control* source = gui_.ControlOfId(LOWORD(wParam));
  const int code = HIWORD(wParam);
  if (auto* edit = dynamic_cast<CustomEdit*>(source)) {
    auto* r = static_cast<WindowRealization*>(edit->realization.get());
    if (code == EN_CHANGE && r && !r->settingText) edit->SetText(Narrow(WindowText(r->Window())));
  } else if (source && code == BN_CLICKED) {
    source->Click();
  } else if (!source && LOWORD(wParam) == IDOK && lParam == 0) {
    // Enter: the default button, when there is one and it can be pressed.
    if (Form* form = container.ParentForm()) {
      for (Component* c : form->Components()) {
        auto* button = dynamic_cast<Button*>(c);
        if (button && button->Default()) {
          button->Click();
          break;
        }
      }
    }
  }
}

// Check boxes and read-only memos take their own colour, so they sit on the page.
LRESULT WindowRealization::ControlColor(HDC dc, HWND child) {
  Control* c = gui_.ControlOfId(GetDlgCtrlID(child));
  const Color color = gui_.SystemColor(c ? c->GetColor() : clBtnFace);
  SetBkColor(dc, color);
  SetTextColor(dc, gui_.SystemColor(c ? gui_.EffectiveFont(*c).color : clWindowText));
  SetDCBrushColor(dc, color);
  return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
}

void WindowRealization::DrawCheckListItem(const DRAWITEMSTRUCT& draw) {
  auto* list = dynamic_cast<CheckListBox*>(gui_.ControlOfId(static_cast<int>(draw.CtlID)));
  if (!list || draw.itemID >= list->Items().size()) return;
  const auto& item = list->Items()[draw.itemID];
  const bool selected = (draw.itemState & ODS_SELECTED) != 0;
  RECT r = draw.rcItem;
  FillRect(draw.hDC, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const int side = gui_.Px(*list, 13);
  RECT box{r.left + gui_.Px(*list, 2), r.top + (r.bottom - r.top - side) / 2, 0, 0};
  box.right = box.left + side;
  box.bottom = box.top + side;
  DrawFrameControl(draw.hDC, &box, DFC_BUTTON,
                   DFCS_BUTTONCHECK | DFCS_FLAT | (item.checked ? DFCS_CHECKED : 0) |
                       (item.enabled ? 0 : DFCS_INACTIVE));
  RECT text{r.left + gui_.Px(*list, kCheckWidth + 4), r.top, r.right, r.bottom};
  SetBkMode(draw.hDC, TRANSPARENT);
  SetTextColor(draw.hDC, GetSysColor(!item.enabled ? COLOR_GRAYTEXT
                                     : selected    ? COLOR_HIGHLIGHTTEXT
                                                   : COLOR_WINDOWTEXT));
  HGDIOBJ old = SelectObject(draw.hDC, gui_.DeviceFont(*list));
  DrawTextW(draw.hDC, Wide(item.caption).c_str(), -1, &text,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  SelectObject(draw.hDC, old);
  if (draw.itemState & ODS_FOCUS) DrawFocusRect(draw.hDC, &r);
}

// The check-list box toggles an item when its box is clicked or Space is pressed.
LRESULT WindowRealization::CheckListMessage(CheckListBox& list, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  if (message == WM_LBUTTONDOWN && PointOf(lParam).x < gui_.Px(list, kCheckWidth + 2)) {
    const LRESULT hit = SendMessageW(Window(), LB_ITEMFROMPOINT, 0, lParam);
    if (!HIWORD(hit)) {
      Default(message, wParam, lParam);
      list.UserToggle(LOWORD(hit));
      return 0;
    }
  } else if (message == WM_KEYDOWN && wParam == VK_SPACE) {
    // The item with the focus rectangle, also before any item has been selected.
    const LRESULT current = SendMessageW(Window(), LB_GETCARETINDEX, 0, 0);
    if (current >= 0) list.UserToggle(static_cast<int>(current));
    return 0;
  } else if (message == WM_CHAR && wParam == L' ') {
    return 0;
  }
  return Default(message, wParam, lParam);
}

}  // namespace plat::win32
