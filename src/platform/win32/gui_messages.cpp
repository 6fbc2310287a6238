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
      if (Control* c = gui_.ControlOfId(static_cast<int>(measure->CtlID)))
        measure->itemHeight = gui_.TextHeight(gui_.EffectiveFont(*c)) + 2;
      return TRUE;
    }
    case WM_DRAWITEM:
      DrawCheckListItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_LBUTTONDOWN:
      gui_.MouseDown(container, PointOf(lParam).x, PointOf(lParam).y);
      return 0;
    case WM_LBUTTONUP:
      gui_.MouseUp(container, PointOf(lParam).x, PointOf(lParam).y);
      return 0;
    case WM_SETCURSOR:
      if (!gui_.ScreenCursor()) break;
      ::SetCursor(gui_.ScreenCursor());
      return TRUE;
    case WM_CLOSE:
      if (auto* form = dynamic_cast<Form*>(&container)) form->Close();
      return 0;
    case DM_GETDEFID:
      return 0;  // Enter arrives as IDOK and finds the default button itself
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
  RECT box{r.left + 2, r.top + (r.bottom - r.top - 13) / 2, r.left + 15, 0};
  box.bottom = box.top + 13;
  DrawFrameControl(draw.hDC, &box, DFC_BUTTON,
                   DFCS_BUTTONCHECK | DFCS_FLAT | (item.checked ? DFCS_CHECKED : 0) |
                       (item.enabled ? 0 : DFCS_INACTIVE));
  RECT text{r.left + kCheckWidth + 4, r.top, r.right, r.bottom};
  SetBkMode(draw.hDC, TRANSPARENT);
  SetTextColor(draw.hDC, GetSysColor(!item.enabled ? COLOR_GRAYTEXT
                                     : selected    ? COLOR_HIGHLIGHTTEXT
                                                   : COLOR_WINDOWTEXT));
  HGDIOBJ old = SelectObject(draw.hDC, gui_.FontHandle(gui_.EffectiveFont(*list)));
  DrawTextW(draw.hDC, Wide(item.caption).c_str(), -1, &text,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  SelectObject(draw.hDC, old);
  if (draw.itemState & ODS_FOCUS) DrawFocusRect(draw.hDC, &r);
}

// The check-list box toggles an item when its box is clicked or Space is pressed.
LRESULT WindowRealization::CheckListMessage(CheckListBox& list, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  if (message == WM_LBUTTONDOWN && PointOf(lParam).x < kCheckWidth + 2) {
    const LRESULT hit = SendMessageW(Window(), LB_ITEMFROMPOINT, 0, lParam);
    if (!HIWORD(hit)) {
      Default(message, wParam, lParam);
      list.UserToggle(LOWORD(hit));
      return 0;
    }
  } else if (message == WM_KEYDOWN && wParam == VK_SPACE) {
    const LRESULT current = SendMessageW(Window(), LB_GETCURSEL, 0, 0);
    if (current >= 0) list.UserToggle(static_cast<int>(current));
    return 0;
  } else if (message == WM_CHAR && wParam == L' ') {
    return 0;
  }
  return Default(message, wParam, lParam);
}

}  // namespace plat::win32
