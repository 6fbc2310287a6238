#include "ui_driver.h"

#include <gtest/gtest.h>

#include "machine.h"
#include "probe/window_watch.h"

namespace e2e {

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    Sleep(25);
  }
  return true;
}

App::~App() {
  Kill();
  if (hook_) UnhookWindowsHookEx(hook_);
  if (log_) UnmapViewOfFile(log_);
  if (section_) CloseHandle(section_);
  if (process_) CloseHandle(process_);
}

bool App::Start(const std::wstring& exe, const std::wstring& arguments,
                const std::wstring& currentDirectory) {
  // The hook lies beside the driving program, wherever the program under test is.
  static HMODULE watch = [] {
    wchar_t self[MAX_PATH];
    std::wstring path(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
    return LoadLibraryW((path.substr(0, path.rfind(L'\\') + 1) + L"window_watch.dll").c_str());
  }();
  static auto shown =
      reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(watch, "WindowMessage")));
  std::wstring line = L"\"" + exe + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  // Now and then (about one start in a thousand) Wine's new process dies in Wine's own start-up,
  // before any of the program's code runs, and CreateProcess fails with ERROR_INTERNAL_ERROR.
  // Nothing of the program under test ran, so starting it again changes nothing it is tested for.
  bool started = false;
  for (int attempt = 0; shown && !started && attempt < 3; ++attempt) {
    started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                             nullptr, currentDirectory.empty() ? nullptr : currentDirectory.c_str(),
                             &startup, &info);
    if (!started && GetLastError() != ERROR_INTERNAL_ERROR) break;
  }
  if (!started) return false;
  process_ = info.hProcess;
  pid_ = info.dwProcessId;
  section_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(WindowLog),
                                WindowLogName(pid_).c_str());
  if (section_) log_ = static_cast<WindowLog*>(MapViewOfFile(section_, FILE_MAP_READ, 0, 0, 0));
  // Wine may refuse a hook on a brand-new thread; it waits suspended, so retrying misses nothing.
  WaitFor([&] {
    return (hook_ = SetWindowsHookExW(WH_CALLWNDPROC, shown, watch, info.dwThreadId)) != nullptr;
  });
  ResumeThread(info.hThread);
  CloseHandle(info.hThread);
  return log_ && hook_;
}

int App::WindowsShown() const {
  return log_ ? log_->shown : -1;
}

std::vector<std::wstring> App::TopCaptions() const {
  std::vector<std::wstring> captions;
  for (LONG i = 0; log_ && i < log_->captions && i < 16; ++i) captions.push_back(log_->caption[i]);
  return captions;
}

std::vector<int> App::ProgressPositions() const {
  std::vector<int> positions;
  for (LONG i = 0; log_ && i < log_->positions && i < 256; ++i)
    positions.push_back(log_->position[i]);
  return positions;
}

long App::WaitExit(std::chrono::milliseconds timeout) {
  if (!process_ ||
      WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
    return -1;
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  return static_cast<long>(code);
}

void App::Kill() {
  if (Running()) {
    TerminateProcess(process_, 99);
    WaitForSingleObject(process_, 10000);
  }
}

namespace {

struct Search {
  const std::function<bool(HWND)>& match;
  HWND found = nullptr;
};

BOOL CALLBACK Visit(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<Search*>(p);
  if (s->match(w)) s->found = w;
  return !s->found;
}

HWND FirstWindow(HWND parent, const std::function<bool(HWND)>& match) {
  Search search{match};
  if (parent)
    EnumChildWindows(parent, Visit, reinterpret_cast<LPARAM>(&search));
  else
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring ClassOf(HWND w) {
  wchar_t name[64] = {};
  GetClassNameW(w, name, 64);
  return name;
}

}  // namespace

std::vector<HWND> App::TopWindows() const {
  std::vector<HWND> found;
  FirstWindow(nullptr, [&](HWND w) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == pid_ && IsWindowVisible(w)) found.push_back(w);
    return false;
  });
  return found;
}

HWND App::FindTop(const std::wstring& caption, const std::wstring& cls) const {
  for (HWND w : TopWindows())
    if (Text(w) == caption && (cls.empty() || cls == ClassOf(w))) return w;
  return nullptr;
}

