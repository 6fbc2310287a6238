#pragma once
// What the start-up checks look at before anything is shown: the free system resources of the
// older Windows family, and the top-level windows and processes of the desktop.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace plat {

class ResourceMeter {
 public:
  virtual ~ResourceMeter() = default;
  // The free percentage of one resource kind (0 system, 1 GDI, 2 user) as the 16-bit query of
  // the older family reports it, or -1 when no reading is possible (always on the NT family).
  virtual int FreePercent(int kind) = 0;
};

using WindowId = uintptr_t;

struct ProcessEntry {
  uint32_t processId;
  std::string exeFile;  // as the snapshot gives it (a full path on the older family)
};

class Desktop {
 public:
  virtual ~Desktop() = default;
  // Calls `visit` for each top-level window until it returns false.
  virtual void EnumTopLevelWindows(const std::function<bool(WindowId)>& visit) = 0;
  // Class name and title as read into 80-character buffers: at most 79 characters, empty when
  // they cannot be read.
  virtual std::string ClassName(WindowId window) = 0;
  virtual std::string Title(WindowId window) = 0;
  // The thread and process that created the window; 0 when unknown.
  virtual void ThreadAndProcess(WindowId window, uint32_t& threadId, uint32_t& processId) = 0;
  // The program's own hidden application window.
  virtual bool IsOwnApplicationWindow(WindowId window) = 0;
  // The running processes from first to last; empty when no snapshot can be taken (also
  // when the snapshot functions are missing).
  virtual std::vector<ProcessEntry> ProcessSnapshot() = 0;
};

}  // namespace plat
