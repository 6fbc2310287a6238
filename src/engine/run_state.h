#pragma once

namespace engine {

// Set when the program closes the wizard itself (after a run, after mastering), so that the
// wizard closes without asking "Przerwać proces instalacji ?".
extern bool CloseWithoutAsking;
// What the process ends with: 0 unless a mode of the program says otherwise.
extern int ExitCode;

}  // namespace engine
