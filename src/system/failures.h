#pragma once
// What the registration routines step over and go on without, as is their habit: a key that
// cannot be opened is told to the run's questions with the system's reason, so that a run can
// log it and count it.
#include <string>

#include "platform/registry.h"
#include "system/questions.h"

namespace sys {

// Opens `keyPath` below the accessor's root with creation, to write into it; a key that cannot
// be opened is reported with the system's reason and gives false.
bool OpenKeyForWriting(plat::RegistryAccessor& reg, const std::string& keyPath, Questions& asked);

}  // namespace sys