HWND App::MessageForm() const {
  for (HWND w : TopWindows())
    if (ClassOf(w) == L"TMessageForm") return w;
  return nullptr;
}

HWND App::WaitTop(const std::wstring& caption, const std::wstring& cls) const {
  HWND found = nullptr;
  WaitFor([&] { return (found = FindTop(caption, cls)) != nullptr; });
  return found;
}

std::string ControlName(HWND window) {
  static const UINT message = RegisterWindowMessageW(L"WM_GETCONTROLNAME");
  DWORD_PTR atom = 0;
  wchar_t name[256] = {};
  if (!SendMessageTimeoutW(window, message, 0, 0, SMTO_ABORTIFHUNG, 5000, &atom) || !atom ||
      !GlobalGetAtomNameW(static_cast<ATOM>(atom), name, 256))
    return std::string();
  return Utf8(name);
}

HWND FindControl(HWND top, const std::string& name) {
  return FirstWindow(top, [&](HWND w) { return ControlName(w) == name; });
}

std::wstring Text(HWND window) {
  const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(length + 1, L'\0');
  const LRESULT got =
      SendMessageW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()));
  text.resize(got);
  return text;
}

void SetEditText(HWND edit, const std::wstring& text) {
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void ToggleListItem(HWND list, int index) {
  // Posted, not sent: a sent selection would overtake the keys still waiting in the queue.
  PostMessageW(list, LB_SETCURSEL, index, 0);
  Key(list, VK_SPACE);
}

void Key(HWND window, WPARAM virtualKey) {
  PostMessageW(window, WM_KEYDOWN, virtualKey, 1);
  PostMessageW(window, WM_KEYUP, virtualKey, 0xC0000001);
}

HWND WaitDialog(const App& app, const std::wstring& caption, std::wstring* text) {
  HWND dialog = app.WaitTop(caption, L"TMessageForm");
  if (dialog && text) *text = Text(FindControl(dialog, "Message"));
  return dialog;
}

HWND AnyWindowTitled(const std::wstring& part, const wchar_t* cls) {
  return FirstWindow(nullptr, [&](HWND w) {
    return (!cls || ClassOf(w) == cls) && Text(w).find(part) != std::wstring::npos;
  });
}

void Wizard::Start(const std::wstring& exe, const std::wstring& folder,
                   const std::wstring& arguments) {
  ASSERT_TRUE(app.Start(exe, arguments, folder));
  form = app.WaitTop(kWizardCaption, L"TVortelForm");
  ASSERT_NE(form, nullptr) << "the wizard did not appear";
}

void Wizard::WaitPage(const char* sheet, std::chrono::milliseconds timeout) const {
  ASSERT_TRUE(WaitFor([&] { return OnPage(sheet); }, timeout)) << sheet;
}

void Wizard::Next(const char* sheet) const {
  Click(Control("BitBtn2"));
  WaitPage(sheet);
}

void Wizard::Agree() const {
  Click(Control("CheckBox1"));
  ASSERT_TRUE(WaitFor([&] { return Enabled(Control("BitBtn2")); }));
}

std::wstring Wizard::Answer(const std::wstring& caption, const char* button) const {
  std::wstring text;
  HWND dialog = WaitDialog(app, caption, &text);
  if (!dialog) {
    ADD_FAILURE() << "no dialog " << Utf8(caption);
    return text;
  }
  Click(FindControl(dialog, button));
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
  return text;
}

void Wizard::LeaveFinishPage(bool closeBox) {
  for (const char* box : {"CheckBox5", "CheckBox2", "CheckBox3"})
    if (Visible(Control(box)) && Checked(Control(box))) Click(Control(box));
  ASSERT_TRUE(
      WaitFor([&] { return !Checked(Control("CheckBox2")) && !Checked(Control("CheckBox3")); }));
  if (closeBox)
    CloseBox(form);
  else
    Click(Control("BitBtn4"));
  EXPECT_EQ(app.WaitExit(), 0);
}

}  // namespace e2e
