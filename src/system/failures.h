#pragma once
// What the registration and shortcut routines step over and go on without, as is their habit: a
// key that cannot be opened, a shortcut or program-group entry that cannot be made. Each is told
// to the report in force, with the system's reason, so that a run can log it and count it.
#include <string>

#include "platform/registry.h"

namespace sys {

class FailureReport {
 public:
  virtual ~FailureReport() = default;
  virtual void SteppedOver(const std::string& what) = 0;
};

// Tells the report in force; with none, nobody hears.
void ReportSteppedOver(const std::string& what);

// `report` hears what is stepped over while the scope lasts.
class FailureReportScope {
 public:
  explicit FailureReportScope(FailureReport& report);
  ~FailureReportScope();
  FailureReportScope(const FailureReportScope&) = delete;
  FailureReportScope& operator=(const FailureReportScope&) = delete;

 private:
  FailureReport* previous_;
};

// Opens `keyPath` below the accessor's root with creation, to write into it; a key that cannot
// be opened is reported with the system's reason and gives false.
bool OpenKeyForWriting(plat::RegistryAccessor& reg, const std::string& keyPath);

}  // namespace sys
