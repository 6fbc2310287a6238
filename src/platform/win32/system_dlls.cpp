#include "platform/win32/system_dlls.h"

#include "platform/errors.h"

namespace plat::win32 {
namespace {

template <class F>
void Resolve(HMODULE dll, const char* name, F& function) {
  function = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
  if (!function) throw Error(std::string("comctl32.dll: brak funkcji ") + name);
}

CommonControls commonControls;  // filled once, on the user-interface thread, before any window
bool commonControlsLoaded = false;

}  // namespace

void HardenProcess() {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  // Windows 7 has it only with update KB2533623; without it, taking the current folder out of
  // the search is what remains.
  using SetDirectories = BOOL(WINAPI*)(DWORD);
  const auto setDefault = reinterpret_cast<SetDirectories>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
  if (setDefault) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
  SetDllDirectoryW(L"");
  // The redirection guard: junctions and links that a user made are not followed by this
  // process. Windows 10 22H2 and later only; elsewhere (and under Wine) the call fails or is
  // missing, and the checks of every path we write stay the defence. The policy's number and
  // its one-DWORD structure (enforce = bit 0) are spelt out for headers that lack them.
  using SetPolicy = BOOL(WINAPI*)(int, PVOID, SIZE_T);
  const auto setPolicy = reinterpret_cast<SetPolicy>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetProcessMitigationPolicy")));
  constexpr int kRedirectionTrustPolicy = 16;
  DWORD enforceRedirectionTrust = 1;
  if (setPolicy)
    setPolicy(kRedirectionTrustPolicy, &enforceRedirectionTrust, sizeof enforceRedirectionTrust);
}

const CommonControls& Comctl() {
  if (commonControlsLoaded) return commonControls;
  HMODULE dll = LoadLibraryExW(L"comctl32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  // Where the flag is unknown (Windows 7 without KB2533623), the plain name still resolves
  // side by side first, to the version 6 in the system's assembly store that the manifest
  // names, before any folder is searched.
  if (!dll && GetLastError() == ERROR_INVALID_PARAMETER) dll = LoadLibraryW(L"comctl32.dll");
  if (!dll) throw Error("comctl32.dll: nie można załadować biblioteki");
  Resolve(dll, "InitCommonControlsEx", commonControls.InitCommonControlsEx);
  Resolve(dll, "ImageList_Create", commonControls.ImageList_Create);
  Resolve(dll, "ImageList_AddMasked", commonControls.ImageList_AddMasked);
  Resolve(dll, "SetWindowSubclass", commonControls.SetWindowSubclass);
  Resolve(dll, "RemoveWindowSubclass", commonControls.RemoveWindowSubclass);
  Resolve(dll, "DefSubclassProc", commonControls.DefSubclassProc);
  commonControlsLoaded = true;
  return commonControls;
}

}  // namespace plat::win32
