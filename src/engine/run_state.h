#pragma once

namespace engine {

// Set when the user confirmed closing the wizard while files were being copied: the run stops
// at the next file boundary, as after a confirmed abort.
extern bool StopRequested;

}  // namespace engine
