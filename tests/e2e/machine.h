#pragma once
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
// Left as found by a removal: drive C: (under C:\windows sizes and times), HKLM and HKCU\Software,
// what waits for the next start; not temp logs, nor Wine's keys "Wine" and "NetworkCards".
std::map<std::wstring, std::string> Snapshot();
std::string Differences(const std::map<std::wstring, std::string>& before,
                        const std::map<std::wstring, std::string>& after);
// Runs what waits for the next start (MOVEFILE_DELAY_UNTIL_REBOOT) as wineboot's restart does,
// without Run keys or Startup items. Its exit code, -1 if it did not start or end.
long RestartWindows();
std::wstring IniValue(const std::wstring& file, const wchar_t* section, const wchar_t* key);
const std::wstring kAppPaths = L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
const std::wstring kUninstallKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vortel PRO";
std::wstring UninstallFolder();
// What an installation registers, a value a line.
std::wstring Registration();
std::wstring ShellFolder(const wchar_t* name);
std::wstring Shortcuts();
void RemoveShortcuts();

}  // namespace e2e
