#include "machine.h"

#include <functional>
#include <tuple>
#include <vector>

namespace e2e {

std::wstring TempFolder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  return temp;
}

std::string Utf8(const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n : 1, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
  out.pop_back();
  return out;
}

std::wstring FreeDriveLetter() {
  const DWORD drives = GetLogicalDrives();
  for (wchar_t letter = L'Q'; letter <= L'Y'; ++letter)
    if (!(drives & (1u << (letter - L'A')))) return std::wstring(1, letter);
  return L"?";
}

std::string ReadAll(const std::wstring& path) {
  HANDLE f =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return std::string();
  std::string data;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got > 0) data.append(buffer, got);
  CloseHandle(f);
  return data;
}

void WriteAll(const std::wstring& path, const std::string& data) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(f, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
  CloseHandle(f);
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

namespace {
// Calls `visit` for every entry below `folder` (what a folder holds before the folder).
void Walk(const std::wstring& folder, const std::wstring& relative,
          const std::function<void(const std::wstring&, const std::wstring&, bool)>& visit) {
  WIN32_FIND_DATAW found;
  HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    const bool isFolder = found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
    // Wine links the user's folders to the Unix home: never follow a link out of the tree.
    if (isFolder && !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
      Walk(folder + L"\\" + name, relative + name + L"\\", visit);
    visit(folder + L"\\" + name, relative + name, isFolder);
  } while (FindNextFileW(h, &found));
  FindClose(h);
}
}  // namespace

std::map<std::wstring, std::string> Tree(const std::wstring& folder) {
  std::map<std::wstring, std::string> files;
  Walk(folder, L"", [&](const std::wstring& full, const std::wstring& relative, bool isFolder) {
    if (!isFolder) files[relative] = ReadAll(full);
  });
  return files;
}

void RemoveTree(const std::wstring& folder) {
  Walk(folder, L"", [](const std::wstring& full, const std::wstring&, bool isFolder) {
    if (isFolder) RemoveDirectoryW(full.c_str());
    SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);  // a file: read-only or not
    DeleteFileW(full.c_str());
  });
  RemoveDirectoryW(folder.c_str());
}

std::wstring RegistryString(HKEY root, const std::wstring& key, const std::wstring& value) {
  wchar_t data[1024] = {};
  DWORD size = sizeof data, type = 0;
  if (RegGetValueW(root, key.c_str(), value.empty() ? nullptr : value.c_str(),
                   RRF_RT_REG_SZ | RRF_RT_REG_DWORD, &type, data, &size) != ERROR_SUCCESS)
    return L"<missing>";
  return type == REG_DWORD ? std::to_wstring(data[0] | DWORD(data[1]) << 16) : data;
}

namespace {
void AddKey(HKEY root, const std::wstring& path, std::map<std::wstring, std::string>& state) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  state[L"[" + path + L"]"] = "";
  std::vector<std::wstring> subkeys;
  wchar_t name[16384];
  std::vector<BYTE> data(1 << 16);
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = 16384, type = 0, size = static_cast<DWORD>(data.size());
    const LONG rc = RegEnumValueW(key, i, name, &nameSize, nullptr, &type, data.data(), &size);
    if (rc != ERROR_SUCCESS) break;
    state[L"[" + path + L"] " + name] =
        std::to_string(type) + ":" + std::string(data.begin(), data.begin() + size);
  }
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = 16384;
    if (RegEnumKeyExW(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    subkeys.push_back(name);
  }
  RegCloseKey(key);
  for (const auto& subkey : subkeys)
    if (_wcsicmp(subkey.c_str(), L"Wine") != 0 && _wcsicmp(subkey.c_str(), L"NetworkCards") != 0)
      AddKey(root, path + L"\\" + subkey, state);
}
}  // namespace

