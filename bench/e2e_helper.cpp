// The end-to-end benchmark's Windows half, built with the same compiler, bitness and zlib as
// Install.exe and run under the same Wine (scripts/bench drives it):
//   e2e_helper generate PATH MiB          the large mixed file
//   e2e_helper deflate FROM TO            the bare level-1 deflate loop, as a whole process
//   e2e_helper inflate FROM TO [flush]    the bare inflate loop; with "flush", followed by
//                                         FlushFileBuffers of TO, to see what flushing costs
//   e2e_helper window CAPTION kill|wait PROGRAM [ARGUMENTS]
//        starts PROGRAM and prints the seconds until a visible top-level window of it with
//        CAPTION has answered a message (so it has been through its first paint), then ends
//        the program or waits for it to end
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bare_zlib.h"

namespace {

std::wstring Wide(const char* text) {
  const int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  std::wstring out(n > 0 ? n - 1 : 0, L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, out.data(), n);
  return out;
}

struct Search {
  DWORD pid;
  const std::wstring* caption;
  HWND found;
};

BOOL CALLBACK Look(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != search->pid || !IsWindowVisible(window)) return TRUE;
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  if (*search->caption != text) return TRUE;
  search->found = window;
  return FALSE;
}

int Window(int argc, char** argv) {
  const std::wstring caption = Wide(argv[2]);
  const bool kill = std::string(argv[3]) == "kill";
  std::wstring line = L"\"" + Wide(argv[4]) + L"\"";
  for (int i = 5; i < argc; ++i) line += L" " + Wide(argv[i]);
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info))
    return 2;
  Search search{info.dwProcessId, &caption, nullptr};
  while (!search.found && WaitForSingleObject(info.hProcess, 1) == WAIT_TIMEOUT)
    EnumWindows(Look, reinterpret_cast<LPARAM>(&search));
  DWORD_PTR ignored = 0;
  if (search.found) SendMessageTimeoutW(search.found, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
  QueryPerformanceCounter(&now);
  if (kill) TerminateProcess(info.hProcess, 5);
  WaitForSingleObject(info.hProcess, INFINITE);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  if (!search.found) return 3;
  std::printf("%.4f\n", static_cast<double>(now.QuadPart - start.QuadPart) / frequency.QuadPart);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string what = argc > 1 ? argv[1] : "";
  if (what == "generate" && argc == 4) {
    bench::Generate(argv[2], std::strtoull(argv[3], nullptr, 10) << 20);
  } else if (what == "deflate" && argc == 4) {
    bench::BareCompress(argv[2], argv[3]);
  } else if (what == "inflate" && (argc == 4 || argc == 5)) {
    bench::BareExpand(argv[2], argv[3]);
    if (argc == 5) {
      HANDLE out = CreateFileA(argv[3], GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
      if (!FlushFileBuffers(out)) return 2;
      CloseHandle(out);
    }
  } else if (what == "window" && argc >= 5) {
    return Window(argc, argv);
  } else {
    std::fprintf(stderr, "usage: see the head of bench/e2e_helper.cpp\n");
    return 1;
  }
  return 0;
}
