// Where the platform's last guards put a failure that must not show a box. Whether to keep it
// out of one each program's entry file says, so that neither program carries the other's
// command line.
#include "platform/program_main.h"
#include "startup/quiet_reports.h"

namespace {
sys::RunLog* quietLog = nullptr;
}  // namespace

startup::QuietReports::QuietReports(sys::RunLog& log) : previous_(quietLog) {
  quietLog = &log;
}

startup::QuietReports::~QuietReports() {
  quietLog = previous_;
}

void plat::ReportQuietly(const std::string& what) {
  if (quietLog) quietLog->Note(what, true);
}
