// Where the platform's last guards put a failure that must not show a box. Whether to keep it
// out of one each program's entry file says, so that neither program carries the other's
// command line.
#include "engine/run_log.h"
#include "platform/program_main.h"

void plat::ReportQuietly(const std::string& what) {
  engine::Log().Note(what, true);
}
