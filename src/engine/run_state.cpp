#include "engine/run_state.h"

namespace engine {

bool CloseWithoutAsking = false;
bool StopRequested = false;
int ExitCode = 0;

}  // namespace engine
