#pragma once
// What a run decided about single files, for the log of an unattended or logged run. What was
// actually written (folders, files, registry, links) is seen where it is written; only the
// decisions that leave no trace on disk are reported from inside the engine.
#include <string>

namespace engine {

class RunLog {
 public:
  virtual ~RunLog() = default;
  // An existing file kept because the overwrite question was answered "no".
  virtual void FileSkipped(const std::string& /*path*/) {}
  // A file that could not be installed, with the reason; the run stops after it.
  virtual void FileFailed(const std::string& /*path*/, const std::string& /*reason*/) {}
  // Any other event worth a line (the removal's steps, for one); `error` marks a failure.
  virtual void Note(const std::string& /*text*/, bool /*error*/ = false) {}
};

// The log of the current run: one that records nothing unless a caller installed another.
RunLog& Log();
// Installs `log` (nullptr: the silent default) and returns the one it replaces.
RunLog* SetLog(RunLog* log);

// The engine reports to the log while the scope lasts, also when the run leaves by an exception.
class LogScope {
 public:
  explicit LogScope(RunLog* log) { SetLog(log); }
  ~LogScope() { SetLog(nullptr); }
  LogScope(const LogScope&) = delete;
  LogScope& operator=(const LogScope&) = delete;
};

}  // namespace engine
