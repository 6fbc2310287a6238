#pragma once
// Where the platform's last guards put a failure that must not show a box (plat::ReportQuietly):
// the log of the run in progress, which the entry names for as long as the run lasts. The
// guards run where no caller can hand them anything, so this one pointer is kept here.
#include "system/questions.h"

namespace startup {

class QuietReports {
 public:
  explicit QuietReports(sys::RunLog& log);
  ~QuietReports();
  QuietReports(const QuietReports&) = delete;
  QuietReports& operator=(const QuietReports&) = delete;

 private:
  sys::RunLog* previous_;
};

}  // namespace startup
