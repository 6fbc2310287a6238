// The standard message dialog, built by hand rather than with MessageBox: the program needs
// Polish button captions, buttons in the caller's order, a chosen focused button and a chosen
// (or no) Esc button, none of which MessageBox offers.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/win32/control_name.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/window_base.h"

namespace plat::win32 {
namespace {

constexpr wchar_t kClassName[] = L"TMessageForm";
constexpr int kFirstButtonId = 100;

const char* ButtonName(DlgButton button) {
  static const char* const names[] = {"Yes",    "No",  "OK",      "Cancel",   "Abort", "Retry",
                                      "Ignore", "All", "NoToAll", "YesToAll", "Help"};
  return names[static_cast<int>(button)];
}

// The message text uses a lone carriage return as its line break; controls want CR LF.
WString DisplayText(const std::string& text) {
  WString out;
  const WString in = Wide(text);
  for (size_t i = 0; i < in.size(); ++i) {
    out += in[i];
    if (in[i] == L'\r' && (i + 1 >= in.size() || in[i + 1] != L'\n')) out += L'\n';
  }
  return out;
}

LPCWSTR IconOf(DlgType type) {
  switch (type) {
    case DlgType::Warning:
      return IDI_WARNING;
    case DlgType::Error:
      return IDI_ERROR;
    case DlgType::Information:
      return IDI_INFORMATION;
    case DlgType::Confirmation:
      break;
  }
  return IDI_QUESTION;
}

// Sizes in dialog units of the message font, as the standard dialogs of Windows measure.
struct Layout {
  int horzMargin, vertMargin, horzSpacing, vertSpacing, buttonSpacing, buttonWidth, buttonHeight;
  RECT text;  // the message's extent
  int iconSize, groupWidth, textLeft, bodyHeight, clientWidth, clientHeight;
};

class MessageDialog : public WindowBase {
 public:
  explicit MessageDialog(const DialogRequest& request)
      : request_(request),
        count_(static_cast<int>(request.buttons.size())),
        text_(DisplayText(request.text)) {}
  ModalResult Show();

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Measure();
  bool CreateFrame(HWND owner);
  HWND Child(const wchar_t* cls, const WString& caption, DWORD style, int x, int y, int w, int h,
             int id, const char* name);
  void CreateControls();
  void RunModal();
  void Press(int index);
  int FirstButton() const {
    return request_.focus >= 0 && request_.focus < count_ ? request_.focus : 0;
  }

  const DialogRequest& request_;
  const int count_;
  const WString text_;
  UniqueFont font_;
  Layout layout_{};
  std::vector<HWND> buttons_;  // by position, left to right
  ModalResult result_ = ModalResult::None;
  bool done_ = false;
};

void MessageDialog::Press(int index) {
  if (index < 0 || index >= count_) return;
  if (request_.buttons[index] == DlgButton::Help) return;  // the package ships no help file
  result_ = ResultOf(request_.buttons[index]);
  done_ = true;
}

LRESULT MessageDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id >= kFirstButtonId) {
        Press(id - kFirstButtonId);
      } else if (id == IDCANCEL) {
        Press(request_.cancel);  // Esc: only the chosen button, if any
      } else if (id == IDOK) {
        // Enter with the focus outside the buttons presses the focused-at-start button.
        Press(FirstButton());
      }
      return 0;
    }
    case DM_GETDEFID:
      return MAKELRESULT(kFirstButtonId + FirstButton(), DC_HASDEFID);
    case WM_CLOSE:
      result_ = ModalResult::Cancel;
      done_ = true;
      return 0;
    default:
      return Default(message, wParam, lParam);
  }
}