std::map<std::wstring, std::string> Snapshot() {
  std::map<std::wstring, std::string> state;
  const std::wstring temp = TempFolder();
  Walk(L"C:", L"C:\\", [&](const std::wstring& full, const std::wstring& relative, bool folder) {
    const bool logInTemp = _wcsnicmp(full.c_str(), temp.c_str(), temp.size()) == 0 &&
                           full.size() > 4 &&
                           _wcsicmp(full.c_str() + full.size() - 4, L".log") == 0;
    if (folder) state[relative + L"\\"] = "";
    if (folder || logInTemp) return;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(full.c_str(), GetFileExInfoStandard, &data);
    state[relative] = _wcsnicmp(relative.c_str(), L"C:\\windows\\", 11) != 0
                          ? ReadAll(full)
                          : std::to_string(data.nFileSizeLow) + "/" +
                                std::to_string(data.ftLastWriteTime.dwLowDateTime);
  });
  AddKey(HKEY_LOCAL_MACHINE, L"Software", state);
  AddKey(HKEY_CURRENT_USER, L"Software", state);
  std::vector<BYTE> pending(1 << 16);
  DWORD size = static_cast<DWORD>(pending.size());
  if (RegGetValueW(HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\Session Manager",
                   L"PendingFileRenameOperations", RRF_RT_ANY, nullptr, pending.data(),
                   &size) == ERROR_SUCCESS)
    state[L"PendingFileRenameOperations"] = std::string(pending.begin(), pending.begin() + size);
  return state;
}

long RestartWindows() {
  wchar_t system[MAX_PATH];
  std::wstring line =
      L"\"" + std::wstring(system, GetSystemDirectoryW(system, MAX_PATH)) + L"\\wineboot.exe\" -r";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info))
    return -1;
  CloseHandle(info.hThread);
  DWORD code = static_cast<DWORD>(-1);
  if (WaitForSingleObject(info.hProcess, 120000) == WAIT_OBJECT_0)
    GetExitCodeProcess(info.hProcess, &code);
  CloseHandle(info.hProcess);
  return static_cast<long>(code);
}

std::string Differences(const std::map<std::wstring, std::string>& before,
                        const std::map<std::wstring, std::string>& after) {
  std::string out;
  for (const auto& [name, value] : before) {
    const auto it = after.find(name);
    if (it == after.end())
      out += "  gone: " + Utf8(name) + "\n";
    else if (it->second != value)
      out += "  changed: " + Utf8(name) + "\n";
  }
  for (const auto& [name, value] : after)
    if (!before.count(name)) out += "  new: " + Utf8(name) + "\n";
  return out;
}

std::wstring IniValue(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
  wchar_t value[512] = {};
  GetPrivateProfileStringW(section, key, L"?", value, 512, file.c_str());
  return value;
}

std::wstring UninstallFolder() {
  return RegistryString(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion",
                        L"CommonFilesDir") +
         L"\\Vortel PRO";
}

std::wstring Registration() {
  const std::tuple<HKEY, std::wstring, const wchar_t*> values[] = {
      {HKEY_LOCAL_MACHINE, L"Software\\Norvik-Soft", L"Path"},
      {HKEY_LOCAL_MACHINE, kAppPaths + L"Vortel.exe", L"Path"},
      {HKEY_LOCAL_MACHINE, kAppPaths + L"NorvikFTP.exe", L"Path"},
      {HKEY_LOCAL_MACHINE, kAppPaths + L"NorvikFTPSrv.exe", L"Path"},
      {HKEY_LOCAL_MACHINE, kUninstallKey, L"UninstallString"},
      {HKEY_CLASSES_ROOT, L".vl", L""},
      {HKEY_CLASSES_ROOT, L".ftp", L""}};
  std::wstring lines;
  for (const auto& [root, key, name] : values) lines += RegistryString(root, key, name) + L"\n";
  return lines;
}

std::wstring ShellFolder(const wchar_t* name) {
  return RegistryString(HKEY_LOCAL_MACHINE,
                        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                        name);
}

namespace {
const std::pair<const wchar_t*, const wchar_t*> kShortcuts[] = {
    {L"Common Desktop", L"Vortel.lnk"},
    {L"Common Desktop", L"Norvik-FTP.lnk"},
    {L"Common Startup", L"Serwer FTP.lnk"},
    {L"Common Programs", L"Vortel PRO"},
    {L"Common Programs", L"Vortel PRO\\Odinstaluj.lnk"}};
}  // namespace

std::wstring Shortcuts() {
  std::wstring names;
  for (const auto& [folder, name] : kShortcuts)
    if (Exists(ShellFolder(folder) + L"\\" + name)) names += name + std::wstring(L"\n");
  return names;
}

void RemoveShortcuts() {
  for (const auto& [folder, name] : kShortcuts) {
    DeleteFileW((ShellFolder(folder) + L"\\" + name).c_str());
    RemoveTree(ShellFolder(folder) + L"\\" + name);
  }
}

}  // namespace e2e
