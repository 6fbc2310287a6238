// Creating the windows of a form and keeping them in step with the components.
#include <windows.h>

#include <commctrl.h>

#include "platform/win32/control_name.h"
#include "platform/win32/gui_win32.h"
#include "platform/win32/wide.h"

namespace plat::win32 {

using namespace gui;

namespace {

constexpr wchar_t kContainerClass[] = L"TVortelContainer";
constexpr wchar_t kFormClass[] = L"TVortelForm";
constexpr int kCheckWidth = 16;

WindowRealization* RealizationOf(HWND window) {
  return reinterpret_cast<WindowRealization*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

WString WindowText(HWND window) {
  WString text(GetWindowTextLengthW(window) + 1, L'\0');
  text.resize(GetWindowTextW(window, text.data(), static_cast<int>(text.size())));
  return text;
}

// Input and painting of our own container windows (forms, panels, pages), whatever goes wrong
// in the handlers: an exception must never unwind through the system's window procedure.
LRESULT ContainerMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Win32Gui& gui,
                         WinControl& control) {
  if (message == ControlNameMessage())
    return AnswerControlName(Wide(control.Name()), wParam, lParam);
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT paints everything, double-buffered
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      RECT client;
      GetClientRect(window, &client);
      HDC memory = CreateCompatibleDC(dc);
      HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
      HGDIOBJ old = SelectObject(memory, bitmap);
      gui.PaintContainer(control, memory, client);
      BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
      SelectObject(memory, old);
      DeleteObject(bitmap);
      DeleteDC(memory);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_COMMAND: {
      Control* source = gui.ControlOfId(LOWORD(wParam));
      const int code = HIWORD(wParam);
      if (auto* edit = dynamic_cast<CustomEdit*>(source)) {
        auto* r = static_cast<WindowRealization*>(edit->realization.get());
        if (code == EN_CHANGE && r && !r->settingText) edit->SetText(Narrow(WindowText(r->window)));
      } else if (source && code == BN_CLICKED) {
        source->Click();
      } else if (!source && LOWORD(wParam) == IDOK && lParam == 0) {
        // Enter: the default button, when there is one and it can be pressed.
        if (Form* form = control.ParentForm()) {
          for (Component* c : form->Components()) {
            auto* button = dynamic_cast<Button*>(c);
            if (button && button->Default()) {
              button->Click();
              break;
            }
          }
        }
      }
      return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      // Check boxes and read-only memos take their own colour, so they sit on the page.
      HWND child = reinterpret_cast<HWND>(lParam);
      Control* c = gui.ControlOfId(GetDlgCtrlID(child));
      const Color color = gui.SystemColor(c ? c->GetColor() : clBtnFace);
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetBkColor(dc, color);
      SetTextColor(dc, gui.SystemColor(c ? gui.EffectiveFont(*c).color : clWindowText));
      SetDCBrushColor(dc, color);
      return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
    }
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (Control* c = gui.ControlOfId(static_cast<int>(measure->CtlID)))
        measure->itemHeight = gui.TextHeight(gui.EffectiveFont(*c)) + 2;
      return TRUE;
    }
    case WM_DRAWITEM: {
      auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      auto* list = dynamic_cast<CheckListBox*>(gui.ControlOfId(static_cast<int>(draw->CtlID)));
      if (!list || draw->itemID >= list->Items().size()) return TRUE;
      const auto& item = list->Items()[draw->itemID];
      const bool selected = (draw->itemState & ODS_SELECTED) != 0;
      RECT r = draw->rcItem;
      FillRect(draw->hDC, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
      RECT box{r.left + 2, r.top + (r.bottom - r.top - 13) / 2, r.left + 15, 0};
      box.bottom = box.top + 13;
      DrawFrameControl(draw->hDC, &box, DFC_BUTTON,
                       DFCS_BUTTONCHECK | DFCS_FLAT | (item.checked ? DFCS_CHECKED : 0) |
                           (item.enabled ? 0 : DFCS_INACTIVE));
      RECT text{r.left + kCheckWidth + 4, r.top, r.right, r.bottom};
      SetBkMode(draw->hDC, TRANSPARENT);
      SetTextColor(draw->hDC, GetSysColor(!item.enabled ? COLOR_GRAYTEXT
                                          : selected    ? COLOR_HIGHLIGHTTEXT
                                                        : COLOR_WINDOWTEXT));
      HGDIOBJ old = SelectObject(draw->hDC, gui.FontHandle(gui.EffectiveFont(*list)));
      DrawTextW(draw->hDC, Wide(item.caption).c_str(), -1, &text,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
      SelectObject(draw->hDC, old);
      if (draw->itemState & ODS_FOCUS) DrawFocusRect(draw->hDC, &r);
      return TRUE;
    }
    case WM_LBUTTONDOWN:
      gui.MouseDown(control, static_cast<short>(LOWORD(lParam)),
                    static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_LBUTTONUP:
      gui.MouseUp(control, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_SETCURSOR:
      if (gui.ScreenCursor()) {
        ::SetCursor(gui.ScreenCursor());
        return TRUE;
      }
      break;
    case WM_CLOSE:
      if (auto* form = dynamic_cast<Form*>(&control)) form->Close();
      return 0;
    case DM_GETDEFID:
      return 0;  // Enter arrives as IDOK and finds the default button itself
    default:
      if (message >= WM_USER && message < 0x8000) {
        if (auto* form = dynamic_cast<Form*>(&control); form && form->OnMessage)
          form->OnMessage(message);
        return 0;
      }
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

Win32Gui* theGui = nullptr;

LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  WindowRealization* r = RealizationOf(window);
  auto* control = r ? dynamic_cast<WinControl*>(&r->control) : nullptr;
  if (!control || !theGui) return DefWindowProcW(window, message, wParam, lParam);
  try {
    return ContainerMessage(window, message, wParam, lParam, *theGui, *control);
  } catch (const std::exception& e) {
    MessageBoxW(window, Wide(e.what()).c_str(), L" B\u0142\u0105d", MB_OK | MB_ICONERROR);
  } catch (...) {
    MessageBoxW(window, L"Nieoczekiwany b\u0142\u0105d programu.", L" B\u0142\u0105d",
                MB_OK | MB_ICONERROR);
  }
  return 0;
}

// The check-list box toggles an item when its box is clicked or Space is pressed.
LRESULT CALLBACK CheckListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR data) {
  auto* list = reinterpret_cast<CheckListBox*>(data);
  try {
    if (message == WM_LBUTTONDOWN && static_cast<short>(LOWORD(lParam)) < kCheckWidth + 2) {
      const LRESULT hit = SendMessageW(window, LB_ITEMFROMPOINT, 0, lParam);
      if (!HIWORD(hit)) {
        DefSubclassProc(window, message, wParam, lParam);
        list->UserToggle(LOWORD(hit));
        return 0;
      }
    } else if (message == WM_KEYDOWN && wParam == VK_SPACE) {
      const LRESULT current = SendMessageW(window, LB_GETCURSEL, 0, 0);
      if (current >= 0) list->UserToggle(static_cast<int>(current));
      return 0;
    } else if (message == WM_CHAR && wParam == L' ') {
      return 0;
    }
  } catch (...) {
    // A handler's failure must not unwind into the list box's window procedure.
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

void RegisterClasses() {
  static bool done = false;
  if (done) return;
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW wc{};
  wc.lpfnWndProc = ContainerProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kContainerClass;
  RegisterClassW(&wc);
  wc.lpszClassName = kFormClass;
  wc.hIcon = LoadIconW(instance, L"MAINICON");
  RegisterClassW(&wc);
  done = true;
}

}  // namespace

WindowRealization::WindowRealization(Win32Gui& gui, Control& c, HWND w)
    : window(w), control(c), gui_(gui) {}

WindowRealization::~WindowRealization() {
  gui_.Unregister(control, GetDlgCtrlID(window));
  if (IsWindow(window)) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
  }
}

void WindowRealization::Changed(Control& c, Prop what) {
  switch (what) {
    case Prop::Bounds: {
      if (auto* form = dynamic_cast<Form*>(&c)) {
        if (form->maximized) break;
        RECT r{0, 0, form->ClientWidth(), form->ClientHeight()};
        AdjustWindowRectEx(&r, GetWindowLongW(window, GWL_STYLE), FALSE,
                           GetWindowLongW(window, GWL_EXSTYLE));
        SetWindowPos(window, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      } else {
        const Rect& b = c.Bounds();
        MoveWindow(window, b.left, b.top, b.width, b.height, TRUE);
      }
      break;
    }
    case Prop::Visible:
      if (!dynamic_cast<Form*>(&c)) ShowWindow(window, c.Visible() ? SW_SHOWNA : SW_HIDE);
      break;
    case Prop::Enabled:
      EnableWindow(window, c.Enabled());
      InvalidateRect(window, nullptr, TRUE);
      break;
    case Prop::Caption:
      if (WindowText(window) != Wide(c.Caption())) {
        settingText = true;
        SetWindowTextW(window, Wide(c.Caption()).c_str());
        settingText = false;
      }
      break;
    case Prop::Font:
      SendMessageW(window, WM_SETFONT,
                   reinterpret_cast<WPARAM>(gui_.FontHandle(gui_.EffectiveFont(c))), TRUE);
      break;
    case Prop::Checked:
      if (auto* box = dynamic_cast<CheckBox*>(&c))
        SendMessageW(window, BM_SETCHECK, box->Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case Prop::Items:
      if (auto* list = dynamic_cast<CheckListBox*>(&c)) {
        if (SendMessageW(window, LB_GETCOUNT, 0, 0) != static_cast<LRESULT>(list->Items().size())) {
          SendMessageW(window, LB_RESETCONTENT, 0, 0);
          for (const auto& item : list->Items())
            SendMessageW(window, LB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(Wide(item.caption).c_str()));
        }
        SendMessageW(window, LB_SETCURSEL, list->ItemIndex(), 0);
        InvalidateRect(window, nullptr, TRUE);
      }
      break;
    case Prop::ActivePage:
      break;  // the pages show and hide themselves through Visible
    case Prop::Active:
      if (auto* animate = dynamic_cast<Animate*>(&c)) {
        if (animate->Active()) {
          SendMessageW(window, ACM_PLAY, static_cast<WPARAM>(-1), MAKELONG(0, 0xFFFF));
        } else {
          SendMessageW(window, ACM_STOP, 0, 0);
          SendMessageW(window, ACM_PLAY, 1, MAKELONG(animate->stopFrame, animate->stopFrame));
        }
      }
      break;
    case Prop::Default:
      if (auto* button = dynamic_cast<Button*>(&c))
        SendMessageW(window, BM_SETSTYLE, button->Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON,
                     TRUE);
      break;
    case Prop::ReadOnly:
      SendMessageW(window, EM_SETREADONLY, static_cast<CustomEdit&>(c).ReadOnly(), 0);
      break;
    case Prop::Picture:
      InvalidateRect(window, nullptr, FALSE);
      break;
  }
}

void GraphicRealization::Changed(Control& c, Prop) {
  if (HWND parent = gui_.WindowOf(c.Parent())) {
    const Rect& b = c.Bounds();
    // Labels size themselves to their text, so their area is the parent's whole width.
    RECT r{b.left, b.top, b.width > 0 ? b.left + b.width : 32767,
           b.height > 0 ? b.top + b.height : 32767};
    InvalidateRect(parent, &r, FALSE);
  }
}

void Win32Gui::Realize(Form& form) {
  theGui = this;
  if (form.realization) return;
  RegisterClasses();
  const bool popup = form.borderStyle == BorderStyle::None;
  const DWORD style =
      popup ? WS_POPUP | WS_CLIPCHILDREN : WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_CONTROLPARENT | (popup ? 0 : WS_EX_DLGMODALFRAME);
  RECT r{0, 0, form.ClientWidth(), form.ClientHeight()};
  AdjustWindowRectEx(&r, style, FALSE, exStyle);
  int width = r.right - r.left, height = r.bottom - r.top, x = CW_USEDEFAULT, y = CW_USEDEFAULT;
  if (form.maximized) {
    x = y = 0;
    width = GetSystemMetrics(SM_CXSCREEN);
    height = GetSystemMetrics(SM_CYSCREEN);
  } else if (form.centered) {
    x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  }
  auto* realization = new WindowRealization(*this, form, nullptr);
  form.realization.reset(realization);
  // Forms belong to the hidden application window, as all the program's top-level windows do.
  HWND window =
      CreateWindowExW(exStyle, kFormClass, Wide(form.Caption()).c_str(), style, x, y, width, height,
                      appWindow_, nullptr, GetModuleHandleW(nullptr), realization);
  realization->window = window;
  if (form.maximized) {
    RECT client;
    GetClientRect(window, &client);
    form.SetClientSize(client.right, client.bottom);
  }
  if (!form.iconResource.empty()) {
    HICON icon = LoadIconW(GetModuleHandleW(nullptr), Wide(form.iconResource).c_str());
    if (icon) SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  }
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(EffectiveFont(form))), 0);
  RealizeChildren(form, window);
}

void Win32Gui::RealizeChildren(WinControl& parent, HWND parentWindow) {
  for (Control* child : parent.Children()) {
    if (dynamic_cast<GraphicControl*>(child)) {
      child->realization = std::make_unique<GraphicRealization>(*this);
      continue;
    }
    HWND window = CreateFor(*child, parentWindow);
    if (auto* container = dynamic_cast<WinControl*>(child)) RealizeChildren(*container, window);
  }
}

HWND Win32Gui::CreateFor(Control& control, HWND parentWindow) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  const int id = nextId_++;
  byId_[id] = &control;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (control.Visible() ? WS_VISIBLE : 0) |
                (control.Enabled() ? 0 : WS_DISABLED);
  DWORD exStyle = 0;
  const wchar_t* cls = kContainerClass;
  auto* realization = new WindowRealization(*this, control, nullptr);
  control.realization.reset(realization);
  if (auto* bitBtn = dynamic_cast<Button*>(&control)) {
    cls = WC_BUTTONW;
    style |= WS_TABSTOP | (bitBtn->Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
  } else if (dynamic_cast<CheckBox*>(&control)) {
    cls = WC_BUTTONW;
    style |= WS_TABSTOP | BS_CHECKBOX;
  } else if (auto* memo = dynamic_cast<Memo*>(&control)) {
    cls = WC_EDITW;
    exStyle |= WS_EX_CLIENTEDGE;
    style |= WS_TABSTOP | ES_MULTILINE | (memo->ReadOnly() ? ES_READONLY : 0) |
             (memo->verticalScrollBar ? WS_VSCROLL : 0) | (memo->wordWrap ? 0 : ES_AUTOHSCROLL);
  } else if (auto* edit = dynamic_cast<CustomEdit*>(&control)) {
    cls = WC_EDITW;
    exStyle |= WS_EX_CLIENTEDGE;
    style |= WS_TABSTOP | ES_AUTOHSCROLL | (edit->ReadOnly() ? ES_READONLY : 0);
  } else if (dynamic_cast<CheckListBox*>(&control)) {
    cls = WC_LISTBOXW;
    exStyle |= WS_EX_CLIENTEDGE;
    style |= WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY |
             LBS_NOINTEGRALHEIGHT;
  } else if (dynamic_cast<Animate*>(&control)) {
    cls = ANIMATE_CLASSW;
    style |= ACS_CENTER | ACS_TRANSPARENT;
  } else {
    exStyle |= WS_EX_CONTROLPARENT;
  }
  const Rect& b = control.Bounds();
  HWND window =
      CreateWindowExW(exStyle, cls, Wide(control.Caption()).c_str(), style, b.left, b.top, b.width,
                      b.height, parentWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                      instance, cls == kContainerClass ? realization : nullptr);
  realization->window = window;
  if (cls != kContainerClass) {
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(realization));
    AttachControlName(window, control.Name());
  }
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(EffectiveFont(control))), 0);
  if (auto* list = dynamic_cast<CheckListBox*>(&control)) {
    SetWindowSubclass(window, CheckListProc, 1, reinterpret_cast<DWORD_PTR>(list));
    realization->Changed(control, Prop::Items);
  } else if (auto* box = dynamic_cast<CheckBox*>(&control)) {
    realization->Changed(*box, Prop::Checked);
  } else if (auto* animate = dynamic_cast<Animate*>(&control)) {
    // The system's own file-copy animation lives in shell32.
    HMODULE shell = GetModuleHandleW(L"shell32.dll");
    if (!shell) shell = LoadLibraryW(L"shell32.dll");
    SendMessageW(window, ACM_OPENW, reinterpret_cast<WPARAM>(shell),
                 reinterpret_cast<LPARAM>(MAKEINTRESOURCEW(161)));
    realization->Changed(*animate, Prop::Active);
  } else if (auto* bitBtn = dynamic_cast<BitBtn*>(&control);
             bitBtn && !bitBtn->glyphResource.empty()) {
    HBITMAP glyph = static_cast<HBITMAP>(LoadImageW(instance, Wide(bitBtn->glyphResource).c_str(),
                                                    IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (glyph) {
      BITMAP info{};
      GetObjectW(glyph, sizeof info, &info);
      HIMAGELIST images =
          ImageList_Create(info.bmWidth, info.bmHeight, ILC_COLOR24 | ILC_MASK, 1, 0);
      // The glyph's bottom-left pixel is its transparent colour.
      HDC dc = CreateCompatibleDC(nullptr);
      HGDIOBJ old = SelectObject(dc, glyph);
      const COLORREF transparent = GetPixel(dc, 0, info.bmHeight - 1);
      SelectObject(dc, old);
      DeleteDC(dc);
      ImageList_AddMasked(images, glyph, transparent);
      DeleteObject(glyph);
      BUTTON_IMAGELIST list{
          images,
          {4, 0, 4, 0},
          static_cast<UINT>(bitBtn->layout == GlyphLayout::Left ? BUTTON_IMAGELIST_ALIGN_LEFT
                                                                : BUTTON_IMAGELIST_ALIGN_RIGHT)};
      SendMessageW(window, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&list));
    }
  }
  return window;
}

void Win32Gui::Unregister(Control& control, int id) {
  auto it = byId_.find(id);
  if (it != byId_.end() && it->second == &control) byId_.erase(it);
  if (pressed_ == &control) pressed_ = nullptr;
}

}  // namespace plat::win32
