#pragma once
// A desktop and a resource meter made of plain data, for the start-up checks' decisions.
#include <map>
#include <string>
#include <vector>

#include "platform/desktop.h"

namespace plat::headless {

class HeadlessMeter : public ResourceMeter {
 public:
  int readings[3] = {-1, -1, -1};  // by kind: system, GDI, user
  std::vector<int> queried;        // kinds, in the order asked
  int FreePercent(int kind) override {
    queried.push_back(kind);
    return readings[kind];
  }
};

class HeadlessDesktop : public Desktop {
 public:
  struct Window {
    std::string className, title;
    uint32_t threadId = 1, processId = 1;
  };
  std::vector<Window> windows;  // WindowId = index + 1
  WindowId ownApplicationWindow = 0;
  std::vector<ProcessEntry> processes;
  int visited = 0;

  WindowId Add(const std::string& className, const std::string& title, uint32_t processId) {
    windows.push_back({className, title, processId * 10, processId});
    return windows.size();
  }

  void EnumTopLevelWindows(const std::function<bool(WindowId)>& visit) override {
    for (size_t i = 0; i < windows.size(); ++i) {
      ++visited;
      if (!visit(i + 1)) return;
    }
  }
  std::string ClassName(WindowId w) override { return windows.at(w - 1).className.substr(0, 79); }
  std::string Title(WindowId w) override { return windows.at(w - 1).title.substr(0, 79); }
  void ThreadAndProcess(WindowId w, uint32_t& threadId, uint32_t& processId) override {
    threadId = windows.at(w - 1).threadId;
    processId = windows.at(w - 1).processId;
  }
  bool IsOwnApplicationWindow(WindowId w) override { return w == ownApplicationWindow; }
  std::vector<ProcessEntry> ProcessSnapshot() override { return processes; }
};

}  // namespace plat::headless
