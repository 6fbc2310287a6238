// Creating the windows of a form and keeping them in step with the components.
#include <windows.h>

#include <commctrl.h>

#include "platform/win32/control_name.h"
#include "platform/win32/gui_win32.h"
#include "platform/win32/system_dlls.h"
#include "platform/win32/wide.h"

namespace plat::win32 {

using namespace gui;

namespace {

constexpr wchar_t kContainerClass[] = L"TVortelContainer";
constexpr wchar_t kFormClass[] = L"TVortelForm";

void RegisterClasses() {
  WindowBase::RegisterWindowClass(kContainerClass, nullptr, nullptr);
  WindowBase::RegisterWindowClass(kFormClass, LoadIconW(GetModuleHandleW(nullptr), L"MAINICON"),
                                  nullptr);
}

// The system class and styles that realise a windowed control; our own container class for
// the rest (panels, pages).
const wchar_t* ClassFor(Control& control, DWORD& style, DWORD& exStyle) {
  if (auto* button = dynamic_cast<Button*>(&control)) {
    style |= WS_TABSTOP | (button->Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    return WC_BUTTONW;
  }
  if (dynamic_cast<CheckBox*>(&control)) {
    style |= WS_TABSTOP | BS_CHECKBOX;
    return WC_BUTTONW;
  }
  if (auto* memo = dynamic_cast<Memo*>(&control)) {
    exStyle |= WS_EX_CLIENTEDGE;
    style |= WS_TABSTOP | ES_MULTILINE | (memo->ReadOnly() ? ES_READONLY : 0) |
             (memo->verticalScrollBar ? WS_VSCROLL : 0) | (memo->wordWrap ? 0 : ES_AUTOHSCROLL);
    return WC_EDITW;
  }
  if (auto* edit = dynamic_cast<CustomEdit*>(&control)) {
    exStyle |= WS_EX_CLIENTEDGE;
    style |= WS_TABSTOP | ES_AUTOHSCROLL | (edit->ReadOnly() ? ES_READONLY : 0);
    return WC_EDITW;
  }
  if (dynamic_cast<CheckListBox*>(&control)) {
    exStyle |= WS_EX_CLIENTEDGE;
    style |= WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY |
             LBS_NOINTEGRALHEIGHT;
    return WC_LISTBOXW;
  }
  if (dynamic_cast<Animate*>(&control)) {
    style |= ACS_CENTER | ACS_TRANSPARENT;
    return ANIMATE_CLASSW;
  }
  if (dynamic_cast<ProgressBar*>(&control)) {
    style |= PBS_SMOOTH;
    return PROGRESS_CLASSW;
  }
  exStyle |= WS_EX_CONTROLPARENT;
  return kContainerClass;
}

// The glyph's bottom-left pixel is its transparent colour.
void SetGlyph(HWND button, const BitBtn& bitBtn) {
  UniqueBitmap glyph(
      static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), Wide(bitBtn.glyphResource).c_str(),
                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!glyph.Valid()) return;
  BITMAP info{};
  GetObjectW(glyph.Get(), sizeof info, &info);
  HIMAGELIST images =
      Comctl().ImageList_Create(info.bmWidth, info.bmHeight, ILC_COLOR24 | ILC_MASK, 1, 0);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, glyph.Get());
  const COLORREF transparent = GetPixel(dc, 0, info.bmHeight - 1);
  SelectObject(dc, old);
  DeleteDC(dc);
  Comctl().ImageList_AddMasked(images, glyph.Get(), transparent);
  BUTTON_IMAGELIST list{
      images,
      {4, 0, 4, 0},
      static_cast<UINT>(bitBtn.layout == GlyphLayout::Left ? BUTTON_IMAGELIST_ALIGN_LEFT
                                                           : BUTTON_IMAGELIST_ALIGN_RIGHT)};
  SendMessageW(button, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&list));
}

}  // namespace

WindowRealization::~WindowRealization() {
  gui_.Unregister(control, GetDlgCtrlID(Window()));
}

void WindowRealization::Changed(Control& c, Prop what) {
  const HWND window = Window();
  const HWND focus = GetFocus();
  // A control that goes out of reach (hidden, disabled) must not take the keyboard with it.
  if (focus && (what == Prop::Visible || what == Prop::Enabled) &&
      (focus == window || IsChild(window, focus))) {
    ChangeWindow(c, what);
    if (!IsWindowVisible(focus) || !IsWindowEnabled(focus)) gui_.FocusFirst(c.ParentForm());
    return;
  }
  ChangeWindow(c, what);
}

