#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <vector>

#include "platform/errors.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"

namespace plat::win32 {

bool Win32Processes::StartAndWaitIdle(const std::string& commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_FORCEONFEEDBACK;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION info{};
  WString line = Wide(commandLine);  // CreateProcessW may write into its command line
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                      nullptr, &startup, &info))
    return false;
  UniqueHandle process(info.hProcess);
  UniqueHandle thread(info.hThread);
  WaitForInputIdle(process.Get(), INFINITE);
  return true;
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

bool Win32Shell::OpenDocument(const std::string& path) {
  const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(
      GetActiveWindow(), L"open", Wide(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return result > 32;
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
