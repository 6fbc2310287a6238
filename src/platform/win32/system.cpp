#include <windows.h>

#include <exdisp.h>
#include <shellapi.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>

#include <vector>

#include "platform/errors.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"

namespace plat::win32 {

namespace {

// A VARIANT argument that owns its string.
struct Variant : VARIANT {
  explicit Variant(const WString& text) {
    VariantInit(this);
    vt = VT_BSTR;
    bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  }
  explicit Variant(int number) {
    VariantInit(this);
    vt = VT_I4;
    lVal = number;
  }
  ~Variant() { VariantClear(this); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
};

// Has the desktop's shell (explorer, running as the signed-in user) open `file` with the verb
// "open" in `folder`: what it starts runs as that user, where this program runs as
// administrator. False where no shell window answers (a service's session, Wine without its
// desktop shell).
bool OpenThroughUserShell(const WString& file, const WString& parameters, const WString& folder) {
  ComPtr<IShellWindows> windows;
  if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                              windows.PutVoid())))
    return false;
  VARIANT noLocation;
  VariantInit(&noLocation);
  long window = 0;
  ComPtr<IDispatch> desktop;
  if (windows->FindWindowSW(&noLocation, &noLocation, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                            desktop.Put()) != S_OK ||
      !desktop.Get())
    return false;
  ComPtr<IServiceProvider> services;
  ComPtr<IShellBrowser> browser;
  ComPtr<IShellView> view;
  ComPtr<IDispatch> background;
  ComPtr<IShellFolderViewDual> folderView;
  ComPtr<IDispatch> application;
  ComPtr<IShellDispatch2> shell;
  if (FAILED(desktop->QueryInterface(IID_IServiceProvider, services.PutVoid())) ||
      FAILED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.PutVoid())) ||
      FAILED(browser->QueryActiveShellView(view.Put())) ||
      FAILED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.PutVoid())) ||
      FAILED(background->QueryInterface(IID_IShellFolderViewDual, folderView.PutVoid())) ||
      FAILED(folderView->get_Application(application.Put())) ||
      FAILED(application->QueryInterface(IID_IShellDispatch2, shell.PutVoid())))
    return false;
  BSTR name = SysAllocStringLen(file.data(), static_cast<UINT>(file.size()));
  const HRESULT hr = shell->ShellExecute(name, Variant(parameters), Variant(folder),
                                         Variant(WString(L"open")), Variant(SW_SHOWNORMAL));
  SysFreeString(name);
  return SUCCEEDED(hr);
}

WString CurrentFolder() {
  WString folder(GetCurrentDirectoryW(0, nullptr), L'\0');
  folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()));
  return folder;
}

bool Exists(const WString& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Long enough for a program to show its window, short enough that a hung one cannot hold the
// wizard.
constexpr DWORD kReadyWait = 5000;

// Runs `line` as the user whose shell owns the desktop's shell window, with that process's own
// token, for when the shell does not answer. Never with this program's token: without a shell
// process nothing is started.
Launch StartWithShellToken(WString line, const WString& folder) {
  DWORD id = 0;
  const HWND shell = GetShellWindow();
  if (!shell || !GetWindowThreadProcessId(shell, &id) || !id) return Launch::NoUserShell;
  UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
  UniqueHandle token, userToken;
  if (!process.Valid() || !OpenProcessToken(process.Get(), TOKEN_DUPLICATE, token.Put()) ||
      !DuplicateTokenEx(token.Get(), TOKEN_QUERY | TOKEN_DUPLICATE | TOKEN_ASSIGN_PRIMARY, nullptr,
                        SecurityImpersonation, TokenPrimary, userToken.Put()))
    return Launch::Failed;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_FORCEONFEEDBACK;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION info{};
  // The program gets the system's error boxes that this one turned off for itself.
  if (!CreateProcessWithTokenW(userToken.Get(), 0, nullptr, line.data(),
                               NORMAL_PRIORITY_CLASS | CREATE_DEFAULT_ERROR_MODE, nullptr,
                               folder.c_str(), &startup, &info))
    return Launch::Failed;
  UniqueHandle started(info.hProcess);
  UniqueHandle thread(info.hThread);
  WaitForInputIdle(started.Get(), kReadyWait);
  return Launch::WithShellToken;
}

}  // namespace