void WindowRealization::ChangeWindow(Control& c, Prop what) {
  const HWND window = Window();
  switch (what) {
    case Prop::Bounds: {
      if (auto* form = dynamic_cast<Form*>(&c)) {
        if (form->maximized) break;
        RECT r{0, 0, gui_.Px(c, form->ClientWidth()), gui_.Px(c, form->ClientHeight())};
        AdjustWindowRectEx(&r, GetWindowLongW(window, GWL_STYLE), FALSE,
                           GetWindowLongW(window, GWL_EXSTYLE));
        SetWindowPos(window, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      } else {
        const RECT r = gui_.Placement(c);
        MoveWindow(window, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
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
      SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(gui_.WindowFont(c)), TRUE);
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
        gui_.ExposeItems(*list, window);
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
    case Prop::Position: {
      const int percent = static_cast<ProgressBar&>(c).Position();
      SendMessageW(window, PBM_SETPOS, percent, 0);
      gui_.ShowTaskbarProgress(percent);
      break;
    }
  }
}

void GraphicRealization::Changed(Control& c, Prop) {
  if (HWND parent = gui_.WindowOf(c.Parent())) {
    // Labels size themselves to their text, so their area is the parent's whole width.
    RECT r = gui_.DeviceRect(c);
    if (c.Width() <= 0) r.right = 32767;
    if (c.Height() <= 0) r.bottom = 32767;
    InvalidateRect(parent, &r, FALSE);
  }
}

void Win32Gui::Realize(Form& form) {
  if (form.realization) return;
  RegisterClasses();
  const bool popup = form.borderStyle == BorderStyle::None;
  const DWORD style =
      popup ? WS_POPUP | WS_CLIPCHILDREN : WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_CONTROLPARENT | (popup ? 0 : WS_EX_DLGMODALFRAME);
  auto* realization = new WindowRealization(*this, form);
  form.realization.reset(realization);
  realization->dpi = WindowDpi(nullptr);
  RECT r{0, 0, Px(form, form.ClientWidth()), Px(form, form.ClientHeight())};
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
  // Forms belong to the hidden application window, as all the program's top-level windows do.
  const HWND window = realization->Create(exStyle, kFormClass, Wide(form.Caption()).c_str(), style,
                                          x, y, width, height, ApplicationWindow(), nullptr);
  if (form.maximized) {
    RECT client;
    GetClientRect(window, &client);
    form.SetClientSize(MulDiv(client.right, 96, realization->dpi),
                       MulDiv(client.bottom, 96, realization->dpi));
  }
  if (!form.iconResource.empty()) {
    HICON icon = LoadIconW(GetModuleHandleW(nullptr), Wide(form.iconResource).c_str());
    if (icon) SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  }
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(DeviceFont(form)), 0);
  RealizeChildren(form, window);
  NameControls(form);
  // On a monitor other than the system's main one the window may have another DPI.
  if (const int dpi = WindowDpi(window); dpi != realization->dpi) ChangeDpi(form, dpi, nullptr);
  // Keyboard users see where the focus is and which letters work with Alt from the start.
  SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
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
  const int id = nextId_++;
  byId_[id] = &control;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (control.Visible() ? WS_VISIBLE : 0) |
                (control.Enabled() ? 0 : WS_DISABLED);
  DWORD exStyle = 0;
  const wchar_t* cls = ClassFor(control, style, exStyle);
  auto* realization = new WindowRealization(*this, control);
  control.realization.reset(realization);
  const RECT b = Placement(control);
  const int width = b.right - b.left, height = b.bottom - b.top;
  const auto menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
  const WString caption = Wide(control.Caption());
  if (cls == kContainerClass) {
    realization->Create(exStyle, cls, caption.c_str(), style, b.left, b.top, width, height,
                        parentWindow, menu);
    AttachControlName(realization->Window(), control.Name());
  } else {
    HWND window = CreateWindowExW(exStyle, cls, caption.c_str(), style, b.left, b.top, width,
                                  height, parentWindow, menu, GetModuleHandleW(nullptr), nullptr);
    AttachControlName(window, control.Name());
    if (dynamic_cast<CheckListBox*>(&control))
      realization->Subclass(window);
    else
      realization->Adopt(window);
  }
  SendMessageW(realization->Window(), WM_SETFONT, reinterpret_cast<WPARAM>(WindowFont(control)), 0);
  Decorate(control, *realization);
  return realization->Window();
}

// What a new window takes from its component beyond its styles and font.
void Win32Gui::Decorate(Control& control, WindowRealization& realization) {
  if (dynamic_cast<CheckListBox*>(&control)) {
    realization.Changed(control, Prop::Items);
  } else if (dynamic_cast<CheckBox*>(&control)) {
    realization.Changed(control, Prop::Checked);
  } else if (dynamic_cast<Animate*>(&control)) {
    // The system's own file-copy animation lives in shell32.
    HMODULE shell = GetModuleHandleW(L"shell32.dll");
    if (!shell) shell = LoadLibraryW(L"shell32.dll");
    SendMessageW(realization.Window(), ACM_OPENW, reinterpret_cast<WPARAM>(shell),
                 reinterpret_cast<LPARAM>(MAKEINTRESOURCEW(161)));
    realization.Changed(control, Prop::Active);
  } else if (auto* bitBtn = dynamic_cast<BitBtn*>(&control);
             bitBtn && !bitBtn->glyphResource.empty()) {
    SetGlyph(realization.Window(), *bitBtn);
  }
}

void Win32Gui::Unregister(Control& control, int id) {
  auto it = byId_.find(id);
  if (it != byId_.end() && it->second == &control) byId_.erase(it);
  if (pressed_ == &control) pressed_ = nullptr;
}

}  // namespace plat::win32
