#pragma once

namespace unittest {

// Resets module-level values to a new process's; a test standing for several processes repeats it.
void FreshModuleState();

}  // namespace unittest
