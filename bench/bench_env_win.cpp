#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include "bench_env.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"

namespace {

PROCESS_MEMORY_COUNTERS Counters() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters;
}

class WinEnv : public BenchEnv {
 public:
  explicit WinEnv(std::string folder) : folder_(std::move(folder)) {}
  std::string Folder() override {
    std::string folder = folder_;
    if (folder.empty()) {
      wchar_t temp[MAX_PATH];
      GetTempPathW(MAX_PATH, temp);
      folder = plat::win32::Narrow(temp) + "vortel-bench";
    }
    platform_.Files().CreateFolder(folder);
    return folder + "\\";
  }
  std::string HostPath(const std::string& path) override { return path; }
  size_t CurrentMemory() override { return Counters().WorkingSetSize; }
  size_t PeakMemory() override { return Counters().PeakWorkingSetSize; }
  void Remove(const std::string& path) override { platform_.Files().Remove(path); }

 private:
  std::string folder_;
  plat::win32::Win32Platform platform_;
};

}  // namespace

std::unique_ptr<BenchEnv> MakeBenchEnv(const std::string& folder) {
  return std::make_unique<WinEnv>(folder);
}
