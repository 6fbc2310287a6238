#pragma once
// What the end-to-end tests read back from the machine after the installer ran: files, registry
// values, shell folders.
#include <windows.h>

#include <string>

namespace e2e {

// The whole file; empty when it cannot be read.
std::string ReadAll(const std::wstring& path);
void WriteAll(const std::wstring& path, const std::string& data);
bool Exists(const std::wstring& path);
// A string value ("" names the default value), or "<missing>".
std::wstring RegistryString(HKEY root, const std::wstring& key, const std::wstring& value);
// An all-users folder ("Common Desktop", ...) as the "Shell Folders" key names it.
std::wstring ShellFolder(const wchar_t* name);

}  // namespace e2e
