#pragma once
// What the end-to-end tests read and prepare on the machine.
#include <windows.h>

#include <map>
#include <string>

namespace e2e {

// The Install.exe under test; its build folder holds the stand-ins, probes and mastered media.
extern std::wstring installExe;
inline std::wstring BuildFolder() {
  return installExe.substr(0, installExe.rfind(L'\\') + 1);
}
std::wstring TempFolder();
std::string Utf8(const std::wstring& text);
std::wstring FreeDriveLetter();

std::string ReadAll(const std::wstring& path);
void WriteAll(const std::wstring& path, const std::string& data);
bool Exists(const std::wstring& path);
std::map<std::wstring, std::string> Tree(const std::wstring& folder);
void RemoveTree(const std::wstring& folder);
// "" names the default value.
std::wstring RegistryString(HKEY root, const std::wstring& key, const std::wstring& value);
// The machine as a removal must leave it: every file and folder of drive C: (the contents,
// or under C:\windows the size and time), every key and value below HKLM\Software and
// HKCU\Software, and what waits for the next start of Windows; not the logs in the temporary
// folder, nor the keys Wine keeps for itself ("Wine", and "NetworkCards", which it fills when
// a process first asks for the network).
std::map<std::wstring, std::string> Snapshot();
std::string Differences(const std::map<std::wstring, std::string>& before,
                        const std::map<std::wstring, std::string>& after);
// What Windows does at its next start with what was left for it (MoveFileExW with
// MOVEFILE_DELAY_UNTIL_REBOOT): wineboot's restart, without the Run keys and Startup items of
// a full start. Its exit code, -1 when it could not start or did not end.
long RestartWindows();
std::wstring IniValue(const std::wstring& file, const wchar_t* section, const wchar_t* key);
const std::wstring kAppPaths = L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
const std::wstring kUninstallKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vortel PRO";
// Where the journal and the registered uninstaller live.
std::wstring UninstallFolder();
// What an installation registers, a value a line.
std::wstring Registration();
std::wstring ShellFolder(const wchar_t* name);
std::wstring Shortcuts();
void RemoveShortcuts();

}  // namespace e2e
