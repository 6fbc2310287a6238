#pragma once

namespace engine {

// Set when the program closes the wizard itself (after a run, after mastering), so that the
// wizard closes without asking "Przerwać proces instalacji ?".
extern bool CloseWithoutAsking;

}  // namespace engine
