#include "platform/win32/desktop_win32.h"

#include <tlhelp32.h>

#include <exception>

#include "platform/win32/gui_win32.h"
#include "platform/win32/handles.h"
#include "platform/win32/os_version.h"
#include "platform/win32/wide.h"

#if defined(__i386__)
// Calls a 16-bit far function with one word argument through QT_Thunk. The gate reads the
// size of the arguments from the caller's frame (EBP - ESP - 0x40), so the frame is built by
// hand: exactly 0x40 bytes of locals, then the pushed word, and nothing else in between.
extern "C" uint32_t CallThunk16(FARPROC thunk, uint32_t target, uint32_t argument);
__asm__(
    ".text\n"
    ".globl _CallThunk16\n"
    "_CallThunk16:\n"
    "  pushl %ebx\n"
    "  pushl %esi\n"
    "  pushl %edi\n"
    "  pushl %ebp\n"
    "  movl %esp, %ebp\n"
    "  subl $0x40, %esp\n"
    "  movl 20(%ebp), %ecx\n"
    "  movl 24(%ebp), %edx\n"
    "  movl 28(%ebp), %eax\n"
    "  pushw %ax\n"
    "  call *%ecx\n"
    "  movzwl %ax, %eax\n"
    "  movl %ebp, %esp\n"
    "  popl %ebp\n"
    "  popl %edi\n"
    "  popl %esi\n"
    "  popl %ebx\n"
    "  ret\n");
#endif

namespace plat::win32 {

namespace {

using LoadLibrary16Proc = DWORD(WINAPI*)(LPCSTR);
using FreeLibrary16Proc = void(WINAPI*)(DWORD);
using GetProcAddress16Proc = DWORD(WINAPI*)(DWORD, LPCSTR);

struct Walk {
  const std::function<bool(WindowId)>& visit;
  std::exception_ptr failure;
};

// No exception may unwind through EnumWindows: the visitor's failure ends the walk and is
// thrown again once the system's frames are behind us.
BOOL CALLBACK VisitWindow(HWND window, LPARAM data) {
  auto* walk = reinterpret_cast<Walk*>(data);
  try {
    return walk->visit(reinterpret_cast<WindowId>(window));
  } catch (...) {
    walk->failure = std::current_exception();
    return FALSE;
  }
}

}  // namespace

Win32Meter::Win32Meter() : nt_(Win32Version().IsNtFamily()) {
  if (nt_) return;
  // Each step only when the one before succeeded; any failure leaves the query unbound, and
  // every reading is then -1.
  kernel_ = LoadLibraryW(L"kernel32.dll");
  if (!kernel_) return;
  thunk_ = GetProcAddress(kernel_, "QT_Thunk");
  if (!thunk_) return;
  auto load16 = reinterpret_cast<LoadLibrary16Proc>(
      reinterpret_cast<void*>(GetProcAddress(kernel_, MAKEINTRESOURCEA(35))));
  if (!load16) return;
  user16_ = load16("user.exe");
  if (user16_ < 32) return;
  auto lookup16 = reinterpret_cast<GetProcAddress16Proc>(
      reinterpret_cast<void*>(GetProcAddress(kernel_, MAKEINTRESOURCEA(37))));
  if (lookup16) query_ = lookup16(user16_, "GetFreeSystemResources");
}

Win32Meter::~Win32Meter() {
  if (nt_ || !kernel_) return;
  if (user16_ >= 32) {
    auto free16 = reinterpret_cast<FreeLibrary16Proc>(
        reinterpret_cast<void*>(GetProcAddress(kernel_, MAKEINTRESOURCEA(36))));
    if (free16) free16(user16_);
  }
  FreeLibrary(kernel_);
}

int Win32Meter::FreePercent(int kind) {
  if (nt_ || !query_) return -1;
#if defined(__i386__)
  return static_cast<int>(CallThunk16(thunk_, query_, static_cast<uint32_t>(kind)) & 0xFFFF);
#else
  (void)kind;
  return -1;  // a 64-bit program has no way into 16-bit code
#endif
}

void Win32Desktop::EnumTopLevelWindows(const std::function<bool(WindowId)>& visit) {
  Walk walk{visit, nullptr};
  EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&walk));
  if (walk.failure) std::rethrow_exception(walk.failure);
}

std::string Win32Desktop::ClassName(WindowId window) {
  wchar_t buffer[80] = {};
  const int n = GetClassNameW(reinterpret_cast<HWND>(window), buffer, 80);
  return n > 0 ? Narrow(buffer, n) : std::string();
}

std::string Win32Desktop::Title(WindowId window) {
  wchar_t buffer[80] = {};
  const int n = GetWindowTextW(reinterpret_cast<HWND>(window), buffer, 80);
  return n > 0 ? Narrow(buffer, n) : std::string();
}

void Win32Desktop::ThreadAndProcess(WindowId window, uint32_t& threadId, uint32_t& processId) {
  DWORD pid = 0;
  threadId = GetWindowThreadProcessId(reinterpret_cast<HWND>(window), &pid);
  processId = pid;
}

bool Win32Desktop::IsOwnApplicationWindow(WindowId window) {
  return reinterpret_cast<HWND>(window) == gui_.ApplicationWindow();
}

std::vector<ProcessEntry> Win32Desktop::ProcessSnapshot() {
  // Bound by name: the snapshot functions are missing on some systems of the NT 4 era.
  using Snapshot = HANDLE(WINAPI*)(DWORD, DWORD);
  using Walk = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32W*);
  std::vector<ProcessEntry> entries;
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  auto snapshot = reinterpret_cast<Snapshot>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "CreateToolhelp32Snapshot")));
  auto first =
      reinterpret_cast<Walk>(reinterpret_cast<void*>(GetProcAddress(kernel, "Process32FirstW")));
  auto next =
      reinterpret_cast<Walk>(reinterpret_cast<void*>(GetProcAddress(kernel, "Process32NextW")));
  if (!snapshot || !first || !next) return entries;
  UniqueHandle handle(snapshot(TH32CS_SNAPPROCESS, 0));
  if (!handle.Valid()) return entries;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = first(handle.Get(), &entry); more; more = next(handle.Get(), &entry))
    entries.push_back(
        {entry.th32ProcessID, Narrow(entry.szExeFile, wcsnlen(entry.szExeFile, MAX_PATH))});
  return entries;
}

}  // namespace plat::win32
