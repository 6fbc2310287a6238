#pragma once

namespace unittest {

// The module-level values as a new process has them. Runs before every test; a test that
// stands for several processes calls it before each.
void FreshModuleState();

}  // namespace unittest
