// The toolkit's services and the painting of the controls that have no window of their own.
#include "platform/win32/gui_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/win32/system_dlls.h"
#include "platform/win32/wide.h"

namespace plat::win32 {

using namespace gui;

namespace {

constexpr wchar_t kApplicationClass[] = L"TApplication";

COLORREF Ref(Color c) {
  return static_cast<COLORREF>(c & 0xFFFFFF);
}

// Enlarged pixel by pixel, so the picture stays sharp; only a reduction mixes pixels.
void DrawBitmap(HDC dc, const Bitmap& picture, const RECT& b, bool stretch, int dpi) {
  if (picture.width <= 0 || picture.height <= 0) return;
  std::vector<uint32_t> bgra(picture.pixels.size());
  for (size_t i = 0; i < bgra.size(); ++i) {
    const Color c = picture.pixels[i];
    bgra[i] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  const int w = stretch ? b.right - b.left : MulDiv(picture.width, dpi, 96),
            h = stretch ? b.bottom - b.top : MulDiv(picture.height, dpi, 96);
  SetStretchBltMode(dc, w < picture.width || h < picture.height ? HALFTONE : COLORONCOLOR);
  StretchDIBits(dc, b.left, b.top, w, h, 0, 0, picture.width, picture.height, bgra.data(), &info,
                DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace

SIZE TextExtent(HDC dc, HFONT font, const WString& text) {
  const HGDIOBJ old = SelectObject(dc, font);
  RECT r{0, 0, 0, 0};
  DrawTextW(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
  SelectObject(dc, old);
  return {r.right, r.bottom};
}

namespace {

// No exception may unwind through EnumThreadWindows: a list that cannot grow ends the walk.
BOOL CALLBACK CollectEnabled(HWND w, LPARAM list) {
  try {
    if (IsWindowVisible(w) && IsWindowEnabled(w))
      reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
    return TRUE;
  } catch (...) {
    return FALSE;
  }
}

}  // namespace

AppWindow::AppWindow() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterWindowClass(kApplicationClass, LoadIconW(instance, L"MAINICON"), nullptr);
  Create(0, kApplicationClass, L"", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
         GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr,
         nullptr);
}

HWND AppWindow::LastForm() const {
  const HWND last = GetLastActivePopup(Window());
  return last != Window() && IsWindowVisible(last) ? last : nullptr;
}

LRESULT AppWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SYSCOMMAND:
      // The forms go and come back with the button, in the order they had.
      if ((wParam & 0xFFF0) == SC_MINIMIZE) {
        ShowOwnedPopups(Window(), FALSE);
        ShowWindow(Window(), SW_MINIMIZE);
        return 0;
      }
      if ((wParam & 0xFFF0) == SC_RESTORE && IsIconic(Window())) {
        ShowWindow(Window(), SW_RESTORE);
        ShowOwnedPopups(Window(), TRUE);
        if (const HWND last = LastForm()) SetForegroundWindow(last);
        return 0;
      }
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !IsIconic(Window()))
        if (const HWND last = LastForm()) SetActiveWindow(last);
      return 0;
    case WM_CLOSE:
      // "Close window" on the button asks the form in use, as its own close box would.
      if (const HWND last = LastForm()) PostMessageW(last, WM_CLOSE, 0, 0);
      return 0;
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

Win32Gui::Win32Gui() {
  INITCOMMONCONTROLSEX init{sizeof init,
                            ICC_STANDARD_CLASSES | ICC_ANIMATE_CLASS | ICC_WIN95_CLASSES};
  Comctl().InitCommonControlsEx(&init);
}

Win32Gui::~Win32Gui() = default;

void Win32Gui::SetTitle(const std::string& title) {
  SetWindowTextW(ApplicationWindow(), Wide(title).c_str());
}

void Win32Gui::ShowForm(Form& form) {
  // The task-bar button comes with the first window the user sees.
  if (!IsWindowVisible(ApplicationWindow())) ShowWindow(ApplicationWindow(), SW_SHOWNA);
  Realize(form);
  form.Reopen();
  if (form.OnShow) form.OnShow();
  if (terminated_ || form.Closed()) return;
  auto* r = static_cast<WindowRealization*>(form.realization.get());
  ShowWindow(r->Window(), form.maximized ? SW_SHOWMAXIMIZED : SW_SHOW);
  form.SetVisible(true);
  const HWND focus = GetFocus();
  if (!focus || !IsChild(r->Window(), focus)) FocusFirst(&form);
  UpdateWindow(r->Window());
}

void Win32Gui::HideForm(Form& form) {
  form.SetVisible(false);
  if (HWND w = WindowOf(&form)) ShowWindow(w, SW_HIDE);
}

void Win32Gui::ShowModal(Form& form) {
  // Every other window of the program waits while the modal form is up.
  std::vector<HWND> disabled;
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabled, reinterpret_cast<LPARAM>(&disabled));
  // The application window stays enabled, so that its task-bar button keeps working.
  disabled.erase(std::remove(disabled.begin(), disabled.end(), ApplicationWindow()),
                 disabled.end());
  for (HWND w : disabled) EnableWindow(w, FALSE);
  ShowForm(form);
  if (!terminated_ && !form.Closed()) {
    SetForegroundWindow(WindowOf(&form));
    RunUntil(form);
  }
  for (HWND w : disabled) EnableWindow(w, TRUE);
  HideForm(form);
}

void Win32Gui::RunUntil(Form& form) {
  MSG msg;
  while (!form.Closed() && !terminated_) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      terminated_ = true;
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    HWND top = WindowOf(&form);
    if (!top || !IsDialogMessageW(top, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

void Win32Gui::RunMessageLoop() {
  MSG msg;
  while (!terminated_ && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  terminated_ = true;
}

void Win32Gui::Terminate() {
  terminated_ = true;
  PostQuitMessage(0);
}

void Win32Gui::Post(Form& form, uint32_t message) {
  Realize(form);
  PostMessageW(WindowOf(&form), message, 0, 0);
}

void Win32Gui::Update(Form& form) {
  if (HWND w = WindowOf(&form)) UpdateWindow(w);
}

void Win32Gui::Focus(Control& control) {
  if (HWND w = WindowOf(&control)) SetFocus(w);
  if (Form* form = control.ParentForm()) form->focused = &control;
}

Color Win32Gui::SystemColor(Color color) {
  if (!(color & kSystemColor)) return color;
  return GetSysColor(static_cast<int>(color & 0xFF));
}

void Win32Gui::SetCursor(Cursor cursor) {
  cursor_ = cursor == Cursor::HourGlass ? LoadCursorW(nullptr, IDC_WAIT) : nullptr;
  ::SetCursor(cursor_ ? cursor_ : LoadCursorW(nullptr, IDC_ARROW));
}

// The picture is drawn into a 32-bit one of our own rather than loaded with LoadImage, which
// cannot make a DIB section of a run-length encoded bitmap; drawing reads every format.
bool Win32Gui::LoadBitmapResource(const std::string& name, Bitmap& out) {
  const HMODULE module = GetModuleHandleW(nullptr);
  const HRSRC found = FindResourceW(module, Wide(name).c_str(), MAKEINTRESOURCEW(2));  // RT_BITMAP
  const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const auto* info = loaded ? static_cast<const BITMAPINFO*>(LockResource(loaded)) : nullptr;
  if (!info || SizeofResource(module, found) < sizeof(BITMAPINFOHEADER)) return false;
  const BITMAPINFOHEADER& header = info->bmiHeader;
  const int width = header.biWidth,
            height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
  const DWORD colours = header.biClrUsed         ? header.biClrUsed
                        : header.biBitCount <= 8 ? 1u << header.biBitCount
                                                 : 0;
  const auto* bits =
      reinterpret_cast<const BYTE*>(info) + header.biSize + colours * sizeof(RGBQUAD);

  BITMAPINFO request{};
  request.bmiHeader.biSize = sizeof request.bmiHeader;
  request.bmiHeader.biWidth = width;
  request.bmiHeader.biHeight = -height;  // top-down rows
  request.bmiHeader.biPlanes = 1;
  request.bmiHeader.biBitCount = 32;
  request.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  UniqueBitmap target(CreateDIBSection(nullptr, &request, DIB_RGB_COLORS, &pixels, nullptr, 0));
  if (!target.Valid() || !pixels) return false;
  const HDC dc = CreateCompatibleDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, target.Get());
  const int drawn = StretchDIBits(dc, 0, 0, width, height, 0, 0, width, height, bits, info,
                                  DIB_RGB_COLORS, SRCCOPY);
  GdiFlush();
  SelectObject(dc, old);
  DeleteDC(dc);
  if (drawn <= 0) return false;
  out.width = width;
  out.height = height;
  out.bitsPerPixel = header.biBitCount;
  out.palette.clear();
  out.pixels.resize(static_cast<size_t>(width) * height);
  const auto* bgra = static_cast<const uint32_t*>(pixels);
  for (size_t i = 0; i < out.pixels.size(); ++i)
    out.pixels[i] = ((bgra[i] >> 16) & 0xFF) | (bgra[i] & 0xFF00) | ((bgra[i] & 0xFF) << 16);
  return true;
}

HFONT Win32Gui::FontHandle(const Font& font) {
  const std::string key = font.name + "|" + std::to_string(font.height) + "|" +
                          std::to_string(font.style) + "|" + std::to_string(font.charset);
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second.Get();
  HFONT handle =
      CreateFontW(font.height, 0, 0, 0, (font.style & fsBold) ? FW_BOLD : FW_NORMAL,
                  (font.style & fsItalic) != 0, (font.style & fsUnderline) != 0, FALSE,
                  static_cast<BYTE>(font.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, Wide(font.name).c_str());
  fonts_[key].Reset(handle);
  return handle;
}

const Font& Win32Gui::EffectiveFont(const Control& control) {
  const Control* c = &control;
  while (c->ParentFont() && c->Parent()) c = c->Parent();
  return c->GetFont();
}

int Win32Gui::TextHeight(const Font& font) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, FontHandle(font));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return tm.tmHeight;
}

int Win32Gui::TextWidth(const Font& font, const std::string& text) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, FontHandle(font));
  const WString wide = Wide(text);
  SIZE size{};
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size.cx;
}

HWND Win32Gui::WindowOf(const Control* control) const {
  if (!control) return nullptr;
  auto* r = dynamic_cast<WindowRealization*>(control->realization.get());
  return r ? r->Window() : nullptr;
}

Control* Win32Gui::ControlOfId(int id) const {
  auto it = byId_.find(id);
  return it == byId_.end() ? nullptr : it->second;
}

void Win32Gui::PaintContainer(WinControl& container, HDC dc, const RECT& area) {
  auto* form = dynamic_cast<Form*>(&container);
  if (form && form->OnPaint) {
    // The form draws its own background, through a canvas onto this device context.
    struct DcCanvas : Canvas {
      HDC dc;
      int dpi;
      void FillRect(int l, int t, int r, int b, Color c) override {
        SetDCBrushColor(dc, Ref(c));
        RECT rect{MulDiv(l, dpi, 96), MulDiv(t, dpi, 96), MulDiv(r, dpi, 96), MulDiv(b, dpi, 96)};
        ::FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
      }
    } canvas;
    canvas.dc = dc;
    canvas.dpi = Dpi(*form);
    form->OnPaint(canvas);
  } else {
    SetDCBrushColor(dc, Ref(SystemColor(container.GetColor())));
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  }
  if (auto* panel = dynamic_cast<Panel*>(&container); panel && panel->bevel) {
    RECT edge = area;
    DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
  }
  SetBkMode(dc, TRANSPARENT);
  for (Control* child : container.Children()) {
    if (!dynamic_cast<GraphicControl*>(child) || !child->Visible()) continue;
    RECT r = DeviceRect(*child);
    if (auto* image = dynamic_cast<Image*>(child)) {
      if (!image->iconResource.empty()) {
        const int side = Px(*image, 32);
        HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                                   Wide(image->iconResource).c_str(), IMAGE_ICON,
                                                   side, side, LR_DEFAULTCOLOR));
        if (icon) {
          DrawIconEx(dc, (r.left + r.right - side) / 2, (r.top + r.bottom - side) / 2, icon, side,
                     side, 0, nullptr, DI_NORMAL);
          DestroyIcon(icon);
        }
      } else {
        DrawBitmap(dc, image->picture, r, image->stretch, Dpi(*image));
      }
    } else if (auto* bevel = dynamic_cast<Bevel*>(child)) {
      if (bevel->shape == BevelShape::BottomLine) r.top = r.bottom - Px(*bevel, 2);
      DrawEdge(dc, &r, bevel->lowered ? EDGE_ETCHED : EDGE_BUMP,
               bevel->shape == BevelShape::BottomLine ? BF_TOP : BF_RECT);
    } else if (auto* button = dynamic_cast<SpeedButton*>(child)) {
      DrawFrameControl(dc, &r, DFC_BUTTON,
                       DFCS_BUTTONPUSH | (pressed_ == button ? DFCS_PUSHED : 0) |
                           (button->Enabled() ? 0 : DFCS_INACTIVE));
      SetTextColor(dc, GetSysColor(button->Enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
      HGDIOBJ old = SelectObject(dc, DeviceFont(*button));
      DrawTextW(dc, L"...", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      SelectObject(dc, old);
    } else if (auto* label = dynamic_cast<CustomLabel*>(child)) {
      if (!label->Transparent() && !label->AutoSize()) {
        SetDCBrushColor(dc, Ref(SystemColor(label->GetColor())));
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
      }
      const WString caption = Wide(label->Caption());
      const Font font = LabelFont(*label, dc);
      HGDIOBJ old = SelectObject(dc, FontHandle(font));
      SetTextColor(dc,
                   label->Enabled() ? Ref(SystemColor(font.color)) : GetSysColor(COLOR_GRAYTEXT));
      UINT format = DT_NOPREFIX | DT_EXPANDTABS;
      if (label->AutoSize()) {
        format |= DT_NOCLIP;
        r.right = r.left + 32767;
        r.bottom = r.top + 32767;
      }
      if (label->GetAlignment() == Alignment::Center) format |= DT_CENTER;
      if (label->GetAlignment() == Alignment::Right) format |= DT_RIGHT;
      DrawTextW(dc, caption.c_str(), -1, &r, format);
      SelectObject(dc, old);
    }
  }
}

Font Win32Gui::FittedFont(const Control& control, int room, HDC dc) {
  Font font = ScaledFont(control);
  WString caption = Wide(control.Caption());
  caption.erase(std::remove(caption.begin(), caption.end(), L'&'), caption.end());
  while (std::abs(font.height) > 6 && TextExtent(dc, FontHandle(font), caption).cx > room)
    font.height += font.height < 0 ? 1 : -1;
  return font;
}

Font Win32Gui::LabelFont(const CustomLabel& label, HDC dc) {
  const WinControl* parent = label.Parent();
  if (!label.AutoSize() || !parent || dynamic_cast<const Form*>(parent)) return ScaledFont(label);
  // A label sized to its text that its panel cannot hold is lettered smaller until it fits.
  return FittedFont(label, Px(label, parent->Width() - label.Bounds().left - 1), dc);
}

void Win32Gui::FocusFirst(Form* form) {
  const HWND top = WindowOf(form);
  if (!top) return;
  HWND target = nullptr;
  for (Component* c : form->Components())
    if (auto* button = dynamic_cast<Button*>(c); button && button->Default() && button->Showing())
      target = WindowOf(button);
  if (!target) target = GetNextDlgTabItem(top, nullptr, FALSE);
  SetFocus(target ? target : top);
}

// Older systems may lack the annotation service: then the controls keep the names the system
// gives them.
IAccPropServices* Win32Gui::Access() {
  if (!accessTried_) {
    accessTried_ = true;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IAccPropServices, access_.PutVoid())))
      access_.Reset();
  }
  return access_.Get();
}

void Win32Gui::NameControls(Form& form) {
  for (Component* c : form.Components()) {
    auto* label = dynamic_cast<CustomLabel*>(c);
    const HWND target = label ? WindowOf(label->focusControl) : nullptr;
    if (!target || !Access()) continue;
    WString name = Wide(label->Caption());
    for (wchar_t& ch : name)
      if (ch == L'\r' || ch == L'\n') ch = L' ';
    access_->SetHwndPropStr(target, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME,
                            name.c_str());
  }
}

void Win32Gui::ExposeItems(const CheckListBox& list, HWND window) {
  if (!Access()) return;
  for (size_t i = 0; i < list.Items().size(); ++i) {
    const auto& item = list.Items()[i];
    VARIANT state{};
    state.vt = VT_I4;
    state.lVal = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE |
                 (item.checked ? STATE_SYSTEM_CHECKED : 0) |
                 (item.enabled ? 0 : STATE_SYSTEM_UNAVAILABLE);
    const auto child = static_cast<DWORD>(i + 1);
    access_->SetHwndProp(window, static_cast<DWORD>(OBJID_CLIENT), child, PROPID_ACC_STATE, state);
    NotifyWinEvent(EVENT_OBJECT_STATECHANGE, window, OBJID_CLIENT, static_cast<LONG>(child));
  }
}

void Win32Gui::ShowTaskbarProgress(int percent) {
  // Older systems (and Wine) may have no task-bar list: then the button shows nothing.
  if (!taskbarTried_) {
    taskbarTried_ = true;
    if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
                                taskbar_.PutVoid())) ||
        FAILED(taskbar_->HrInit()))
      taskbar_.Reset();
  }
  if (!taskbar_.Get()) return;
  if (percent >= 100) {
    taskbar_->SetProgressState(ApplicationWindow(), TBPF_NOPROGRESS);
  } else {
    taskbar_->SetProgressState(ApplicationWindow(), TBPF_NORMAL);
    taskbar_->SetProgressValue(ApplicationWindow(), static_cast<ULONGLONG>(percent), 100);
  }
}

void Win32Gui::MouseDown(WinControl& container, int x, int y) {
  for (Control* child : container.Children()) {
    auto* button = dynamic_cast<SpeedButton*>(child);
    const Rect& b = child->Bounds();
    if (button && button->Showing() && x >= b.left && x < b.left + b.width && y >= b.top &&
        y < b.top + b.height) {
      pressed_ = button;
      SetCapture(WindowOf(&container));
      button->Notify(Prop::Picture);
    }
  }
}

void Win32Gui::MouseUp(WinControl& container, int x, int y) {
  Control* button = pressed_;
  if (!button) return;
  pressed_ = nullptr;
  ReleaseCapture();
  button->Notify(Prop::Picture);
  const Rect& b = button->Bounds();
  if (button->Parent() == &container && x >= b.left && x < b.left + b.width && y >= b.top &&
      y < b.top + b.height)
    button->Click();
}

}  // namespace plat::win32
