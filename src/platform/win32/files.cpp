#include <aclapi.h>
#include <sddl.h>
#include <wintrust.h>

#include <vector>

#include "platform/errors.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"

namespace plat::win32 {
namespace {

EFileError FileError(const std::string& path, DWORD code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      // Without long-path support, a path past the limit is simply "not found".
      if (Wide(path).size() >= MAX_PATH) return EFileError(path, EFileError::Reason::TooLong);
      return EFileError(path, EFileError::Reason::NotFound, code);
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_NOT_READY:
      return EFileError(path, EFileError::Reason::NotFound, code);
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
      return EFileError(path, EFileError::Reason::AccessDenied, code);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EFileError(path, EFileError::Reason::InUse, code);
    case ERROR_FILENAME_EXCED_RANGE:
      return EFileError(path, EFileError::Reason::TooLong, code);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return EFileError(path, EFileError::Reason::DiskFull, code);
    default:
      return EFileError(path, EFileError::Reason::Other, code);
  }
}

bool NameTaken(DWORD code) {
  return code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS;
}

UniqueHandle OpenNew(const WString& path, DWORD share) {
  // DELETE, so that a file made for nothing can go through its own handle.
  return UniqueHandle(CreateFileW(path.c_str(), GENERIC_WRITE | DELETE, share, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Through a handle opened on the name itself: SetFileAttributesW would change the target of a
// link someone planted there.
bool SetOwnAttributes(const WString& path, DWORD attributes) {
  UniqueHandle h(CreateFileW(
      path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  constexpr DWORD kSettable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                              FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                              FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  FILE_BASIC_INFO info{};  // zero times: left as they are
  info.FileAttributes = attributes & kSettable ? attributes & kSettable : FILE_ATTRIBUTE_NORMAL;
  return h.Valid() && SetFileInformationByHandle(h.Get(), FileBasicInfo, &info, sizeof info);
}

// A running program's file refuses the replace with "access denied"; opening it for writing
// tells that apart from a real lack of rights.
bool InUse(const WString& path) {
  UniqueHandle h(CreateFileW(path.c_str(), GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  return !h.Valid() && GetLastError() == ERROR_SHARING_VIOLATION;
}

// Holds every folder above a path open, from the first below the drive's root down to the
// path's own folder, each checked not to be a reparse point and opened without delete sharing,
// so that none can be renamed away and replaced by a junction while the operation runs. A
// level that does not exist ends the walk: the operation itself will find it missing.
class FolderChain {
 public:
  explicit FolderChain(WString path) {
    while (path.size() > 3 && path.back() == L'\\') path.pop_back();  // the folder itself is free
    size_t start = path.rfind(L"\\\\", 0) == 0 ? ShareEnd(path) : 3;
    for (size_t end; (end = path.find(L'\\', start)) != WString::npos; start = end + 1) {
      path[end] = L'\0';
      const HANDLE level = CreateFileW(
          path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
          OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
      path[end] = L'\\';
      if (level == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        if (code != ERROR_FILE_NOT_FOUND && code != ERROR_PATH_NOT_FOUND) error_ = code;
        return;
      }
      BY_HANDLE_FILE_INFORMATION info;
      if (count_ == kMaxLevels || !GetFileInformationByHandle(level, &info) ||
          (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        CloseHandle(level);
        error_ = kReparsePointEncountered;
        return;
      }
      held_[count_++] = level;
    }
  }
  ~FolderChain() {
    while (count_ > 0) CloseHandle(held_[--count_]);
  }
  FolderChain(const FolderChain&) = delete;
  FolderChain& operator=(const FolderChain&) = delete;
  // Sets the error for the caller when the path may not be used.
  bool Safe() const {
    if (error_) SetLastError(error_);
    return !error_;
  }

 private:
  static constexpr DWORD kReparsePointEncountered = 4395;  // ERROR_REPARSE_POINT_ENCOUNTERED
  static constexpr int kMaxLevels = MAX_PATH / 2;          // more than a path within the limit has
  static size_t ShareEnd(const WString& path) {
    const size_t server = path.find(L'\\', 2);
    const size_t share = server == WString::npos ? server : path.find(L'\\', server + 1);
    return share == WString::npos ? path.size() : share + 1;
  }
  HANDLE held_[kMaxLevels];
  int count_ = 0;
  DWORD error_ = 0;
};

// Administrators and SYSTEM may do anything, Users read and run; nothing comes from above.
constexpr wchar_t kProtectedFolder[] =
    L"O:BAG:SYD:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)";

// Who may own, write or re-permit what an elevated program trusts: Administrators, SYSTEM and
// whoever owns the system's own folder (TrustedInstaller on Windows; under Wine, which makes
// everything the user's, that user).
bool TrustedSid(PSID sid) {
  if (IsWellKnownSid(sid, WinBuiltinAdministratorsSid) || IsWellKnownSid(sid, WinLocalSystemSid))
    return true;
  static BYTE systemOwner[SECURITY_MAX_SID_SIZE];
  static bool looked = false;
  if (!looked) {
    looked = true;
    wchar_t system[MAX_PATH];
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    const UINT length = GetSystemDirectoryW(system, MAX_PATH);
    if (length > 0 && length < MAX_PATH &&
        GetNamedSecurityInfoW(system, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr,
                              nullptr, nullptr, &descriptor) == ERROR_SUCCESS) {
      CopySid(sizeof systemOwner, systemOwner, owner);
      LocalFree(descriptor);
    }
  }
  return IsValidSid(systemOwner) && EqualSid(sid, systemOwner);
}

class Win32Input : public InputFile {
 public:
  Win32Input(UniqueHandle h, std::string path) : h_(std::move(h)), path_(std::move(path)) {}
  size_t Read(void* buffer, size_t size) override {
    DWORD got = 0;
    if (!ReadFile(h_.Get(), buffer, static_cast<DWORD>(size), &got, nullptr))
      throw FileError(path_, GetLastError());
    return got;
  }
  void Seek(uint64_t offset) override {
    LARGE_INTEGER to;
    to.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(h_.Get(), to, nullptr, FILE_BEGIN))
      throw FileError(path_, GetLastError());
  }

 private:
  UniqueHandle h_;
  std::string path_;
};

class Win32Output : public OutputFile {
 public:
  Win32Output(UniqueHandle h, std::string path) : h_(std::move(h)), path_(std::move(path)) {}
  void Write(const void* data, size_t size) override {
    DWORD written = 0;
    if (!WriteFile(h_.Get(), data, static_cast<DWORD>(size), &written, nullptr))
      throw FileError(path_, GetLastError());
    if (written != size) throw EFileError(path_, EFileError::Reason::DiskFull);
  }
  void Flush() override {
    if (!FlushFileBuffers(h_.Get())) throw FileError(path_, GetLastError());
  }
  void Close() override {
    if (!h_.Valid()) return;
    const HANDLE h = h_.Detach();
    if (!CloseHandle(h)) throw FileError(path_, GetLastError());
  }
  void Discard() override {
    FILE_DISPOSITION_INFO dispose{TRUE};
    if (!SetFileInformationByHandle(h_.Get(), FileDispositionInfo, &dispose, sizeof dispose))
      throw FileError(path_, GetLastError());
  }

 private:
  UniqueHandle h_;
  std::string path_;
};

}  // namespace

uint32_t Win32Files::GetAttributes(const std::string& path) {
  return GetFileAttributesW(Wide(path).c_str());
}

bool Win32Files::SetAttributes(const std::string& path, uint32_t attributes) {
  const WString wide = Wide(path);
  return FolderChain(wide).Safe() && SetOwnAttributes(wide, attributes);
}

bool Win32Files::CreateFolder(const std::string& path) {
  // The descriptor goes with the creation: a folder made below C:\ would otherwise inherit
  // the right of every signed-in user to change it, and a later patch leaves a window.
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(kProtectedFolder, SDDL_REVISION_1,
                                                            &descriptor, nullptr))
    return false;
  SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
  const WString wide = Wide(path);
  const bool made = FolderChain(wide).Safe() && CreateDirectoryW(wide.c_str(), &attributes);
  const DWORD code = GetLastError();
  LocalFree(descriptor);
  SetLastError(code);
  return made;
}

bool Win32Files::Trusted(const std::string& path) {
  UniqueHandle h(CreateFileW(Wide(path).c_str(), READ_CONTROL | FILE_READ_ATTRIBUTES,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING,
                             FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info;
  if (!h.Valid() || !GetFileInformationByHandle(h.Get(), &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
    return false;
  // A second name may lie in a folder that others write, where it can be changed.
  if (!(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && info.nNumberOfLinks != 1) return false;
  PSID owner = nullptr;
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetSecurityInfo(h.Get(), SE_FILE_OBJECT,
                      OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner, nullptr,
                      &dacl, nullptr, &descriptor) != ERROR_SUCCESS)
    return false;
  constexpr DWORD kChanging = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_DELETE_CHILD | DELETE |
                              WRITE_DAC | WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL;
  bool trusted = owner && TrustedSid(owner) && dacl;  // no list at all lets everyone in
  for (WORD i = 0; trusted && i < dacl->AceCount; ++i) {
    ACE_HEADER* header = nullptr;
    if (!GetAce(dacl, i, reinterpret_cast<void**>(&header))) trusted = false;
    if (!trusted || header->AceType != ACCESS_ALLOWED_ACE_TYPE ||
        (header->AceFlags & INHERIT_ONLY_ACE))
      continue;
    const auto* ace = reinterpret_cast<ACCESS_ALLOWED_ACE*>(header);
    if ((ace->Mask & kChanging) && !TrustedSid(const_cast<DWORD*>(&ace->SidStart))) trusted = false;
  }
  LocalFree(descriptor);
  return trusted;
}

bool Win32Files::Rename(const std::string& from, const std::string& to) {
  const WString target = Wide(to);
  return FolderChain(target).Safe() && MoveFileExW(Wide(from).c_str(), target.c_str(), 0);
}

bool Win32Files::RemoveAtRestart(const std::string& path) {
  const WString wide = Wide(path);
  return FolderChain(wide).Safe() &&
         MoveFileExW(wide.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}

std::unique_ptr<InputFile> Win32Files::OpenRead(const std::string& path) {
  UniqueHandle h(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                             OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!h.Valid()) throw FileError(path, GetLastError());
  return std::make_unique<Win32Input>(std::move(h), path);
}

std::unique_ptr<OutputFile> Win32Files::Create(const std::string& path) {
  // CREATE_ALWAYS would write through a link planted at the name; a new file renamed onto the
  // name replaces the link instead. The handle shares deletion so that it can be renamed.
  const WString wide = Wide(path);
  if (!FolderChain(wide).Safe()) throw FileError(path, GetLastError());
  UniqueHandle h = OpenNew(wide, FILE_SHARE_DELETE);
  if (h.Valid()) return std::make_unique<Win32Output>(std::move(h), path);
  if (!NameTaken(GetLastError())) throw FileError(path, GetLastError());
  const WString folder = wide.substr(0, wide.find_last_of(L"\\:") + 1);
  for (int n = 0; n < 1000; ++n) {
    const WString temp = folder + Wide("~vt" + std::to_string(n) + ".tmp");
    h = OpenNew(temp, FILE_SHARE_DELETE);
    if (!h.Valid() && NameTaken(GetLastError())) continue;
    if (!h.Valid()) break;
    if (MoveFileExW(temp.c_str(), wide.c_str(), MOVEFILE_REPLACE_EXISTING))
      return std::make_unique<Win32Output>(std::move(h), path);
    const DWORD code = GetLastError();
    h.Reset();
    DeleteFileW(temp.c_str());
    throw FileError(path, code);
  }
  throw FileError(path, GetLastError());
}

std::unique_ptr<OutputFile> Win32Files::CreateNew(const std::string& path) {
  const WString wide = Wide(path);
  if (!FolderChain(wide).Safe()) throw FileError(path, GetLastError());
  UniqueHandle h = OpenNew(wide, 0);
  if (h.Valid()) return std::make_unique<Win32Output>(std::move(h), path);
  if (NameTaken(GetLastError())) return nullptr;
  throw FileError(path, GetLastError());
}

bool Win32Files::CopyNew(const std::string& from, const std::string& to) {
  const WString target = Wide(to);
  const FolderChain chain(target);
  if (!chain.Safe() || !CopyFileW(Wide(from).c_str(), target.c_str(), TRUE)) return false;
  // The copy carries the source's read-only bit (a CD's files have it), which forbids the
  // handle that flushing needs; the file is ours, so the bit goes off for that moment.
  const DWORD attributes = GetFileAttributesW(target.c_str());
  const bool readOnly =
      attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
  if (readOnly) SetOwnAttributes(target, attributes & ~FILE_ATTRIBUTE_READONLY);
  UniqueHandle h(CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                             FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  const bool flushed = h.Valid() && FlushFileBuffers(h.Get());
  const DWORD code = GetLastError();
  h.Reset();
  if (readOnly) SetOwnAttributes(target, attributes);
  if (flushed) return true;
  SetOwnAttributes(target, FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(target.c_str());
  SetLastError(code);
  return false;
}

bool Win32Files::Remove(const std::string& path) {
  const WString wide = Wide(path);
  return FolderChain(wide).Safe() && DeleteFileW(wide.c_str());
}

bool Win32Files::Replace(const std::string& from, const std::string& to) {
  const WString src = Wide(from);
  const WString dst = Wide(to);
  constexpr DWORD kFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
  const FolderChain chain(dst);
  if (!chain.Safe()) return false;
  if (MoveFileExW(src.c_str(), dst.c_str(), kFlags)) return true;
  DWORD code = GetLastError();
  // Windows refuses to replace a read-only file; the caller has decided to overwrite it.
  const DWORD attributes = GetFileAttributesW(dst.c_str());
  if (code == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & FILE_ATTRIBUTE_READONLY) &&
      SetOwnAttributes(dst, attributes & ~FILE_ATTRIBUTE_READONLY)) {
    if (MoveFileExW(src.c_str(), dst.c_str(), kFlags)) return true;
    code = GetLastError();
    SetOwnAttributes(dst, attributes);
  }
  if (code == ERROR_ACCESS_DENIED && InUse(dst)) code = ERROR_SHARING_VIOLATION;
  SetLastError(code);
  return false;
}

EFileError Win32Files::LastError(const std::string& path) {
  return FileError(path, GetLastError());
}

uint64_t Win32Files::FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool Win32Files::RemoveFolder(const std::string& path) {
  const WString wide = Wide(path);
  return FolderChain(wide).Safe() && RemoveDirectoryW(wide.c_str());
}

std::vector<std::string> Win32Files::List(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found;
  const HANDLE find = FindFirstFileW(Wide(folder + "*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const WString name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    names.push_back(Narrow(name.data(), name.size()) + (isFolder ? "\\" : ""));
  } while (FindNextFileW(find, &found));
  FindClose(find);
  return names;
}

std::unique_ptr<OutputFile> Win32Files::Append(const std::string& path) {
  // Appending cannot replace the name as Create does; a link planted there is refused, never
  // written through.
  const WString wide = Wide(path);
  const FolderChain chain(wide);
  if (!chain.Safe()) throw FileError(path, GetLastError());
  UniqueHandle h(CreateFileW(wide.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!h.Valid()) throw FileError(path, GetLastError());
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(h.Get(), &info)) throw FileError(path, GetLastError());
  if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
    throw FileError(path, ERROR_ACCESS_DENIED);
  return std::make_unique<Win32Output>(std::move(h), path);
}

std::string Win32Files::CurrentDirectory() {
  const DWORD size = GetCurrentDirectoryW(0, nullptr);
  WString buffer(size, L'\0');
  const DWORD length = GetCurrentDirectoryW(size, buffer.data());
  return Narrow(buffer.data(), length < size ? length : 0);
}

bool Win32Files::ChangeDirectory(const std::string& path) {
  return SetCurrentDirectoryW(Wide(path).c_str());
}

std::string Win32Files::ModulePath() {
  // The module path can exceed MAX_PATH; grow until it fits instead of cutting it.
  WString buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return std::string();
    if (length < buffer.size()) return Narrow(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

std::string Win32Files::TempFolder() {
  // For SYSTEM, GetTempPathW gives C:\Windows\Temp, where any user may make a file first;
  // GetTempPath2W gives it a folder users cannot write. Looked up, as older systems lack it.
  using TempPathFunction = DWORD(WINAPI*)(DWORD, LPWSTR);
  static const auto getTempPath2 = reinterpret_cast<TempPathFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetTempPath2W")));
  wchar_t buffer[MAX_PATH + 1] = {};
  const DWORD length = (getTempPath2 ? getTempPath2 : GetTempPathW)(MAX_PATH + 1, buffer);
  return length > 0 && length <= MAX_PATH ? Narrow(buffer, length) : std::string("C:\\");
}

std::string Win32Files::SystemFolder() {
  wchar_t buffer[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(buffer, MAX_PATH);
  const std::string folder = length > 0 && length < MAX_PATH ? Narrow(buffer, length)
                                                             : std::string("C:\\Windows\\System32");
  return folder.back() == '\\' ? folder : folder + "\\";
}

bool Win32Files::SignatureHolds(const std::string& path) {
  // wintrust.dll is no KnownDLL: only the system folder's copy may answer.
  using Verify = LONG(WINAPI*)(HWND, GUID*, LPVOID);
  static const auto verify = [] {
    HMODULE dll = LoadLibraryExW(L"wintrust.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return reinterpret_cast<Verify>(
        reinterpret_cast<void*>(dll ? GetProcAddress(dll, "WinVerifyTrust") : nullptr));
  }();
  if (!verify) return false;
  const WString wide = Wide(path);
  WINTRUST_FILE_INFO file = {};
  file.cbStruct = sizeof file;
  file.pcwszFilePath = wide.c_str();
  WINTRUST_DATA data = {};
  data.cbStruct = sizeof data;
  data.dwUIChoice = WTD_UI_NONE;
  data.fdwRevocationChecks = WTD_REVOKE_NONE;
  data.dwUnionChoice = WTD_CHOICE_FILE;
  data.pFile = &file;
  data.dwStateAction = WTD_STATEACTION_VERIFY;
  data.dwProvFlags = WTD_CACHE_ONLY_URL_RETRIEVAL;
  GUID action = {0xaac56b, 0xcd44, 0x11d0, {0x8c, 0xc2, 0x00, 0xc0, 0x4f, 0xc2, 0x95, 0xee}};
  const LONG status = verify(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
  data.dwStateAction = WTD_STATEACTION_CLOSE;
  verify(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
  // The question is whether these are the bytes that were signed. Whom to trust as their
  // signer is the system's business (it names the publisher when it asks for administrator
  // rights), so a signer it does not know, or a certificate since expired, still holds.
  switch (status) {
    case static_cast<LONG>(ERROR_SUCCESS):
    case CERT_E_UNTRUSTEDROOT:
    case CERT_E_UNTRUSTEDTESTROOT:
    case CERT_E_CHAINING:
    case CERT_E_EXPIRED:
    case CERT_E_REVOCATION_FAILURE:
    case CRYPT_E_REVOCATION_OFFLINE:
      return true;
    default:
      return false;
  }
}

}  // namespace plat::win32
