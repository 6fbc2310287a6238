#include <fstream>

#include "bench_env.h"
#include "platform/headless/headless.h"

namespace {

size_t StatusField(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(field + ":", 0) == 0) return std::stoul(line.substr(field.size() + 1)) * 1024;
  return 0;
}

class NativeEnv : public BenchEnv {
 public:
  std::string Folder() override {
    platform_.files.CreateFolder("C:\\bench");
    return "C:\\bench\\";
  }
  std::string HostPath(const std::string& path) override {
    return platform_.files.HostPath(path).string();
  }
  size_t CurrentMemory() override { return StatusField("VmRSS"); }
  size_t PeakMemory() override { return StatusField("VmHWM"); }
  void Remove(const std::string& path) override { platform_.files.Remove(path); }

 private:
  plat::headless::HeadlessPlatform platform_;
};

}  // namespace

std::unique_ptr<BenchEnv> MakeBenchEnv(const std::string&) {
  return std::make_unique<NativeEnv>();
}
