#pragma once
// The end-to-end UI driver: controls found by their "WM_GETCONTROLNAME" answer, no fixed sleeps.
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace e2e {

constexpr std::chrono::milliseconds kTimeout{30000};
const std::wstring kWizardCaption = L"Norvik-Soft - Instalator oprogramowania Vortel PRO";

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout = kTimeout);

class App {
 public:
  App() = default;
  ~App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  // Starts the program suspended and resumes it only once its windows are watched.
  bool Start(const std::wstring& exe, const std::wstring& arguments,
             const std::wstring& currentDirectory = L"");
  bool Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }
  // The exit code, or -1 when the process did not end in time.
  long WaitExit(std::chrono::milliseconds timeout = kTimeout);
  void Kill();

  HWND FindTop(const std::wstring& caption, const std::wstring& cls = L"") const;
  HWND WaitTop(const std::wstring& caption, const std::wstring& cls = L"") const;
  std::vector<HWND> TopWindows() const;
  HWND MessageForm() const;

  // Windows the main thread has shown, caught by an in-process hook: polling misses brief ones.
  int WindowsShown() const;
  std::vector<std::wstring> TopCaptions() const;
  // The positions given to progress bars, in order (-1: given to a bar out of sight).
  std::vector<int> ProgressPositions() const;

 private:
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
  HHOOK hook_ = nullptr;
  HANDLE section_ = nullptr;
  struct WindowLog* log_ = nullptr;
};

HWND FindControl(HWND top, const std::string& name);
std::string ControlName(HWND window);
std::wstring Text(HWND window);
inline bool Enabled(HWND window) {
  return window && IsWindowEnabled(window);
}
inline bool Visible(HWND window) {
  return window && IsWindowVisible(window);
}
inline bool Checked(HWND window) {
  return SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
}
// Clicks without waiting for what the click starts (a modal dialog would block a send).
inline void Click(HWND window) {
  PostMessageW(window, BM_CLICK, 0, 0);
}
// Types a whole new text into an edit box, as pasting would (the change event follows).
void SetEditText(HWND edit, const std::wstring& text);
void ToggleListItem(HWND list, int index);
void Key(HWND window, WPARAM virtualKey);
inline void CloseBox(HWND top) {
  PostMessageW(top, WM_SYSCOMMAND, SC_CLOSE, 0);
}
HWND WaitDialog(const App& app, const std::wstring& caption, std::wstring* text = nullptr);
// Of any process, shown or not.
HWND AnyWindowTitled(const std::wstring& part, const wchar_t* cls = nullptr);

// One installer's wizard; steps report failures, so wrap them in ASSERT_NO_FATAL_FAILURE as needed.
struct Wizard {
  App app;
  HWND form = nullptr;

  void Start(const std::wstring& exe, const std::wstring& folder = L"",
             const std::wstring& arguments = L"");
  HWND Control(const char* name) const { return FindControl(form, name); }
  bool OnPage(const char* sheet) const { return Visible(Control(sheet)); }
  void WaitPage(const char* sheet, std::chrono::milliseconds timeout = kTimeout) const;
  void Next(const char* sheet) const;
  void Agree() const;
  // Presses `button` in the message dialog with this caption, waits till it goes; its text.
  std::wstring Answer(const std::wstring& caption, const char* button) const;
  // Unticks every box of the finish page and leaves it through Finish or the close box.
  void LeaveFinishPage(bool closeBox = false);
};

}  // namespace e2e
