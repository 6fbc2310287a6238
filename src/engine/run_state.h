#pragma once

namespace engine {

// Set when the program closes the wizard itself (after a run, after mastering), so that the
// wizard closes without asking "Przerwać proces instalacji ?".
extern bool CloseWithoutAsking;
// Set when the user confirmed closing the wizard while files were being copied: the run stops
// at the next file boundary, as after a confirmed abort.
extern bool StopRequested;
// What the process ends with: 0 unless a mode of the program says otherwise.
extern int ExitCode;

}  // namespace engine
