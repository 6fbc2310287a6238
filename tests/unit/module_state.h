#pragma once

namespace unittest {

// Module-level values as a new process has them; a test standing for several processes repeats it.
void FreshModuleState();

}  // namespace unittest