Launch Win32Processes::Start(const std::string& program, const std::string& parameters) {
  const WString file = Wide(program);
  if (!Exists(file)) return Launch::Failed;
  const WString folder = CurrentFolder();
  if (OpenThroughUserShell(file, Wide(parameters), folder)) return Launch::ByUserShell;
  // Quoted, so blanks in the path are safe.
  return StartWithShellToken(L"\"" + file + L"\" " + Wide(parameters), folder);
}

namespace {

// Memory that the shell allocated and that its task allocator must free.
class ShellMemory {
 public:
  explicit ShellMemory(IMalloc* allocator) : allocator_(allocator) {}
  ~ShellMemory() {
    if (p_) allocator_->Free(p_);
  }
  ShellMemory(const ShellMemory&) = delete;
  ShellMemory& operator=(const ShellMemory&) = delete;
  template <class T>
  T As() const {
    return static_cast<T>(p_);
  }
  void** Put() { return &p_; }

 private:
  IMalloc* allocator_;
  void* p_ = nullptr;
};

}  // namespace

std::string Win32Shell::BrowseForFolder(const std::string& caption,
                                        const std::string& initialFolder) {
  ComPtr<IMalloc> allocator;
  if (FAILED(SHGetMalloc(allocator.Put()))) return std::string();
  ShellMemory buffer(allocator.Get());
  *buffer.Put() = allocator->Alloc(MAX_PATH * sizeof(wchar_t));
  if (!buffer.As<wchar_t*>()) return std::string();

  // The dialog belongs to whatever window of ours is active, so it stays in front of it.
  const HWND owner = GetActiveWindow();
  ComPtr<IShellFolder> desktop;
  ShellMemory root(allocator.Get());
  if (!initialFolder.empty()) {
    const HRESULT hr = SHGetDesktopFolder(desktop.Put());
    if (hr != S_OK) throw EShellOleError(static_cast<uint32_t>(hr), GetLastError());
    WString name = Wide(initialFolder);
    if (name.size() < MAX_PATH &&
        FAILED(desktop->ParseDisplayName(owner, nullptr, name.data(), nullptr,
                                         reinterpret_cast<LPITEMIDLIST*>(root.Put()), nullptr)))
      *root.Put() = nullptr;
  }

  const WString title = Wide(caption);
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.pidlRoot = root.As<LPCITEMIDLIST>();
  info.pszDisplayName = buffer.As<wchar_t*>();
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_STATUSTEXT;
  ShellMemory chosen(allocator.Get());
  *chosen.Put() = SHBrowseForFolderW(&info);
  if (!chosen.As<void*>()) return std::string();
  // SHGetPathFromIDListW fails rather than cut a path that does not fit the buffer.
  if (!SHGetPathFromIDListW(chosen.As<LPCITEMIDLIST>(), buffer.As<wchar_t*>()))
    return std::string();
  return Narrow(buffer.As<wchar_t*>(), wcsnlen(buffer.As<wchar_t*>(), MAX_PATH));
}

Launch Win32Shell::OpenDocument(const std::string& path) {
  const WString file = Wide(path);
  if (!Exists(file)) return Launch::Failed;
  if (OpenThroughUserShell(file, WString(), CurrentFolder())) return Launch::ByUserShell;
  // Without the shell, its program is started with the document alone: the verb's own
  // arguments would need the shell's expansion, and the notes need none.
  wchar_t program[MAX_PATH] = {};
  if (reinterpret_cast<INT_PTR>(FindExecutableW(file.c_str(), nullptr, program)) <= 32)
    return Launch::Failed;
  return StartWithShellToken(L"\"" + WString(program) + L"\" \"" + file + L"\"", CurrentFolder());
}

void Win32Pump::ProcessPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // Leave the quit request for the message loop that owns it.
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

std::string Win32Text::UpperCase(const std::string& text) {
  if (text.empty()) return text;
  const WString wide = Wide(text);
  const int size = LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE, wide.data(),
                                static_cast<int>(wide.size()), nullptr, 0);
  std::vector<wchar_t> upper(size > 0 ? size : 1);
  const int length = LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE, wide.data(),
                                  static_cast<int>(wide.size()), upper.data(), size);
  return length > 0 ? Narrow(upper.data(), length) : text;
}

void Win32Shell::AssociationsChanged() {
  SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

}  // namespace plat::win32
