// The standard message dialog, built by hand rather than with MessageBox: the program needs
// Polish button captions, buttons in the caller's order, a chosen focused button and a chosen
// (or no) Esc button, none of which MessageBox offers.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/win32/control_name.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"

namespace plat::win32 {
namespace {

constexpr wchar_t kClassName[] = L"TMessageForm";
constexpr int kFirstButtonId = 100;

const char* ButtonName(DlgButton button) {
  static const char* const names[] = {"Yes",    "No",  "OK",      "Cancel",   "Abort", "Retry",
                                      "Ignore", "All", "NoToAll", "YesToAll", "Help"};
  return names[static_cast<int>(button)];
}

struct DialogState {
  const DialogSpec* spec;
  std::vector<HWND> buttons;  // by position, left to right
  ModalResult result = ModalResult::None;
  bool done = false;

  void Press(int index) {
    if (index < 0 || index >= static_cast<int>(spec->buttons.size())) return;
    if (spec->buttons[index] == DlgButton::Help) return;  // the package ships no help file
    result = ResultOf(spec->buttons[index]);
    done = true;
  }
};

LRESULT CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!state) return DefWindowProcW(window, message, wParam, lParam);
  if (message == ControlNameMessage()) return AnswerControlName(L"MessageForm", wParam, lParam);
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id >= kFirstButtonId) {
        state->Press(id - kFirstButtonId);
      } else if (id == IDCANCEL) {
        state->Press(state->spec->cancel);  // Esc: only the chosen button, if any
      } else if (id == IDOK) {
        // Enter with the focus outside the buttons presses the focused-at-start button.
        state->Press(state->spec->focus < 0 ? 0 : state->spec->focus);
      }
      return 0;
    }
    case DM_GETDEFID:
      return MAKELRESULT(kFirstButtonId + std::max(state->spec->focus, 0), DC_HASDEFID);
    case WM_CLOSE:
      state->result = ModalResult::Cancel;
      state->done = true;
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

void RegisterDialogClass(HINSTANCE instance) {
  static bool registered = false;
  if (registered) return;
  WNDCLASSW wc{};
  wc.lpfnWndProc = DialogProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  registered = RegisterClassW(&wc) != 0;
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

}  // namespace

ModalResult Win32Dialogs::Show(const DialogSpec& spec) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterDialogClass(instance);
  DialogState state{&spec, {}};

  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  const HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);

  // Measure in dialog units of the message font, as the standard dialogs of Windows do.
  const HDC dc = GetDC(nullptr);
  const HGDIOBJ oldFont = SelectObject(dc, font);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SIZE alphabet{};
  GetTextExtentPoint32W(dc, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &alphabet);
  const int unitX = (alphabet.cx / 26 + 1) / 2;
  const int unitY = tm.tmHeight;
  const int horzMargin = MulDiv(8, unitX, 4), vertMargin = MulDiv(8, unitY, 8);
  const int horzSpacing = MulDiv(10, unitX, 4), vertSpacing = MulDiv(10, unitY, 8);
  const int buttonSpacing = MulDiv(4, unitX, 4), buttonHeight = MulDiv(14, unitY, 8);
  int buttonWidth = MulDiv(50, unitX, 4);
  for (DlgButton b : spec.buttons) {
    RECT r{0, 0, 0, 0};
    const WString caption = Wide(CaptionOf(b));
    DrawTextW(dc, caption.c_str(), -1, &r, DT_CALCRECT | DT_LEFT | DT_SINGLELINE);
    buttonWidth = std::max<int>(buttonWidth, r.right - r.left + 8);
  }
  const WString text = DisplayText(spec.text);
  RECT textRect{0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, 0};
  DrawTextW(dc, text.c_str(), -1, &textRect,
            DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  SelectObject(dc, oldFont);
  ReleaseDC(nullptr, dc);

  const int iconSize = GetSystemMetrics(SM_CXICON);
  const int count = static_cast<int>(spec.buttons.size());
  const int groupWidth = count * buttonWidth + (count - 1) * buttonSpacing;
  const int textLeft = horzMargin + iconSize + horzSpacing;
  const int bodyHeight = std::max<int>(iconSize, textRect.bottom);
  const int clientWidth = std::max<int>(textLeft + textRect.right, groupWidth) + 2 * horzMargin;
  const int clientHeight = vertMargin + bodyHeight + vertSpacing + buttonHeight + vertMargin;

  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  const HWND owner = GetActiveWindow();
  const HWND window = CreateWindowExW(exStyle, kClassName, Wide(CaptionOf(spec.type)).c_str(),
                                      style, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                      (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                                      owner, nullptr, instance, &state);
  if (!window) {
    DeleteObject(font);
    return ModalResult::Cancel;
  }

  auto child = [&](const wchar_t* cls, const WString& caption, DWORD childStyle, int x, int y,
                   int w, int h, int id, const char* name) {
    HWND c = CreateWindowExW(0, cls, caption.c_str(), WS_CHILD | WS_VISIBLE | childStyle, x, y, w,
                             h, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                             nullptr);
    SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    AttachControlName(c, name);
    return c;
  };
  HWND image =
      child(L"STATIC", L"", SS_ICON, horzMargin, vertMargin, iconSize, iconSize, -1, "Image");
  SendMessageW(image, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, IconOf(spec.type))),
               0);
  child(L"STATIC", text, SS_LEFT | SS_NOPREFIX, textLeft, vertMargin, textRect.right,
        textRect.bottom, -1, "Message");

  // Tab order is creation order: start with the focused button and wrap around, so that
  // the button at `focus` comes first whatever its place in the row.
  state.buttons.assign(count, nullptr);
  const int first = (spec.focus >= 0 && spec.focus < count) ? spec.focus : 0;
  const int left = (clientWidth - groupWidth) / 2;
  const int top = vertMargin + bodyHeight + vertSpacing;
  for (int k = 0; k < count; ++k) {
    const int i = (first + k) % count;
    state.buttons[i] = child(L"BUTTON", Wide(CaptionOf(spec.buttons[i])),
                             WS_TABSTOP | (k == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
                             left + i * (buttonWidth + buttonSpacing), top, buttonWidth,
                             buttonHeight, kFirstButtonId + i, ButtonName(spec.buttons[i]));
  }

  if (owner) EnableWindow(owner, FALSE);
  ShowWindow(window, SW_SHOW);
  if (count > 0) SetFocus(state.buttons[first]);
  MSG msg;
  while (!state.done) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));  // for the outer loop
      state.result = ModalResult::Cancel;
      break;
    }
    if (!IsDialogMessageW(window, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  // Re-enable the owner before the dialog goes, so activation returns to it, not elsewhere.
  if (owner) EnableWindow(owner, TRUE);
  DestroyWindow(window);
  if (owner) SetActiveWindow(owner);
  DeleteObject(font);
  return state.result;
}

}  // namespace plat::win32