void MessageDialog::Measure() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  font_.Reset(CreateFontIndirectW(&metrics.lfMessageFont));

  const HDC dc = GetDC(nullptr);
  const HGDIOBJ oldFont = SelectObject(dc, font_.Get());
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SIZE alphabet{};
  GetTextExtentPoint32W(dc, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &alphabet);
  const int unitX = (alphabet.cx / 26 + 1) / 2;
  const int unitY = tm.tmHeight;
  Layout& l = layout_;
  l.horzMargin = MulDiv(8, unitX, 4);
  l.vertMargin = MulDiv(8, unitY, 8);
  l.horzSpacing = MulDiv(10, unitX, 4);
  l.vertSpacing = MulDiv(10, unitY, 8);
  l.buttonSpacing = MulDiv(4, unitX, 4);
  l.buttonHeight = MulDiv(14, unitY, 8);
  l.buttonWidth = MulDiv(50, unitX, 4);
  for (DlgButton b : request_.buttons) {
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, Wide(CaptionOf(b)).c_str(), -1, &r, DT_CALCRECT | DT_LEFT | DT_SINGLELINE);
    l.buttonWidth = std::max<int>(l.buttonWidth, r.right - r.left + 8);
  }
  l.text = {0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, 0};
  DrawTextW(dc, text_.c_str(), -1, &l.text,
            DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  SelectObject(dc, oldFont);
  ReleaseDC(nullptr, dc);

  l.iconSize = GetSystemMetrics(SM_CXICON);
  l.groupWidth = count_ * l.buttonWidth + (count_ - 1) * l.buttonSpacing;
  l.textLeft = l.horzMargin + l.iconSize + l.horzSpacing;
  l.bodyHeight = std::max<int>(l.iconSize, l.text.bottom);
  l.clientWidth = std::max<int>(l.textLeft + l.text.right, l.groupWidth) + 2 * l.horzMargin;
  l.clientHeight = l.vertMargin + l.bodyHeight + l.vertSpacing + l.buttonHeight + l.vertMargin;
}

// The dialog's window, centred on the screen and owned by the window that was active.
bool MessageDialog::CreateFrame(HWND owner) {
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  RECT frame{0, 0, layout_.clientWidth, layout_.clientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  if (!Create(exStyle, kClassName, Wide(CaptionOf(request_.type)).c_str(), style,
              (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
              (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, owner, nullptr))
    return false;
  AttachControlName(Window(), "MessageForm");
  return true;
}

HWND MessageDialog::Child(const wchar_t* cls, const WString& caption, DWORD style, int x, int y,
                          int w, int h, int id, const char* name) {
  HWND c = CreateWindowExW(0, cls, caption.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                           Window(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
  SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  AttachControlName(c, name);
  return c;
}

// The icon, the message and the buttons.
void MessageDialog::CreateControls() {
  const Layout& l = layout_;
  HWND image = Child(L"STATIC", L"", SS_ICON, l.horzMargin, l.vertMargin, l.iconSize, l.iconSize,
                     -1, "Image");
  SendMessageW(image, STM_SETICON,
               reinterpret_cast<WPARAM>(LoadIconW(nullptr, IconOf(request_.type))), 0);
  Child(L"STATIC", text_, SS_LEFT | SS_NOPREFIX, l.textLeft, l.vertMargin, l.text.right,
        l.text.bottom, -1, "Message");

  // Tab order is creation order, so the buttons are made left to right; the focused-at-start
  // button is the default one wherever it stands in the row.
  buttons_.assign(count_, nullptr);
  const int first = FirstButton();
  const int left = (l.clientWidth - l.groupWidth) / 2;
  const int top = l.vertMargin + l.bodyHeight + l.vertSpacing;
  for (int i = 0; i < count_; ++i)
    buttons_[i] = Child(L"BUTTON", Wide(CaptionOf(request_.buttons[i])),
                        WS_TABSTOP | (i == first ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
                        left + i * (l.buttonWidth + l.buttonSpacing), top, l.buttonWidth,
                        l.buttonHeight, kFirstButtonId + i, ButtonName(request_.buttons[i]));
  // Keyboard users see where the focus is and which letters work with Alt from the start.
  SendMessageW(Window(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL),
               0);
}

void MessageDialog::RunModal() {
  MSG msg;
  while (!done_) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));  // for the outer loop
      result_ = ModalResult::Cancel;
      break;
    }
    if (!IsDialogMessageW(Window(), &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

ModalResult MessageDialog::Show() {
  RegisterWindowClass(kClassName, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  Measure();
  const HWND owner = GetActiveWindow();
  if (!CreateFrame(owner)) return ModalResult::Cancel;
  CreateControls();
  if (owner) EnableWindow(owner, FALSE);
  ShowWindow(Window(), SW_SHOW);
  if (count_ > 0) SetFocus(buttons_[FirstButton()]);
  RunModal();
  // Re-enable the owner before the dialog goes, so activation returns to it, not elsewhere.
  if (owner) EnableWindow(owner, TRUE);
  DestroyWindow(Window());
  if (owner) SetActiveWindow(owner);
  return result_;
}

}  // namespace

ModalResult Win32Dialogs::Show(const DialogRequest& request) {
  return MessageDialog(request).Show();
}

}  // namespace plat::win32
