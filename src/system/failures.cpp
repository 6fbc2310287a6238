#include "system/failures.h"

namespace sys {
namespace {

FailureReport* current = nullptr;

}  // namespace

void ReportSteppedOver(const std::string& what) {
  if (current) current->SteppedOver(what);
}

FailureReportScope::FailureReportScope(FailureReport& report) : previous_(current) {
  current = &report;
}

FailureReportScope::~FailureReportScope() {
  current = previous_;
}

bool OpenKeyForWriting(plat::RegistryAccessor& reg, const std::string& keyPath) {
  if (reg.OpenKey(keyPath, true)) return true;
  ReportSteppedOver(plat::RegistryOpenError(reg.Root(), keyPath, reg.OpenError()));
  return false;
}

}  // namespace sys
